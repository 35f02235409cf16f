#include "tunitloadanalysis.h"

#include "foundation/tcheckedlist.h"
#include "foundation/tplatformerror.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double P = TUnitLoadAnalysis::UnitLoad;

// Divisors are tested before dividing, so that no infinity ever enters the results. A divisor
// within `noise` of zero is zero: a sum that is zero in exact arithmetic comes out as a few
// rounding errors (bolts at one point whose centroid is not exactly their co-ordinate), and
// dividing by those would give loads of any size instead of the error.
double Divide(double numerator, double divisor, double noise = 0) {
    // A divisor that is not a finite number comes from an overflow (an infinite term, or
    // infinite terms of both signs), not from a zero sum.
    if (!std::isfinite(divisor))
        throw TPlatformError(QString::fromLatin1(TPlatformError::InvalidOperation));
    if (!(std::fabs(divisor) > noise)) {
        if (numerator == 0 || std::isnan(numerator))
            throw TPlatformError(QString::fromLatin1(TPlatformError::InvalidOperation));
        throw TPlatformError(QString::fromLatin1(TPlatformError::DivisionByZero));
    }
    return numerator / divisor;
}

// Three values per unit load direction: working loads or corrections (X, Y, Z components) or
// moments and residuals (about X, Y, Z); index direction * 3 + component.
using TNine = std::array<double, 9>;

bool WithinTolerance(const TNine& residuals) {
    for (double r : residuals) {
        // A residual that is not a number is not within the tolerance either.
        if (!(std::fabs(r) <= TUnitLoadAnalysis::ConvergenceTolerance))
            return false;
    }
    return true;
}

bool AllFinite(const TNine& values) {
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

// Solves b x = rhs by Gaussian elimination with partial pivoting; false when b is singular or
// so nearly singular that the solution would be meaningless.
bool Solve3(const double b[3][3], const double rhs[3], double x[3]) {
    double a[3][4];
    double scale = 0;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            a[i][j] = b[i][j];
            scale = std::max(scale, std::fabs(b[i][j]));
        }
        a[i][3] = rhs[i];
    }
    if (!(scale > 0) || !std::isfinite(scale))
        return false;
    for (int col = 0; col < 3; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 3; ++row) {
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        }
        if (!(std::fabs(a[pivot][col]) > 1e-12 * scale))
            return false;
        if (pivot != col) {
            for (int j = 0; j < 4; ++j)
                std::swap(a[col][j], a[pivot][j]);
        }
        for (int row = col + 1; row < 3; ++row) {
            const double f = a[row][col] / a[col][col];
            for (int j = col; j < 4; ++j)
                a[row][j] -= f * a[col][j];
        }
    }
    for (int i = 2; i >= 0; --i) {
        double s = a[i][3];
        for (int j = i + 1; j < 3; ++j)
            s -= a[i][j] * x[j];
        x[i] = s / a[i][i];
        if (!std::isfinite(x[i]))
            return false;
    }
    return true;
}

// One run of the analysis over a bolt list.
class TAnalysis {
public:
    TAnalysis(const QList<TBolt>& bolts, const TAppliedLoad& load, TUnitLoadWorkings& workings,
              TDocumentHost& host)
        : BoltList(bolts), Bolts(BoltList.constData()), Count(size_t(bolts.size())), Load(load),
          W(workings), Host(host) {}

    QList<TBoltUnitLoads> Run(int maxBalanceSteps);

private:
    void CentroidsAndDistances();
    void UnitLoadMoments();
    void FirstDistribution(size_t i, TNine& working) const;
    void Corrections(size_t i, const TNine& residuals, TNine& corrections) const;
    static void AddMoments(const TUnitLoadWorkings::TSix& d, const TNine& loads, TNine& moments);
    TNine Residuals() const;
    TNine Step(const TNine& residuals);
    void Balance(int maxBalanceSteps);
    bool CompleteDirectly(const TNine& firstResiduals);
    void CheckFinite() const;

    // A shared copy, so that the bolts stay valid while events run.
    const QList<TBolt> BoltList;
    const TBolt* Bolts;
    size_t Count;
    const TAppliedLoad Load;
    TUnitLoadWorkings& W;
    TDocumentHost& Host;

