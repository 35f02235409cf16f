#include "foundation/tplatformerror.h"
#include "model/tboltgroupdocument.h"
#include "model/tnisaimport.h"
#include "model/tnumberformat.h"
#include "trecordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A small rigid link: independent node 100, dependent nodes 11 (ties 1 2 3), 12 (1 2), 13 (3).
const QByteArray RigidLink = "*RIGLINK\n1, 100, 0, 0, 0, 11, 123, 12, 12, 13, 3\n";
// The same link with every degree of freedom tied, so that a load on it can be analysed (the Z
// springs of RigidLink lie on one line, which the analysis after the import rejects).
const QByteArray AnalysableLink = "*RIGLINK\n1, 100, 0, 0, 0, 11, 123, 12, 123, 13, 123\n";
const QByteArray Nodes = "*NODES\n"
                         "11,0,0,0, 0.0, 0.0, 0.0\n"
                         "12,0,0,0, 10.0, 0.0, 0.0\n"
                         "13,0,0,0, 0.0, 10.0, 0.0\n"
                         "100,0,0,0, 5.0, 5.0, 20.0\n";

template <size_t N> QByteArray Bytes(const char (&text)[N]) { return QByteArray(text, N - 1); }

struct TResult {
    bool Imported = false;
    QString Title;
    QString LoadCaseTitle;
    QList<TBolt> Bolts;
    TAppliedLoad Load;
    TRecordingHost Host;
    QString FileName;
};

} // namespace

Q_DECLARE_METATYPE(TAppliedLoad)

class TstTNisaImport : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("Frame.nis")) {
        const QString path = Dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    void Import(const QByteArray& bytes, TResult& r, const QString& name = QStringLiteral("Frame.nis")) {
        TLineBuffers buffers(&r.Host);
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        d.ImageFileName = QStringLiteral("old.bmp");
        r.Imported = d.ImportNisaFile(Write(bytes, name));
        r.Title = d.AnalysisTitle;
        r.LoadCaseTitle = d.LoadCaseTitle;
        r.Bolts = d.Bolts;
        r.Load = d.AppliedLoad;
        r.FileName = buffers.FileName;
        QVERIFY(!buffers.LineBuffersExist());
        if (r.Imported) {
            QVERIFY(d.DataSaved);
            QVERIFY(d.ImageFileName.isEmpty());
            QCOMPARE(d.LoadApplied, d.AppliedLoad.IsApplied());
        }
    }

    static TBolt Bolt(double x, double y, double z, double sx, double sy, double sz, qint32 node) {
        TBolt b;
        b.X = x;
        b.Y = y;
        b.Z = z;
        b.StiffnessX = sx;
        b.StiffnessY = sy;
        b.StiffnessZ = sz;
        b.NodeNumber = node;
        return b;
    }

private slots:
    void initTestCase() { QVERIFY(Dir.isValid()); }

