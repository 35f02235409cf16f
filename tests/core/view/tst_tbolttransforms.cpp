#include "view/tbolttransforms.h"

#include <QTest>

Q_DECLARE_METATYPE(TCopyMovePage)
Q_DECLARE_METATYPE(TCopyMoveValues)
Q_DECLARE_METATYPE(TBoltTransforms::TResult)

namespace {

using TPoints = QList<TVector3>;

TBolt Bolt(double x, double y, double z, qint32 node = 0, qint8 orientation = 0) {
    TBolt b;
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.StiffnessX = 2;
    b.StiffnessY = 3;
    b.StiffnessZ = 4;
    b.NodeNumber = node;
    b.Orientation = orientation;
    return b;
}

TCopyMoveValues Translation(double dx, double dy, double dz, qint32 copies) {
    TCopyMoveValues v;
    v.CopyOffset = {dx, dy, dz};
    v.CopyCount = copies;
    return v;
}

TCopyMoveValues Rotation(int axis, double first, double second, double angle, qint32 copies) {
    TCopyMoveValues v;
    v.RotationAxis = quint8(axis);
    v.RotationCentre[0] = first;
    v.RotationCentre[1] = second;
    v.RotationAngle = angle;
    v.CopyCount = copies;
    return v;
}

TCopyMoveValues Mirror(int plane, double position) {
    TCopyMoveValues v;
    v.MirrorPlane = quint8(plane);
    v.MirrorPosition = position;
    return v;
}

TCopyMoveValues Scale(TVector3 base, TVector3 factors) {
    TCopyMoveValues v;
    v.ScaleBase = base;
    v.ScaleFactors = factors;
    return v;
}

bool Near(const TVector3& a, const TVector3& b) {
    return std::abs(a.X - b.X) < 1e-12 && std::abs(a.Y - b.Y) < 1e-12 &&
           std::abs(a.Z - b.Z) < 1e-12;
}

} // namespace

class TstTBoltTransforms : public QObject {
    Q_OBJECT

private slots:
    // Copying one bolt: the positions appended after the existing bolts, in copy order.
    void CopyOneBolt_data() {
        QTest::addColumn<TCopyMovePage>("page");
        QTest::addColumn<TCopyMoveValues>("values");
        QTest::addColumn<TVector3>("source");
        QTest::addColumn<TPoints>("copies");
        const auto T = TCopyMovePage::Translate, R = TCopyMovePage::Rotate,
                   M = TCopyMovePage::Mirror, S = TCopyMovePage::Scale;
        QTest::newRow("translate 3 copies") << T << Translation(10, 0, 0, 3) << TVector3{0, 0, 0}
                                            << TPoints{{10, 0, 0}, {20, 0, 0}, {30, 0, 0}};
        QTest::newRow("translate zero offset")
            << T << Translation(0, 0, 0, 2) << TVector3{1, 2, 3} << TPoints{{1, 2, 3}, {1, 2, 3}};
        QTest::newRow("rotate Z 90 x3") << R << Rotation(2, 0, 0, 90, 3) << TVector3{10, 0, 0}
                                        << TPoints{{0, 10, 0}, {-10, 0, 0}, {0, -10, 0}};
        QTest::newRow("rotate Z 45 x8 about (5, 5)")
            << R << Rotation(2, 5, 5, 45, 8) << TVector3{15, 5, 2}
            << TPoints{{5 + std::sqrt(50.0), 5 + std::sqrt(50.0), 2}, {5, 15, 2},
                       {5 - std::sqrt(50.0), 5 + std::sqrt(50.0), 2}, {-5, 5, 2},
                       {5 - std::sqrt(50.0), 5 - std::sqrt(50.0), 2}, {5, -5, 2},
                       {5 + std::sqrt(50.0), 5 - std::sqrt(50.0), 2}, {15, 5, 2}};
        // About X, +Y turns towards +Z; the centre is (0, Y, Z).
        QTest::newRow("rotate X centre (y 1, z 2)")
            << R << Rotation(0, 1, 2, 90, 1) << TVector3{7, 1, 5} << TPoints{{7, -2, 2}};
        // About Y, +Z turns towards +X; the centre is (X, 0, Z).
        QTest::newRow("rotate Y centre (x 1, z 2)")
            << R << Rotation(1, 1, 2, 90, 1) << TVector3{1, 7, 5} << TPoints{{4, 7, 2}};
        QTest::newRow("mirror YZ")
            << M << Mirror(0, -1) << TVector3{3, 4, 5} << TPoints{{-5, 4, 5}};
        QTest::newRow("mirror XZ") << M << Mirror(1, 1) << TVector3{3, 4, 5} << TPoints{{3, -2, 5}};
        QTest::newRow("mirror XY") << M << Mirror(2, 0) << TVector3{3, 4, 5} << TPoints{{3, 4, -5}};
        QTest::newRow("scale") << S << Scale({1, 1, 1}, {2, 3, 0}) << TVector3{2, 2, 2}
                               << TPoints{{3, 4, 1}};
        // A mirror and a scale make one copy whatever the copy count says.
        TCopyMoveValues many = Scale({0, 0, 0}, {2, 2, 2});
        many.CopyCount = 5;
        QTest::newRow("scale ignores count")
            << S << many << TVector3{1, 1, 1} << TPoints{{2, 2, 2}};
    }
    void CopyOneBolt() {
        QFETCH(TCopyMovePage, page);
        QFETCH(TCopyMoveValues, values);
        QFETCH(TVector3, source);
        QFETCH(TPoints, copies);
        TBoltGroupModel model;
        model.Bolts = {Bolt(-1, -1, -1, 11, 1), Bolt(source.X, source.Y, source.Z, 42, 3)};
        QCOMPARE(TBoltTransforms::CopiesToAdd(model, page, 1, values), copies.size());
        TBoltTransforms::CopyBolts(model, page, 1, values);
        QCOMPARE(model.BoltCount(), 2 + copies.size());
        QCOMPARE(model.Bolts.at(0), Bolt(-1, -1, -1, 11, 1));
        QCOMPARE(model.Bolts.at(1), Bolt(source.X, source.Y, source.Z, 42, 3));
        for (qsizetype k = 0; k < copies.size(); ++k) {
            const TBolt& b = model.Bolts.at(2 + k);
            QVERIFY2(Near(TBoltTransforms::Position(b), copies.at(k)),
                     qPrintable(QString::number(k)));
            // Stiffnesses and orientation of the source, no node number.
            QCOMPARE(b.StiffnessX, 2.0);
            QCOMPARE(b.StiffnessY, 3.0);
            QCOMPARE(b.StiffnessZ, 4.0);
            QCOMPARE(b.Orientation, qint8(3));
            QCOMPARE(b.NodeNumber, 0);
        }
    }

