// A rotate copy of every bolt of a selected 1,000-bolt group, 100 copies each (10^5 new bolts),
// followed by the replot and the analysis, as the bolt group window runs them after the copy
// dialog's OK. Prints the time of each phase.
//
//   bench_copymove [SOURCE_BOLTS [COPIES]]

#include "model/tboltgroupdocument.h"
#include "view/tbolttransforms.h"

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// Line buffers that keep the shown report, as a window's text would.
class TKeepingBuffers : public TLineBuffers {
public:
    QStringList Shown;
    void ShowOutput() override { Shown = OutputLines(); }
};

} // namespace

int main(int argc, char* argv[]) {
    const int sources = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int copies = argc > 2 ? std::atoi(argv[2]) : 100;
    TKeepingBuffers buffers;
    TBoltGroupDocument d(buffers);
    std::mt19937 rng(14);
    std::uniform_real_distribution<double> u(0, 1);
    for (int i = 0; i < sources; ++i) {
        TBolt b;
        b.X = 100 + 300 * u(rng);
        b.Y = 200 * u(rng);
        b.Z = 80 * u(rng);
        b.StiffnessX = b.StiffnessY = b.StiffnessZ = 0.5 + 4 * u(rng);
        b.Orientation = qint8(i % 4);
        d.Bolts.append(b);
        d.SelectedBolts.append(i);
    }
    d.AppliedLoad = {150, 60, 40, 1000, -2000, 500, 0, 0};
    d.UpdateLoadApplied();

    TCopyMoveValues values;
    values.CopyCount = copies;
    values.RotationAxis = 2;
    values.RotationCentre[0] = 10;
    values.RotationCentre[1] = -5;
    values.RotationAngle = 360.0 / (copies + 1);

    QElapsedTimer timer;
    timer.start();
    const auto result = TBoltTransforms::CopyBolts(d, TCopyMovePage::Rotate, 0, values);
    const double copyMs = timer.nsecsElapsed() / 1e6;
    if (result != TBoltTransforms::TResult::Done) {
        std::printf("copy refused\n");
        return 1;
    }
    timer.restart();
    d.PlotBolts();
    const double plotMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    d.CalculateUnitLoads();
    const double unitMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    d.CalculateActualLoads();
    const double actualMs = timer.nsecsElapsed() / 1e6;
    if (!d.ActualLoadsCalculated) {
        std::printf("analysis incomplete\n");
        return 1;
    }
    std::printf("%d selected bolts x %d rotate copies -> %d bolts\n", sources, copies,
                d.BoltCount());
    std::printf("  copy %8.1f ms\n  plot %8.1f ms\n  unit loads + report %8.1f ms\n"
                "  actual loads + report %8.1f ms (%lld report lines)\n  total %8.1f ms\n",
                copyMs, plotMs, unitMs, actualMs, (long long)buffers.Shown.size(),
                copyMs + plotMs + unitMs + actualMs);
    return 0;
}
