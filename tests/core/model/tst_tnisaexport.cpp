#include "foundation/tplatformerror.h"
#include "model/tboltgroupdocument.h"
#include "model/tnisaexport.h"
#include "model/tnumberformat.h"
#include "trecordinghost.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers the node-number dialog with prepared node columns, one per round, then cancels; and
// the load case input box with a prepared answer.
class TNisaHost : public TRecordingHost {
public:
    QList<QStringList> NodeAnswers;
    QList<QStringList> BoltColumnsAsked;
    QList<QStringList> NodeColumnsAsked;
    bool LoadCaseAccepted = true;
    QString LoadCaseAnswer;
    QStringList Questions;

    bool EditNisaNodeNumbers(const QStringList& boltColumn, QStringList& nodeColumn) override {
        BoltColumnsAsked.append(boltColumn);
        NodeColumnsAsked.append(nodeColumn);
        if (NodeAnswers.isEmpty())
            return false;
        nodeColumn = NodeAnswers.takeFirst();
        return true;
    }
    bool InputQuery(const QString& caption, const QString& prompt, QString& text) override {
        Questions.append(caption + QLatin1Char('|') + prompt + QLatin1Char('|') + text);
        if (!LoadCaseAnswer.isNull())
            text = LoadCaseAnswer;
        return LoadCaseAccepted;
    }
};

TBolt Bolt(double x, double y, double z, qint32 node) {
    TBolt b;
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.NodeNumber = node;
    return b;
}

TBoltActualLoads Loads(double x, double y, double z) {
    TBoltActualLoads l;
    l.LoadX = x;
    l.LoadY = y;
    l.LoadZ = z;
    return l;
}

QStringList ReadLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    if (!text.endsWith(QStringLiteral("\r\n")))
        return {QStringLiteral("<no final CR LF>")};
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

const QDate FixedDate(2004, 2, 13);

} // namespace

class TstTNisaExport : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

    // Exports the bolts with their loads as calculated, with the fixed date.
    bool Export(TNisaHost& host, TBoltGroupDocument& d, const QString& name) {
        TNisaExport exporter(d, d.Buffers);
        exporter.Today = [] { return FixedDate; };
        return exporter.ExportNisaLoads(Dir.filePath(name));
    }

    static void Fill(TBoltGroupDocument& d, const QList<TBolt>& bolts,
                     const QList<TBoltActualLoads>& loads) {
        d.Bolts = bolts;
        d.ActualLoads = loads;
        d.ActualLoadsCalculated = true;
    }

