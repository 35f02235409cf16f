#include "foundation/tdocumenthost.h"
#include "foundation/tplatformerror.h"
#include "view/tboltprojection.h"
#include "view/tboltview.h"

#include <QTest>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

TBolt Bolt(double x, double y, double z) {
    TBolt b;
    b.X = x;
    b.Y = y;
    b.Z = z;
    return b;
}

TViewMatrix ViewOf(int code) {
    TBoltView view;
    view.SetViewingAngle(code);
    return view.ViewMatrix();
}

QList<TProjectedPoint> Entries(const QList<double>& depths) {
    QList<TProjectedPoint> points;
    for (qsizetype i = 0; i < depths.size(); ++i)
        points.append(TProjectedPoint{0, 0, depths[i], qint32(i), 0});
    return points;
}

QList<qint32> Order(const QList<TProjectedPoint>& points, qsizetype count) {
    QList<qint32> order;
    for (qsizetype i = 0; i < count; ++i)
        order.append(points[i].BoltIndex);
    return order;
}

TBoltProjection::TResult Project(const QList<TBolt>& bolts, const TAppliedLoad& load,
                                 int viewCode, int lens, bool shaded,
                                 const QList<qint32>& selected = {}) {
    TBoltProjection::TResult result;
    TBoltProjection::ProjectBolts(bolts, load, selected, ViewOf(viewCode), lens, shaded,
                                  TDocumentHost::Null(), result);
    return result;
}

} // namespace

