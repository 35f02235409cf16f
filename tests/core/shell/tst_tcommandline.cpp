#include "shell/tcommandline.h"

#include <QDir>
#include <QTest>

class TstTCommandLine : public QObject {
    Q_OBJECT
private slots:
    void Parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("boltGroupFiles");
        QTest::addColumn<bool>("error");
        const QString here = QDir::currentPath() + QLatin1Char('/');
        QTest::newRow("nothing") << QStringList{} << QStringList{} << QStringList{} << false;
        QTest::newRow("relative names become absolute")
            << QStringList{QStringLiteral("a.txt"), QStringLiteral("/x/b.dat")}
            << QStringList{here + QStringLiteral("a.txt"), QStringLiteral("/x/b.dat")} << QStringList{} << false;
        QTest::newRow("bolt groups apart")
            << QStringList{QStringLiteral("--bolt-group"), QStringLiteral("/x/f.nis"), QStringLiteral("/x/n.rtf"),
                           QStringLiteral("--bolt-group=/x/g.dat")}
            << QStringList{QStringLiteral("/x/n.rtf")}
            << QStringList{QStringLiteral("/x/f.nis"), QStringLiteral("/x/g.dat")} << false;
        QTest::newRow("after -- a name may begin with a dash")
            << QStringList{QStringLiteral("--"), QStringLiteral("/x/-odd.txt")}
            << QStringList{QStringLiteral("/x/-odd.txt")} << QStringList{} << false;
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--frobnicate")} << QStringList{}
                                        << QStringList{} << true;
        QTest::newRow("bolt group without a file") << QStringList{QStringLiteral("--bolt-group")}
                                                   << QStringList{} << QStringList{} << true;
        QTest::newRow("desktop entry started without a file")
            << QStringList{QStringLiteral("--bolt-group=")} << QStringList{} << QStringList{} << false;
    }
    void Parse() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QFETCH(QStringList, boltGroupFiles);
        QFETCH(bool, error);
        const TCommandLine command = TCommandLine::Parse(QStringList{QStringLiteral("fastenex")} + arguments);
        QCOMPARE(!command.Error.isEmpty(), error);
        if (!error) {
            QCOMPARE(command.Files, files);
            QCOMPARE(command.BoltGroupFiles, boltGroupFiles);
        }
    }

    void HelpListsOnlyTheUsersOptions() {
        const QString help = TCommandLine::HelpText();
        QVERIFY(help.contains(QLatin1String("--bolt-group <FILE>")));
        QVERIFY(help.contains(QLatin1String("--version")));
        QVERIFY(!help.contains(QLatin1String("--screenshot")));
        QVERIFY(!help.contains(QLatin1String("--settings")));
    }
};

QTEST_GUILESS_MAIN(TstTCommandLine)
#include "tst_tcommandline.moc"
