#include "document/tlinebuffers.h"
#include "foundation/tplatformerror.h"
#include "trecordinghost.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstTLineBuffers : public QObject {
    Q_OBJECT

private:
    static QString WriteFile(const QTemporaryDir& dir, const QByteArray& bytes) {
        const QString name = dir.filePath(QStringLiteral("lines.txt"));
        QFile f(name);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return name;
    }

private slots:
    void OperationsDoNothingWithoutBuffers() {
        TLineBuffers b;
        for (int round = 0; round < 2; ++round) {
            b.AddOutputLine(QStringLiteral("x"));
            b.AddBlankOutputLine();
            b.AddDataLine(QStringLiteral("a=1"));
            b.AddTitleLine(QStringLiteral("t"));
            b.AddSubtitleLine(QStringLiteral("s"));
            b.InsertOutputLine(0, QStringLiteral("y"));
            b.SetOutputLine(0, QStringLiteral("y"));
            b.SetDataLine(0, QStringLiteral("y"));
            b.DeleteDataLine(0);
            b.DeleteOutputLine(0);
            QCOMPARE(b.OutputLineCount(), 0);
            QCOMPARE(b.DataLineCount(), 0);
            QCOMPARE(b.GetOutputLine(0), QString());
            QCOMPARE(b.GetDataLine(0), QString());
            QCOMPARE(b.FindInDataLine(0, QStringLiteral("a")), 0);
            QCOMPARE(b.FindInOutputLine(0, QStringLiteral("x")), 0);
            QCOMPARE(b.FindDataLine(QStringLiteral("a")).Index, -1);
            QVERIFY(b.TakeDataValue(QStringLiteral("a")).isNull());
            QVERIFY(!b.LineBuffersExist());
            // After freeing, the buffers behave as before they were created.
            b.CreateLineBuffers();
            b.AddOutputLine(QStringLiteral("kept until freed"));
            QCOMPARE(b.OutputLineCount(), 1);
            b.FreeLineBuffers();
        }
    }

    void IndexedOperationsStayInRange() {
        TLineBuffers b;
        b.CreateLineBuffers();
        b.AddOutputLine(QStringLiteral("one"));
        b.AddBlankOutputLine();
        QCOMPARE(b.GetOutputLine(1), QStringLiteral(" "));
        b.InsertOutputLine(2, QStringLiteral("appended?"));
        QCOMPARE(b.OutputLineCount(), 2);
        b.InsertOutputLine(0, QStringLiteral("zero"));
        QCOMPARE(b.OutputLines(), (QStringList{"zero", "one", " "}));
        QCOMPARE(b.GetOutputLine(-1), QString());
        QCOMPARE(b.GetOutputLine(3), QString());
        b.SetOutputLine(3, QStringLiteral("no"));
        b.DeleteOutputLine(-1);
        QCOMPARE(b.OutputLineCount(), 3);
        QCOMPARE(b.FindInOutputLine(1, QStringLiteral("ne")), 2);
        QCOMPARE(b.FindInOutputLine(1, QStringLiteral("zz")), 0);
        QCOMPARE(b.FindInOutputLine(7, QStringLiteral("o")), 0);
    }

    void FindDataLine_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("exact") << "Number of Bolts" << 1;
        QTest::newRow("small letters") << "number of bolts" << 1;
        QTest::newRow("first of duplicates") << "Bolt 1" << 2;
        QTest::newRow("space before equals is part of the name") << "Analysis Title" << -1;
        QTest::newRow("with the space") << "Analysis Title " << 0;
        QTest::newRow("line without equals never matches") << "[General]" << -1;
        QTest::newRow("prefix only") << "Bolt" << -1;
        QTest::newRow("absent") << "Applied Load" << -1;
    }
    void FindDataLine() {
        QFETCH(QString, name);
        QFETCH(int, index);
        TLineBuffers b;
        b.CreateLineBuffers();
        for (const char* line : {"Analysis Title =x", "Number of Bolts=3", "BOLT 1=a", "Bolt 1=b",
                                 "[General]"})
            b.AddDataLine(QString::fromLatin1(line));
        const TDataLineMatch m = b.FindDataLine(name);
        QCOMPARE(m.Index, index);
        QCOMPARE(m.Line, index < 0 ? QString() : b.GetDataLine(index));
    }

    // Taking values out of order must give the first-match-and-remove result, and leave the
    // remaining lines in their order for the indexed operations.
    void TakeDataValueOutOfOrder() {
        TLineBuffers b;
        b.CreateLineBuffers();
        const QStringList lines{"c=3", "a=1", "b=2", "A=1b", "x", "b=2b", "c="};
        for (const QString& l : lines)
            b.AddDataLine(l);
        QCOMPARE(b.TakeDataValue(QStringLiteral("b")), QStringLiteral("2"));
        QCOMPARE(b.TakeDataValue(QStringLiteral("a")), QStringLiteral("1"));
        QCOMPARE(b.TakeDataValue(QStringLiteral("a")), QStringLiteral("1b"));
        QVERIFY(b.TakeDataValue(QStringLiteral("a")).isNull());
        QCOMPARE(b.TakeDataValue(QStringLiteral("c")), QStringLiteral("3"));
        const QString empty = b.TakeDataValue(QStringLiteral("C"));
        QVERIFY(!empty.isNull());
        QVERIFY(empty.isEmpty());
        QCOMPARE(b.DataLineCount(), 2);
        QCOMPARE(b.DataLines(), (QStringList{"x", "b=2b"}));
        QCOMPARE(b.FindDataLine(QStringLiteral("B")).Index, 1);
        QCOMPARE(b.TakeDataValue(QStringLiteral("b")), QStringLiteral("2b"));
        b.AddDataLine(QStringLiteral("b=new"));
        QCOMPARE(b.FindDataLine(QStringLiteral("b")).Line, QStringLiteral("b=new"));
        b.SetDataLine(1, QStringLiteral("d=4"));
        QCOMPARE(b.FindDataLine(QStringLiteral("b")).Index, -1);
        QCOMPARE(b.TakeDataValue(QStringLiteral("d")), QStringLiteral("4"));
    }

    void LoadDataLinesSplitsLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lf, no final end") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("cr only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed with blanks") << QByteArray("a\n\r\n\rb") << QStringList{"a", "", "", "b"};
        QTest::newRow("lf cr is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("utf-8") << QByteArray("T=Stahlträger\n") << QStringList{"T=Stahlträger"};
        QTest::newRow("latin-1 kept byte for byte")
            << QByteArray("T=Tr\xe4ger\n") << QStringList{QString::fromLatin1("T=Tr\xe4ger")};
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "a=1") << QStringList{"a=1"};
    }
    void LoadDataLinesSplitsLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        TLineBuffers b;
        b.CreateLineBuffers();
        b.AddDataLine(QStringLiteral("replaced"));
        b.LoadDataLines(WriteFile(dir, bytes));
        QCOMPARE(b.DataLines(), lines);
    }

    void LoadDataLinesOfMissingFileKeepsLines() {
        TLineBuffers b;
        b.CreateLineBuffers();
        b.AddDataLine(QStringLiteral("kept"));
        b.LoadDataLines(QStringLiteral("/nonexistent/folder/file.dat"));
        QCOMPARE(b.DataLines(), QStringList{"kept"});
    }

    void LoadDataLinesOfUnreadableFileThrows() {
        QTemporaryDir dir;
        TLineBuffers b;
        b.CreateLineBuffers();
        try {
            b.LoadDataLines(dir.path());
            QFAIL("a folder was read as a file");
        } catch (const TPlatformError& e) {
            QVERIFY(e.Text().startsWith(QStringLiteral("Cannot open file")));
        }
    }

    void SaveOutputLinesWritesCrLf_data() {
        QTest::addColumn<qsizetype>("asTextFrom");
        QTest::newRow("lines") << qsizetype(-1);
        QTest::newRow("text from the first line") << qsizetype(0);
        QTest::newRow("text from the third line") << qsizetype(2);
    }

    void SaveOutputLinesWritesCrLf() {
        // Lines kept as a list or, from some line on, as text are written alike.
        QFETCH(qsizetype, asTextFrom);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("out.txt"));
        TLineBuffers b;
        b.OutputAsTextFrom = asTextFrom;
        b.CreateLineBuffers();
        b.AddOutputLine(QStringLiteral("first"));
        b.AddBlankOutputLine();
        b.AddOutputLine(QStringLiteral("Träger"));
        QCOMPARE(b.OutputKeptAsText(), asTextFrom >= 0);
        b.SaveOutputLines(name);
        QFile f(name);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("first\r\n \r\nTr\xc3\xa4ger\r\n"));
        if (asTextFrom >= 0) {
            QCOMPARE(b.TakeOutputText().join(), QByteArray("first\n \nTr\xc3\xa4ger\n"));
            QVERIFY(!b.OutputKeptAsText());
        }
    }

    void SaveOutputLinesFailureThrowsAndKeepsTarget() {
        QTemporaryDir dir;
        TLineBuffers b;
        b.CreateLineBuffers();
        b.AddOutputLine(QStringLiteral("x"));
        QVERIFY_THROWS_EXCEPTION(TPlatformError, b.SaveOutputLines(dir.path()));
        QVERIFY(QFileInfo(dir.path()).isDir());
        QVERIFY_THROWS_EXCEPTION(TPlatformError,
                                 b.SaveOutputLines(dir.filePath(QStringLiteral("no/such/x.txt"))));
    }

    void UpdateProgressRedrawsAfterMoreThan100Units_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("redraw");
        QTest::addColumn<int>("percent");
        QTest::newRow("exactly 100") << 100 << false << 0;
        QTest::newRow("101") << 101 << true << 10;
        QTest::newRow("all") << 1010 << true << 100;
    }
    void UpdateProgressRedrawsAfterMoreThan100Units() {
        QFETCH(int, position);
        QFETCH(bool, redraw);
        QFETCH(int, percent);
        TRecordingHost host;
        TLineBuffers b(&host);
        b.ProgressTotal = 1010;
        b.ProgressPosition = position;
        b.UpdateProgress();
        QCOMPARE(host.Progress.size(), redraw ? 1 : 0);
        QCOMPARE(host.EventPoints, redraw ? 1 : 0);
        QCOMPARE(b.ProgressShown, redraw ? position : 0);
        if (redraw)
            QCOMPARE(host.Progress.first(), percent);
    }

    void ProgressPercentNeverOverflowsOrDividesByZero() {
        QCOMPARE(TLineBuffers::ProgressPercent(2'000'000'000, 2'000'000'000), 100);
        QCOMPARE(TLineBuffers::ProgressPercent(50, 0), 100);
        QCOMPARE(TLineBuffers::ProgressPercent(0, 0), 0);
    }
};

QTEST_APPLESS_MAIN(TstTLineBuffers)
#include "tst_tlinebuffers.moc"
