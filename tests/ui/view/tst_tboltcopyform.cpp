#include "model/tboltgroupform.h"
#include "shell/thelpviewer.h"
#include "tscripteddialogs.h"
#include "view/tboltcopyform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// Sets a control by its name: an edit's text, a combo's item or an up-down's position.
void Set(TBoltCopyForm& form, const QString& name, const QString& value) {
    QObject* control = form.findChild<QObject*>(name);
    QVERIFY2(control, qPrintable(name));
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setCurrentIndex(value.toInt());
    else if (auto* upDown = qobject_cast<QSpinBox*>(control))
        upDown->setValue(value.toInt());
}

QString Shown(TBoltCopyForm& form, const QString& name) {
    QObject* control = form.findChild<QObject*>(name);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* upDown = qobject_cast<QSpinBox*>(control))
        return QString::number(upDown->value());
    return QStringLiteral("<no %1>").arg(name);
}

// A bolt group window that records its information-label texts.
class TRecordingBoltForm : public TBoltGroupForm {
public:
    TRecordingBoltForm() : TBoltGroupForm(nullptr) {}
    QStringList Information;
    void ShowInformation(const QString& text) override {
        Information.append(text);
        TBoltGroupForm::ShowInformation(text);
    }
};

TBolt Bolt(double x, double y, double z) {
    TBolt b;
    b.X = x;
    b.Y = y;
    b.Z = z;
    return b;
}

} // namespace

class TstTBoltCopyForm : public QObject {
    Q_OBJECT

private slots:
    // The previews follow the edits made in order ("Name=value"); the shown texts are checked.
    void Previews_data() {
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QStringList>("shown");
        // The example bolt is at (2, 3, 4).
        QTest::newRow("first copy and displacement both ways")
            << QStringList{"XTrans=5", "dX=1"} << QStringList{"XTrans=3", "dX=1", "dY=0"};
        QTest::newRow("text that is not a number counts as 0")
            << QStringList{"dY=abc", "ScaleX=x2"} << QStringList{"YTrans=3", "SXS=0"};
        QTest::newRow("rotate about Y with its centre labels")
            << QStringList{"Axis=1", "CentreX=2", "CentreY=0", "Angle=90"}
            << QStringList{"CentreXLabel=X", "CentreYLabel=Z", "RXR=6", "RYR=3"};
        QTest::newRow("mirror in the XY plane")
            << QStringList{"Plane=2", "PlaneValue=1.5"}
            << QStringList{"PlaneLabel=Z", "MXM=2", "MYM=3", "MZM=-1"};
        QTest::newRow("scale about a base point")
            << QStringList{"BaseX=1", "BaseY=1", "BaseZ=1", "ScaleX=2", "ScaleY=0.5", "ScaleZ=0"}
            << QStringList{"SXS=3", "SYS=2", "SZS=1"};
        QTest::newRow("up-downs keep in step")
            << QStringList{"TranslationCopies=100", "RotationCopies=7"}
            << QStringList{"TranslationCopies=7", "RotationCopies=7"};
    }
    void Previews() {
        QFETCH(QStringList, edits);
        QFETCH(QStringList, shown);
        TBoltCopyForm form;
        form.SetExample({2, 3, 4});
        form.SetValues(TCopyMoveValues(), true);
        form.FillPreviews();
        for (const QString& e : edits)
            Set(form, e.section(QLatin1Char('='), 0, 0), e.section(QLatin1Char('='), 1));
        for (const QString& s : shown)
            QCOMPARE(s.section(QLatin1Char('='), 0, 0) + QLatin1Char('=') +
                         Shown(form, s.section(QLatin1Char('='), 0, 0)),
                     s);
    }

    // Help from the dialog shows its own topic, not that of the bolt group window under it.
    void HelpTopic() {
        TBoltGroupForm window(nullptr);
        TBoltCopyForm form(&window);
        QCOMPARE(THelpViewer::ContextOf(form.HelpButton), TBoltCopyForm::HelpContext);
    }

