#include "helper_rigidbody.h"

#include <algorithm>
#include <cmath>

namespace {

// Gaussian elimination with partial pivoting on a 6 x 6 system; b receives the solution.
void Solve6(double a[6][6], double b[6]) {
    for (int c = 0; c < 6; ++c) {
        int p = c;
        for (int r = c + 1; r < 6; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[p][c]))
                p = r;
        }
        std::swap(a[c], a[p]);
        std::swap(b[c], b[p]);
        for (int r = c + 1; r < 6; ++r) {
            const double f = a[r][c] / a[c][c];
            for (int j = c; j < 6; ++j)
                a[r][j] -= f * a[c][j];
            b[r] -= f * b[c];
        }
    }
    for (int i = 5; i >= 0; --i) {
        double s = b[i];
        for (int j = i + 1; j < 6; ++j)
            s -= a[i][j] * b[j];
        b[i] = s / a[i][i];
    }
}

double& Field(TBoltUnitLoads& u, int direction, int component) {
    double* fields[9] = {&u.XDueToFX, &u.YDueToFX, &u.ZDueToFX, &u.XDueToFY, &u.YDueToFY,
                         &u.ZDueToFY, &u.XDueToFZ, &u.YDueToFZ, &u.ZDueToFZ};
    return *fields[direction * 3 + component];
}

} // namespace

double UnitLoad(const TBoltUnitLoads& u, int direction, int component) {
    return Field(const_cast<TBoltUnitLoads&>(u), direction, component);
}

QList<TBoltUnitLoads> RigidBodyUnitLoads(const QList<TBolt>& bolts, const TAppliedLoad& load) {
    QList<TBoltUnitLoads> result(bolts.size());
    for (int dir = 0; dir < 3; ++dir) {
        double a[6][6] = {};
        double b[6] = {};
        b[dir] = 1;
        // The displacement of a bolt is s * (t, w), with s = [I | -[r]x].
        auto shape = [&](const TBolt& bolt, double s[3][6]) {
            const double r[3] = {bolt.X - load.X, bolt.Y - load.Y, bolt.Z - load.Z};
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 6; ++j)
                    s[i][j] = i == j ? 1 : 0;
            s[0][4] = r[2];
            s[0][5] = -r[1];
            s[1][5] = r[0];
            s[1][3] = -r[2];
            s[2][3] = r[1];
            s[2][4] = -r[0];
        };
        for (const TBolt& bolt : bolts) {
            const double r[3] = {bolt.X - load.X, bolt.Y - load.Y, bolt.Z - load.Z};
            const double k[3] = {bolt.StiffnessX, bolt.StiffnessY, bolt.StiffnessZ};
            double s[3][6];
            shape(bolt, s);
            for (int j = 0; j < 6; ++j) {
                const double f[3] = {k[0] * s[0][j], k[1] * s[1][j], k[2] * s[2][j]};
                for (int i = 0; i < 3; ++i)
                    a[i][j] += f[i];
                a[3][j] += r[1] * f[2] - r[2] * f[1];
                a[4][j] += r[2] * f[0] - r[0] * f[2];
                a[5][j] += r[0] * f[1] - r[1] * f[0];
            }
        }
        Solve6(a, b);
        for (qsizetype n = 0; n < bolts.size(); ++n) {
            const TBolt& bolt = bolts.at(n);
            const double k[3] = {bolt.StiffnessX, bolt.StiffnessY, bolt.StiffnessZ};
            double s[3][6];
            shape(bolt, s);
            for (int i = 0; i < 3; ++i) {
                double u = 0;
                for (int j = 0; j < 6; ++j)
                    u += s[i][j] * b[j];
                Field(result[n], dir, i) = k[i] * u;
            }
        }
    }
    return result;
}

double RelativeDifference(const QList<TBoltUnitLoads>& a, const QList<TBoltUnitLoads>& b) {
    double difference = 0;
    double scale = 0;
    for (qsizetype n = 0; n < std::min(a.size(), b.size()); ++n) {
        for (int dir = 0; dir < 3; ++dir) {
            for (int c = 0; c < 3; ++c) {
                difference =
                    std::max(difference, std::fabs(UnitLoad(a[n], dir, c) - UnitLoad(b[n], dir, c)));
                scale = std::max(scale, std::fabs(UnitLoad(b[n], dir, c)));
            }
        }
    }
    return a.size() == b.size() ? difference / std::max(scale, 1e-300) : 1e300;
}
