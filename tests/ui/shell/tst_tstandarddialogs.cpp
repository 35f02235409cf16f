#include "shell/tstandarddialogs.h"
#include "shell/topentypeform.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

class TstTStandardDialogs : public QObject {
    Q_OBJECT

private slots:
    void Filters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("frame open") << QStringLiteral(
            "Fastenex Files|*.dat;*.rtf;*.txt|Bolt Group Analysis Data Files (*.dat)|*.dat|Rich Text "
            "& Text Files (*.rtf & *.txt)|*.rtf;*.txt|All Files (*.*)|*.*")
                                    << QStringLiteral(
            "Fastenex Files (*.dat *.rtf *.txt);;Bolt Group Analysis Data Files (*.dat);;Rich Text "
            "& Text Files (*.rtf *.txt);;All Files (*)");
        QTest::newRow("document open") << QStringLiteral(
            "RichText & Text Files (*.rtf & *.txt)|*.rtf;*.txt|All Files|*.*")
                                       << QStringLiteral(
            "RichText & Text Files (*.rtf *.txt);;All Files (*)");
        QTest::newRow("odd pair left over") << QStringLiteral("Text|*.txt|Dangling")
                                            << QStringLiteral("Text (*.txt)");
        QTest::newRow("empty") << QString() << QString();
    }
    void Filters() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(TStandardDialogs::QtFilter(filter), qt);
    }

    void OpenTypeForm() {
        TOpenTypeForm form(QStringLiteral("/data/Frame.DAT"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Select the Tool to be used to Open the File"));
        QCOMPARE(form.FileName->text(), QStringLiteral("/data/Frame.DAT"));
        QVERIFY(form.FileName->wordWrap());
        QCOMPARE(form.ToolType->title(), QStringLiteral(" Tool Type "));
        QCOMPARE(form.ToolButtons->button(0)->text(), QStringLiteral("Bolt Group Analysis"));
        QCOMPARE(form.ToolButtons->button(1)->text(), QStringLiteral("Text Editor"));
        QCOMPARE(form.ToolIndex(), 0);
        form.SetToolIndex(1);
        QCOMPARE(form.ToolIndex(), 1);
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    }
};

QTEST_MAIN(TstTStandardDialogs)
#include "tst_tstandarddialogs.moc"
