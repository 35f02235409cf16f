#include "analysis/tactualloadanalysis.h"
#include "analysis/tunitloadanalysis.h"
#include "foundation/tplatformerror.h"
#include "helper_rigidbody.h"

#include <QTest>
#include <cmath>
#include <random>

namespace {

TBolt Bolt(double x, double y, double z, double kx = 1, double ky = 1, double kz = 1) {
    TBolt b;
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.StiffnessX = kx;
    b.StiffnessY = ky;
    b.StiffnessZ = kz;
    return b;
}

TAppliedLoad LoadAt(double x, double y, double z, double fx = 0, double fy = 1, double fz = 0) {
    TAppliedLoad l;
    l.X = x;
    l.Y = y;
    l.Z = z;
    l.FX = fx;
    l.FY = fy;
    l.FZ = fz;
    return l;
}

// Four bolts of stiffness 1 at y, z = +-1 in the plane x = 0.
QList<TBolt> FourBolts() {
    return {Bolt(0, -1, -1), Bolt(0, 1, -1), Bolt(0, 1, 1), Bolt(0, -1, 1)};
}

// A group whose bolts do not share the centroids of the three planes: it needs balancing.
QList<TBolt> BalancingGroup() {
    return {Bolt(0, 0, 0), Bolt(0, 100, 0), Bolt(0, 0, 50), Bolt(5, 20, 30, 2, 1, 3)};
}
const TAppliedLoad BalancingLoad = LoadAt(10, 20, 5);

// A strongly coupled three-bolt group whose stepwise balance does not converge in 200 steps.
QList<TBolt> NonConvergingGroup() {
    return {Bolt(-14, 5, 88, 5, 4, 8), Bolt(25, 69, 93, 1, 1, 7), Bolt(59, 94, -46, 8, 4, 1)};
}
const TAppliedLoad NonConvergingLoad = LoadAt(25, -47, 82);

QList<TBoltUnitLoads> Analyse(const QList<TBolt>& bolts, const TAppliedLoad& load,
                              TUnitLoadWorkings& w, int steps = TUnitLoadAnalysis::MaxBalanceSteps) {
    return TUnitLoadAnalysis::Calculate(bolts, load, w, TDocumentHost::Null(), steps);
}

class TCountingHost : public TDocumentHost {
public:
    int EventPoints = 0;
    void ProcessEvents() override { ++EventPoints; }
};

} // namespace

Q_DECLARE_METATYPE(TBolt)
Q_DECLARE_METATYPE(TAppliedLoad)

class TstTUnitLoadAnalysis : public QObject {
    Q_OBJECT

private slots:
    void FourBoltGroup_data() {
        QTest::addColumn<double>("loadX");
        QTest::newRow("load at the origin") << 0.0;
        QTest::newRow("load at (10, 0, 0)") << 10.0;
    }
    void FourBoltGroup() {
        QFETCH(double, loadX);
        TUnitLoadWorkings w;
        const QList<TBolt> bolts = FourBolts();
        const QList<TBoltUnitLoads> u = Analyse(bolts, LoadAt(loadX, 0, 0), w);
        QCOMPARE(u.size(), 4);
        QCOMPARE(w.BalanceIterations, 1);
        QCOMPARE(w.BalanceOutcome, TBalanceOutcome::NotNeeded);
        for (double r : w.ResidualMoments)
            QCOMPARE(r, 0.0);
        for (int i = 0; i < 4; ++i) {
            const TBoltUnitLoads& b = u[i];
            for (double own : {b.XDueToFX, b.YDueToFY, b.ZDueToFZ})
                QCOMPARE(own, 0.25);
            // A load in Y or Z acting 10 away along X twists the group about Z or Y.
            const double xDueToFY = loadX == 0 ? 0 : -2.5 * bolts[i].Y;
            const double xDueToFZ = loadX == 0 ? 0 : -2.5 * bolts[i].Z;
            QCOMPARE(b.XDueToFY + 1, xDueToFY + 1);
            QCOMPARE(b.XDueToFZ + 1, xDueToFZ + 1);
            for (double other : {b.YDueToFX, b.ZDueToFX, b.ZDueToFY, b.YDueToFZ})
                QCOMPARE(other + 1, 1.0);
        }
    }