    double Sx = 0;
    double Sy = 0;
    double Sz = 0;
    // The rounding noise of the stiffness sums and of the plane sums: what remains of a sum
    // that is zero in exact arithmetic.
    double NoiseSx = 0;
    double NoiseSy = 0;
    double NoiseSz = 0;
    double NoiseJMx = 0;
    double NoiseJMy = 0;
    double NoiseJMz = 0;
    TNine Moment{};   // moments of the unit loads about the plane centroids
    TNine Quotient{}; // each moment over its plane sum; 0 where the moment is 0 by construction
    double DirectX = 0;
    double DirectY = 0;
    double DirectZ = 0;
    std::vector<TNine> Working; // working loads; Y and Z are the negatives of the final ones
};

QList<TBoltUnitLoads> TAnalysis::Run(int maxBalanceSteps) {
    CentroidsAndDistances();
    UnitLoadMoments();

    Working.assign(Count, TNine{});
    for (size_t i = 0; i < Count; ++i)
        FirstDistribution(i, Working[i]);
    Balance(maxBalanceSteps);

    QList<TBoltUnitLoads> unitLoads =
        TCheckedList::Sized<TBoltUnitLoads>(static_cast<qsizetype>(Count));
    for (size_t i = 0; i < Count; ++i) {
        const TNine& w = Working[i];
        unitLoads[qsizetype(i)] = {w[0], -w[1], -w[2], w[3], -w[4], -w[5], w[6], -w[7], -w[8]};
    }
    Working = {};

    TBoltUnitLoads& s = W.UnitLoadSums;
    s = TBoltUnitLoads();
    for (size_t i = 0; i < Count; ++i) {
        const TBoltUnitLoads& u = unitLoads.at(qsizetype(i));
        s.XDueToFX += u.XDueToFX;
        s.YDueToFX += u.YDueToFX;
        s.ZDueToFX += u.ZDueToFX;
        s.XDueToFY += u.XDueToFY;
        s.YDueToFY += u.YDueToFY;
        s.ZDueToFY += u.ZDueToFY;
        s.XDueToFZ += u.XDueToFZ;
        s.YDueToFZ += u.YDueToFZ;
        s.ZDueToFZ += u.ZDueToFZ;
        if (i % 100 == 0)
            Host.ProcessEvents();
    }
    CheckFinite();
    for (const TBoltUnitLoads& u : unitLoads) {
        const double v[9] = {u.XDueToFX, u.YDueToFX, u.ZDueToFX, u.XDueToFY, u.YDueToFY,
                             u.ZDueToFY, u.XDueToFZ, u.YDueToFZ, u.ZDueToFZ};
        for (double x : v) {
            if (!std::isfinite(x))
                throw TPlatformError(QString::fromLatin1(TPlatformError::InvalidOperation));
        }
    }
    return unitLoads;
}

void TAnalysis::CentroidsAndDistances() {
    W.CGProducts.assign(Count, {});
    W.CGProductSums = {};
    Sx = Sy = Sz = 0;
    double absX = 0, absY = 0, absZ = 0; // sums of the stiffnesses' magnitudes
    double extent = 0;                   // largest co-ordinate magnitude
    for (size_t i = 0; i < Count; ++i) {
        const TBolt& b = Bolts[i];
        absX += std::fabs(b.StiffnessX);
        absY += std::fabs(b.StiffnessY);
        absZ += std::fabs(b.StiffnessZ);
        extent = std::max({extent, std::fabs(b.X), std::fabs(b.Y), std::fabs(b.Z)});
        auto& p = W.CGProducts[i];
        p = {b.StiffnessX * b.Y, b.StiffnessX * b.Z, b.StiffnessY * b.X,
             b.StiffnessY * b.Z, b.StiffnessZ * b.X, b.StiffnessZ * b.Y};
        for (int k = 0; k < 6; ++k)
            W.CGProductSums[size_t(k)] += p[size_t(k)];
        Sx += b.StiffnessX;
        Sy += b.StiffnessY;
        Sz += b.StiffnessZ;
    }
    // 64 units of rounding in each term: far below any real sum, far above what rounding leaves.
    constexpr double Ulps = 64 * std::numeric_limits<double>::epsilon();
    NoiseSx = Ulps * absX;
    NoiseSy = Ulps * absY;
    NoiseSz = Ulps * absZ;
    const double d2 = (Ulps * extent) * (Ulps * extent);
    NoiseJMx = (absY + absZ) * d2;
    NoiseJMy = (absX + absZ) * d2;
    NoiseJMz = (absX + absY) * d2;
    const auto& s = W.CGProductSums;
    TPlaneCentroids& c = W.PlaneCentroids;
    c.YBarMx = Divide(s[5], Sz, NoiseSz);
    c.ZBarMx = Divide(s[3], Sy, NoiseSy);
    c.XBarMy = Divide(s[4], Sz, NoiseSz);
    c.ZBarMy = Divide(s[1], Sx, NoiseSx);
    c.XBarMz = Divide(s[2], Sy, NoiseSy);
    c.YBarMz = Divide(s[0], Sx, NoiseSx);

    W.CGDistances.assign(Count, {});
    W.R2Components.assign(Count, {});
    double sums[6] = {};
    for (size_t i = 0; i < Count; ++i) {
        const TBolt& b = Bolts[i];
        auto& d = W.CGDistances[i];
        d = {b.Y - c.YBarMx, b.Z - c.ZBarMx, b.X - c.XBarMy,
             b.Z - c.ZBarMy, b.X - c.XBarMz, b.Y - c.YBarMz};
        auto& r = W.R2Components[i];
        r = {d[1] * (b.StiffnessY * d[1]), d[0] * (b.StiffnessZ * d[0]),
             d[3] * (b.StiffnessX * d[3]), d[2] * (b.StiffnessZ * d[2]),
             d[5] * (b.StiffnessX * d[5]), d[4] * (b.StiffnessY * d[4])};
        for (int k = 0; k < 6; ++k)
            sums[k] += r[size_t(k)];
    }
    W.R2Sums = {sums[0] + sums[1], sums[2] + sums[3], sums[4] + sums[5]};
}

