#include "shell/tdialogbuttons.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Counts the F1 presses a dialog receives.
class THelpCounter : public QObject {
public:
    int Presses = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1)
            ++Presses;
        return false;
    }
};

} // namespace

class TstTDialogButtons : public QObject {
    Q_OBJECT

private slots:
    void Options_data() {
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("shown"); // the buttons that show, by first letter
        QTest::addColumn<QString>("okName");
        QTest::addColumn<int>("helpPresses");
        QTest::addColumn<int>("okResult");
        QTest::newRow("all three") << 0 << "OCH" << "OKButton" << 1 << int(QDialog::Accepted);
        QTest::newRow("help hidden, not pressed") << int(TDialogButtons::HelpHidden) << "OC"
                                                  << "OKButton" << 0 << int(QDialog::Accepted);
        QTest::newRow("no cancel, unnamed")
            << int(TDialogButtons::NoCancel | TDialogButtons::Unnamed) << "OH" << "" << 1
            << int(QDialog::Accepted);
        QTest::newRow("own OK and help") << int(TDialogButtons::OwnOK | TDialogButtons::OwnHelp)
                                         << "OCH" << "OKButton" << 0 << -1;
    }
    void Options() {
        QFETCH(int, options);
        QFETCH(QString, shown);
        QFETCH(QString, okName);
        QFETCH(int, helpPresses);
        QFETCH(int, okResult);
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        const TDialogButtons buttons(&dialog, layout, TDialogButtons::TOptions(options));
        dialog.show();
        QString showing;
        for (QPushButton* b : {buttons.OKButton, buttons.CancelButton, buttons.HelpButton})
            showing += b && b->isVisible() ? b->text().left(1) : QString();
        QCOMPARE(showing, shown);
        QCOMPARE(buttons.OKButton->objectName(), okName);
        QVERIFY(buttons.OKButton->isDefault());
        THelpCounter counter;
        dialog.installEventFilter(&counter);
        if (buttons.HelpButton)
            buttons.HelpButton->click();
        QCOMPARE(counter.Presses, helpPresses);
        dialog.setResult(-1);
        buttons.OKButton->click();
        QCOMPARE(dialog.result(), okResult);
    }
};

QTEST_MAIN(TstTDialogButtons)
#include "tst_tdialogbuttons.moc"
