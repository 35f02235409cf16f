#include "view/tbolttransforms.h"

#include <QTest>

Q_DECLARE_METATYPE(TCopyMovePage)
Q_DECLARE_METATYPE(TCopyMoveValues)
Q_DECLARE_METATYPE(TBoltTransforms::TResult)

namespace {

using TPoints = QList<TVector3>;

bool Near(const TVector3& a, const TVector3& b) {
    return std::abs(a.X - b.X) < 1e-12 && std::abs(a.Y - b.Y) < 1e-12 &&
           std::abs(a.Z - b.Z) < 1e-12;
}

// Positions of bolts 0, 1, ... must be the given points, to rounding.
void ComparePositions(const TBoltGroupModel& model, qsizetype from, const TPoints& points) {
    QCOMPARE(model.BoltCount(), from + points.size());
    for (qsizetype k = 0; k < points.size(); ++k)
        QVERIFY2(Near(TBoltTransforms::Position(model.Bolts.at(from + k)), points.at(k)),
                 qPrintable(QStringLiteral("bolt index %1").arg(from + k)));
}

} // namespace

class TstTBoltTransforms : public QObject {
    Q_OBJECT

private slots:
    // Copying one bolt: the positions appended after the existing bolts, in copy order, with the
    // source's stiffnesses and orientation and no node number.
    void CopyOneBolt_data() {
        QTest::addColumn<TCopyMovePage>("page");
        QTest::addColumn<TCopyMoveValues>("values");
        QTest::addColumn<TVector3>("source");
        QTest::addColumn<TPoints>("copies");
        const auto T = TCopyMovePage::Translate, R = TCopyMovePage::Rotate,
                   M = TCopyMovePage::Mirror, S = TCopyMovePage::Scale;
        QTest::newRow("translate 3 copies")
            << T << TCopyMoveValues{.CopyCount = 3, .CopyOffset = {10, 0, 0}} << TVector3{0, 0, 0}
            << TPoints{{10, 0, 0}, {20, 0, 0}, {30, 0, 0}};
        QTest::newRow("rotate Z 90 x3")
            << R << TCopyMoveValues{.CopyCount = 3, .RotationAxis = 2, .RotationAngle = 90}
            << TVector3{10, 0, 0} << TPoints{{0, 10, 0}, {-10, 0, 0}, {0, -10, 0}};
        QTest::newRow("rotate Z 90 x2 about (x 5, y 5)")
            << R
            << TCopyMoveValues{.CopyCount = 2,
                               .RotationAxis = 2,
                               .RotationCentre = {5, 5},
                               .RotationAngle = 90}
            << TVector3{15, 5, 2} << TPoints{{5, 15, 2}, {-5, 5, 2}};
        // About X, +Y turns towards +Z; the centre is (0, Y, Z).
        QTest::newRow("rotate X about (y 1, z 2)")
            << R
            << TCopyMoveValues{.RotationAxis = 0, .RotationCentre = {1, 2}, .RotationAngle = 90}
            << TVector3{7, 1, 5} << TPoints{{7, -2, 2}};
        // About Y, +Z turns towards +X; the centre is (X, 0, Z).
        QTest::newRow("rotate Y about (x 1, z 2)")
            << R
            << TCopyMoveValues{.RotationAxis = 1, .RotationCentre = {1, 2}, .RotationAngle = 90}
            << TVector3{1, 7, 5} << TPoints{{4, 7, 2}};
        QTest::newRow("mirror XZ") << M << TCopyMoveValues{.MirrorPlane = 1, .MirrorPosition = 1}
                                   << TVector3{3, 4, 5} << TPoints{{3, -2, 5}};
        QTest::newRow("mirror XY") << M << TCopyMoveValues{.MirrorPlane = 2, .MirrorPosition = -1}
                                   << TVector3{3, 4, 5} << TPoints{{3, 4, -7}};
        // A scale (or mirror) makes one copy whatever the copy count says.
        QTest::newRow("scale") << S
                               << TCopyMoveValues{.CopyCount = 5,
                                                  .ScaleBase = {1, 1, 1},
                                                  .ScaleFactors = {2, 3, 0}}
                               << TVector3{2, 2, 2} << TPoints{{3, 4, 1}};
    }
    void CopyOneBolt() {
        QFETCH(TCopyMovePage, page);
        QFETCH(TCopyMoveValues, values);
        QFETCH(TVector3, source);
        QFETCH(TPoints, copies);
        TBoltGroupModel model;
        const TBolt first{-1, -1, -1, 1, 1, 1, 11, 1};
        const TBolt example{source.X, source.Y, source.Z, 2, 3, 4, 42, 3};
        model.Bolts = {first, example};
        QCOMPARE(TBoltTransforms::CopiesToAdd(model, page, 1, values), copies.size());
        QCOMPARE(TBoltTransforms::CopyBolts(model, page, 1, values),
                 TBoltTransforms::TResult::Done);
        QCOMPARE(model.Bolts.at(0), first);
        QCOMPARE(model.Bolts.at(1), example);
        ComparePositions(model, 2, copies);
        for (qsizetype k = 2; k < model.Bolts.size(); ++k)
            QCOMPARE(model.Bolts.at(k), (TBolt{model.Bolts.at(k).X, model.Bolts.at(k).Y,
                                               model.Bolts.at(k).Z, 2, 3, 4, 0, 3}));
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
        const TCopyMoveValues step{.CopyCount = 2, .CopyOffset = {1, 1, 0}};
        const TCopyMoveValues huge{.ScaleFactors = {1e308, 1, 1}};
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
        model.Bolts = {TBolt{0, 0, 0, 1, 1, 1, 1}, TBolt{5, 0, 0, 1, 1, 1, 2},
                       TBolt{9, 0, 0, 1, 1, 1, 3}};
        model.SelectedBolts = selected;
        QCOMPARE(move ? TBoltTransforms::MoveBolts(model, page, values)
                      : TBoltTransforms::CopyBolts(model, page, 1, values),
                 result);
        ComparePositions(model, 0, after);
        for (qint32 i = 0; i < 3; ++i)
            QCOMPARE(model.Bolts.at(i).NodeNumber, i + 1);
        // Only a refused command keeps the selection.
        QCOMPARE(model.SelectedBolts,
                 result == TBoltTransforms::TResult::OutOfRange ? selected : QList<qint32>());
    }
};

QTEST_APPLESS_MAIN(TstTBoltTransforms)
#include "tst_tbolttransforms.moc"