private slots:
    void initTestCase() { QVERIFY(Dir.isValid()); }
    void cleanup() { TNumberFormat::SetDecimalSeparator(QChar()); }

    void FormatExponent_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("100") << 100.0 << " 1.00000E+02";
        QTest::newRow("-0.5 fills the width") << -0.5 << "-5.00000E-01";
        QTest::newRow("zero") << 0.0 << " 0.00000E+00";
        QTest::newRow("negative zero") << -0.0 << " 0.00000E+00";
        QTest::newRow("-1") << -1.0 << "-1.00000E+00";
        QTest::newRow("rounded to 6 digits") << 123456789.0 << " 1.23457E+08";
        QTest::newRow("small") << 0.000123456 << " 1.23456E-04";
        QTest::newRow("three exponent digits not cut") << -1.5e-100 << "-1.50000E-100";
    }

    void FormatExponent() {
        QFETCH(double, value);
        QTEST(TNisaExport::FormatExponent(value), "text");
    }

    // A decimal comma would split the number into two fields.
    void FormatExponentKeepsTheFullStopInEveryLocale() {
        TNumberFormat::SetDecimalSeparator(QLatin1Char(','));
        QCOMPARE(TNisaExport::FormatExponent(250), QStringLiteral(" 2.50000E+02"));
    }

    void Lines() {
        QCOMPARE(TNisaExport::NodeLine(Bolt(100, 0, -0.5, 12)),
                 QStringLiteral("    12,0,0,0, 1.00000E+02, 0.00000E+00,-5.00000E-01,0"));
        QCOMPARE(TNisaExport::ForceLine(12, "FX", 250),
                 QStringLiteral("    12,  FX, 2.50000E+02,,,  0,     0"));
        QCOMPARE(TNisaExport::ForceLine(1234567, "FZ", -1),
                 QStringLiteral("1234567,  FZ,-1.00000E+00,,,  0,     0"));
    }

    void NormaliseLoadCaseId_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("id");
        QTest::newRow("7a") << "7a" << "1";
        QTest::newRow("07") << "07" << "7";
        QTest::newRow("empty") << "" << "1";
        QTest::newRow("blanks") << " 12 " << "12";
        QTest::newRow("sign") << "+5" << "5";
        QTest::newRow("negative") << "-3" << "-3";
        QTest::newRow("too large") << "99999999999" << "1";
        QTest::newRow("2^64 + 7 does not wrap to 7") << "18446744073709551623" << "1";
        QTest::newRow("decimal") << "2.0" << "1";
    }

    void NormaliseLoadCaseId() {
        QFETCH(QString, text);
        QTEST(TNisaExport::NormaliseLoadCaseId(text), "id");
    }

    void CreationDate() {
        QCOMPARE(TNisaExport::FormatCreationDate(FixedDate),
                 QStringLiteral("Friday, 13 February 2004"));
        QCOMPARE(TNisaExport::FormatCreationDate(QDate(2027, 3, 1)),
                 QStringLiteral("Monday, 1 March 2027"));
    }

    void RefusedWithoutActualLoads_data() {
        QTest::addColumn<bool>("calculated");
        QTest::addColumn<int>("loadCount");
        QTest::newRow("not calculated") << false << 2;
        QTest::newRow("loads of another group") << true << 1;
    }

    void RefusedWithoutActualLoads() {
        QFETCH(bool, calculated);
        QFETCH(int, loadCount);
        TNisaHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        Fill(d, {Bolt(0, 0, 0, 0), Bolt(1, 0, 0, 0)},
             QList<TBoltActualLoads>(loadCount, Loads(1, 0, 0)));
        d.ActualLoadsCalculated = calculated;
        QVERIFY(!Export(host, d, QStringLiteral("refused.nis")));
        QCOMPARE(host.Messages,
                 QStringList{"Warning: No Actual Loads Calculated\n\nCannot Save the NISA file."});
        QVERIFY(host.NodeColumnsAsked.isEmpty() && host.Questions.isEmpty());
        QVERIFY(!QFile::exists(Dir.filePath("refused.nis")));
        QVERIFY(d.DataSaved);
    }

    void NodeNumberRounds() {
        TNisaHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        Fill(d, {Bolt(0, 0, 0, 0), Bolt(1, 0, 0, 5), Bolt(2, 0, 0, 0)},
             {Loads(1, 0, 0), Loads(0, 1, 0), Loads(0, 0, 1)});
        // The first answer leaves a zero (and a text that is no number), so the dialog comes back.
        host.NodeAnswers = {{"  3", "   5", "x"}, {"   3", "5", " 9 "}};
        QVERIFY(Export(host, d, QStringLiteral("rounds.nis")));
        QCOMPARE(host.BoltColumnsAsked.size(), 2);
        QCOMPARE(host.BoltColumnsAsked.first(), (QStringList{"   1", "   2", "   3"}));
        QCOMPARE(host.NodeColumnsAsked.first(), (QStringList{"   0", "   5", "   0"}));
        QCOMPARE(host.NodeColumnsAsked.last(), (QStringList{"   3", "   5", "   0"}));
        QCOMPARE(d.Bolts.at(2).NodeNumber, 9);
        QVERIFY(!d.DataSaved);
        QVERIFY(host.Messages.isEmpty());
    }

    void NodeNumberCancel() {
        TNisaHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        Fill(d, {Bolt(0, 0, 0, 0), Bolt(1, 0, 0, 0)}, {Loads(1, 0, 0), Loads(0, 1, 0)});
        host.NodeAnswers = {{"   4", "   0"}};
        QVERIFY(!Export(host, d, QStringLiteral("cancelled.nis")));
        QCOMPARE(host.NodeColumnsAsked.size(), 2);
        QVERIFY(!QFile::exists(Dir.filePath("cancelled.nis")));
        // The numbers of the accepted round stay.
        QCOMPARE(d.Bolts.at(0).NodeNumber, 4);
        QVERIFY(!d.DataSaved);
        QVERIFY(host.Questions.isEmpty());
        QVERIFY(!host.Information.contains("NISA File Saved"));
    }

    void LoadCaseQuestion_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("id");
        QTest::newRow("typed 07") << "1" << true << "07" << "7";
        QTest::newRow("typed 7a") << "3" << true << "7a" << "1";
        QTest::newRow("cancel still normalises") << "7a" << false << "12" << "1";
        QTest::newRow("cancel keeps a number") << " 04" << false << "12" << "4";
    }

    void LoadCaseQuestion() {
        QFETCH(QString, stored);
        QFETCH(bool, accepted);
        QFETCH(QString, answer);
        QFETCH(QString, id);
        TNisaHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        Fill(d, {Bolt(0, 0, 0, 1)}, {Loads(1, 0, 0)});
        d.NisaLoadCaseId = stored;
        host.LoadCaseAccepted = accepted;
        host.LoadCaseAnswer = answer;
        const QString name = QStringLiteral("case-%1.nis").arg(QTest::currentDataTag());
        QCOMPARE(Export(host, d, name), accepted);
        QCOMPARE(host.Questions,
                 QStringList{"Please Enter NISA Load Case Number|Load Case ID = |" + stored});
        QCOMPARE(d.NisaLoadCaseId, id);
        if (accepted)
            QVERIFY(ReadLines(Dir.filePath(name)).contains("*LDCASE, ID = " + id));
        else
            QVERIFY(!QFile::exists(Dir.filePath(name)));
    }

    void Fragment() {
        TNisaHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        buffers.FileName = QStringLiteral("/jobs/Frame Bolt Group Loads.rtf");
        // Nodes 3, 1, 2 in bolt order; bolt 4 repeats bolt 2 exactly; node 1 carries no load.
        Fill(d, {Bolt(100, 0, -0.5, 3), Bolt(0, 0, 0, 1), Bolt(-2, 1e-7, 0, 20), Bolt(-2, 1e-7, 0, 20)},
             {Loads(250, -1, 0), Loads(0, 0, 0), Loads(0, 0, -3.25), Loads(0, 0, -3.25)});
        const QString path = Dir.filePath(QStringLiteral("fragment.nis"));
        QVERIFY(Export(host, d, QStringLiteral("fragment.nis")));
        const QStringList lines = ReadLines(path);
        QCOMPARE(lines.mid(18), (QStringList{
                                    "*NODES",
                                    "     1,0,0,0, 0.00000E+00, 0.00000E+00, 0.00000E+00,0",
                                    "     3,0,0,0, 1.00000E+02, 0.00000E+00,-5.00000E-01,0",
                                    "    20,0,0,0,-2.00000E+00, 1.00000E-07, 0.00000E+00,0",
                                    "*LDCASE, ID = 1",
                                    " 0, 1, 2, 0,-1, 3, 0,   0.000,   0.000",
                                    "*CFORCE",
                                    "     3,  FX, 2.50000E+02,,,  0,     0",
                                    "     3,  FY,-1.00000E+00,,,  0,     0",
                                    "    20,  FZ,-3.25000E+00,,,  0,     0",
                                    "*ENDDATA",
                                }));
        QCOMPARE(host.QuickList, QStringList{path});
        QCOMPARE(host.Information.last(), QStringLiteral("NISA File Saved"));
        QCOMPARE(buffers.FileName, QStringLiteral("/jobs/Frame Bolt Group Loads.rtf"));
        QVERIFY(!buffers.LineBuffersExist());
        QVERIFY(d.DataSaved);
    }

    void Header() {
        TNisaHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        Fill(d, {Bolt(0, 0, 0, 1)}, {Loads(1, 0, 0)});
        QVERIFY(Export(host, d, QStringLiteral("header.nis")));
        const QStringList lines = ReadLines(Dir.filePath(QStringLiteral("header.nis")));
        QVERIFY(lines.size() > 19);
        QCOMPARE(lines.at(0), QStringLiteral(
                                  "** NISA File from a Bolt Group Analysis by the Quorvane "
                                  "Meshwright Program"));
        QVERIFY(lines.at(1).startsWith(QStringLiteral("** ")));
        for (int i = 2; i <= 6; ++i) {
            QVERIFY2(lines.at(i).startsWith(QStringLiteral("**      ")), qPrintable(lines.at(i)));
            QVERIFY(lines.at(i).at(8) != QLatin1Char(' '));
        }
        QCOMPARE(lines.at(7), QStringLiteral("**"));
        QCOMPARE(lines.at(8).left(27), QStringLiteral("** Sales Contact:-         "));
        QCOMPARE(lines.at(9).left(27), QStringLiteral("** Technical Support:-     "));
        QVERIFY(lines.at(8).size() > 27 && lines.at(9).size() > 27);
        QCOMPARE(lines.at(10), QStringLiteral("**"));
        QCOMPARE(lines.at(11), QStringLiteral("** Meshwright Program Date = 15 December 2003"));
        QCOMPARE(lines.at(12), QStringLiteral("** Date of Creation :- Friday, 13 February 2004"));
        QCOMPARE(lines.mid(13, 6), (QStringList{"**", "**",
                                                "** NISA File Fragment used to transfer Bolt "
                                                "Group Loads to DISPLAY",
                                                "**", "**", "*NODES"}));
    }

    void UnwritableFile() {
        TNisaHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        Fill(d, {Bolt(0, 0, 0, 1)}, {Loads(1, 0, 0)});
        QVERIFY_THROWS_EXCEPTION(TPlatformError,
                                 Export(host, d, QStringLiteral("no/such/folder/x.nis")));
        QVERIFY(!host.Information.contains("NISA File Saved"));
        QVERIFY(host.QuickList.isEmpty());
        QVERIFY(!buffers.LineBuffersExist());
    }

    void GoldenFragmentOfExample() {
        // The example imported and analysed, then exported with a fixed date.
        TNisaHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        QVERIFY(d.ImportNisaFile(QStringLiteral(FASTENEX_EXAMPLES "/bracket-six-bolts.nis")));
        QVERIFY(d.ActualLoadsCalculated);
        QVERIFY(Export(host, d, QStringLiteral("golden.nis")));
        QFile written(Dir.filePath(QStringLiteral("golden.nis")));
        QFile golden(QStringLiteral(FASTENEX_TEST_DATA "/bracket-six-bolts-loads.nis"));
        QVERIFY(written.open(QIODevice::ReadOnly) && golden.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), golden.readAll());
        QVERIFY(host.NodeColumnsAsked.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstTNisaExport)
#include "tst_tnisaexport.moc"
