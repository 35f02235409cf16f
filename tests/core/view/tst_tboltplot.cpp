#include "helper_plot.h"
#include "view/tboltplot.h"
#include "view/tplotfont.h"

#include <QDir>
#include <QPainter>
#include <QTest>
#include <functional>

namespace {

const QRgb White = qRgb(255, 255, 255) & 0xFFFFFF;
const QRgb Black = 0;
const QRgb Red = qRgb(255, 0, 0) & 0xFFFFFF;

const QRect AngleBoxes[3] = {QRect(200, 338, 97, 19), QRect(200, 358, 97, 19),
                             QRect(200, 378, 97, 19)};

// A host whose event points run a given action, as a window's pending events would.
class TEventHost : public TRecordingHost {
public:
    std::function<void()> Events;
    void ProcessEvents() override {
        TRecordingHost::ProcessEvents();
        if (Events)
            Events();
    }
};

void AddBracket(TPlotFixture& f) {
    f.AddBolt(0, -60, 40);
    f.AddBolt(0, 60, 40);
    f.AddBolt(0, -60, 160);
    f.AddBolt(0, 60, 160);
    f.AddBolt(80, -60, 0);
    f.AddBolt(80, 60, 0);
    f.SetLoad(150, 0, 120, 2500, 1500, -5000);
}

void AddRing(TPlotFixture& f) {
    for (int k = 0; k < 8; ++k)
        f.AddBolt(120 * std::cos(k * M_PI / 4), 120 * std::sin(k * M_PI / 4), k % 2 ? 0 : 20);
    f.AddBolt(0, 0, 30);
    f.SetLoad(0, 0, 50, 8000, 0, -3000);
}

// The scenes whose whole pictures are compared with stored ones.
void Scene(const QString& name, TPlotFixture& f) {
    TBoltView& v = f.Document.View;
    if (name == QLatin1String("iso-bracket")) {
        AddBracket(f);
        f.Document.SelectedBolts = {2};
    } else if (name == QLatin1String("top-ring-standard-lens")) {
        AddRing(f);
        v.SetViewingAngle(4);
        v.ChangeLens(2);
        f.Document.SelectedBolts = {0, 8};
    } else if (name == QLatin1String("front-plain-telephoto")) {
        AddBracket(f);
        v.SetViewingAngle(0);
        v.ChangeLens(3);
        v.ShowBoltLabels = false;
        v.DepthShaded = false;
        f.Document.SelectedBolts = {5};
    } else if (name == QLatin1String("load-only")) {
        f.SetLoad(100, 50, 20, 0, 0, -10);
        v.DepthShaded = false;
        v.ViewRotX = -60;
        v.ViewRotY = 10;
        v.ViewRotZ = 30;
    }
}

// Where glyphs are drawn: the bolt numbers, the triad's letters and the angle texts. Font
// versions may move glyph pixels there; everywhere else the picture must match exactly.
QImage GlyphMask(const TPlotFixture& f) {
    QImage mask(300, 400, QImage::Format_Mono);
    mask.fill(0);
    const auto mark = [&mask](const QRect& r) {
        const QRect c = r.intersected(mask.rect());
        for (int y = c.top(); y <= c.bottom(); ++y)
            for (int x = c.left(); x <= c.right(); ++x)
                mask.setPixel(x, y, 1);
    };
    for (const QRect& r : AngleBoxes)
        mark(r);
    const auto triad = TBoltProjection::AxisTriad(f.Document.View.ViewMatrix());
    for (int tip : {1, 6, 11})
        mark(QRect(int(triad[size_t(tip)].x() + 5), int(triad[size_t(tip)].y() - 5), 12, 14));
    if (f.Document.View.ShowBoltLabels)
        for (qint32 i = 0; i < f.Document.BoltCount(); ++i) {
            const TProjectedPoint& p = f.Document.ProjectedBolts.at(i);
            mark(QRect(int(p.PlotX + 5), int(p.PlotY - 5), 30, 14));
        }
    return mask;
}

QString GoldenPath(const QString& name) {
    return QStringLiteral(FASTENEX_TEST_DATA "/plot/") + name + QStringLiteral(".png");
}

} // namespace