    // Selected bolts are copied in selection order, all copies of one before the next, and the
    // selection is emptied; a move changes only the selected positions. A command whose result
    // would not be finite changes nothing.
    void Selection_data() {
        QTest::addColumn<bool>("move");
        QTest::addColumn<TCopyMovePage>("page");
        QTest::addColumn<TCopyMoveValues>("values");
        QTest::addColumn<QList<qint32>>("selected");
        QTest::addColumn<TPoints>("after");
        QTest::addColumn<TBoltTransforms::TResult>("result");
        const QList<qint32> none;
        const TPoints unchanged{{0, 0, 0}, {5, 0, 0}, {9, 0, 0}};
        using R = TBoltTransforms::TResult;
        const auto T = TCopyMovePage::Translate, S = TCopyMovePage::Scale;
        const TCopyMoveValues step = Translation(1, 1, 0, 2);
        const TCopyMoveValues huge = Scale({0, 0, 0}, {1e308, 1, 1});
        QTest::newRow("copy two selected twice")
            << false << T << step << QList<qint32>{0, 2}
            << TPoints{{0, 0, 0}, {5, 0, 0},  {9, 0, 0}, {1, 1, 0},
                       {2, 2, 0}, {10, 1, 0}, {11, 2, 0}}
            << R::Done;
        QTest::newRow("copy without selection takes the example")
            << false << T << step << none
            << TPoints{{0, 0, 0}, {5, 0, 0}, {9, 0, 0}, {6, 1, 0}, {7, 2, 0}} << R::Done;
        QTest::newRow("move selected") << true << T << step << QList<qint32>{1, 2}
                                       << TPoints{{0, 0, 0}, {6, 1, 0}, {10, 1, 0}} << R::Done;
        QTest::newRow("move without selection")
            << true << T << step << none << unchanged << R::NothingSelected;
        QTest::newRow("copy beyond the largest number")
            << false << S << huge << QList<qint32>{0, 2} << unchanged << R::OutOfRange;
        QTest::newRow("move beyond the largest number")
            << true << S << huge << QList<qint32>{0, 2} << unchanged << R::OutOfRange;
    }
    void Selection() {
        QFETCH(bool, move);
        QFETCH(TCopyMovePage, page);
        QFETCH(TCopyMoveValues, values);
        QFETCH(QList<qint32>, selected);
        QFETCH(TPoints, after);
        QFETCH(TBoltTransforms::TResult, result);
        TBoltGroupModel model;
        model.Bolts = {Bolt(0, 0, 0, 1), Bolt(5, 0, 0, 2), Bolt(9, 0, 0, 3)};
        model.SelectedBolts = selected;
        if (move)
            QCOMPARE(TBoltTransforms::MoveBolts(model, page, values), result);
        else
            QCOMPARE(TBoltTransforms::CopyBolts(model, page, 1, values), result);
        QCOMPARE(model.BoltCount(), after.size());
        for (qsizetype i = 0; i < after.size(); ++i)
            QVERIFY2(Near(TBoltTransforms::Position(model.Bolts.at(i)), after.at(i)),
                     qPrintable(QString::number(i)));
        for (qint32 i = 0; i < 3; ++i)
            QCOMPARE(model.Bolts.at(i).NodeNumber, i + 1);
        // Only a refused command keeps the selection.
        QCOMPARE(model.SelectedBolts,
                 result == TBoltTransforms::TResult::OutOfRange ? selected : QList<qint32>());
    }
};

QTEST_APPLESS_MAIN(TstTBoltTransforms)
#include "tst_tbolttransforms.moc"