    void SumsAreOneAndZero_data() {
        QTest::addColumn<QList<TBolt>>("bolts");
        QTest::addColumn<TAppliedLoad>("load");
        QTest::newRow("four bolts") << FourBolts() << LoadAt(10, 3, -7);
        QTest::newRow("needs balancing") << BalancingGroup() << BalancingLoad;
        QTest::newRow("completed directly") << NonConvergingGroup() << NonConvergingLoad;
        QTest::newRow("flat plate") << QList<TBolt>{Bolt(0, 0, 0), Bolt(75, 0, 0), Bolt(0, 90, 0),
                                                     Bolt(75, 90, 0, 3, 3, 3)}
                                    << LoadAt(112.5, 150, 0);
        QTest::newRow("negative stiffness") << QList<TBolt>{Bolt(0, 0, 0, 2, 2, 2),
                                                            Bolt(10, 0, 0), Bolt(0, 10, 0),
                                                            Bolt(0, 0, 10, -0.5, -0.5, -0.5)}
                                            << LoadAt(3, 4, 5);
    }
    void SumsAreOneAndZero() {
        QFETCH(QList<TBolt>, bolts);
        QFETCH(TAppliedLoad, load);
        TUnitLoadWorkings w;
        const QList<TBoltUnitLoads> u = Analyse(bolts, load, w);
        const TBoltUnitLoads& s = w.UnitLoadSums;
        for (double one : {s.XDueToFX, s.YDueToFY, s.ZDueToFZ})
            QVERIFY2(std::fabs(one - 1) < 1e-9, qPrintable(QString::number(one, 'g', 17)));
        for (double zero : {s.YDueToFX, s.ZDueToFX, s.XDueToFY, s.ZDueToFY, s.XDueToFZ, s.YDueToFZ})
            QVERIFY2(std::fabs(zero) < 1e-9, qPrintable(QString::number(zero, 'g', 17)));
        // The sums are those of the loads as listed.
        double xx = 0;
        for (const TBoltUnitLoads& b : u)
            xx += b.XDueToFX;
        QCOMPARE(s.XDueToFX, xx);
    }

    void BalancingConverges() {
        TUnitLoadWorkings w;
        const QList<TBoltUnitLoads> u = Analyse(BalancingGroup(), BalancingLoad, w);
        QCOMPARE(w.BalanceOutcome, TBalanceOutcome::Converged);
        QVERIFY2(w.BalanceIterations > 2 && w.BalanceIterations < 100,
                 qPrintable(QString::number(w.BalanceIterations)));
        for (double r : w.ResidualMoments)
            QVERIFY(std::fabs(r) <= TUnitLoadAnalysis::ConvergenceTolerance);
        QVERIFY(std::any_of(w.ResidualMoments.begin(), w.ResidualMoments.end(),
                            [](double r) { return r != 0; }));
        // The balanced loads are those of a rigid plate on the bolts' springs.
        QVERIFY(RelativeDifference(u, RigidBodyUnitLoads(BalancingGroup(), BalancingLoad)) < 1e-5);
    }

    // When the steps run out, the balance is completed by solving it directly; the result is the
    // limit of the steps, that is the rigid-plate solution, and the residuals vanish.
    void NonConvergenceIsCompletedDirectly() {
        TUnitLoadWorkings w;
        const QList<TBoltUnitLoads> u = Analyse(NonConvergingGroup(), NonConvergingLoad, w);
        QCOMPARE(w.BalanceOutcome, TBalanceOutcome::DirectSolution);
        QCOMPARE(w.BalanceIterations, 200);
        for (double r : w.ResidualMoments)
            QVERIFY2(std::fabs(r) < 1e-9, qPrintable(QString::number(r)));
        QVERIFY(RelativeDifference(u, RigidBodyUnitLoads(NonConvergingGroup(), NonConvergingLoad)) <
                1e-9);
    }

    void DirectCompletionMatchesTheConvergedBalance() {
        TUnitLoadWorkings converged;
        const QList<TBoltUnitLoads> a = Analyse(BalancingGroup(), BalancingLoad, converged);
        TUnitLoadWorkings completed;
        const QList<TBoltUnitLoads> b = Analyse(BalancingGroup(), BalancingLoad, completed, 3);
        QCOMPARE(completed.BalanceOutcome, TBalanceOutcome::DirectSolution);
        QCOMPARE(completed.BalanceIterations, 3);
        QVERIFY(RelativeDifference(b, a) < 1e-5);
    }