class TstTBoltPlot : public QObject {
    Q_OBJECT

private slots:
    void PlotFontIsArial8Points() {
        QImage image(10, 10, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setFont(TPlotFont::Font());
        QCOMPARE(painter.font().pixelSize(), 11);
        QVERIFY(painter.fontInfo().family().contains(QLatin1String("Liberation Sans")) ||
                painter.fontInfo().family().contains(QLatin1String("Arial")));
    }

    // A new, empty window: the frame, the triad, its letters and the three angle texts.
    void EmptyView() {
        TPlotFixture f;
        f.Document.PlotBolts();
        const QImage& p = f.Picture();
        QCOMPARE(f.Host.Information,
                 (QStringList{"Plotting Bolts", "Plotting Bolts Complete"}));
        QCOMPARE(f.Host.CursorDepth, 0);
        QCOMPARE(f.Host.MaxCursorDepth, 1);
        QVERIFY(!f.Buffers.Busy);
        QVERIFY(f.Document.View.PlotComplete);
        QVERIFY(f.Document.ProjectedBolts.isEmpty());

        // Frame: the rectangle (0, 0)-(299, 399) without its right column and bottom row.
        for (QPoint corner : {QPoint(0, 0), QPoint(298, 0), QPoint(0, 398), QPoint(298, 398),
                              QPoint(150, 0), QPoint(0, 200), QPoint(298, 200), QPoint(150, 398)})
            QCOMPARE(Rgb(p, corner), Black);
        QCOMPARE(CountOtherThan(p, QRect(299, 0, 1, 400), White), 0);
        QCOMPARE(CountOtherThan(p, QRect(0, 399, 300, 1), White), 0);
        // Nothing in the plot area.
        QCOMPARE(CountOtherThan(p, QRect(1, 1, 297, 300), White), 0);

        // The angle texts, each inside its box, starting right of the box's first column.
        for (const QRect& box : AngleBoxes) {
            QVERIFY(CountOf(p, box, Black) > 20);
            QCOMPARE(CountOtherThan(p, QRect(box.left(), box.top(), 1, box.height()), White), 0);
        }
        // "Rot X = -45" is longer than "Rot Y = 0".
        QVERIFY(CountOf(p, AngleBoxes[0], Black) > CountOf(p, AngleBoxes[1], Black));

        // The triad from its origin, and a letter beside each axis tip.
        const auto t = TBoltProjection::AxisTriad(f.Document.View.ViewMatrix());
        QCOMPARE(Rgb(p, int(t[0].x()), int(t[0].y())), Black);
        for (int tip : {1, 6, 11}) {
            QCOMPARE(Rgb(p, int(t[size_t(tip)].x()), int(t[size_t(tip)].y())), Black);
            QVERIFY(CountOf(p, QRect(int(t[size_t(tip)].x() + 5), int(t[size_t(tip)].y() - 5), 9,
                                     12),
                            Black) > 3);
        }
    }

    void AngleTextsFollowTheView() {
        TPlotFixture f;
        f.Document.PlotBolts();
        const QImage iso = f.Picture().copy(AngleBoxes[2]);
        f.Document.View.SetViewingAngle(4);
        f.Document.PlotBolts();
        QVERIFY(f.Picture().copy(AngleBoxes[2]) != iso);
        QCOMPARE(f.Picture().copy(AngleBoxes[1]), f.Picture().copy(AngleBoxes[1]));
    }

    // Without shading and selection every bolt is a black disc of radius 3 inside a black ring
    // of radius 5; the number stands to its upper right when labels are on.
    void BlackDiscsAndRings_data() {
        QTest::addColumn<bool>("labels");
        QTest::newRow("labels") << true;
        QTest::newRow("no labels") << false;
    }
    void BlackDiscsAndRings() {
        QFETCH(bool, labels);
        TPlotFixture f;
        f.AddBolt(0, 0, 0);
        f.AddBolt(100, 0, 7);
        f.Document.View.SetViewingAngle(4);
        f.Document.View.DepthShaded = false;
        f.Document.View.ShowBoltLabels = labels;
        f.Document.PlotBolts();
        const QImage& p = f.Picture();
        QCOMPARE(f.BoltPixel(0), QPoint(10, 155));
        QCOMPARE(f.BoltPixel(1), QPoint(275, 155));
        for (qint32 i = 0; i < 2; ++i) {
            const QPoint c = f.BoltPixel(i);
            const int x = c.x(), y = c.y();
            // Disc: the box (x - 3, y - 3)-(x + 3, y + 3) without its last column and row.
            QCOMPARE(Rgb(p, x, y), Black);
            QCOMPARE(Rgb(p, x - 3, y), Black);
            QCOMPARE(Rgb(p, x + 2, y), Black);
            QCOMPARE(Rgb(p, x, y + 2), Black);
            QCOMPARE(Rgb(p, x - 4, y), White);
            QCOMPARE(Rgb(p, x + 3, y), White);
            QCOMPARE(Rgb(p, x, y + 3), White);
            // Ring: the box (x - 5, y - 5)-(x + 5, y + 5) likewise.
            QCOMPARE(Rgb(p, x - 5, y), Black);
            QCOMPARE(Rgb(p, x + 4, y), Black);
            QCOMPARE(Rgb(p, x, y - 5), Black);
            QCOMPARE(Rgb(p, x, y + 4), Black);
            QCOMPARE(Rgb(p, x, y + 5), White);
            QCOMPARE(Rgb(p, x - 6, y), White);
            const int number = CountOf(p, QRect(x + 5, y - 5, 14, 12), Black);
            QVERIFY2(labels ? number > 5 : number == 0, qPrintable(QString::number(number)));
        }
        // Colours other than black and white appear nowhere in the plot area.
        QCOMPARE(CountOtherThan(p, QRect(1, 1, 297, 300), White),
                 CountOf(p, QRect(1, 1, 297, 300), Black));
    }

    void LabelIsTheNumberAndASpace() {
        // "10 " is wider than "1 ": its white background covers more, and its glyphs reach
        // further right than those of bolt 1.
        TPlotFixture f;
        for (int i = 0; i < 10; ++i)
            f.AddBolt(i * 20, (i % 2) * 100, 0);
        f.Document.View.SetViewingAngle(4);
        f.Document.View.DepthShaded = false;
        f.Document.PlotBolts();
        const auto rightmostInk = [&](qint32 index) {
            const QPoint c = f.BoltPixel(index);
            int right = 0;
            for (int x = c.x() + 5; x < c.x() + 30 && x < 299; ++x)
                if (CountOf(f.Picture(), QRect(x, c.y() - 5, 1, 12), Black) > 0)
                    right = x - c.x();
            return right;
        };
        QVERIFY(rightmostInk(9) > rightmostInk(0) + 3);
    }

    void SelectedRedFarPinkAndGreyByDepth() {
        TPlotFixture f;
        f.AddBolt(0, 0, 0);     // selected, farthest
        f.AddBolt(100, 0, 10);  // selected, nearest
        f.AddBolt(50, 50, 5);   // half way
        f.Document.SelectedBolts = {1, 0};
        f.Document.View.SetViewingAngle(4);
        f.Document.View.ShowBoltLabels = false;
        f.Document.PlotBolts();
        const QImage& p = f.Picture();
        QCOMPARE(Rgb(p, f.BoltPixel(0)), Colour(255, 128, 128));
        QCOMPARE(Rgb(p, f.BoltPixel(1)), Red);
        QCOMPARE(Rgb(p, f.BoltPixel(2)), Colour(64, 64, 64));
        QCOMPARE(Rgb(p, f.BoltPixel(0) - QPoint(5, 0)), Colour(255, 128, 128));
        QCOMPARE(Rgb(p, f.BoltPixel(2) - QPoint(5, 0)), Colour(64, 64, 64));
    }

    void OneDepthIsGrey128() {
        TPlotFixture f;
        f.AddBolt(0, 0, 2);
        f.AddBolt(100, 0, 2);
        f.AddBolt(50, 80, 2);
        f.Document.SelectedBolts = {2};
        f.Document.View.SetViewingAngle(4);
        f.Document.PlotBolts();
        const QImage& p = f.Picture();
        QCOMPARE(Rgb(p, f.BoltPixel(0)), Colour(128, 128, 128));
        QCOMPARE(Rgb(p, f.BoltPixel(1)), Colour(128, 128, 128));
        QCOMPARE(Rgb(p, f.BoltPixel(2)), Colour(255, 128, 128));
    }

    // A load (0, 0, 10) at the group's centre, seen from the front: a red arrow upwards, a red
    // cross of the same size on the load point and a red ring of radius 8 around it.
    void RedLoadArrowCrossAndRing() {
        TPlotFixture f;
        f.AddBolt(0, 0, 0);
        f.AddBolt(100, 0, 0);
        f.AddBolt(0, 100, 0);
        f.AddBolt(100, 100, 0);
        f.SetLoad(50, 50, 0, 0, 0, 10);
        f.Document.View.SetViewingAngle(0);
        f.Document.View.DepthShaded = false;
        f.Document.View.ShowBoltLabels = false;
        f.Document.PlotBolts();
        QVERIFY(f.Document.LoadApplied);
        QCOMPARE(f.Document.ProjectedBolts.size(), 4 + 12);
        const TProjectedPoint& l = f.Document.ProjectedBolts.at(4);
        QCOMPARE(l.PlotX, 142.5);
        QCOMPARE(l.PlotY, 168.25);
        const QImage& p = f.Picture();
        // Shaft from the load point up to the tip at y = 115.25, one fifth of the scene (20
        // of 100) at 2.65 pixels a unit.
        for (int y = 120; y <= 160; y += 5)
            QCOMPARE(Rgb(p, 142, y), Red);
        QVERIFY(CountOf(p, QRect(138, 110, 9, 8), Red) > 0);
        QCOMPARE(CountOf(p, QRect(100, 100, 100, 9), Red), 0);
        // The cross: X arm from 116 to 169 on the load point's row, Z arm down to 194.
        QCOMPARE(Rgb(p, 117, 168), Red);
        QCOMPARE(Rgb(p, 168, 168), Red);
        QCOMPARE(Rgb(p, 142, 193), Red);
        QCOMPARE(CountOf(p, QRect(100, 196, 100, 100), Red), 0);
        // The ring: the box (134, 160)-(150, 176) without its last column and row.
        QCOMPARE(Rgb(p, 134, 166), Red);
        QCOMPARE(Rgb(p, 149, 166), Red);
        QCOMPARE(Rgb(p, 133, 166), White);
        QCOMPARE(Rgb(p, 150, 166), White);
        // The bolts stay black.
        QCOMPARE(Rgb(p, f.BoltPixel(0)), Black);
    }

    // "Top": a bolt with larger Z is drawn over one with smaller Z at the same place, whichever
    // comes first in the list.
    void TopDrawsNearerBoltOnTop_data() {
        QTest::addColumn<bool>("nearerFirst");
        QTest::newRow("nearer listed first") << true;
        QTest::newRow("nearer listed last") << false;
    }
    void TopDrawsNearerBoltOnTop() {
        QFETCH(bool, nearerFirst);
        TPlotFixture f;
        f.AddBolt(0, 0, nearerFirst ? 5 : 0);
        f.AddBolt(0, 0, nearerFirst ? 0 : 5);
        f.AddBolt(100, 100, 0);
        f.Document.SelectedBolts = {nearerFirst ? 0 : 1};
        f.Document.View.SetViewingAngle(4);
        f.Document.View.DepthShaded = false;
        f.Document.PlotBolts();
        QCOMPARE(Rgb(f.Picture(), f.BoltPixel(0)), Red);
    }

    void EqualDepthsKeepListOrder_data() {
        QTest::addColumn<qint32>("selected");
        QTest::addColumn<QRgb>("onTop");
        QTest::newRow("first selected: the second, black, on top") << 0 << Black;
        QTest::newRow("second selected: red on top") << 1 << Red;
    }
    void EqualDepthsKeepListOrder() {
        QFETCH(qint32, selected);
        QFETCH(QRgb, onTop);
        TPlotFixture f;
        f.AddBolt(0, 0, 0);
        f.AddBolt(0, 0, 0);
        f.AddBolt(100, 100, 0);
        f.Document.SelectedBolts = {selected};
        f.Document.View.SetViewingAngle(4);
        f.Document.View.DepthShaded = false;
        f.Document.PlotBolts();
        QCOMPARE(f.Document.ProjectedBolts.at(0).BoltIndex, 0);
        QCOMPARE(f.Document.ProjectedBolts.at(1).BoltIndex, 1);
        QCOMPARE(Rgb(f.Picture(), f.BoltPixel(0)), onTop);
    }

    void FitOfGroupWithOneX() {
        TPlotFixture f;
        f.AddBolt(3, 0, 0);
        f.AddBolt(3, 100, 0);
        f.Document.View.SetViewingAngle(4);
        f.Document.View.DepthShaded = false;
        f.Document.PlotBolts();
        QCOMPARE(f.BoltPixel(0), QPoint(142, 290));
        QCOMPARE(f.BoltPixel(1), QPoint(142, 20));
        QCOMPARE(Rgb(f.Picture(), 142, 290), Black);
        QCOMPARE(Rgb(f.Picture(), 142, 20), Black);
    }

    // A view that cannot be formed stops the plot before any painting; the picture keeps its
    // previous content and the cursor and Busy are restored.
    void AbortKeepsPreviousPicture_data() {
        QTest::addColumn<int>("scene");
        QTest::addColumn<int>("lens");
        QTest::addColumn<bool>("shaded");
        QTest::newRow("one bolt, wide angle") << 0 << 1 << false;
        QTest::newRow("one bolt, telephoto") << 0 << 3 << true;
        QTest::newRow("flat group face-on, standard") << 1 << 2 << true;
        QTest::newRow("load without bolts, lens") << 2 << 1 << false;
        QTest::newRow("load without bolts, depth shading") << 2 << 0 << true;
    }
    void AbortKeepsPreviousPicture() {
        QFETCH(int, scene);
        QFETCH(int, lens);
        QFETCH(bool, shaded);
        TPlotFixture f;
        if (scene == 0)
            f.AddBolt(10, 20, 30);
        if (scene == 1) {
            f.AddBolt(0, 0, 0);
            f.AddBolt(50, 0, 0);
            f.AddBolt(0, 50, 0);
        }
        if (scene == 2)
            f.SetLoad(10, 10, 10, 0, 5, 0);
        TBoltView& v = f.Document.View;
        v.SetViewingAngle(4);
        v.DepthShaded = false;
        f.Document.PlotBolts();
        QVERIFY(v.PlotComplete);
        const QImage before = f.Picture();

        v.ChangeLens(lens);
        v.DepthShaded = shaded;
        f.Buffers.Busy = false;
        f.Document.PlotBolts();
        QCOMPARE(f.LastInformation(), QStringLiteral("Plotting Bolts Aborted"));
        QVERIFY(!v.PlotComplete);
        QCOMPARE(f.Picture(), before);
        QCOMPARE(f.Host.CursorDepth, 0);
        QVERIFY(!f.Buffers.Busy);
        QCOMPARE(f.Document.LoadApplied, scene == 2);
        // One entry per bolt stays for the selection code, the load symbol after them.
        QCOMPARE(f.Document.ProjectedBolts.size(),
                 f.Document.BoltCount() + (scene == 2 ? 18 : 0));
    }

    // A stop after the group changed leaves no picture of the earlier group.
    void AbortForAnotherGroupClearsThePicture() {
        TPlotFixture f;
        f.AddBolt(10, 20, 30);
        f.AddBolt(50, 0, 0);
        f.AddBolt(0, 50, 10);
        TBoltView& v = f.Document.View;
        v.SetViewingAngle(4);
        v.DepthShaded = false;
        v.ChangeLens(1);
        f.Document.PlotBolts();
        QVERIFY(v.PlotComplete);
        f.Document.Bolts.resize(1);
        f.Document.PlotBolts();
        QVERIFY(!v.PlotComplete);
        QImage white(f.Picture().size(), f.Picture().format());
        white.fill(Qt::white);
        QCOMPARE(f.Picture(), white);
    }

    void LoadWithoutBoltsDrawsOriginCross() {
        TPlotFixture f;
        f.SetLoad(100, 50, 0, 10, 0, 0);
        f.Document.View.SetViewingAngle(4);
        f.Document.View.DepthShaded = false;
        f.Document.PlotBolts();
        QCOMPARE(f.LastInformation(), QStringLiteral("Plotting Bolts Complete"));
        QCOMPARE(f.Document.ProjectedBolts.size(), 18);
        const TProjectedPoint& origin12 = f.Document.ProjectedBolts.at(12);
        const TProjectedPoint& origin13 = f.Document.ProjectedBolts.at(13);
        const int y = int(origin12.PlotY);
        const int midX = int((origin12.PlotX + origin13.PlotX) / 2);
        QCOMPARE(Rgb(f.Picture(), midX, y), Black);
        QVERIFY(CountOf(f.Picture(), QRect(1, 1, 297, 300), Red) > 20);
    }

    void BusyWhilePlottingAndRestoredAfter() {
        TEventHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument document(buffers);
        document.Bolts.resize(250);
        QList<bool> busy;
        host.Events = [&] { busy.append(buffers.Busy); };
        buffers.Busy = true; // a longer operation around the plot keeps its flag
        document.PlotBolts();
        QVERIFY(buffers.Busy);
        buffers.Busy = false;
        document.PlotBolts();
        QVERIFY(!buffers.Busy);
        QVERIFY(busy.size() >= 6); // every 100 bolts in projection and painting
        QVERIFY(!busy.contains(false));
    }

    // Events let run in the middle of a plot may ask for another plot and change the model; the
    // running plot finishes on its own copy and the asked-for plot follows at once.
    void PlotAskedForDuringPlotFollows() {
        TEventHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument document(buffers);
        for (int i = 0; i < 300; ++i) {
            TBolt b;
            b.X = i;
            b.Z = i % 7;
            document.Bolts.append(b);
        }
        int calls = 0;
        host.Events = [&] {
            if (++calls == 2) {
                document.Bolts.resize(3);
                document.SelectedBolts = {2};
                document.PlotBolts();
            }
        };
        document.PlotBolts();
        QCOMPARE(host.Information.count(QStringLiteral("Plotting Bolts Complete")), 2);
        QCOMPARE(document.ProjectedBolts.size(), 3);
        QVERIFY(!document.View.PlotRunning);
        QVERIFY(!buffers.Busy);
        QCOMPARE(host.CursorDepth, 0);
    }

    // Whole pictures against stored ones: exact except where glyphs are drawn.
    void GoldenPictures_data() {
        QTest::addColumn<QString>("name");
        for (const char* name :
             {"iso-bracket", "top-ring-standard-lens", "front-plain-telephoto", "load-only"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void GoldenPictures() {
        QFETCH(QString, name);
        TPlotFixture f;
        Scene(name, f);
        f.Document.PlotBolts();
        QCOMPARE(f.LastInformation(), QStringLiteral("Plotting Bolts Complete"));
        if (qEnvironmentVariableIsSet("FASTENEX_UPDATE_GOLDEN")) {
            QDir().mkpath(QStringLiteral(FASTENEX_TEST_DATA "/plot"));
            QVERIFY(f.Picture().save(GoldenPath(name), "PNG"));
            QSKIP("golden picture written");
        }
        const QImage golden = QImage(GoldenPath(name)).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!golden.isNull(), qPrintable(GoldenPath(name)));
        QCOMPARE(golden.size(), f.Picture().size());
        const QImage mask = GlyphMask(f);
        int outside = 0, inside = 0, masked = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 300; ++x) {
                const bool glyph = mask.pixelIndex(x, y) == 1;
                masked += glyph;
                if (Rgb(golden, x, y) != Rgb(f.Picture(), x, y))
                    ++(glyph ? inside : outside);
            }
        QCOMPARE(outside, 0);
        QVERIFY2(inside <= masked / 5, qPrintable(QStringLiteral("%1 of %2 glyph pixels differ")
                                                       .arg(inside)
                                                       .arg(masked)));
    }
};

QTEST_MAIN(TstTBoltPlot)
#include "tst_tboltplot.moc"
