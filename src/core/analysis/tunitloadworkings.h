#pragma once

#include "tboltunitloads.h"

#include <array>
#include <vector>

// The centroids of the bolt pattern, weighted by stiffness, in the plane of each moment.
struct TPlaneCentroids {
    double YBarMx = 0; // yz-plane, Mx: sum(kz*y) / sum(kz)
    double ZBarMx = 0; // yz-plane, Mx: sum(ky*z) / sum(ky)
    double XBarMy = 0; // xz-plane, My: sum(kz*x) / sum(kz)
    double ZBarMy = 0; // xz-plane, My: sum(kx*z) / sum(kx)
    double XBarMz = 0; // xy-plane, Mz: sum(ky*x) / sum(ky)
    double YBarMz = 0; // xy-plane, Mz: sum(kx*y) / sum(kx)
};

// The plane sums of the stiffness-weighted squared distances.
struct TR2Sums {
    double JMx = 0;
    double JMy = 0;
    double JMz = 0;
};

// How the moment balance ended.
enum class TBalanceOutcome {
    NotNeeded,      // the first distribution was already balanced
    Converged,      // the stepwise balance met the tolerance
    DirectSolution, // the steps ran out; the balance was completed by solving it directly
    NotConverged    // the steps ran out and the direct solution was not possible
};

// The intermediate results of one unit-load analysis, kept until the report has printed them.
struct TUnitLoadWorkings {
    using TSix = std::array<double, 6>;

    // Per bolt: kx*y, kx*z, ky*x, ky*z, kz*x, kz*y; and their sums over all bolts.
    std::vector<TSix> CGProducts;
    TSix CGProductSums{};
    TPlaneCentroids PlaneCentroids;
    // Per bolt: d1 = y - YBarMx, d2 = z - ZBarMx, d3 = x - XBarMy, d4 = z - ZBarMy,
    // d5 = x - XBarMz, d6 = y - YBarMz.
    std::vector<TSix> CGDistances;
    // Per bolt: ky*d2^2, kz*d1^2 (Mx), kx*d4^2, kz*d3^2 (My), kx*d6^2, ky*d5^2 (Mz).
    std::vector<TSix> R2Components;
    TR2Sums R2Sums;
    // The sum over all bolts of each unit load field.
    TBoltUnitLoads UnitLoadSums;
    // For each unit load direction (X, Y, Z) the residual moment about each axis (X, Y, Z):
    // index direction * 3 + axis.
    std::array<double, 9> ResidualMoments{};
    // The iteration count of the moment balance; 1 when no balancing was needed.
    int BalanceIterations = 1;
    TBalanceOutcome BalanceOutcome = TBalanceOutcome::NotNeeded;

    double ResidualMoment(int direction, int axis) const {
        return ResidualMoments[size_t(direction * 3 + axis)];
    }
};
