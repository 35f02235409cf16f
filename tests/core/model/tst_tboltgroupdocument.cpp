#include "foundation/tplatformerror.h"
#include "model/tboltgroupdocument.h"
#include "model/tnumberformat.h"
#include "trecordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

// An analysis that runs out of memory.
class TOutOfMemoryDocument : public TBoltGroupDocument {
public:
    using TBoltGroupDocument::TBoltGroupDocument;
    void RefreshAnalysis() override { throw std::bad_alloc(); }
};

// Reading and writing only, for models the analysis would refuse.
class TFileOnlyDocument : public TBoltGroupDocument {
public:
    using TBoltGroupDocument::TBoltGroupDocument;
    void RefreshAnalysis() override { UpdateLoadApplied(); }
};

QByteArray DataFile(const QByteArray& body) {
    return "[General]\r\nAnalysis Type=Bolt Group\r\n \r\n[Analysis Data]\r\n" + body;
}

} // namespace

class TstTBoltGroupDocument : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("Frame.dat")) {
        const QString path = Dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

private slots:
    void cleanup() { TNumberFormat::SetDecimalSeparator(QChar()); }

    void NewDocumentHasCreationValues() {
        TLineBuffers buffers;
        TBoltGroupDocument d(buffers);
        QCOMPARE(d.BoltCount(), 0);
        QCOMPARE(d.AnalysisTitle, QStringLiteral("Untitled Model"));
        QCOMPARE(d.LoadCaseTitle, QStringLiteral("Untitled Load Case"));
        QCOMPARE(d.AppliedLoad, TAppliedLoad());
        QVERIFY(!d.LoadApplied);
        QVERIFY(d.DataSaved);
        QCOMPARE(d.NisaLoadCaseId, QStringLiteral("1"));
    }

    void ResetAndChangeMarking() {
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        d.Bolts.append(TBolt());
        d.SelectedBolts.append(0);
        d.AppliedLoad.FZ = 5;
        d.ImageFileName = QStringLiteral("x.bmp");
        d.ResetModel();
        QCOMPARE(d.BoltCount(), 0);
        QVERIFY(d.SelectedBolts.isEmpty());
        QCOMPARE(d.AppliedLoad, TAppliedLoad());
        QVERIFY(d.AnalysisTitle.isEmpty() && d.LoadCaseTitle.isEmpty() && d.ImageFileName.isEmpty());
        d.MarkChanged();
        QVERIFY(!d.DataSaved);
        QCOMPARE(host.Information, QStringList{"Data File Modified"});
    }

    void LoadAppliedFollowsForces_data() {
        QTest::addColumn<double>("fx");
        QTest::addColumn<double>("fz");
        QTest::addColumn<bool>("applied");
        QTest::newRow("no force, load away from origin") << 0.0 << 0.0 << false;
        QTest::newRow("fx") << 1e-300 << 0.0 << true;
        QTest::newRow("negative fz") << 0.0 << -1000.0 << true;
    }
    void LoadAppliedFollowsForces() {
        QFETCH(double, fx);
        QFETCH(double, fz);
        QFETCH(bool, applied);
        TAppliedLoad l;
        l.X = 50;
        l.FX = fx;
        l.FZ = fz;
        QCOMPARE(l.IsApplied(), applied);
    }