    // Random groups of three to eight bolts with positive stiffnesses: every analysis, balanced
    // stepwise or completed directly, agrees with the rigid-plate solution.
    void AgreesWithTheRigidPlateSolution() {
        std::mt19937 rng(11);
        std::uniform_real_distribution<double> position(-100, 100);
        std::uniform_real_distribution<double> stiffness(0.1, 10);
        int direct = 0;
        for (int trial = 0; trial < 400; ++trial) {
            QList<TBolt> bolts;
            const int n = 3 + int(rng() % 6);
            for (int i = 0; i < n; ++i)
                bolts.append(Bolt(position(rng), position(rng), position(rng), stiffness(rng),
                                  stiffness(rng), stiffness(rng)));
            const TAppliedLoad load = LoadAt(position(rng), position(rng), position(rng));
            TUnitLoadWorkings w;
            const QList<TBoltUnitLoads> u = Analyse(bolts, load, w);
            direct += w.BalanceOutcome == TBalanceOutcome::DirectSolution;
            const double difference = RelativeDifference(u, RigidBodyUnitLoads(bolts, load));
            QVERIFY2(difference < 1e-4, qPrintable(QStringLiteral("trial %1: %2 after %3 steps")
                                                       .arg(trial)
                                                       .arg(difference)
                                                       .arg(w.BalanceIterations)));
        }
        QVERIFY(direct > 0); // the completion was exercised
    }

    void OnlyThePointOfTheLoadMatters() {
        TUnitLoadWorkings w1, w2;
        const auto a = Analyse(BalancingGroup(), LoadAt(10, 20, 5, 1, 0, 0), w1);
        const auto b = Analyse(BalancingGroup(), LoadAt(10, 20, 5, -3, 700, 2.5), w2);
        QCOMPARE(a, b);
    }

    void Workings() {
        TUnitLoadWorkings w;
        QList<TBolt> bolts = FourBolts();
        bolts[0].StiffnessX = 3;
        Analyse(bolts, LoadAt(10, 0, 0), w);
        QCOMPARE(w.CGProducts.size(), size_t(4));
        // kx*y, kx*z, ky*x, ky*z, kz*x, kz*y of bolt 1 at (0, -1, -1) with kx = 3.
        QCOMPARE(w.CGProducts[0], (TUnitLoadWorkings::TSix{-3, -3, 0, -1, 0, -1}));
        QCOMPARE(w.CGProductSums, (TUnitLoadWorkings::TSix{-2, -2, 0, 0, 0, 0}));
        QCOMPARE(w.PlaneCentroids.YBarMz, -2.0 / 6.0);
        QCOMPARE(w.PlaneCentroids.ZBarMy, -2.0 / 6.0);
        QCOMPARE(w.PlaneCentroids.YBarMx, 0.0);
        // d6 = y - YBarMz for bolt 2 at y = 1.
        QCOMPARE(w.CGDistances[1][5], 1 + 2.0 / 6.0);
        // kx*d6^2 of bolt 1.
        QCOMPARE(w.R2Components[0][4], 3 * std::pow(-1 + 2.0 / 6.0, 2));
        QCOMPARE(w.R2Sums.JMx, 8.0);
    }