class TstTBoltProjection : public QObject {
    Q_OBJECT

private slots:
    // Which way the standard views face follows from the sign pattern of the rotations.
    void ViewDirections_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<double>>("point");
        QTest::addColumn<QList<double>>("projected");
        QTest::newRow("top: x right") << 4 << QList<double>{1, 0, 0} << QList<double>{1, 0, 0};
        QTest::newRow("top: y up") << 4 << QList<double>{0, 1, 0} << QList<double>{0, 1, 0};
        QTest::newRow("top: depth z") << 4 << QList<double>{0, 0, 1} << QList<double>{0, 0, 1};
        QTest::newRow("front: x right") << 0 << QList<double>{1, 0, 0} << QList<double>{1, 0, 0};
        QTest::newRow("front: z up") << 0 << QList<double>{0, 0, 1} << QList<double>{0, 1, 0};
        QTest::newRow("front: depth -y") << 0 << QList<double>{0, 1, 0} << QList<double>{0, 0, -1};
        QTest::newRow("right: x away") << 3 << QList<double>{1, 0, 0} << QList<double>{0, 0, 1};
        QTest::newRow("bottom: y down") << 5 << QList<double>{0, 1, 0} << QList<double>{0, -1, 0};
    }
    void ViewDirections() {
        QFETCH(int, code);
        QFETCH(QList<double>, point);
        QFETCH(QList<double>, projected);
        const TVector3 p = TViewMatrix::TransformPoint(ViewOf(code), point[0], point[1], point[2]);
        QVERIFY(qAbs(p.X - projected[0]) < 1e-12);
        QVERIFY(qAbs(p.Y - projected[1]) < 1e-12);
        QVERIFY(qAbs(p.Z - projected[2]) < 1e-12);
    }

    void RotationAboutZSendsXDown() {
        const TVector3 p = TViewMatrix::TransformPoint(TViewMatrix::FromAngles(0, 0, 90), 1, 0, 0);
        QVERIFY(qAbs(p.X) < 1e-12);
        QVERIFY(qAbs(p.Y + 1) < 1e-12);
    }

    // Angles the dial reaches in 5-degree steps, where angle * pi rounded first and then divided
    // by 180 gives other matrix entries than angle times a pre-computed pi / 180.
    void RadiansRoundLikeTheWrittenProduct_data() {
        QTest::addColumn<double>("angle");
        QTest::newRow("25") << 25.0;
        QTest::newRow("-50") << -50.0;
        QTest::newRow("125") << 125.0;
        QTest::newRow("315") << 315.0;
    }
    void RadiansRoundLikeTheWrittenProduct() {
        QFETCH(double, angle);
        const double radians = angle * std::numbers::pi * (1.0 / 180.0);
        const double other = angle * (std::numbers::pi * (1.0 / 180.0));
        QVERIFY(std::cos(radians) != std::cos(other) || std::sin(radians) != std::sin(other));
        const TViewMatrix x = TViewMatrix::FromAngles(angle, 0, 0);
        QCOMPARE(x.M[1][1], std::cos(radians));
        QCOMPARE(x.M[2][1], std::sin(radians));
        const TViewMatrix z = TViewMatrix::FromAngles(0, 0, angle);
        QCOMPARE(z.M[0][0], std::cos(radians));
        QCOMPARE(z.M[0][1], std::sin(radians));
        const TViewMatrix y = TViewMatrix::FromAngles(0, angle, 0);
        QCOMPARE(y.M[0][2], std::sin(radians));
    }

    void MatrixProductOrder() {
        // (Rx * Ry) * Rz differs from Rx * (Ry * Rz) only by rounding, but from Rz * Ry * Rx.
        const TViewMatrix m = TViewMatrix::FromAngles(30, 40, 50);
        const TViewMatrix rx = TViewMatrix::FromAngles(30, 0, 0);
        const TViewMatrix ry = TViewMatrix::FromAngles(0, 40, 0);
        const TViewMatrix rz = TViewMatrix::FromAngles(0, 0, 50);
        const TViewMatrix expected =
            TViewMatrix::MultiplyMatrices(TViewMatrix::MultiplyMatrices(rx, ry), rz);
        const TViewMatrix reversed =
            TViewMatrix::MultiplyMatrices(TViewMatrix::MultiplyMatrices(rz, ry), rx);
        double differenceFromReversed = 0;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                QCOMPARE(m.M[r][c], expected.M[r][c]);
                differenceFromReversed += qAbs(m.M[r][c] - reversed.M[r][c]);
            }
        QVERIFY(differenceFromReversed > 0.1);
    }

    void DepthOrderIsStableAndAscending_data() {
        QTest::addColumn<QList<double>>("depths");
        QTest::addColumn<QList<qint32>>("order");
        QTest::newRow("sorted") << QList<double>{1, 2, 3} << QList<qint32>{0, 1, 2};
        QTest::newRow("reversed") << QList<double>{3, 2, 1} << QList<qint32>{2, 1, 0};
        QTest::newRow("equal depths keep list order")
            << QList<double>{5, 5, 5} << QList<qint32>{0, 1, 2};
        QTest::newRow("equal pairs") << QList<double>{2, 1, 2, 1} << QList<qint32>{1, 3, 0, 2};
        QTest::newRow("negative") << QList<double>{-1, -3, 0} << QList<qint32>{1, 0, 2};
    }
    void DepthOrderIsStableAndAscending() {
        QFETCH(QList<double>, depths);
        QFETCH(QList<qint32>, order);
        QList<TProjectedPoint> points = Entries(depths);
        TBoltProjection::DepthOrder(points, qint32(points.size()));
        QCOMPARE(Order(points, points.size()), order);
    }

    // Far more bolts than 500 neighbour-swap passes could order: a group listed nearest first
    // is still drawn far to near.
    void DepthOrderOfLargeGroupIsComplete() {
        QList<double> depths;
        for (int i = 0; i < 5000; ++i)
            depths.append(5000 - i);
        QList<TProjectedPoint> points = Entries(depths);
        TBoltProjection::DepthOrder(points, qint32(points.size()));
        for (qsizetype i = 1; i < points.size(); ++i)
            QVERIFY(points[i - 1].Depth <= points[i].Depth);
        QCOMPARE(points.first().BoltIndex, 4999);
        QCOMPARE(points.last().BoltIndex, 0);
    }

    void LoadSymbolEntriesAreLeftOutOfTheDepthOrder() {
        QList<TProjectedPoint> points = Entries({3, 1, -10, 9});
        TBoltProjection::DepthOrder(points, 2);
        QCOMPARE(Order(points, 4), (QList<qint32>{1, 0, 2, 3}));
    }

    void LoadSymbolAlongZ() {
        TAppliedLoad load{50, 50, 0, 0, 0, 10, 0, 0};
        const QList<TBolt> bolts{Bolt(0, 0, 0), Bolt(100, 100, 0)};
        const QList<TVector3> p = TBoltProjection::LoadSymbol(load, bolts);
        QCOMPARE(p.size(), 12);
        QCOMPARE(p[0], (TVector3{50, 50, 0}));
        QCOMPARE(p[1], (TVector3{50, 50, 20})); // a fifth of the 100 extent, along +Z
        QCOMPARE(p[2], (TVector3{48, 50, 15}));
        QCOMPARE(p[3], (TVector3{52, 50, 15}));
        QCOMPARE(p[4], (TVector3{50, 52, 15}));
        QCOMPARE(p[5], (TVector3{50, 48, 15}));
        QCOMPARE(p[6], (TVector3{40, 50, 0}));
        QCOMPARE(p[7], (TVector3{60, 50, 0}));
        QCOMPARE(p[10], (TVector3{50, 50, -10}));
        QCOMPARE(p[11], (TVector3{50, 50, 10}));
    }

    void LoadSymbolWithoutBoltsAddsOriginCross() {
        TAppliedLoad load{-20, 10, 5, 1, 0, 0, 0, 0};
        const QList<TVector3> p = TBoltProjection::LoadSymbol(load, {});
        QCOMPARE(p.size(), 18);
        // The box spans the load point and the origin: extents 20, 10, 5.
        QCOMPARE(p[1], (TVector3{-16, 10, 5}));
        QCOMPARE(p[12], (TVector3{-2, 0, 0}));
        QCOMPARE(p[17], (TVector3{0, 0, 2}));
    }

    void LoadAlongDiagonalCollapsesArrowHead() {
        TAppliedLoad load{0, 0, 0, 1, -1, 1, 0, 0};
        const QList<TVector3> p = TBoltProjection::LoadSymbol(load, {Bolt(10, 10, 10)});
        for (int k = 2; k <= 5; ++k)
            QCOMPARE(p[k], 0.75 * (p[1] - p[0]) + p[0]);
    }

    // A group whose points share one x still fits: on the centre line of the 265-pixel box.
    void FitOfGroupWithOneX() {
        const auto r = Project({Bolt(5, 0, 0), Bolt(5, 100, 0), Bolt(5, 40, 0)}, {}, 4, 0, true);
        for (const TProjectedPoint& p : r.Points)
            QVERIFY(qAbs(p.PlotX - 142.5) < 1e-3);
        QCOMPARE(r.Points[0].PlotY, 290.0);
        QCOMPARE(r.Points[1].PlotY, 20.0);
    }

    void FitScalesLongerSide() {
        // 265 wide, 100 high: x fills the box, y is centred.
        const auto r = Project({Bolt(0, 0, 0), Bolt(265, 100, 0)}, {}, 4, 0, false);
        QCOMPARE(r.Points[0].PlotX, 10.0);
        QCOMPARE(r.Points[1].PlotX, 275.0);
        QCOMPARE(r.Points[0].PlotY, 300 - (270 - 100) * 0.5 - 10);
        QCOMPARE(r.Points[1].PlotY, 300 - (270 - 100) * 0.5 - 10 - 100);
    }

    void Colours_data() {
        QTest::addColumn<bool>("shaded");
        QTest::addColumn<QList<double>>("depths");
        QTest::addColumn<QList<qint32>>("selected");
        QTest::addColumn<QList<QRgb>>("colours"); // in list order of the bolts
        QTest::newRow("shaded, far grey to near black")
            << true << QList<double>{0, 5, 10} << QList<qint32>{}
            << QList<QRgb>{qRgb(128, 128, 128), qRgb(64, 64, 64), qRgb(0, 0, 0)};
        QTest::newRow("shaded, selected far pink and near red")
            << true << QList<double>{0, 10, 5} << QList<qint32>{0, 1}
            << QList<QRgb>{qRgb(255, 128, 128), qRgb(255, 0, 0), qRgb(64, 64, 64)};
        QTest::newRow("shaded, one depth is grey 128")
            << true << QList<double>{3, 3, 3} << QList<qint32>{2}
            << QList<QRgb>{qRgb(128, 128, 128), qRgb(128, 128, 128), qRgb(255, 128, 128)};
        QTest::newRow("not shaded") << false << QList<double>{0, 5, 10} << QList<qint32>{1}
                                    << QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 0)};
        QTest::newRow("selection beyond the bolts is ignored")
            << false << QList<double>{0, 1} << QList<qint32>{-1, 2, 7}
            << QList<QRgb>{qRgb(0, 0, 0), qRgb(0, 0, 0)};
    }
    void Colours() {
        QFETCH(bool, shaded);
        QFETCH(QList<double>, depths);
        QFETCH(QList<qint32>, selected);
        QFETCH(QList<QRgb>, colours);
        QList<TBolt> bolts;
        for (double z : depths)
            bolts.append(Bolt(bolts.size() * 10.0, 0, z));
        const auto r = Project(bolts, {}, 4, 0, shaded, selected);
        QCOMPARE(r.Points.size(), bolts.size());
        for (const TProjectedPoint& p : r.Points)
            QCOMPARE(p.Colour, colours[p.BoltIndex]);
    }

    void Perspective_data() {
        QTest::addColumn<int>("lens");
        QTest::addColumn<double>("farScale"); // 1 / f for the farthest bolt
        QTest::newRow("wide angle") << 1 << 1 / 4.0;
        QTest::newRow("standard") << 2 << 1 / (1 + 2 / 3.0);
        QTest::newRow("telephoto") << 3 << 1 / (1 + 2 / 19.0);
    }
    void Perspective() {
        QFETCH(int, lens);
        QFETCH(double, farScale);
        // Top view: the far bolts (z = 0) at x = 0 and 100, the near one (z = 10) at 50.
        // Before the fit, the far bolts move towards the centre x = 50 by 1 / f with
        // f = (P - depth) / (E - P) + 1, the nearest by the factor at depth zmax.
        TBoltProjection::TResult r;
        r.Points = {TProjectedPoint{0, 0, 0, 0, 0}, TProjectedPoint{100, 0, 0, 1, 0},
                    TProjectedPoint{50, 100, 10, 2, 0}};
        r.BoltCount = 3;
        TBoltProjection::ApplyPerspective(r.Points, 3, lens);
        QVERIFY(qAbs(r.Points[0].PlotX - (50 - 50 * farScale)) < 1e-9);
        QVERIFY(qAbs(r.Points[1].PlotX - (50 + 50 * farScale)) < 1e-9);
        QCOMPARE(r.Points[2].Depth, 10.0);
    }

    void PerspectiveCannotBeFormed_data() {
        QTest::addColumn<QList<double>>("depths");
        QTest::addColumn<qint32>("boltCount");
        QTest::addColumn<int>("lens");
        QTest::newRow("one bolt, wide angle") << QList<double>{4} << 1 << 1;
        QTest::newRow("flat group face-on, standard") << QList<double>{0, 0, 0} << 3 << 2;
        QTest::newRow("flat group face-on, telephoto") << QList<double>{2, 2} << 2 << 3;
        QTest::newRow("load without bolts") << QList<double>{1, 2, 3} << 0 << 1;
    }
    void PerspectiveCannotBeFormed() {
        QFETCH(QList<double>, depths);
        QFETCH(qint32, boltCount);
        QFETCH(int, lens);
        QList<TProjectedPoint> points = Entries(depths);
        bool thrown = false;
        try {
            TBoltProjection::ApplyPerspective(points, boltCount, lens);
        } catch (const std::exception&) {
            thrown = true;
        }
        QVERIFY(thrown);
    }

    void ShadingWithoutBoltEntriesFails() {
        QList<TProjectedPoint> points = Entries({1, 2});
        QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                                 TBoltProjection::ShadeBolts(points, 0, true, {}));
        TBoltProjection::ShadeBolts(points, 0, false, {});
    }

    void HugeCoordinatesAreRefused() {
        QVERIFY_THROWS_EXCEPTION(
            TPlatformError, Project({Bolt(1e308, 1e308, 0), Bolt(-1e308, 0, 0)}, {}, 6, 0, true));
        QVERIFY_THROWS_EXCEPTION(TPlatformError, TBoltProjection::Truncate(qQNaN()));
        QVERIFY_THROWS_EXCEPTION(TPlatformError, TBoltProjection::Truncate(3e9));
        QCOMPARE(TBoltProjection::Truncate(-2.7), -2);
        QCOMPARE(TBoltProjection::Truncate(2.7), 2);
    }

    void AxisTriadFitsItsBox() {
        const auto t = TBoltProjection::AxisTriad(ViewOf(4));
        // Top view: x and y both span -0.1 to 1 (the arrow heads reach below 0), fitted to 70
        // pixels; X to the right, Y up.
        const double origin = 0.1 * 70 / 1.1 + 10.1;
        QCOMPARE(t[0], QPointF(origin, 400 - origin));
        QCOMPARE(t[1], QPointF(80.1, 400 - origin));
        QCOMPARE(t[6], QPointF(origin, 319.9));
    }
};

QTEST_APPLESS_MAIN(TstTBoltProjection)
#include "tst_tboltprojection.moc"
