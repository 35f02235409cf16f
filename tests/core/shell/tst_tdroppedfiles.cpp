#include "shell/tdroppedfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstTDroppedFiles : public QObject {
    Q_OBJECT

private slots:
    // tree: "name/" a folder, "name->target" a symbolic link, anything else a file; paths
    // relative to a fresh folder, in which the dropped and expected paths are too.
    void Collects_data() {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<bool>("allowDirDrop");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("folder with a sub-folder")
            << QStringList{"f/a.rtf", "f/sub/b.dat"} << QStringList{"f"} << true
            << QStringList{"f/a.rtf", "f/sub/b.dat"};
        QTest::newRow("depth first, names in order")
            << QStringList{"f/c.txt", "f/B/z.txt", "f/a.txt"} << QStringList{"f", "x"} << true
            << QStringList{"f/a.txt", "f/B/z.txt", "f/c.txt"};
        QTest::newRow("dot names skipped below the top")
            << QStringList{"f/.hidden", "f/.git/x", "f/a.txt"} << QStringList{"f"} << true
            << QStringList{"f/a.txt"};
        QTest::newRow("dot names dropped directly")
            << QStringList{"f/.hidden", ".cfg/a.txt"} << QStringList{"f/.hidden", ".cfg"} << true
            << QStringList{"f/.hidden", ".cfg/a.txt"};
        QTest::newRow("only empty folders")
            << QStringList{"e/", "e/s/", "g/"} << QStringList{"e", "g"} << true << QStringList{};
        QTest::newRow("folders not allowed")
            << QStringList{"f/a.txt", "b.txt"} << QStringList{"f", "b.txt"} << false
            << QStringList{"b.txt"};
        QTest::newRow("missing path and broken link")
            << QStringList{"f/dead->nowhere"} << QStringList{"gone", "f", "f/dead"} << true
            << QStringList{};
        QTest::newRow("link to itself and to a parent")
            << QStringList{"f/a.txt", "f/s/b.txt", "f/s/up->..", "f/me->."} << QStringList{"f"}
            << true << QStringList{"f/a.txt", "f/s/b.txt"};
        QTest::newRow("linked file is a file")
            << QStringList{"f/a.txt", "f/l->a.txt"} << QStringList{"f"} << true
            << QStringList{"f/a.txt", "f/l"};
    }
    void Collects() {
        QFETCH(QStringList, tree);
        QFETCH(QStringList, dropped);
        QFETCH(bool, allowDirDrop);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        const QDir root(dir.path());
        for (const QString& item : tree) {
            const qsizetype arrow = item.indexOf(QStringLiteral("->"));
            const QString path = root.filePath(arrow < 0 ? item : item.left(arrow));
            QVERIFY(QDir().mkpath(item.endsWith(QLatin1Char('/')) ? path : QFileInfo(path).path()));
            if (arrow >= 0) {
                QVERIFY(QFile::link(item.mid(arrow + 2), path));
            } else if (!item.endsWith(QLatin1Char('/'))) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
        TDroppedFiles files;
        files.AllowDirDrop = allowDirDrop;
        for (const QString& path : dropped)
            files.AddFileOrDirectory(root.filePath(path));
        QStringList found;
        for (const QString& path : files.Files)
            found.append(root.relativeFilePath(path));
        QCOMPARE(found, expected);
        QVERIFY(!files.Truncated);
    }
};

QTEST_GUILESS_MAIN(TstTDroppedFiles)
#include "tst_tdroppedfiles.moc"
