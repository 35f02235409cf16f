// Installs the build into a fresh prefix and checks what a Linux desktop finds there: the two
// programs, the dictionary where the program looks for it, a valid desktop entry, the icons, and
// a file type that knows an analysis data file by its first lines, not by ".dat" alone.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TstInstall : public QObject {
    Q_OBJECT

    QTemporaryDir Prefix;

    static bool Run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
                    const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool done = process.waitForFinished(120000);
        const QByteArray text = process.readAll();
        if (output)
            *output = text;
        if (!done || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            qWarning("%s failed: %s", qPrintable(program), text.constData());
            return false;
        }
        return true;
    }
    QString Installed(const QString& path) const { return Prefix.filePath(path); }

private slots:
    void initTestCase() {
        const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        QVERIFY(!cmake.isEmpty());
        const QString build = QDir::cleanPath(QStringLiteral(FASTENEX_BIN_DIR "/.."));
        QVERIFY(Run(cmake, {QStringLiteral("--install"), build, QStringLiteral("--prefix"),
                            Prefix.path()}));
    }

    void Layout_data() {
        QTest::addColumn<QString>("path");
        for (const char* path :
             {"bin/fastenex", "bin/fastenex-batch", "share/Quorvane/Dictionary.dic",
              "share/applications/fastenex.desktop", "share/mime/packages/fastenex.xml",
              "share/icons/hicolor/scalable/apps/fastenex.svg",
              "share/icons/hicolor/16x16/apps/fastenex.png",
              "share/icons/hicolor/48x48/apps/fastenex.png",
              "share/icons/hicolor/256x256/apps/fastenex.png"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }
    void Layout() {
        QFETCH(QString, path);
        QVERIFY2(QFileInfo(Installed(path)).isFile(), qPrintable(path));
    }

    void InstalledProgramsRun() {
        QByteArray output;
        QVERIFY(Run(Installed(QStringLiteral("bin/fastenex-batch")),
                    {QStringLiteral(FASTENEX_EXAMPLES "/bracket-3d.dat")}, &output));
        QVERIFY(output.contains("Analysis"));
        QVERIFY(Run(Installed(QStringLiteral("bin/fastenex")), {QStringLiteral("--version")}, &output));
        QVERIFY(output.startsWith("Quorvane Fastenex "));
    }

    void DesktopEntryIsValid() {
        const QString validate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validate.isEmpty())
            QSKIP("desktop-file-validate is not installed (scripts/ensure-packages.sh installs it)");
        QByteArray output;
        QVERIFY(Run(validate, {Installed(QStringLiteral("share/applications/fastenex.desktop"))}, &output));
        QVERIFY2(output.trimmed().isEmpty(), output.constData());
    }

    // Run last: the file types are read from the prefix once, the first time they are asked for.
    void DataFilesAreKnownByTheirContent() {
        const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        if (update.isEmpty())
            QSKIP("update-mime-database is not installed (package shared-mime-info)");
        QVERIFY(Run(update, {Installed(QStringLiteral("share/mime"))}));
        qputenv("XDG_DATA_DIRS", (Installed(QStringLiteral("share")) + QStringLiteral(":/usr/share")).toLocal8Bit());
        QTemporaryDir work;
        const QString other = work.filePath(QStringLiteral("measurements.dat"));
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1.0 2.0 3.0\n4.0 5.0 6.0\n");
        f.close();
        QMimeDatabase mime;
        QCOMPARE(mime.mimeTypeForFile(QStringLiteral(FASTENEX_EXAMPLES "/bracket-3d.dat")).name(),
                 QStringLiteral("application/x-fastenex-boltgroup"));
        QVERIFY(mime.mimeTypeForFile(other).name() != QLatin1String("application/x-fastenex-boltgroup"));
        QCOMPARE(mime.mimeTypeForFile(QStringLiteral(FASTENEX_EXAMPLES "/bracket-six-bolts.nis")).name(),
                 QStringLiteral("application/x-nisa-input"));
    }
};

QTEST_GUILESS_MAIN(TstInstall)
#include "tst_install.moc"
