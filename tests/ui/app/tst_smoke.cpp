// Starts the real desktop program on a virtual X display, lets it open a text file, and checks
// the picture of the screen it saves: the frame with its tool bars, a document and the status
// bar, not a blank or black picture.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TstSmoke : public QObject {
    Q_OBJECT

    QTemporaryDir Work;

    // Runs the program; the picture of the screen, or a null image after a failure.
    QImage Run(const QString& openFile, const QString& name, const QString& option = QString()) {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        const QString program = QStringLiteral(FASTENEX_BIN_DIR "/fastenex");
        if (!QFileInfo(program).isExecutable()) {
            qWarning("the desktop program %s is not built", qPrintable(program));
            return QImage();
        }
        const QString picture = Work.filePath(name + QStringLiteral(".png"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("HOME"), Work.path());
        QStringList arguments{QStringLiteral("-a"), QStringLiteral("-s"),
                              QStringLiteral("-screen 0 1280x1024x24"), program,
                              QStringLiteral("--settings"), Work.filePath(QStringLiteral("fastenex.ini")),
                              QStringLiteral("--screenshot"), picture};
        if (!openFile.isEmpty())
            arguments << (option.isEmpty() ? QStringList{openFile} : QStringList{option, openFile});
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(xvfb, arguments);
        if (!process.waitForFinished(120000)) {
            process.kill();
            qWarning("the program did not finish: %s", process.readAll().constData());
            return QImage();
        }
        if (process.exitCode() != 0)
            qWarning("exit code %d: %s", process.exitCode(), process.readAll().constData());
        return QImage(picture);
    }

    static int DistinctColours(const QImage& image) {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        return int(colours.size());
    }

    static double Share(const QImage& image, bool (*test)(QColor)) {
        qint64 hits = 0, all = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2, ++all)
                hits += test(image.pixelColor(x, y)) ? 1 : 0;
        return all ? double(hits) / double(all) : 0.0;
    }

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty())
            QSKIP("xvfb-run is not installed (scripts/ensure-packages.sh installs it)");
    }

    // A usage error is answered in the terminal whether or not there is a display.
    void UnknownOptionWithoutADisplay() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(FASTENEX_BIN_DIR "/fastenex"), {QStringLiteral("--bogus")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(process.readAllStandardError().contains("bogus"));
    }

    void EmptyFrameShowsTheGradient() {
        const QImage shot = Run(QString(), QStringLiteral("empty"));
        QVERIFY(!shot.isNull());
        QCOMPARE(shot.size(), QSize(1280, 1024));
        QVERIFY(DistinctColours(shot) > 40);
        // The frame is 889 x 700 in the middle of the screen, most of it the blue gradient.
        QVERIFY(Share(shot, [](QColor c) { return c.blue() > 60 && c.red() < 40 && c.green() < 40; }) > 0.25);
    }

    void TextDocumentIsShown() {
        const QString file = Work.filePath(QStringLiteral("notes.txt"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 40; ++i)
            f.write(QByteArray("Bolt ") + QByteArray::number(i) + " carries its share of the load.\r\n");
        f.close();
        const QImage shot = Run(file, QStringLiteral("document"));
        QVERIFY(!shot.isNull());
        QVERIFY(DistinctColours(shot) > 40);
        // The document fills the frame: a large white editor with black text on it.
        QVERIFY(Share(shot, [](QColor c) { return c == QColor(Qt::white); }) > 0.2);
        QVERIFY(Share(shot, [](QColor c) { return c.lightness() < 60; }) > 0.002);
        // Not the gradient of the empty frame any more.
        QVERIFY(Share(shot, [](QColor c) { return c.blue() > 60 && c.red() < 40 && c.green() < 40; }) < 0.05);
    }

    void BoltGroupAnalysisIsShown() {
        const QString file = Work.filePath(QStringLiteral("plate-splice.dat"));
        QFile::remove(file);
        QVERIFY(QFile::copy(QStringLiteral(FASTENEX_EXAMPLES "/plate-splice.dat"), file));
        const QImage shot = Run(file, QStringLiteral("boltgroup"), QStringLiteral("--bolt-group"));
        QVERIFY(!shot.isNull());
        const QImage frame(Work.filePath(QStringLiteral("boltgroup.png.frame.png")));
        QVERIFY(!frame.isNull());
        const auto dark = [](QColor c) { return c.lightness() < 40; };
        const auto red = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
        const auto white = [](QColor c) { return c.lightness() > 245; };

        // The plot: its black frame, 300 pixels across, on the left of the window.
        int top = -1, left = -1;
        for (int y = 0; y < frame.height() && top < 0; ++y) {
            int run = 0;
            for (int x = 0; x < frame.width() / 2; ++x) {
                run = dark(frame.pixelColor(x, y)) ? run + 1 : 0;
                if (run == 290) {
                    top = y;
                    left = x - 289;
                    break;
                }
            }
        }
        QVERIFY2(top >= 0, "no plot frame found");
        const QRect plot(left, top, 300, 300);
        int redPixels = 0, darkPixels = 0, whitePixels = 0, all = 0;
        for (int y = plot.top() + 2; y < qMin(plot.bottom(), frame.height()); ++y)
            for (int x = plot.left() + 2; x < plot.right() - 2; ++x, ++all) {
                const QColor c = frame.pixelColor(x, y);
                redPixels += red(c);
                darkPixels += dark(c);
                whitePixels += white(c);
            }
        // White ground, eight bolt discs with their numbers, the red load symbol.
        QVERIFY(whitePixels > all * 8 / 10);
        QVERIFY2(darkPixels > 8 * 20, qPrintable(QString::number(darkPixels)));
        QVERIFY2(redPixels > 30, qPrintable(QString::number(redPixels)));

        // The report beside it: dark text on white.
        qint64 text = 0, ground = 0, area = 0;
        for (int y = top; y < qMin(top + 300, frame.height()); ++y)
            for (int x = left + 330; x < frame.width() - 30; ++x, ++area) {
                const QColor c = frame.pixelColor(x, y);
                text += dark(c);
                ground += white(c);
            }
        QVERIFY(area > 0);
        QVERIFY2(text > area / 200, qPrintable(QString::number(text)));
        QVERIFY(ground > area / 2);
    }
};

QTEST_GUILESS_MAIN(TstSmoke)
#include "tst_smoke.moc"