void TAnalysis::UnitLoadMoments() {
    const TPlaneCentroids& c = W.PlaneCentroids;
    const TR2Sums& j = W.R2Sums;
    Moment = {};
    Quotient = {};
    // +X: no Mx.
    Moment[1] = (Load.Z - c.ZBarMy) * P;
    Moment[2] = (Load.Y - c.YBarMz) * P;
    // +Y: no My.
    Moment[3] = (Load.Z - c.ZBarMx) * P;
    Moment[5] = -(Load.X - c.XBarMz) * P;
    // +Z: no Mz.
    Moment[6] = -(Load.Y - c.YBarMx) * P;
    Moment[7] = -(Load.X - c.XBarMy) * P;

    Quotient[1] = Divide(Moment[1], j.JMy, NoiseJMy);
    Quotient[2] = Divide(Moment[2], j.JMz, NoiseJMz);
    Quotient[3] = Divide(Moment[3], j.JMx, NoiseJMx);
    Quotient[5] = Divide(Moment[5], j.JMz, NoiseJMz);
    Quotient[6] = Divide(Moment[6], j.JMx, NoiseJMx);
    Quotient[7] = Divide(Moment[7], j.JMy, NoiseJMy);
    DirectX = Divide(P, Sx, NoiseSx);
    DirectY = Divide(P, Sy, NoiseSy);
    DirectZ = Divide(P, Sz, NoiseSz);
}

void TAnalysis::FirstDistribution(size_t i, TNine& w) const {
    const TBolt& b = Bolts[i];
    const auto& d = W.CGDistances[i];
    for (int dir = 0; dir < 3; ++dir) {
        const double qx = Quotient[size_t(dir * 3)];
        const double qy = Quotient[size_t(dir * 3 + 1)];
        const double qz = Quotient[size_t(dir * 3 + 2)];
        const double ex = dir == 0 ? DirectX : 0.0;
        const double ey = dir == 1 ? DirectY : 0.0;
        const double ez = dir == 2 ? DirectZ : 0.0;
        w[size_t(dir * 3)] = b.StiffnessX * (d[3] * qy + d[5] * qz + ex);
        w[size_t(dir * 3 + 1)] = b.StiffnessY * (d[4] * qz - d[1] * qx - ey);
        w[size_t(dir * 3 + 2)] = b.StiffnessZ * (d[2] * qy + d[0] * qx - ez);
    }
}

void TAnalysis::Corrections(size_t i, const TNine& r, TNine& c) const {
    const TBolt& b = Bolts[i];
    const auto& d = W.CGDistances[i];
    const TR2Sums& j = W.R2Sums;
    for (size_t dir = 0; dir < 3; ++dir) {
        const double rx = r[dir * 3];
        const double ry = r[dir * 3 + 1];
        const double rz = r[dir * 3 + 2];
        c[dir * 3] = b.StiffnessX * ((d[3] * ry) / j.JMy + (d[5] * rz) / j.JMz);
        c[dir * 3 + 1] = b.StiffnessY * ((d[4] * rz) / j.JMz - (d[1] * rx) / j.JMx);
        c[dir * 3 + 2] = b.StiffnessZ * ((d[2] * ry) / j.JMy + (d[0] * rx) / j.JMx);
    }
}