    void OrientationOutsideOneToThreeIsNotDefined_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("resolved");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("1") << 1 << 1;
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("4") << 4 << 0;
        QTest::newRow("-1") << -1 << 0;
    }
    void OrientationOutsideOneToThreeIsNotDefined() {
        QFETCH(int, code);
        QFETCH(int, resolved);
        TBolt b;
        b.Orientation = qint8(code);
        QCOMPARE(int(b.ResolvedOrientation()), resolved);
    }

    void ParseBoltFields_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<double>>("values"); // x y z kx ky kz orientation node
        using L = QList<double>;
        QTest::newRow("full") << "1,2,3,4,5,6,3,77" << L{1, 2, 3, 4, 5, 6, 3, 77};
        QTest::newRow("three fields") << "1,2,3" << L{1, 2, 3, 1, 1, 1, 0, 0};
        QTest::newRow("empty field skipped") << "1,,3" << L{1, 3, 0, 1, 1, 1, 0, 0};
        QTest::newRow("leading commas") << ",,,5" << L{5, 0, 0, 1, 1, 1, 0, 0};
        QTest::newRow("bad number takes default") << "a,2,3" << L{0, 2, 3, 1, 1, 1, 0, 0};
        QTest::newRow("bad stiffness takes 1") << "0,0,0,x,2,y" << L{0, 0, 0, 1, 2, 1, 0, 0};
        QTest::newRow("orientation low 8 bits") << "0,0,0,1,1,1,259,0" << L{0, 0, 0, 1, 1, 1, 3, 0};
        QTest::newRow("orientation 255 is -1") << "0,0,0,1,1,1,255,0" << L{0, 0, 0, 1, 1, 1, -1, 0};
        QTest::newRow("orientation real is 0") << "0,0,0,1,1,1,1.5,9" << L{0, 0, 0, 1, 1, 1, 0, 9};
        QTest::newRow("negative node") << "0,0,0,1,1,1,0,-4" << L{0, 0, 0, 1, 1, 1, 0, -4};
        QTest::newRow("node beyond 32 bits") << "0,0,0,1,1,1,0,4294967296" << L{0, 0, 0, 1, 1, 1, 0, 0};
        QTest::newRow("spaces around numbers") << " 1 , 2 ,3" << L{1, 2, 3, 1, 1, 1, 0, 0};
        QTest::newRow("extra fields ignored") << "1,2,3,4,5,6,1,2,9,9" << L{1, 2, 3, 4, 5, 6, 1, 2};
        QTest::newRow("empty") << "" << L{0, 0, 0, 1, 1, 1, 0, 0};
        QTest::newRow("infinity refused") << "inf,1e999,3" << L{0, 0, 3, 1, 1, 1, 0, 0};
    }
    void ParseBoltFields() {
        QFETCH(QString, text);
        QFETCH(QList<double>, values);
        const TBolt b = TBoltGroupDocument::ParseBoltFields(text);
        const QList<double> got{b.X, b.Y, b.Z, b.StiffnessX, b.StiffnessY, b.StiffnessZ,
                                double(b.Orientation), double(b.NodeNumber)};
        QCOMPARE(got, values);
    }

    void TypeCheck_data() {
        QTest::addColumn<QByteArray>("typeLine");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("as written") << QByteArray("Analysis Type=Bolt Group") << true;
        QTest::newRow("small-letter name, longer value")
            << QByteArray("analysis type=Bolt Group Model") << true;
        QTest::newRow("small-letter value") << QByteArray("Analysis Type=bolt group") << false;
        QTest::newRow("no type line") << QByteArray("Analysis Title=Bolt Group") << false;
        QTest::newRow("space before equals") << QByteArray("Analysis Type =Bolt Group") << false;
    }
    void TypeCheck() {
        QFETCH(QByteArray, typeLine);
        QFETCH(bool, accepted);
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        const QString path =
            Write(typeLine + "\r\nNumber of Bolts=1\r\nBolt 1=1,2,3\r\nApplied Load=0,0,0,0,0,5\r\n");
        QCOMPARE(d.LoadDataFile(path), accepted);
        QCOMPARE(d.BoltCount(), accepted ? 1 : 0);
        QCOMPARE(host.Messages.isEmpty(), accepted);
        if (!accepted) {
            QCOMPARE(host.Messages, QStringList{"Warning: Not a Bolt Group Analysis Data File"});
            QVERIFY(host.Information.isEmpty());
            QVERIFY(host.QuickList.isEmpty());
        }
        QVERIFY(!buffers.LineBuffersExist());
    }

    void ReaderDefaults() {
        TLineBuffers buffers;
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        const QString path = Write(DataFile("Analysis Title=\r\nNumber of Bolts=4\r\n"
                                            "Bolt 1=1,2,3\r\nBolt 2=4,5,6,2,2,2,1,10\r\n"
                                            "Bolt3=9,9,9\r\nBolt 5=7,7,7\r\n"));
        QVERIFY(d.LoadDataFile(path));
        QCOMPARE(d.AnalysisTitle, QString(""));
        QCOMPARE(d.LoadCaseTitle, QStringLiteral("Untitled Load Case"));
        QCOMPARE(d.BoltCount(), 4);
        QCOMPARE(d.Bolts[0].Z, 3.0);
        QCOMPARE(d.Bolts[1].NodeNumber, 10);
        // "Bolt3" lacks the space, and bolt 4 is missing: both take the default bolt.
        QCOMPARE(d.Bolts[2], TBolt());
        QCOMPARE(d.Bolts[3], TBolt());
        // No "Applied Load" line: the load acts at the origin with unit components.
        QCOMPARE(d.AppliedLoad.FX, 1.0);
        QCOMPARE(d.AppliedLoad.FY, 1.0);
        QCOMPARE(d.AppliedLoad.FZ, 1.0);
        QVERIFY(d.LoadApplied);
        QVERIFY(d.DataSaved);
    }

    void BoltCountRules_data() {
        QTest::addColumn<QByteArray>("count");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("bolts");
        QTest::addColumn<QString>("refusal");
        const QString tooMany = QStringLiteral("at most 10000000 bolts");
        const QString unlisted = QStringLiteral("has lines for only 1 of them");
        QTest::newRow("not a number") << QByteArray("three") << true << 0 << QString();
        QTest::newRow("negative") << QByteArray("-5") << true << 0 << QString();
        QTest::newRow("beyond 32 bits") << QByteArray("99999999999") << true << 0 << QString();
        QTest::newRow("beyond 64 bits, not wrapped to 4")
            << QByteArray("18446744073709551620") << true << 0 << QString();
        QTest::newRow("at the limit is read") << QByteArray("3") << true << 3 << QString();
        QTest::newRow("100000 without a line are read")
            << QByteArray("100001") << true << 100001 << QString();
        QTest::newRow("more without a line refused")
            << QByteArray("100002") << false << 0 << unlisted;
        QTest::newRow("above ten million refused") << QByteArray("10000001") << false << 0 << tooMany;
        QTest::newRow("largest integer refused") << QByteArray("2147483647") << false << 0 << tooMany;
    }
    void BoltCountRules() {
        QFETCH(QByteArray, count);
        QFETCH(bool, accepted);
        QFETCH(int, bolts);
        QFETCH(QString, refusal);
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        // No load, so that three bolts at one point are read without being analysed.
        QCOMPARE(d.LoadDataFile(Write(DataFile("Number of Bolts=" + count + "\r\nBolt 1=1,2,3\r\n"
                                               "Applied Load=0,0,0,0,0,0,0,0\r\n"))),
                 accepted);
        QCOMPARE(d.BoltCount(), bolts);
        QCOMPARE(host.Messages.size(), accepted ? 0 : 1);
        if (!accepted)
            QVERIFY2(host.Messages.first().contains(refusal), qPrintable(host.Messages.first()));
    }

    // Lines in reverse order give the same model as the written order.
    void OutOfOrderLines() {
        QStringList lines{"[General]", "Analysis Type=Bolt Group", "[Analysis Data]",
                          "Analysis Title=Reversed", "Number of Bolts=250"};
        for (int i = 1; i <= 250; ++i)
            lines.append(QStringLiteral("Bolt %1=%1,%2,0,1,1,1,3,%1").arg(i).arg(-i));
        lines.append(QStringLiteral("Applied Load=1,2,3,4,5,6,0,0"));
        std::reverse(lines.begin(), lines.end());
        // A duplicate later in the file is ignored: the first match wins.
        lines.append(QStringLiteral("Bolt 7=0,0,0"));
        TLineBuffers buffers;
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        QVERIFY(d.LoadDataFile(Write(lines.join(QStringLiteral("\n")).toUtf8())));
        QCOMPARE(d.BoltCount(), 250);
        for (int i = 0; i < 250; ++i) {
            QCOMPARE(d.Bolts[i].X, double(i + 1));
            QCOMPARE(d.Bolts[i].Y, double(-i - 1));
            QCOMPARE(d.Bolts[i].NodeNumber, i + 1);
        }
        QCOMPARE(d.AppliedLoad.FZ, 6.0);
    }

    void StatusTextsInOrder() {
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        // No load: 250 bolts at one point are read without being analysed.
        QByteArray body = "Number of Bolts=250\r\nApplied Load=0,0,0,0,0,0,0,0\r\n";
        d.ResetModel();
        QVERIFY(d.LoadDataFile(Write(DataFile(body))));
        QCOMPARE(host.Information.first(), QStringLiteral("Loading Data File"));
        QCOMPARE(host.Information.at(1), QStringLiteral("Loading Bolt 100"));
        QCOMPARE(host.Information.at(2), QStringLiteral("Loading Bolt 200"));
        QCOMPARE(host.Information.last(), QStringLiteral("Data File Loaded"));
        QVERIFY(host.EventPoints >= 2);
        QCOMPARE(host.QuickList, QStringList{Dir.filePath(QStringLiteral("Frame.dat"))});
    }

    void ReportNaming_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("report");
        QTest::newRow("plain") << "/a/Frame.dat" << "/a/Frame Bolt Group Loads.rtf";
        QTest::newRow("already a report name") << "/a/Frame Bolt Group Loads.dat"
                                               << "/a/Frame Bolt Group Loads.rtf";
        QTest::newRow("letter case counts") << "/a/x bolt group loads.dat"
                                            << "/a/x bolt group loads Bolt Group Loads.rtf";
        QTest::newRow("dot in folder") << "/a.b/Frame" << "/a.b/Frame Bolt Group Loads.rtf";
    }
    void ReportNaming() {
        QFETCH(QString, file);
        QFETCH(QString, report);
        QCOMPARE(TBoltGroupDocument::ReportFileName(file), report);
    }

    void LoadSetsReportNameAndClearsImage() {
        TLineBuffers buffers;
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        d.ImageFileName = QStringLiteral("old.bmp");
        QVERIFY(d.LoadDataFile(Write(DataFile("Number of Bolts=0\r\n"))));
        QCOMPARE(buffers.FileName, Dir.filePath(QStringLiteral("Frame Bolt Group Loads.rtf")));
        QVERIFY(d.ImageFileName.isEmpty());
    }

    void WriterLayoutMatchesGolden() {
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        TBolt b2;
        b2.X = 100;
        b2.Orientation = 3;
        d.Bolts = {TBolt(), b2};
        d.AppliedLoad.X = 50;
        d.AppliedLoad.Z = 20;
        d.AppliedLoad.FZ = -1000;
        d.DataSaved = false;
        const QString path = Dir.filePath(QStringLiteral("two.dat"));
        QVERIFY(d.SaveDataFile(path));
        QFile written(path), golden(QStringLiteral(FASTENEX_TEST_DATA "/two-bolts.dat"));
        QVERIFY(written.open(QIODevice::ReadOnly) && golden.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), golden.readAll());
        QVERIFY(d.DataSaved);
        QCOMPARE(host.Information, (QStringList{"Saving Data File", "Data File Saved"}));
        QCOMPARE(host.QuickList, QStringList{path});
        QCOMPARE(host.CursorDepth, 0);
        QCOMPARE(host.MaxCursorDepth, 1);
        QVERIFY(!buffers.LineBuffersExist());
    }

    // Written in one locale and read in another, the file gives the same model.
    void RoundTripRoundsCoordinatesOnly_data() {
        QTest::addColumn<QChar>("writtenWith");
        QTest::addColumn<QChar>("readWith");
        QTest::newRow("full-stop locale") << QChar(u'.') << QChar(u'.');
        QTest::newRow("written in a decimal-comma locale") << QChar(u',') << QChar(u'.');
        QTest::newRow("read in a decimal-comma locale") << QChar(u'.') << QChar(u',');
    }
    void RoundTripRoundsCoordinatesOnly() {
        QFETCH(QChar, writtenWith);
        QFETCH(QChar, readWith);
        TNumberFormat::SetDecimalSeparator(writtenWith);
        TLineBuffers buffers;
        TFileOnlyDocument d(buffers);
        d.AnalysisTitle = QStringLiteral("Träger, 3 = drei");
        d.LoadCaseTitle = QString();
        for (int i = 0; i < 5; ++i) {
            TBolt b;
            b.X = 1.0 / 3.0 + i;
            b.Y = -123456.789012 + 1000 * i * i;
            b.Z = 1e-7;
            b.StiffnessX = 1.0 / 7.0;
            b.StiffnessY = 2.5e20;
            b.StiffnessZ = 3e-9;
            b.Orientation = qint8(i - 1);
            b.NodeNumber = 1000 * i;
            d.Bolts.append(b);
        }
        d.AppliedLoad = {1.5, -2.25, 1e6, 0.1, -0.2, 12345.678};
        const QString path = Dir.filePath(QStringLiteral("round.dat"));
        QVERIFY(d.SaveDataFile(path));

        TNumberFormat::SetDecimalSeparator(readWith);
        TLineBuffers buffers2;
        TFileOnlyDocument r(buffers2);
        r.ResetModel();
        QVERIFY(r.LoadDataFile(path));
        QCOMPARE(r.AnalysisTitle, d.AnalysisTitle);
        QCOMPARE(r.LoadCaseTitle, QString(""));
        QCOMPARE(r.BoltCount(), 5);
        for (int i = 0; i < 5; ++i) {
            const TBolt& a = d.Bolts[i];
            const TBolt& b = r.Bolts[i];
            QCOMPARE(b.X, std::round(a.X * 1e4) / 1e4);
            QCOMPARE(b.Y, std::round(a.Y * 1e4) / 1e4);
            QCOMPARE(b.Z, 0.0);
            QCOMPARE(b.StiffnessX, 0.142857142857143);
            QCOMPARE(b.StiffnessY, a.StiffnessY);
            QCOMPARE(b.StiffnessZ, a.StiffnessZ);
            QCOMPARE(b.Orientation, a.Orientation);
            QCOMPARE(b.NodeNumber, a.NodeNumber);
        }
        QCOMPARE(r.AppliedLoad, d.AppliedLoad);
    }

    void FailedSaveKeepsStateAndOldFile() {
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        d.DataSaved = false;
        QVERIFY(!d.SaveDataFile(Dir.path()));
        QVERIFY(d.SaveDataError.startsWith(QStringLiteral("Cannot create file")));
        QVERIFY(!d.DataSaved);
        QCOMPARE(host.Information.last(), QStringLiteral("Data File Not Saved"));
        QVERIFY(host.QuickList.isEmpty());
        QCOMPARE(host.CursorDepth, 0);
        QVERIFY(!buffers.LineBuffersExist());
    }

    // Memory running out while the file is written is told in words, not as the exception's name.
    void OutOfMemoryWhileSavingIsToldInWords() {
        struct TOutOfMemoryHost : TRecordingHost {
            void ProcessEvents() override { throw std::bad_alloc(); }
        } host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        d.Bolts.resize(1);
        d.DataSaved = false;
        QVERIFY(!d.SaveDataFile(Dir.filePath(QStringLiteral("memory.dat"))));
        QCOMPARE(d.SaveDataError, QStringLiteral("Out of memory"));
        QCOMPARE(host.Information.last(), QStringLiteral("Data File Not Saved"));
    }

    // A write cut short by the disk (here: a limit on the length of files the process may write)
    // reports failure and leaves the previous file whole.
    void ShortWriteKeepsPreviousFile() {
        const QString path = Dir.filePath(QStringLiteral("short.dat"));
        QFile::remove(path);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("previous");
        }
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        d.Bolts.resize(50);
        d.DataSaved = false;
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 512;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const bool written = d.SaveDataFile(path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!written);
        // The system's reason, not the device's "Unknown error".
        QVERIFY2(d.SaveDataError.endsWith(QStringLiteral("File too large")),
                 qPrintable(d.SaveDataError));
        QVERIFY(!d.DataSaved);
        QCOMPARE(host.Information.last(), QStringLiteral("Data File Not Saved"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("previous"));
        QCOMPARE(QDir(Dir.path()).entryList({QStringLiteral("short.dat*")}, QDir::Files),
                 QStringList{QStringLiteral("short.dat")});
    }

    void TruncatedAndBinaryFilesLoadWithDefaults_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cut in a bolt line")
            << DataFile("Number of Bolts=3\r\nBolt 1=1,2,3\r\nBolt 2=4,5");
        QTest::newRow("nul bytes") << DataFile(QByteArray("Number of Bolts=2\r\nBolt 1=\0\0\0,1\r\n", 33));
        QTest::newRow("binary tail") << DataFile("Number of Bolts=1\r\n\xff\xfe\x80\x81=\x01\x02\r\n");
        QTest::newRow("only equals signs") << DataFile("=\r\n==\r\n=Number of Bolts=4\r\n");
    }
    void TruncatedAndBinaryFilesLoadWithDefaults() {
        QFETCH(QByteArray, bytes);
        TLineBuffers buffers;
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        QVERIFY(d.LoadDataFile(Write(bytes)));
        QVERIFY(d.BoltCount() <= 3);
        for (const TBolt& b : d.Bolts)
            QVERIFY(std::isfinite(b.X) && std::isfinite(b.StiffnessX));
    }

    // Files an earlier version wrote with decimal commas: read where the commas can be told
    // apart, refused where they cannot, never read as zeros.
    void DecimalCommaFiles_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QList<double>>("values"); // bolt 2's eight fields and FX, FY, FZ
        using L = QList<double>;
        const QByteArray bolt1 = "Bolt 1=0,0000,0,0000,0,0000,1,1,1,0,0\r\n";
        const QByteArray load = "Applied Load=50,0,20,0,0,-1000,0,0\r\n";
        QTest::newRow("co-ordinates")
            << bolt1 + "Bolt 2=12,5000,-3,2500,0,0000,1,1,2,3,7\r\n" + load
            << L{12.5, -3.25, 0, 1, 1, 2, 3, 7, 0, 0, -1000};
        QTest::newRow("exponent forms and a fraction")
            << bolt1 + "Bolt 2=1,23456789E10,0,0000,-0,5000,1E-6,2,5E20,1,0,0\r\n" + load
            << L{1.23456789e10, 0, -0.5, 1e-6, 2.5e20, 1, 0, 0, 0, 0, -1000};
        QTest::newRow("load with fractions")
            << bolt1 + "Bolt 2=1,0000,0,0000,0,0000,1,1,1,0,0\r\n"
                       "Applied Load=50,5,0,20,0,0,-1000,25,0,0\r\n"
            << L{1, 0, 0, 1, 1, 1, 0, 0, 0, 0, -1000.25};
        QTest::newRow("a stiffness that splits two ways is refused")
            << bolt1 + "Bolt 2=1,0000,0,0000,0,0000,0,5,1,1,0,0\r\n" + load << L{};
    }
    void DecimalCommaFiles() {
        QFETCH(QByteArray, lines);
        QFETCH(QList<double>, values);
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TFileOnlyDocument d(buffers);
        d.ResetModel();
        const bool read = d.LoadDataFile(Write(DataFile("Number of Bolts=2\r\n" + lines)));
        QCOMPARE(read, !values.isEmpty());
        if (!read) {
            QCOMPARE(d.BoltCount(), 0);
            QCOMPARE(host.Messages.size(), 1);
            QVERIFY(host.Messages.first().contains(QStringLiteral("\"Bolt 2\" cannot be told")));
            return;
        }
        const TBolt& b = d.Bolts.at(1);
        QCOMPARE((QList<double>{b.X, b.Y, b.Z, b.StiffnessX, b.StiffnessY, b.StiffnessZ,
                    double(b.Orientation), double(b.NodeNumber), d.AppliedLoad.FX,
                    d.AppliedLoad.FY, d.AppliedLoad.FZ}),
                 values);
        QCOMPARE(d.AppliedLoad.X, lines.contains("50,5,") ? 50.5 : 50.0);
    }

    // A file whose analysis fails still names the document after itself, so that saving the
    // model it now holds cannot overwrite the files of the document read before.
    void FailedAnalysisStillNamesTheDocument() {
        TLineBuffers buffers;
        TBoltGroupDocument d(buffers);
        buffers.FileName = Dir.filePath(QStringLiteral("Previous Bolt Group Loads.rtf"));
        d.ImageFileName = QStringLiteral("previous.bmp");
        d.ResetModel();
        const QString path = Write(DataFile("Number of Bolts=3\r\nBolt 1=0,0,0,0,0,0\r\n"
                                            "Bolt 2=1,0,0,0,0,0\r\nBolt 3=0,1,0,0,0,0\r\n"
                                            "Applied Load=0,0,0,0,0,-10\r\n"),
                                   QStringLiteral("Stiffless.dat"));
        QVERIFY_THROWS_EXCEPTION(TPlatformError, d.LoadDataFile(path));
        QCOMPARE(d.BoltCount(), 3);
        QCOMPARE(buffers.FileName, Dir.filePath(QStringLiteral("Stiffless Bolt Group Loads.rtf")));
        QVERIFY(d.ImageFileName.isEmpty());
        QVERIFY(d.DataSaved);
        QVERIFY(!buffers.LineBuffersExist());
    }

    // A group too large for the memory is told by its size and leaves nothing half read.
    void OutOfMemoryEmptiesTheModel_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString bolts = QStringLiteral("Not enough memory for 3 bolts");
        QTest::newRow("data file") << DataFile("Number of Bolts=3\r\nApplied Load=0,0,0,1,0,0\r\n")
                                   << QStringLiteral("Big.dat") << bolts;
        QTest::newRow("NISA file")
            << QByteArray("*RIGL\n1, 9, 0, 0, 0, 1, 123, 2, 123, 3, 123\n*NODE\n1,0,0,0,0,0,0\n"
                          "2,0,0,0,1,0,0\n3,0,0,0,0,1,0\n9,0,0,0,1,1,1\n")
            << QStringLiteral("Big.nis") << bolts;
        QTest::newRow("title far larger than the bolts")
            << DataFile("Analysis Title=" + QByteArray(20000, 'x') +
                        "\r\nNumber of Bolts=3\r\nApplied Load=0,0,0,1,0,0\r\n")
            << QStringLiteral("Title.dat")
            << QStringLiteral("Cannot read file \"%1\". The file is too large to read with the "
                              "memory available.");
    }
    void OutOfMemoryEmptiesTheModel() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(QString, message);
        TLineBuffers buffers;
        TOutOfMemoryDocument d(buffers);
        d.ResetModel();
        const QString path = Write(bytes, name);
        try {
            name.endsWith(QStringLiteral(".nis")) ? d.ImportNisaFile(path) : d.LoadDataFile(path);
            QFAIL("no error");
        } catch (const TPlatformError& e) {
            QCOMPARE(e.Text(), message.contains(QStringLiteral("%1")) ? message.arg(path) : message);
        }
        QCOMPARE(d.BoltCount(), 0);
        QVERIFY(!d.UnitLoadsCalculated && !d.ActualLoadsCalculated);
        QVERIFY(!buffers.LineBuffersExist());
    }

    void UnreadableFileThrowsAndFreesBuffers() {
        TLineBuffers buffers;
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        QVERIFY_THROWS_EXCEPTION(TPlatformError, d.LoadDataFile(Dir.path()));
        QVERIFY(!buffers.LineBuffersExist());
        QCOMPARE(d.BoltCount(), 0);
    }
};

QTEST_MAIN(TstTBoltGroupDocument)
#include "tst_tboltgroupdocument.moc"