    void ZeroDivisors_data() {
        QTest::addColumn<QList<TBolt>>("bolts");
        QTest::addColumn<TAppliedLoad>("load");
        QTest::addColumn<QString>("message");
        const QString byZero = TPlatformError::DivisionByZero;
        const QString invalid = TPlatformError::InvalidOperation;
        QTest::newRow("line parallel to X") << QList<TBolt>{Bolt(0, 1, 2), Bolt(5, 1, 2), Bolt(9, 1, 2)}
                                            << LoadAt(0, 0, 0) << byZero;
        QTest::newRow("line parallel to Y, load on it")
            << QList<TBolt>{Bolt(1, 0, 2), Bolt(1, 5, 2), Bolt(1, 9, 2)} << LoadAt(1, 3, 2) << invalid;
        QTest::newRow("line parallel to Z") << QList<TBolt>{Bolt(1, 2, 0), Bolt(1, 2, 5), Bolt(1, 2, 9)}
                                            << LoadAt(7, 0, 0) << byZero;
        QTest::newRow("one point, load there")
            << QList<TBolt>{Bolt(3, 3, 3), Bolt(3, 3, 3), Bolt(3, 3, 3)} << LoadAt(3, 3, 3) << invalid;
        QTest::newRow("no stiffness in Z anywhere")
            << QList<TBolt>{Bolt(0, 0, 0, 1, 1, 0), Bolt(1, 0, 0, 1, 1, 0), Bolt(0, 1, 0, 1, 1, 0)}
            << LoadAt(0, 0, 0) << invalid;
        QTest::newRow("Z stiffnesses cancel, Y moments do not")
            << QList<TBolt>{Bolt(0, 2, 0, 1, 1, 1), Bolt(1, 0, 0, 1, 1, -1), Bolt(0, 1, 1, 1, 1, 0)}
            << LoadAt(0, 0, 0) << byZero;
        // Sums that are zero in exact arithmetic but not after rounding are zero divisors too.
        QList<TBolt> onePoint;
        for (int i = 0; i < 23; ++i)
            onePoint.append(Bolt(0.1, 0.1, 0.1, 0.1, 0.1, 0.1));
        QTest::newRow("one point, centroid off by rounding") << onePoint << LoadAt(0, 0, 0) << byZero;
        QTest::newRow("Z stiffnesses cancel only by rounding")
            << QList<TBolt>{Bolt(0, 0, 0, 1, 1, 0.1), Bolt(1, 0, 0, 1, 1, 0.2), Bolt(0, 1, 0, 1, 1, -0.3)}
            << LoadAt(0, 0, 0) << byZero;
        // Squared distances that overflow with stiffnesses of both signs leave a plane sum that
        // is not a number: an invalid operation, not a division by zero.
        QTest::newRow("plane sum overflows to not a number")
            << QList<TBolt>{Bolt(0, 0, 1e200, 2, 1, 1), Bolt(0, 1, -1e200, -1, 1, 1), Bolt(1, 0, 0)}
            << LoadAt(0, 0, 0) << invalid;
    }
    void ZeroDivisors() {
        QFETCH(QList<TBolt>, bolts);
        QFETCH(TAppliedLoad, load);
        QFETCH(QString, message);
        TUnitLoadWorkings w;
        try {
            Analyse(bolts, load, w);
            QFAIL("no floating-point error");
        } catch (const TPlatformError& e) {
            QCOMPARE(e.Text(), message);
        }
    }

    // Values that overflow never reach the results as infinities.
    void OverflowIsAnError() {
        TUnitLoadWorkings w;
        QList<TBolt> bolts{Bolt(1e300, 0, 0), Bolt(-1e300, 1, 0), Bolt(0, 0, 1e300)};
        QVERIFY_THROWS_EXCEPTION(TPlatformError, Analyse(bolts, LoadAt(0, 0, 0), w));
        QList<TBoltUnitLoads> u = Analyse(FourBolts(), LoadAt(10, 0, 0), w);
        QVERIFY_THROWS_EXCEPTION(TPlatformError,
                                 TActualLoadAnalysis::Calculate(u, LoadAt(0, 0, 0, 1e308, 1e308, 0)));
    }

    void EventsRunEveryHundredBolts() {
        QList<TBolt> bolts;
        for (int i = 0; i < 250; ++i)
            bolts.append(Bolt(i % 10, i / 10, (i * 7) % 13));
        TCountingHost host;
        TUnitLoadWorkings w;
        TUnitLoadAnalysis::Calculate(bolts, LoadAt(1, 2, 3), w, host);
        QCOMPARE(host.EventPoints, 3); // bolts 0, 100 and 200
    }

