#pragma once

#include "document/tlinebuffers.h"
#include "model/tboltgroupdocument.h"

#include <random>

// A random 3-D bolt group for the benchmarks, written as an analysis data file: bolts spread
// through a block with random stiffnesses, a quarter each along X, Y and Z and the rest without
// an axial direction, and a load off the group's centre. False when the file cannot be written.
inline bool WriteRandomGroup(int n, const QString& fileName) {
    TLineBuffers buffers;
    TBoltGroupDocument d(buffers);
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(0, 1);
    d.Bolts.reserve(n);
    for (int i = 0; i < n; ++i) {
        TBolt b;
        b.X = 400 * u(rng);
        b.Y = 300 * u(rng) + 200 * u(rng) * u(rng);
        b.Z = 100 * u(rng);
        b.StiffnessX = 0.5 + 4 * u(rng);
        b.StiffnessY = 0.5 + 4 * u(rng);
        b.StiffnessZ = 0.5 + 4 * u(rng);
        b.Orientation = qint8(i % 4);
        d.Bolts.append(b);
    }
    d.AnalysisTitle = QStringLiteral("Random Block of %1 Bolts").arg(n);
    d.LoadCaseTitle = QStringLiteral("Eccentric Load");
    d.AppliedLoad.X = 700;
    d.AppliedLoad.Y = -100;
    d.AppliedLoad.Z = 250;
    d.AppliedLoad.FX = 1000;
    d.AppliedLoad.FY = -2000;
    d.AppliedLoad.FZ = 500;
    return d.SaveDataFile(fileName);
}