    void Titles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("loadCaseTitle");
        const QByteArray body = RigidLink + Nodes;
        QTest::newRow("title line kept untrimmed")
            << "*TITLE\n  Frame joint  \n" + body + "*LCTITLE\n  Case 1  \n" << "  Frame joint  "
            << "Case 1";
        QTest::newRow("comment between card and title")
            << "** header\n*TITL\n** a comment\nJoint\n" + body << "Joint" << "";
        QTest::newRow("comment that holds the keyword is invisible")
            << "** *TITL old\n*TITL\nJoint\n" + body << "Joint" << "";
        QTest::newRow("small letters do not match") << "*titl\nJoint\n" + body << "" << "";
        QTest::newRow("keyword inside a line") << "  *TITLE, X\nJoint\n" + body << "Joint" << "";
        QTest::newRow("tab is dropped") << "*TITL\nA\tB\n" + body << "AB" << "";
        QTest::newRow("load case title before the nodes is not found")
            << "*LCTI\nEarly\n" + body << "" << "";
        QTest::newRow("load case title after other cards")
            << body + "*ELEMENTS\n1,2\n*LCTI\nLate\n" << "" << "Late";
        QTest::newRow("load case card last") << body + "*LCTI" << "" << "";
    }

    void Titles() {
        QFETCH(QByteArray, file);
        TResult r;
        Import(file, r);
        QVERIFY(r.Imported);
        QTEST(r.Title, "title");
        QTEST(r.LoadCaseTitle, "loadCaseTitle");
    }

    void RigidLinkCard_data() {
        QTest::addColumn<QByteArray>("card");
        QTest::addColumn<QList<TBolt>>("bolts");
        const TBolt b11 = Bolt(0, 0, 0, 1, 1, 1, 11);
        const TBolt b12 = Bolt(10, 0, 0, 1, 1, 0, 12);
        const TBolt b13 = Bolt(0, 10, 0, 0, 0, 1, 13);
        QTest::newRow("codes give stiffnesses") << RigidLink << QList<TBolt>{b11, b12, b13};
        QTest::newRow("dollar continuation")
            << QByteArray("*RIGL\n1, 100, 0, 0, 0, 11, 123,\n  $ 12, 12\n$13,3\n")
            << QList<TBolt>{b11, b12, b13};
        QTest::newRow("continuation without a trailing comma")
            << QByteArray("*RIGL\n1, 100, 0, 0, 0, 11, 123\nxx $ 12, 12\n")
            << QList<TBolt>{b11, b12};
        QTest::newRow("dollar at the end does not continue")
            << QByteArray("*RIGL\n1, 100, 0, 0, 0, 11, 123 $\n12, 12\n") << QList<TBolt>{b11};
        QTest::newRow("node order of the node card, not of the link")
            << QByteArray("*RIGL\n1, 100, 0, 0, 0, 13, 3, 12, 12, 11, 123\n")
            << QList<TBolt>{b11, b12, b13};
        QTest::newRow("node without a code ties nothing")
            << QByteArray("*RIGL\n1, 100, 0, 0, 0, 11, 123, 12\n")
            << QList<TBolt>{b11, Bolt(10, 0, 0, 0, 0, 0, 12)};
        QTest::newRow("other codes tie nothing")
            << QByteArray("*RIGL\n1, 100, 0, 0, 0, 11, 456, 12, 2\n")
            << QList<TBolt>{Bolt(0, 0, 0, 0, 0, 0, 11), Bolt(10, 0, 0, 0, 1, 0, 12)};
        QTest::newRow("empty node fields name no node")
            << QByteArray("*RIGL\n1, 100, 0, 0, 0, 11, 123, , 123, 12, 12,,\n$\n*NODES\n"
                          "1,0,0,0,7,7,7\n11,0,0,0,0,0,0\n12,0,0,0,10,0,0\n100,0,0,0,0,0,0\n")
            << QList<TBolt>{b11, Bolt(10, 0, 0, 1, 1, 0, 12)};
        QTest::newRow("second rigid link ignored")
            << QByteArray("*RIGL\n1, 100, 0, 0, 0, 12, 123\n*RIGL\n2, 100, 0, 0, 0, 11, 123\n")
            << QList<TBolt>{Bolt(10, 0, 0, 1, 1, 1, 12)};
    }

    void RigidLinkCard() {
        QFETCH(QByteArray, card);
        TResult r;
        Import(card + Nodes, r);
        QVERIFY(r.Imported);
        QTEST(r.Bolts, "bolts");
    }

    void NodeCard_data() {
        QTest::addColumn<QByteArray>("nodes");
        QTest::addColumn<QList<TBolt>>("bolts");
        QTest::addColumn<QList<double>>("loadPoint");
        QTest::newRow("repeated node line adds nothing, load point overwritten")
            << QByteArray("*NODE\n11,0,0,0,1,2,3\n100,0,0,0,1,1,1\n11,0,0,0,7,7,7\n"
                          "100,0,0,0,4,5,6\n")
            << QList<TBolt>{Bolt(1, 2, 3, 1, 1, 1, 11)} << QList<double>{4, 5, 6};
        QTest::newRow("card ends at the next card")
            << QByteArray("*NODE\n11,0,0,0,1,2,3\n100,0,0,0,0,0,0\n*ELEMENT\n12,0,0,0,1,1,1\n")
            << QList<TBolt>{Bolt(1, 2, 3, 1, 1, 1, 11)} << QList<double>{0, 0, 0};
        QTest::newRow("nodes not in the link skipped, bad numbers read as 0")
            << QByteArray("*NODE\n 99,0,0,0,1,1,1\n 12 , 0,0,0, x, -2.5e1 , 1E2 \n100,0,0,0,0,0,0\n")
            << QList<TBolt>{Bolt(0, -25, 100, 1, 1, 0, 12)} << QList<double>{0, 0, 0};
        QTest::newRow("tab runs two fields together")
            << QByteArray("*NODE\n1\t1,0,0,0,1\t5,3,\t4\n100,0,0,0,0,0,0\n")
            << QList<TBolt>{Bolt(15, 3, 4, 1, 1, 1, 11)} << QList<double>{0, 0, 0};
        QTest::newRow("short line") << QByteArray("*NODE\n11,0,0,0,8\n100,0,0,0,0,0,0\n")
                                    << QList<TBolt>{Bolt(8, 0, 0, 1, 1, 1, 11)}
                                    << QList<double>{0, 0, 0};
    }

    void NodeCard() {
        QFETCH(QByteArray, nodes);
        QFETCH(QList<double>, loadPoint);
        TResult r;
        Import("*RIGL\n1, 100, 0, 0, 0, 11, 123, 12, 12, 13, 3\n" + nodes, r);
        QVERIFY(r.Imported);
        QTEST(r.Bolts, "bolts");
        QCOMPARE((QList<double>{r.Load.X, r.Load.Y, r.Load.Z}), loadPoint);
    }

    void DuplicateDependentNode() {
        // A node listed twice in the link is taken once for each of its node lines.
        TResult r;
        Import("*RIGL\n1, 100, 0, 0, 0, 11, 1, 11, 2\n*NODE\n11,0,0,0,1,0,0\n11,0,0,0,2,0,0\n"
               "11,0,0,0,3,0,0\n100,0,0,0,0,0,0\n",
               r);
        QCOMPARE(r.Bolts, (QList<TBolt>{Bolt(1, 0, 0, 1, 0, 0, 11), Bolt(2, 0, 0, 0, 1, 0, 11)}));
    }

    void BlankLinesInCards() {
        // Blank lines (tabs and spaces only, too) inside the node and force cards name no node;
        // read as node 1 they would put the load point or a bolt at the origin.
        TResult load;
        Import("*RIGL\n1, 1, 0, 0, 0, 11, 123, 12, 123, 13, 123\n*NODES\n1,0,0,0,4,5,6\n\n"
               "11,0,0,0,0,0,0\n12,0,0,0,10,0,0\n13,0,0,0,0,10,0\n \t \n*CFORCE\n\n",
               load);
        QVERIFY(load.Imported);
        QCOMPARE((QList<double>{load.Load.X, load.Load.Y, load.Load.Z}),
                 (QList<double>{4, 5, 6}));
        QCOMPARE((QList<double>{load.Load.FX, load.Load.FY, load.Load.FZ}),
                 (QList<double>{1, 0, 0}));
        QCOMPARE(load.Bolts.size(), 3);

        TResult bolt;
        Import("*RIGL\n1, 100, 0, 0, 0, 1, 123, 12, 12\n*NODES\n\t\n1,0,0,0,7,8,9\n"
               "12,0,0,0,1,0,0\n100,0,0,0,0,0,0\n",
               bolt);
        QCOMPARE(bolt.Bolts,
                 (QList<TBolt>{Bolt(7, 8, 9, 1, 1, 1, 1), Bolt(1, 0, 0, 1, 1, 0, 12)}));
    }

    // The file reads alike whatever the user's decimal separator.
    void WrittenByAPreprocessor_data() {
        QTest::addColumn<QChar>("localeSeparator");
        QTest::newRow("full-stop locale") << QChar(u'.');
        QTest::newRow("decimal-comma locale") << QChar(u',');
    }
    void WrittenByAPreprocessor() {
        // Line ends CR LF, a comment header, tab indents, blank lines between cards, cards that
        // are not read, and the number forms such files use.
        QFETCH(QChar, localeSeparator);
        TNumberFormat::SetDecimalSeparator(localeSeparator);
        TResult r;
        Import("** Model written by a preprocessor\r\n**\r\n*TITLE\r\n Flange Joint \r\n\r\n"
               "*ELTYPE\r\n 1, 1, 1\r\n*RIGLINK\r\n\t1, 100, 0, 0, 0, 11, 123, 12, 123,\r\n"
               "\t$ 13, 123\r\n*NODES\r\n\t11,0,0,0, 1.0E+02, 100., .5\r\n"
               "\t12,0,0,0, -1.E-3, 1e2, +5\r\n\t13,0,0,0, 0, 50, 0\r\n"
               "   100,0,0,0, 5.0E+01, 2.5E+01, 1.0E+01\r\n\r\n*LCTITLE\r\n\tCase One \r\n"
               "*CFORCE\r\n  100, FX, 1.0E+03,,,  0,     0\r\n  100, FZ, -5.,,,  0,     0\r\n"
               "*ENDDATA\r\n",
               r);
        TNumberFormat::SetDecimalSeparator(QChar());
        QVERIFY(r.Imported);
        QCOMPARE(r.Title, QStringLiteral(" Flange Joint "));
        QCOMPARE(r.LoadCaseTitle, QStringLiteral("Case One"));
        QCOMPARE(r.Bolts, (QList<TBolt>{Bolt(100, 100, 0.5, 1, 1, 1, 11),
                                        Bolt(-0.001, 100, 5, 1, 1, 1, 12),
                                        Bolt(0, 50, 0, 1, 1, 1, 13)}));
        QCOMPARE((QList<double>{r.Load.X, r.Load.Y, r.Load.Z, r.Load.FX, r.Load.FY, r.Load.FZ}),
                 (QList<double>{50, 25, 10, 1000, 0, -5}));
    }

    void RigidLinkTooLarge() {
        // A link naming more nodes than can become bolts is refused before it is all read.
        const qsizetype limit = TNisaImport::MaxLinkNodes;
        TNisaImport::MaxLinkNodes = 3;
        TResult r;
        Import("*TITL\nT\n*RIGL\n1, 100, 0, 0, 0, 11, 1, 12, 1, 13, 1\n$ 14, 1\n" + Nodes, r);
        TResult fits;
        Import("*RIGL\n1, 100, 0, 0, 0, 11, 1, 12, 1, 13, 1\n" + Nodes, fits);
        TNisaImport::MaxLinkNodes = limit;
        QVERIFY(!r.Imported);
        QCOMPARE(r.Host.Messages, QStringList{"Warning: The rigid link names more than 3 nodes; at "
                                              "most 3 bolts can be read."});
        QCOMPARE(r.Host.Information.last(), QStringLiteral("Reading NISA File Aborted"));
        QVERIFY(r.Title.isEmpty() && r.Bolts.isEmpty());
        QVERIFY(fits.Imported);
        QCOMPARE(fits.Bolts.size(), 3);
    }

    void Forces_data() {
        QTest::addColumn<QByteArray>("forces");
        QTest::addColumn<QList<double>>("load");
        QTest::newRow("no force card gives no load") << QByteArray() << QList<double>{0, 0, 0};
        QTest::newRow("all three")
            << QByteArray("*CFORCE\n100, FX, 1.5,,,\n100,FY,-2,\n 100 , FZ , 3e2 , 0\n")
            << QList<double>{1.5, -2, 300};
        QTest::newRow("value without a comma after it reads 0")
            << QByteArray("*CFORCE\n100, FX, 250\n100, FY, 7,\n") << QList<double>{0, 7, 0};
        QTest::newRow("other nodes only give a unit load in X")
            << QByteArray("*CFORCE\n11, FX, 250,\n12, FZ, 3,\n") << QList<double>{1, 0, 0};
        QTest::newRow("later line overwrites")
            << QByteArray("*CFORCE\n100, FX, 1,\n100, FX, 2,\n") << QList<double>{2, 0, 0};
        QTest::newRow("other labels set nothing but count")
            << QByteArray("*CFORCE\n100, fx, 1,\n100, MX, 2,\n") << QList<double>{0, 0, 0};
        QTest::newRow("card ends at the next card")
            << QByteArray("*CFORCE\n100, FY, 1,\n*ENDDATA\n100, FX, 2,\n")
            << QList<double>{0, 1, 0};
        QTest::newRow("comment line inside the card")
            << QByteArray("*CFORCE\n** *END\n100, FZ, -4,\n") << QList<double>{0, 0, -4};
        QTest::newRow("empty card") << QByteArray("*CFORCE\n") << QList<double>{1, 0, 0};
    }

    void Forces() {
        QFETCH(QByteArray, forces);
        QFETCH(QList<double>, load);
        TResult r;
        Import(AnalysableLink + Nodes + forces, r);
        QVERIFY(r.Imported);
        QCOMPARE((QList<double>{r.Load.FX, r.Load.FY, r.Load.FZ}), load);
        QCOMPARE((QList<double>{r.Load.X, r.Load.Y, r.Load.Z}), (QList<double>{5, 5, 20}));
    }

    void ForceLineWithoutComma() {
        // A force line without any comma reads as node 1, so it belongs to an independent node 1.
        TResult r;
        Import("*RIGL\n1, 1, 0, 0, 0, 11, 123\n*NODE\n11,0,0,0,0,0,0\n*CFORCE\nFX 5\n", r);
        QCOMPARE(r.Load.FX, 0.0);
    }

    void Refusals_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const QString noLink =
            QStringLiteral("Warning: No Rigid Links in NISA File\nCannot Extract Bolt Group");
        const QString noNodes = QStringLiteral(
            "Warning: No Node definition in NISA File\nCannot Extract Bolt Group Co-ordinates");
        QTest::newRow("empty file") << QByteArray() << noLink;
        QTest::newRow("binary") << Bytes("\0\xff\x01*\x80RIG\n\0\0") << noLink;
        QTest::newRow("rigid link before the title")
            << "*RIGL\n1, 100, 0, 0, 0, 11, 123\n*TITL\nLate title\n" + Nodes << noLink;
        QTest::newRow("rigid link only in a comment") << "** *RIGL\n1, 100\n" + Nodes << noLink;
        QTest::newRow("no node card") << "*TITL\nT\n" + RigidLink + "*CFORCE\n100,FX,1,\n"
                                      << noNodes;
        // The load acts at the independent node; without its co-ordinates it has no point.
        QTest::newRow("no node line for the independent node")
            << "*TITL\nT\n" + RigidLink + "*NODES\n11,0,0,0,0,0,0\n12,0,0,0,10,0,0\n"
            << QStringLiteral("Warning: Independent Node 100 not defined in NISA File\n"
                              "Cannot Extract Position of Applied Load");
        QTest::newRow("empty link") << "*RIGL\n" + Nodes
                                    << QStringLiteral("Warning: Independent Node 1 not defined in "
                                                      "NISA File\nCannot Extract Position of "
                                                      "Applied Load");
    }

    void Refusals() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        TResult r;
        Import(file, r);
        QVERIFY(!r.Imported);
        QCOMPARE(r.Host.Messages, QStringList{message});
        QCOMPARE(r.Host.Information.last(), QStringLiteral("Reading NISA File Aborted"));
        QVERIFY(r.Title.isEmpty() && r.LoadCaseTitle.isEmpty() && r.Bolts.isEmpty());
        QCOMPARE(r.Load, TAppliedLoad());
    }

    void StatusTextsAndNaming() {
        TResult r;
        Import("*TITL\nT\n" + AnalysableLink + Nodes + "*CFORCE\n100,FX,1,\n", r,
               QStringLiteral("Frame.nis"));
        QVERIFY(r.Imported);
        QStringList expected{"Loading NISA File", "Looking for Model Title",
                             "Looking for Rigid Links", "Looking for Nodes",
                             "Looking for Nodal Forces"};
        QCOMPARE(r.Host.Information.mid(0, 5), expected);
        QCOMPARE(r.Host.Information.last(), QStringLiteral("NISA File Loaded"));
        QCOMPARE(r.Host.QuickList, QStringList{Dir.filePath("Frame.nis")});
        QCOMPARE(r.FileName, Dir.filePath("Frame Bolt Group Loads.rtf"));

        TResult named;
        Import(RigidLink + Nodes, named, QStringLiteral("Frame Bolt Group Loads.nis"));
        QCOMPARE(named.FileName, Dir.filePath("Frame Bolt Group Loads.rtf"));
    }

    void ReadingReports() {
        // Every 1000th piece is reported, comment lines included.
        QByteArray file = RigidLink + Nodes;
        for (int i = 0; i < 2100; ++i)
            file += (i % 2 ? "** comment\n" : "\n");
        TResult r;
        Import(file, r);
        QVERIFY(r.Host.Information.contains("Reading Line 1000"));
        QVERIFY(r.Host.Information.contains("Reading Line 2000"));
        QVERIFY(!r.Host.Information.contains("Reading Line 3000"));
        QVERIFY(r.Host.EventPoints >= 2);
    }

    void Pieces_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("bolts");
        const QByteArray start = "*RIGL\n1, 100, 0, 0, 0, 11, 123,";
        // The card line padded to exactly 510 characters stays one piece, so the continuation
        // line still follows it; one character more makes a further piece between them.
        QTest::newRow("510 characters") << start + QByteArray(510 - (start.size() - 6), ' ') +
                                               "\n$ 12, 12\n" + Nodes
                                        << 2;
        QTest::newRow("511 characters") << start + QByteArray(511 - (start.size() - 6), ' ') +
                                               "\n$ 12, 12\n" + Nodes
                                        << 1;
        QTest::newRow("card keyword after 510 characters")
            << QByteArray(510, 'x') + "*RIGL\n1, 100, 0, 0, 0, 11, 123\n" + Nodes << 1;
        QTest::newRow("carriage returns end lines")
            << QByteArray("*RIGL\r1, 100, 0, 0, 0, 11, 123, 12, 12\r\n*NODE\r11,0,0,0,0,0,0\r"
                          "12,0,0,0,1,0,0\r100,0,0,0,0,0,0")
            << 2;
        QTest::newRow("control and high bytes dropped")
            << Bytes("*RI\x01GL\n1, 10\xc3\xa9" "0, 0, 0, 0, 1\x00" "1, 123\n*NODE\n11,0,0,0,0,0,0\n"
                     "100,0,0,0,0,0,0\n")
            << 1;
    }

    void Pieces() {
        QFETCH(QByteArray, file);
        TResult r;
        Import(file, r);
        QVERIFY(r.Imported);
        QTEST(int(r.Bolts.size()), "bolts");
    }

    void LongLineTitle() {
        TResult r;
        Import("*TITL\n" + QByteArray(600, 'T') + "\n" + RigidLink + Nodes, r);
        QCOMPARE(r.Title, QString(510, QLatin1Char('T')));
    }

    void MissingFileAndFolder() {
        TResult r;
        TLineBuffers buffers(&r.Host);
        TBoltGroupDocument d(buffers);
        d.ResetModel();
        QVERIFY(!d.ImportNisaFile(Dir.filePath("missing.nis")));
        QVERIFY_THROWS_EXCEPTION(TPlatformError, d.ImportNisaFile(Dir.path()));
        QVERIFY(!buffers.LineBuffersExist());
    }

    void Examples() {
        const QDir examples(QStringLiteral(FASTENEX_EXAMPLES));
        const QStringList files = examples.entryList({QStringLiteral("*.nis")}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString& name : files) {
            TRecordingHost host;
            TLineBuffers buffers(&host);
            TBoltGroupDocument d(buffers);
            d.ResetModel();
            QVERIFY2(d.ImportNisaFile(examples.filePath(name)), qPrintable(name));
            QVERIFY2(d.BoltCount() >= 3, qPrintable(name));
            QVERIFY2(d.LoadApplied, qPrintable(name));
            QVERIFY2(host.Messages.isEmpty(), qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TstTNisaImport)
#include "tst_tnisaimport.moc"
