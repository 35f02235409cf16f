#include "foundation/treadfile.h"

#include <QTemporaryDir>
#include <QTest>

// Reading a whole file within a limit: an endless device is refused at the limit.
class TstTReadFile : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

private slots:
    void ReadAll_data() {
        QTest::addColumn<QString>("name"); // empty: a file of `size` bytes in the folder
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("read");
        const qint64 limit = 3 << 20;
        QTest::newRow("empty") << QString() << qint64(0) << true;
        QTest::newRow("at the limit") << QString() << limit << true;
        QTest::newRow("past the limit") << QString() << limit + 1 << false;
        QTest::newRow("endless device") << QStringLiteral("/dev/zero") << qint64(0) << false;
    }
    void ReadAll() {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(bool, read);
        const qint64 limit = 3 << 20;
        if (name.isEmpty()) {
            name = Dir.filePath(QStringLiteral("f%1").arg(size));
            QFile f(name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(size, 'x'));
        }
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        try {
            const QByteArray bytes = TReadFile::ReadAll(file, limit);
            QVERIFY(read);
            QCOMPARE(bytes, QByteArray(size, 'x'));
        } catch (const TPlatformError& e) {
            QVERIFY2(!read, qPrintable(e.Text()));
            QVERIFY(e.Text().endsWith(QStringLiteral("The file is larger than 3 MB.")));
        }
    }
};

QTEST_APPLESS_MAIN(TstTReadFile)
#include "tst_treadfile.moc"
