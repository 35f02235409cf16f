#include "model/tangleform.h"
#include "model/ttitlesform.h"
#include "shell/tdialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

template <typename TForm> void WhenShown(std::function<void(TForm*)> step) {
    QTimer::singleShot(0, [step] {
        auto* form = qobject_cast<TForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        step(form);
    });
}

} // namespace

class TstTAngleForm : public QObject {
    Q_OBJECT

private slots:
    void ReadAngles_data() {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<double>("rotX");
        QTest::addColumn<double>("rotY");
        QTest::addColumn<double>("rotZ");
        QTest::newRow("numbers") << QStringList{"-45", "0", "45"} << -45.0 << 0.0 << 45.0;
        QTest::newRow("beyond a turn") << QStringList{"725", "-360.5", "1e3"} << 725.0 << -360.5 << 1000.0;
        QTest::newRow("blanks around") << QStringList{" 12 ", " 3", "4 "} << 12.0 << 3.0 << 4.0;
        QTest::newRow("not numbers") << QStringList{"abc", "x", "y"} << 90.0 << 0.0 << 0.0;
        QTest::newRow("empty") << QStringList{"", "", ""} << 90.0 << 0.0 << 0.0;
        QTest::newRow("number with text") << QStringList{"10deg", "5", "6"} << 90.0 << 5.0 << 6.0;
    }
    void ReadAngles() {
        QFETCH(QStringList, typed);
        QFETCH(double, rotX);
        QFETCH(double, rotY);
        QFETCH(double, rotZ);
        double x = 1, y = 1, z = 1;
        TAngleForm::ReadAngles(typed.at(0), typed.at(1), typed.at(2), x, y, z);
        QCOMPARE(x, rotX);
        QCOMPARE(y, rotY);
        QCOMPARE(z, rotZ);
    }

    void AnglesOpenInShortestForm() {
        TAngleForm form;
        form.SetAngles(-45, 0.1 + 0.2, 1e-7);
        QCOMPARE(form.TextX(), QStringLiteral("-45"));
        QCOMPARE(form.TextY(), QStringLiteral("0.3"));
        QCOMPARE(form.TextZ(), QStringLiteral("1E-7"));
    }

    void Dialog_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Escape") << false;
    }
    void Dialog() {
        QFETCH(bool, accept);
        QString x = QStringLiteral("-45"), y = QStringLiteral("0"), z = QStringLiteral("45");
        WhenShown<TAngleForm>([accept](TAngleForm* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Viewing Angle"));
            QCOMPARE(form->TextX(), QStringLiteral("-45"));
            // Not resizable.
            QCOMPARE(form->minimumSize(), form->maximumSize());
            form->RotX->setText(QStringLiteral("abc"));
            form->RotZ->setText(QStringLiteral("30"));
            if (accept)
                form->OKButton->click();
            else
                QTest::keyClick(form, Qt::Key_Escape);
        });
        QCOMPARE(TDialogs::Current().ViewingAngle(nullptr, x, y, z), accept);
        QCOMPARE(x, accept ? QStringLiteral("abc") : QStringLiteral("-45"));
        QCOMPARE(z, accept ? QStringLiteral("30") : QStringLiteral("45"));
    }

    void TitlesDialog_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void TitlesDialog() {
        QFETCH(bool, accept);
        QString model = QStringLiteral("Untitled Model"), loadCase = QStringLiteral("Untitled Load Case");
        WhenShown<TTitlesForm>([accept](TTitlesForm* form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Model and Load Case Titles"));
            QCOMPARE(form->AnalysisTitle->text(), QStringLiteral("Untitled Model"));
            QCOMPARE(form->LoadCaseTitle->text(), QStringLiteral("Untitled Load Case"));
            QVERIFY(form->HelpButton->isHidden());
            form->AnalysisTitle->setText(QStringLiteral("Splice"));
            form->LoadCaseTitle->clear();
            (accept ? form->OKButton : form->CancelButton)->click();
        });
        QCOMPARE(TDialogs::Current().AnalysisTitles(nullptr, model, loadCase), accept);
        QCOMPARE(model, accept ? QStringLiteral("Splice") : QStringLiteral("Untitled Model"));
        QCOMPARE(loadCase, accept ? QString() : QStringLiteral("Untitled Load Case"));
    }
};

QTEST_MAIN(TstTAngleForm)
#include "tst_tangleform.moc"