void TAnalysis::AddMoments(const TUnitLoadWorkings::TSix& d, const TNine& w, TNine& m) {
    for (size_t dir = 0; dir < 3; ++dir) {
        const double wx = w[dir * 3];
        const double wy = w[dir * 3 + 1];
        const double wz = w[dir * 3 + 2];
        m[dir * 3] += d[0] * wz - d[1] * wy;
        m[dir * 3 + 1] += d[2] * wz + d[3] * wx;
        m[dir * 3 + 2] += d[4] * wy + d[5] * wx;
    }
}

TNine TAnalysis::Residuals() const {
    TNine m{};
    for (size_t i = 0; i < Count; ++i)
        AddMoments(W.CGDistances[i], Working[i], m);
    TNine r;
    for (size_t k = 0; k < 9; ++k)
        r[k] = Moment[k] - m[k];
    return r;
}

// One step of the balance: the corrections made from the residuals, added to the working loads
// at once, and their moments. The arithmetic is that of Corrections and AddMoments, written out
// with the divisors and residuals held in locals so that the loop over the bolts stays tight.
TNine TAnalysis::Step(const TNine& r) {
    const double jx = W.R2Sums.JMx;
    const double jy = W.R2Sums.JMy;
    const double jz = W.R2Sums.JMz;
    const double rx0 = r[0], ry0 = r[1], rz0 = r[2];
    const double rx1 = r[3], ry1 = r[4], rz1 = r[5];
    const double rx2 = r[6], ry2 = r[7], rz2 = r[8];
    double m0 = 0, m1 = 0, m2 = 0, m3 = 0, m4 = 0, m5 = 0, m6 = 0, m7 = 0, m8 = 0;
    const TUnitLoadWorkings::TSix* distances = W.CGDistances.data();
    TNine* working = Working.data();
    for (size_t i = 0; i < Count; ++i) {
        const double kx = Bolts[i].StiffnessX;
        const double ky = Bolts[i].StiffnessY;
        const double kz = Bolts[i].StiffnessZ;
        const auto& d = distances[i];
        const double d1 = d[0], d2 = d[1], d3 = d[2], d4 = d[3], d5 = d[4], d6 = d[5];
        double* w = working[i].data();
        {
            const double cx = kx * ((d4 * ry0) / jy + (d6 * rz0) / jz);
            const double cy = ky * ((d5 * rz0) / jz - (d2 * rx0) / jx);
            const double cz = kz * ((d3 * ry0) / jy + (d1 * rx0) / jx);
            m0 += d1 * cz - d2 * cy;
            m1 += d3 * cz + d4 * cx;
            m2 += d5 * cy + d6 * cx;
            w[0] += cx;
            w[1] += cy;
            w[2] += cz;
        }
        {
            const double cx = kx * ((d4 * ry1) / jy + (d6 * rz1) / jz);
            const double cy = ky * ((d5 * rz1) / jz - (d2 * rx1) / jx);
            const double cz = kz * ((d3 * ry1) / jy + (d1 * rx1) / jx);
            m3 += d1 * cz - d2 * cy;
            m4 += d3 * cz + d4 * cx;
            m5 += d5 * cy + d6 * cx;
            w[3] += cx;
            w[4] += cy;
            w[5] += cz;
        }
        {
            const double cx = kx * ((d4 * ry2) / jy + (d6 * rz2) / jz);
            const double cy = ky * ((d5 * rz2) / jz - (d2 * rx2) / jx);
            const double cz = kz * ((d3 * ry2) / jy + (d1 * rx2) / jx);
            m6 += d1 * cz - d2 * cy;
            m7 += d3 * cz + d4 * cx;
            m8 += d5 * cy + d6 * cx;
            w[6] += cx;
            w[7] += cy;
            w[8] += cz;
        }
    }
    return {m0, m1, m2, m3, m4, m5, m6, m7, m8};
}