    void ActualLoads_data() {
        QTest::addColumn<TAppliedLoad>("load");
        QTest::newRow("FX only") << LoadAt(10, 0, 0, 40, 0, 0);
        QTest::newRow("FY = 100 at (10, 0, 0)") << LoadAt(10, 0, 0, 0, 100, 0);
        QTest::newRow("all three") << LoadAt(10, 0, 0, 3, -4, 5);
    }
    void ActualLoads() {
        QFETCH(TAppliedLoad, load);
        TUnitLoadWorkings w;
        const QList<TBoltUnitLoads> u = Analyse(FourBolts(), load, w);
        const QList<TBoltActualLoads> a = TActualLoadAnalysis::Calculate(u, load);
        double sumX = 0, sumY = 0, sumZ = 0;
        for (int i = 0; i < 4; ++i) {
            const TBoltActualLoads& b = a[i];
            QCOMPARE(b.LoadX, u[i].XDueToFZ * load.FZ + (u[i].XDueToFY * load.FY + u[i].XDueToFX * load.FX));
            QCOMPARE(b.ResultantXY, std::hypot(b.LoadX, b.LoadY));
            QCOMPARE(b.ResultantYZ, std::hypot(b.LoadY, b.LoadZ));
            QCOMPARE(b.ResultantXZ, std::hypot(b.LoadX, b.LoadZ));
            QCOMPARE(b.ResultantXYZ, std::sqrt(b.LoadX * b.LoadX + b.LoadY * b.LoadY + b.LoadZ * b.LoadZ));
            sumX += b.LoadX;
            sumY += b.LoadY;
            sumZ += b.LoadZ;
            if (load.FY == 100) {
                QCOMPARE(b.LoadY, 25.0);
                QCOMPARE(b.LoadX, FourBolts()[i].Y < 0 ? 250.0 : -250.0);
                QCOMPARE(b.LoadZ + 1, 1.0);
                QCOMPARE(b.ResultantXY, std::sqrt(250.0 * 250 + 25 * 25));
            }
        }
        QCOMPARE(sumX + 1, load.FX + 1);
        QCOMPARE(sumY + 1, load.FY + 1);
        QCOMPARE(sumZ + 1, load.FZ + 1);
    }

    void AxialAndShearSelection_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("axial");
        QTest::addColumn<double>("shear");
        QTest::newRow("X axial") << 1 << 3.0 << std::hypot(4.0, 12.0);
        QTest::newRow("Y axial") << 2 << -4.0 << std::hypot(3.0, 12.0);
        QTest::newRow("Z axial, negative") << 3 << -12.0 << 5.0;
        QTest::newRow("not defined") << 0 << 0.0 << 13.0;
    }
    void AxialAndShearSelection() {
        QFETCH(int, orientation);
        QFETCH(double, axial);
        QFETCH(double, shear);
        TBoltUnitLoads u;
        u.XDueToFX = 3;
        u.YDueToFX = -4;
        u.ZDueToFX = -12;
        const TBoltActualLoads a = TActualLoadAnalysis::Calculate(u, LoadAt(0, 0, 0, 1, 0, 0));
        QCOMPARE(a.ResultantXYZ, 13.0);
        QCOMPARE(a.AxialLoad(TBoltOrientation(orientation)), axial);
        QCOMPARE(a.ShearLoad(TBoltOrientation(orientation)), shear);
    }

    // Shigley's four-bolt bracket: bolts of equal stiffness at (+-75, +-60) mm, a 16 kN load
    // downwards 425 mm to the right of the centroid. The two bolts nearer the load carry 21.0 kN,
    // the other two 14.8 kN.
    void ShigleyBracket() {
        const QList<TBolt> bolts{Bolt(75, -60, 0), Bolt(75, 60, 0), Bolt(-75, 60, 0),
                                 Bolt(-75, -60, 0)};
        const TAppliedLoad load = LoadAt(425, 0, 0, 0, -16, 0);
        TUnitLoadWorkings w;
        const QList<TBoltActualLoads> a =
            TActualLoadAnalysis::Calculate(Analyse(bolts, load, w), load);
        QCOMPARE(std::round(a[0].ResultantXY * 10) / 10, 21.0);
        QCOMPARE(std::round(a[1].ResultantXY * 10) / 10, 21.0);
        QCOMPARE(std::round(a[2].ResultantXY * 10) / 10, 14.8);
        QCOMPARE(std::round(a[3].ResultantXY * 10) / 10, 14.8);
        for (const TBoltActualLoads& b : a)
            QCOMPARE(b.LoadZ + 1, 1.0);
    }
};

QTEST_APPLESS_MAIN(TstTUnitLoadAnalysis)
#include "tst_tunitloadanalysis.moc"
