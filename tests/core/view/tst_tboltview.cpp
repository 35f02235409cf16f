#include "foundation/tplatformerror.h"
#include "helper_plot.h"
#include "view/tboltview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <QtEndian>

class TstTBoltView : public QObject {
    Q_OBJECT

private slots:
    void InitialState() {
        const TBoltView view;
        QCOMPARE(view.ViewRotX, -45.0);
        QCOMPARE(view.ViewRotY, 0.0);
        QCOMPARE(view.ViewRotZ, 45.0);
        QCOMPARE(view.ViewingAngle, qint8(6));
        QCOMPARE(view.Lens, qint8(0));
        QVERIFY(view.ShowBoltLabels);
        QVERIFY(view.DepthShaded);
        QVERIFY(!view.RotatingView);
        QCOMPARE(view.DragAnchor, QPoint(0, 0));
        QCOMPARE(view.Picture.size(), QSize(300, 400));
        QCOMPARE(Rgb(view.Picture, 150, 200), Colour(255, 255, 255));
    }

    void StandardViews_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("rotX");
        QTest::addColumn<double>("rotY");
        QTest::addColumn<double>("rotZ");
        QTest::newRow("front") << 0 << "Front" << -90.0 << 0.0 << 0.0;
        QTest::newRow("back") << 1 << "Back" << -90.0 << 0.0 << 180.0;
        QTest::newRow("left") << 2 << "Left" << -90.0 << 0.0 << 270.0;
        QTest::newRow("right") << 3 << "Right" << -90.0 << 0.0 << 90.0;
        QTest::newRow("top") << 4 << "Top" << 0.0 << 0.0 << 0.0;
        QTest::newRow("bottom") << 5 << "Bottom" << 180.0 << 0.0 << 0.0;
        QTest::newRow("iso 1") << 6 << "Iso 1" << -45.0 << 0.0 << 45.0;
        QTest::newRow("iso 2") << 7 << "Iso 2" << -45.0 << 0.0 << 135.0;
        QTest::newRow("iso 3") << 8 << "Iso 3" << -45.0 << 0.0 << -135.0;
        QTest::newRow("iso 4") << 9 << "Iso 4" << -45.0 << 0.0 << -45.0;
        QTest::newRow("above the table") << 11 << "" << -90.0 << 0.0 << 0.0;
        QTest::newRow("far above the table") << 100 << "" << -90.0 << 0.0 << 0.0;
    }
    void StandardViews() {
        QFETCH(int, code);
        QFETCH(QString, caption);
        QFETCH(double, rotX);
        QFETCH(double, rotY);
        QFETCH(double, rotZ);
        TBoltView view;
        view.ViewRotX = view.ViewRotY = view.ViewRotZ = 7;
        view.SetViewingAngle(code);
        QCOMPARE(view.ViewingAngle, qint8(code));
        QCOMPARE(view.ViewRotX, rotX);
        QCOMPARE(view.ViewRotY, rotY);
        QCOMPARE(view.ViewRotZ, rotZ);
        if (!caption.isEmpty())
            QCOMPARE(QString::fromLatin1(TBoltView::StandardViews()[size_t(code)].Caption),
                     caption);
    }

    void UserDefinedAsksForAngles_data() {
        QTest::addColumn<int>("answer"); // 0 nobody asked, 1 OK, 2 Cancel
        QTest::addColumn<double>("rotX");
        QTest::addColumn<double>("rotZ");
        QTest::newRow("no dialog") << 0 << -45.0 << 45.0;
        QTest::newRow("ok") << 1 << 10.0 << 30.0;
        QTest::newRow("cancel") << 2 << -45.0 << 45.0;
    }
    void UserDefinedAsksForAngles() {
        QFETCH(int, answer);
        QFETCH(double, rotX);
        QFETCH(double, rotZ);
        TBoltView view;
        int asked = 0;
        double offeredX = 0;
        if (answer != 0)
            view.AskAngles = [&](double& x, double& y, double& z) {
                ++asked;
                offeredX = x;
                x = 10;
                y = 20;
                z = 30;
                return answer == 1;
            };
        view.SetViewingAngle(TBoltView::UserDefinedView);
        QCOMPARE(view.ViewingAngle, qint8(10));
        QCOMPARE(asked, answer != 0 ? 1 : 0);
        if (answer != 0)
            QCOMPARE(offeredX, -45.0);
        QCOMPARE(view.ViewRotX, rotX);
        QCOMPARE(view.ViewRotZ, rotZ);
        QCOMPARE(view.ViewRotY, answer == 1 ? 20.0 : 0.0);
    }

    void RotationDial_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<double>("deltaX");
        QTest::addColumn<double>("deltaZ");
        QTest::newRow("3 down, 2 right") << QPoint(60, 60) << QPoint(62, 63) << 15.0 << -10.0;
        QTest::newRow("up and left") << QPoint(60, 60) << QPoint(50, 40) << -100.0 << 50.0;
        QTest::newRow("no movement") << QPoint(5, 5) << QPoint(5, 5) << 0.0 << 0.0;
    }
    void RotationDial() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(double, deltaX);
        QFETCH(double, deltaZ);
        TBoltView view;
        view.SetViewingAngle(4);
        view.Image2MouseDown(from.x(), from.y());
        QVERIFY(view.RotatingView);
        QCOMPARE(view.ViewingAngle, qint8(10));
        QVERIFY(view.Image2MouseMove(to.x(), to.y()));
        QCOMPARE(view.ViewRotX, deltaX);
        QCOMPARE(view.ViewRotY, 0.0);
        QCOMPARE(view.ViewRotZ, deltaZ);
        QCOMPARE(view.DragAnchor, to);
        // A second move counts from the last position, not from the press.
        QVERIFY(view.Image2MouseMove(to.x() + 1, to.y()));
        QCOMPARE(view.ViewRotZ, deltaZ - 5);
        view.Image2MouseUp();
        QVERIFY(!view.RotatingView);
        QVERIFY(!view.Image2MouseMove(0, 0));
        QCOMPARE(view.ViewRotZ, deltaZ - 5);
    }

    void DialAnglesAreNeverNormalised() {
        TBoltView view;
        view.Image2MouseDown(0, 0);
        for (int y = 1; y <= 100; ++y)
            view.Image2MouseMove(0, y);
        QCOMPARE(view.ViewRotX, -45.0 + 500);
    }

    void LensAndToggles() {
        TBoltView view;
        for (int lens = 0; lens < TBoltView::LensCount; ++lens) {
            view.ChangeLens(lens);
            QCOMPARE(view.Lens, qint8(lens));
        }
        QCOMPARE(TBoltView::LensCaption(3), QStringLiteral("Telephoto Lens"));
        view.ChangeBoltLabels();
        view.ChangeDepthShading();
        QVERIFY(!view.ShowBoltLabels);
        QVERIFY(!view.DepthShaded);
        view.ChangeBoltLabels();
        view.ChangeDepthShading();
        QVERIFY(view.ShowBoltLabels);
        QVERIFY(view.DepthShaded);
    }

    // A 24-bit bitmap whatever the extension, through the document, which tells it.
    void SavePictureWritesBitmap_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("bmp") << "Plate.bmp";
        QTest::newRow("emf") << "Plate.emf";
        QTest::newRow("no extension") << "Plate";
    }
    void SavePictureWritesBitmap() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        TPlotFixture f;
        f.AddBolt(0, 0, 0);
        f.AddBolt(100, 50, 0);
        f.Document.PlotBolts();
        const QString path = dir.filePath(name);
        f.Document.SavePicture(path);
        QCOMPARE(f.LastInformation(), QStringLiteral("Picture File Saved"));
        QVERIFY(f.Document.ImageFileName.isEmpty());

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
        const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
        const auto s32 = [&](int at) { return qFromLittleEndian<qint32>(bytes.constData() + at); };
        QCOMPARE(bytes.size(), 54 + 300 * 3 * 400);
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(u32(2), quint32(bytes.size()));
        QCOMPARE(u32(10), 54u);  // pixel data offset
        QCOMPARE(u32(14), 40u);  // info header size
        QCOMPARE(s32(18), 300);  // width
        QCOMPARE(s32(22), 400);  // height, rows bottom up
        QCOMPARE(u16(26), quint16(1));
        QCOMPARE(u16(28), quint16(24));
        QCOMPARE(u32(30), 0u);   // no compression
        // The top-left pixel of the picture (the black frame) is the first of the last row;
        // the picture's untouched bottom row is white. Pixels are stored blue, green, red.
        const int lastRow = 54 + 399 * 900;
        QCOMPARE(bytes.mid(lastRow, 3), QByteArray(3, '\0'));
        QCOMPARE(bytes.mid(54, 3), QByteArray(3, '\xFF'));
        const QImage back = QImage::fromData(bytes, "BMP");
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32), f.Picture());
    }

    void SavePictureToMissingFolderThrows() {
        QTemporaryDir dir;
        TPlotFixture f;
        f.Document.PlotBolts();
        const int shown = int(f.Host.Information.size());
        QVERIFY_THROWS_EXCEPTION(TPlatformError,
                                 f.Document.SavePicture(dir.filePath("no/such/folder/p.bmp")));
        QCOMPARE(int(f.Host.Information.size()), shown);
    }

    // A picture cut short by the disk (here a limit on the size of files) tells the system's
    // reason, not "Unknown error".
    void SavePictureCutShortTellsWhy() {
        QTemporaryDir dir;
        TPlotFixture f;
        f.Document.PlotBolts();
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        QString reason;
        try {
            f.Document.SavePicture(dir.filePath(QStringLiteral("p.bmp")));
        } catch (const TPlatformError& e) {
            reason = e.Text();
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY2(reason.endsWith(QStringLiteral("File too large")), qPrintable(reason));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(TstTBoltView)
#include "tst_tboltview.moc"