// The stepwise balance. Each step's corrections are added to the working loads as soon as they
// are made, which gives the same sums as adding the stored corrections of all steps in step
// order afterwards, without keeping them.
void TAnalysis::Balance(int maxBalanceSteps) {
    const TNine firstResiduals = Residuals();
    if (WithinTolerance(firstResiduals)) {
        W.BalanceIterations = 1;
        W.BalanceOutcome = TBalanceOutcome::NotNeeded;
        W.ResidualMoments = {};
        return;
    }
    TNine r = firstResiduals;
    int q = 1;
    for (;;) {
        const TNine cm = Step(r);
        ++q;
        if (q > maxBalanceSteps)
            break;
        for (size_t k = 0; k < 9; ++k)
            r[k] -= cm[k];
        if (WithinTolerance(r)) {
            W.BalanceIterations = q;
            W.BalanceOutcome = TBalanceOutcome::Converged;
            W.ResidualMoments = r;
            return;
        }
        if (!AllFinite(r))
            break; // diverged beyond repair; only the direct solution can help
    }
    // The steps ran out. The stepwise corrections converge (when they do) to the solution of the
    // balance, so that solution completes it; the residuals shown are those of the loads kept.
    W.BalanceIterations = maxBalanceSteps;
    W.BalanceOutcome = CompleteDirectly(firstResiduals) ? TBalanceOutcome::DirectSolution
                                                        : TBalanceOutcome::NotConverged;
    W.ResidualMoments = Residuals();
}

// The corrections made from residuals r are linear in r (A r), and so are their moments (B r).
// Solving B x = r0 for the residuals r0 of the first distribution and adding A x to the first
// distribution balances it in one step. False, with the working loads unchanged, when B cannot
// be solved.
bool TAnalysis::CompleteDirectly(const TNine& firstResiduals) {
    double b[3][3] = {};
    TNine c;
    for (size_t i = 0; i < Count; ++i) {
        // Unit residuals about X, Y and Z, one in each direction slot.
        const TNine unit = {1, 0, 0, 0, 1, 0, 0, 0, 1};
        Corrections(i, unit, c);
        TNine m{};
        AddMoments(W.CGDistances[i], c, m);
        for (int axisIn = 0; axisIn < 3; ++axisIn) {
            for (int axisOut = 0; axisOut < 3; ++axisOut)
                b[axisOut][axisIn] += m[size_t(axisIn * 3 + axisOut)];
        }
    }
    TNine x;
    for (int dir = 0; dir < 3; ++dir) {
        if (!Solve3(b, &firstResiduals[size_t(dir * 3)], &x[size_t(dir * 3)]))
            return false;
    }
    TNine w;
    for (size_t i = 0; i < Count; ++i) {
        FirstDistribution(i, w);
        Corrections(i, x, c);
        for (size_t k = 0; k < 9; ++k)
            w[k] += c[k];
        Working[i] = w;
    }
    return true;
}

void TAnalysis::CheckFinite() const {
    auto check = [](double v) {
        if (!std::isfinite(v))
            throw TPlatformError(QString::fromLatin1(TPlatformError::InvalidOperation));
    };
    for (size_t i = 0; i < Count; ++i) {
        for (int k = 0; k < 6; ++k) {
            check(W.CGProducts[i][size_t(k)]);
            check(W.CGDistances[i][size_t(k)]);
            check(W.R2Components[i][size_t(k)]);
        }
    }
    for (double v : W.CGProductSums)
        check(v);
    const TPlaneCentroids& c = W.PlaneCentroids;
    for (double v : {c.YBarMx, c.ZBarMx, c.XBarMy, c.ZBarMy, c.XBarMz, c.YBarMz})
        check(v);
    for (double v : {W.R2Sums.JMx, W.R2Sums.JMy, W.R2Sums.JMz})
        check(v);
    for (double v : W.ResidualMoments)
        check(v);
    const TBoltUnitLoads& s = W.UnitLoadSums;
    for (double v : {s.XDueToFX, s.YDueToFX, s.ZDueToFX, s.XDueToFY, s.YDueToFY, s.ZDueToFY,
                     s.XDueToFZ, s.YDueToFZ, s.ZDueToFZ})
        check(v);
}

} // namespace

QList<TBoltUnitLoads> TUnitLoadAnalysis::Calculate(const QList<TBolt>& bolts,
                                                   const TAppliedLoad& load,
                                                   TUnitLoadWorkings& workings,
                                                   TDocumentHost& host, int maxBalanceSteps) {
    workings = TUnitLoadWorkings();
    TAnalysis analysis(bolts, load, workings, host);
    return analysis.Run(std::max(1, maxBalanceSteps));
}