    // Only the values of the page showing are read back; a translate move keeps the count.
    // Read back: copy count, dX, angle, plane position, X scale factor.
    void ReadValues_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("move");
        QTest::addColumn<QList<double>>("read");
        QTest::newRow("translate copy") << 0 << false << QList<double>{5, 7, 30, 2, 3};
        QTest::newRow("translate move") << 0 << true << QList<double>{9, 7, 30, 2, 3};
        QTest::newRow("rotate copy") << 1 << false << QList<double>{5, 1, 45, 2, 3};
        QTest::newRow("rotate move") << 1 << true << QList<double>{1, 1, 45, 2, 3};
        QTest::newRow("mirror") << 2 << false << QList<double>{9, 1, 30, -4, 3};
        QTest::newRow("scale") << 3 << false << QList<double>{9, 1, 30, 2, 0};
    }
    void ReadValues() {
        QFETCH(int, page);
        QFETCH(bool, move);
        QFETCH(QList<double>, read);
        TCopyMoveValues values;
        values.CopyCount = 9;
        values.CopyOffset = {1, 0, 0};
        values.RotationAngle = 30;
        values.MirrorPosition = 2;
        values.ScaleFactors = {3, 1, 1};
        TBoltCopyForm form;
        form.SetValues(values, !move);
        if (move)
            form.SetMoveMode();
        for (const QString& e :
             QStringList{"TranslationCopies=5", "dX=7", "Angle=45", "PlaneValue=-4", "ScaleX=none"})
            Set(form, e.section(QLatin1Char('='), 0, 0), e.section(QLatin1Char('='), 1));
        if (move)
            form.TranslationCopies->setValue(1);
        form.SetPage(TCopyMovePage(page));
        form.ReadValues(values, move);
        QCOMPARE((QList<double>{double(values.CopyCount), values.CopyOffset.X, values.RotationAngle,
                                values.MirrorPosition, values.ScaleFactors.X}),
                 read);
    }

    // The copy and move commands of the bolt group window: the caption asked, the bolts after,
    // the selection emptied, the values remembered only on OK, the model marked and analysed.
    // The order of copies and the transforms themselves are the core's tests.
    void Commands_data() {
        QTest::addColumn<bool>("move");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QList<qint32>>("selected");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<double>>("xs");
        const QList<qint32> none;
        QTest::newRow("copy one bolt")
            << false << 1 << none << true << "Copy Bolt 2" << QList<double>{0, 50, 0, 60, 70};
        QTest::newRow("copy cancelled")
            << false << 1 << none << false << "Copy Bolt 2" << QList<double>{0, 50, 0};
        QTest::newRow("move selected")
            << true << 1 << QList<qint32>{1} << true << "Move Selected Bolts (Bolt 2 as an example)"
            << QList<double>{0, 60, 0};
        QTest::newRow("move without selection")
            << true << 1 << none << true << "" << QList<double>{0, 50, 0};
    }
    void Commands() {
        QFETCH(bool, move);
        QFETCH(int, tag);
        QFETCH(QList<qint32>, selected);
        QFETCH(bool, accept);
        QFETCH(QString, caption);
        QFETCH(QList<double>, xs);
        TScriptedDialogs dialogs;
        TRecordingBoltForm form;
        form.Document.Bolts = {Bolt(0, 0, 0), Bolt(50, 0, 0), Bolt(0, 40, 5)};
        form.Document.AppliedLoad = {20, 20, 0, 0, 0, -1000, 0, 0};
        form.Document.SelectedBolts = selected;
        TCopyMoveValues opened;
        double exampleX = -1;
        dialogs.BoltCopyAnswer = [&](const TVector3& example, TCopyMoveValues& values,
                                     TCopyMovePage& page) {
            opened = values;
            exampleX = example.X;
            values.CopyOffset = {10, 0, 0};
            values.CopyCount = 2;
            page = TCopyMovePage::Translate;
            return accept;
        };
        form.CopyMoveValues.RotationAngle = 45;
        if (move)
            form.BoltMove(tag);
        else
            form.BoltCopy(tag);
        QCOMPARE(dialogs.BoltCopyCaptions,
                 caption.isEmpty() ? QStringList() : QStringList{caption});
        QCOMPARE(opened.RotationAngle, caption.isEmpty() ? 0.0 : 45.0);
        QCOMPARE(exampleX, caption.isEmpty() ? -1 : (tag == 1 ? 50.0 : 0.0));
        QList<double> shownXs;
        for (const TBolt& b : std::as_const(form.Document.Bolts))
            shownXs.append(b.X);
        QCOMPARE(shownXs, xs);
        const bool changed = accept && !caption.isEmpty();
        QCOMPARE(form.Document.SelectedBolts, changed ? QList<qint32>() : selected);
        QCOMPARE(form.CopyMoveValues.CopyOffset.X, changed ? 10.0 : 0.0);
        QCOMPARE(form.Document.DataSaved, !changed);
        if (changed) {
            QCOMPARE(form.Information.first(), move ? "Moving Bolts" : "Copying Bolts");
            QCOMPARE(form.Information.last(), "Data File Modified");
            QCOMPARE(form.Document.UnitLoads.size(), xs.size());
            QVERIFY(form.Document.ActualLoadsCalculated);
            QVERIFY(form.RichEdit1->document()->isModified());
        } else {
            QVERIFY(form.Information.isEmpty());
        }
    }
};

QTEST_MAIN(TstTBoltCopyForm)
#include "tst_tboltcopyform.moc"
