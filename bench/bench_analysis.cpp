// The analysis and its report lines for large bolt groups: time of the unit-load analysis, the
// load-case loads and the report lines, and the memory they hold, for 10^4, 10^5 and 10^6 bolts.
// Each case runs in its own process so that its peak memory is its own.
//
//   bench_analysis            every case
//   bench_analysis N GROUP    one case; GROUP is plate, random or coupled

#include "analysis/tactualloadanalysis.h"
#include "analysis/tanalysisreport.h"
#include "analysis/tunitloadanalysis.h"
#include "model/tboltgroupdocument.h"
#include "benchmemory.h"

#include <QElapsedTimer>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Line buffers that keep the shown report, as a window's text would.
class TKeepingBuffers : public TLineBuffers {
public:
    QStringList Shown;
    void ShowOutput() override { Shown = OutputLines(); }
};

TBolt Bolt(double x, double y, double z, double kx, double ky, double kz, int orientation) {
    TBolt b;
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.StiffnessX = kx;
    b.StiffnessY = ky;
    b.StiffnessZ = kz;
    b.Orientation = qint8(orientation);
    return b;
}

// plate: a flat grid of equal bolts, balanced at once. random: bolts of random stiffness spread
// through a block, which needs the stepwise balance. coupled: copies of a strongly coupled
// three-bolt group whose balance does not converge in 200 steps and is completed directly.
void MakeGroup(const std::string& kind, int n, TBoltGroupDocument& d) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(0, 1);
    d.Bolts.reserve(n);
    d.AppliedLoad.FX = 1000;
    d.AppliedLoad.FY = -2000;
    d.AppliedLoad.FZ = 500;
    if (kind == "plate") {
        const int side = int(std::ceil(std::sqrt(double(n))));
        for (int i = 0; i < n; ++i)
            d.Bolts.append(Bolt(25.0 * (i % side), 25.0 * (i / side), 0, 1, 1, 1, 3));
        d.AppliedLoad.X = 10 * side;
        d.AppliedLoad.Y = -50;
        d.AppliedLoad.Z = 30;
    } else if (kind == "random") {
        for (int i = 0; i < n; ++i)
            d.Bolts.append(Bolt(400 * u(rng), 300 * u(rng) + 200 * u(rng) * u(rng), 100 * u(rng),
                                0.5 + 4 * u(rng), 0.5 + 4 * u(rng), 0.5 + 4 * u(rng), i % 4));
        d.AppliedLoad.X = 700;
        d.AppliedLoad.Y = -100;
        d.AppliedLoad.Z = 250;
    } else {
        const TBolt base[3] = {Bolt(-14, 5, 88, 5, 4, 8, 0), Bolt(25, 69, 93, 1, 1, 7, 1),
                               Bolt(59, 94, -46, 8, 4, 1, 2)};
        for (int i = 0; i < n; ++i) {
            TBolt b = base[i % 3];
            b.X += 1e-3 * u(rng);
            b.Y += 1e-3 * u(rng);
            b.Z += 1e-3 * u(rng);
            d.Bolts.append(b);
        }
        d.AppliedLoad.X = 25;
        d.AppliedLoad.Y = -47;
        d.AppliedLoad.Z = 82;
    }
    d.UpdateLoadApplied();
}

const char* OutcomeName(TBalanceOutcome o) {
    switch (o) {
    case TBalanceOutcome::NotNeeded:
        return "not needed";
    case TBalanceOutcome::Converged:
        return "converged";
    case TBalanceOutcome::DirectSolution:
        return "direct solution";
    case TBalanceOutcome::NotConverged:
        return "not converged";
    }
    return "?";
}

int RunCase(int n, const std::string& kind) {
    TKeepingBuffers buffers;
    TBoltGroupDocument d(buffers);
    MakeGroup(kind, n, d);
    const long baseKb = StatusKb("VmRSS:");

    // The phases one by one.
    QElapsedTimer timer;
    timer.start();
    TUnitLoadWorkings workings;
    d.UnitLoads = TUnitLoadAnalysis::Calculate(d.Bolts, d.AppliedLoad, workings,
                                               TDocumentHost::Null());
    const double unitMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    d.ActualLoads = TActualLoadAnalysis::Calculate(d.UnitLoads, d.AppliedLoad);
    const double actualMs = timer.nsecsElapsed() / 1e6;
    timer.restart();
    TAnalysisReport::WriteUnitLoadReport(d, workings, buffers);
    TAnalysisReport::WriteActualLoadReport(d, buffers);
    const double reportMs = timer.nsecsElapsed() / 1e6;
    const qsizetype lines = buffers.Shown.size();
    const TBalanceOutcome outcome = workings.BalanceOutcome;
    const int steps = workings.BalanceIterations;
    workings = TUnitLoadWorkings();
    buffers.Shown.clear();

    // The document's own sequence, as the window runs it.
    timer.restart();
    d.CalculateUnitLoads();
    d.CalculateActualLoads();
    const double totalMs = timer.nsecsElapsed() / 1e6;
    const long heldKb = StatusKb("VmRSS:") - baseKb;
    const long peakKb = StatusKb("VmHWM:") - baseKb;
    if (!d.ActualLoadsCalculated || buffers.Shown.size() != lines) {
        std::printf("%s %d: analysis incomplete\n", kind.c_str(), n);
        return 1;
    }
    std::printf("%-7s %8d bolts  balance %-15s %3d steps  unit loads %8.1f ms  actual %6.1f ms  "
                "report %8.1f ms (%lld lines)  whole %8.1f ms  held %7.1f MB (%4.0f B/bolt)  "
                "peak %7.1f MB (%4.0f B/bolt)\n",
                kind.c_str(), n, OutcomeName(outcome), steps,
                unitMs, actualMs, reportMs, (long long)lines, totalMs, heldKb / 1024.0,
                heldKb * 1024.0 / n, peakKb / 1024.0, peakKb * 1024.0 / n);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3)
        return RunCase(std::atoi(argv[1]), argv[2]);
    int failed = 0;
    for (int n : {10'000, 100'000, 1'000'000}) {
        for (const char* kind : {"plate", "random", "coupled"}) {
            std::fflush(stdout);
            const pid_t child = fork();
            if (child == 0)
                _exit(RunCase(n, kind));
            int status = 0;
            waitpid(child, &status, 0);
            failed += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    }
    return failed ? 1 : 0;
}
