// Many load cases on one bolt group: time and memory of reading the load-case table, analysing
// every case with its envelope, the report's envelope and case list, and the outputs made of
// the cases (a line per case and bolt, the envelope file, the NISA fragment), for 10^3 cases on
// 10^3 bolts and 10 cases on 10^5 bolts. The cases act at the group's own load point ("shared")
// or each at a point of its own ("own"). Each run is its own process, so its peak is its own.
//
//   bench_loadcases                      every run
//   bench_loadcases BOLTS CASES POINTS   one run; POINTS is shared or own

#include "benchgroups.h"
#include "benchmemory.h"

#include "analysis/tanalysisreport.h"
#include "analysis/tboltloadscsv.h"
#include "analysis/tloadcaseanalysis.h"
#include "analysis/tloadcaseenvelope.h"
#include "analysis/tloadcases.h"
#include "foundation/tsavefile.h"
#include "model/tnisaexport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A table of named cases with forces of up to 10 kN, with or without points of their own.
QByteArray CaseTable(int count, bool ownPoints) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-1, 1);
    QByteArray text = ownPoints ? "Title,FX,FY,FZ,X,Y,Z\r\n" : "Title,FX,FY,FZ\r\n";
    char line[256];
    for (int i = 0; i < count; ++i) {
        if (ownPoints)
            std::snprintf(line, sizeof line, "\"Case %d, manoeuvre\",%.3f,%.3f,%.3f,%.2f,%.2f,%.2f\r\n",
                          i + 1, 1e4 * u(rng), 1e4 * u(rng), 1e4 * u(rng), 700 + 50 * u(rng),
                          -100 + 50 * u(rng), 250 + 50 * u(rng));
        else
            std::snprintf(line, sizeof line, "\"Case %d, manoeuvre\",%.3f,%.3f,%.3f\r\n", i + 1,
                          1e4 * u(rng), 1e4 * u(rng), 1e4 * u(rng));
        text += line;
    }
    return text;
}

// Starts the peak resident size afresh from the present one, so that the peak measured is that of
// what follows.
void ResetPeak() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

double Ms(QElapsedTimer& timer) {
    const double ms = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return ms;
}

double FileMb(const QString& fileName) { return QFileInfo(fileName).size() / 1048576.0; }

int RunCase(int boltCount, int caseCount, bool ownPoints) {
    QTemporaryDir dir;
    const QString groupFile = dir.filePath(QStringLiteral("group.dat"));
    const QString tableFile = dir.filePath(QStringLiteral("cases.csv"));
    if (!WriteRandomGroup(boltCount, groupFile))
        return 1;
    TSaveFile::WriteFile(tableFile, CaseTable(caseCount, ownPoints));
    TLineBuffers buffers;
    TBoltGroupDocument d(buffers);
    d.ResetModel();
    if (!d.LoadDataFile(groupFile) || !d.ActualLoadsCalculated)
        return 1;
    for (qint32 i = 0; i < d.BoltCount(); ++i)
        d.Bolts[i].NodeNumber = i + 1;
    // The whole process's peak so far (the group read and analysed once), then the peak of the
    // load cases over the memory resident before them.
    const long groupPeakKb = StatusKb("VmHWM:");
    ResetPeak();
    const long baseKb = StatusKb("VmRSS:");

    QElapsedTimer timer;
    timer.start();
    TLoadCases cases;
    if (!cases.Read(tableFile))
        return 1;
    cases.SetDefaultPosition(d.AppliedLoad);
    const double readMs = Ms(timer);

    TLoadCaseAnalysis analysis(d.Bolts, cases.Cases);
    TLoadCaseEnvelope envelope(d.Bolts);
    analysis.ForEachCase([&](qsizetype c, const QList<TBoltUnitLoads>&,
                             const QList<TBoltActualLoads>& loads) { envelope.Add(c, loads); });
    const double analysisMs = Ms(timer);

    TLineBuffers section;
    section.CreateLineBuffers();
    TAnalysisReport::WriteLoadCaseReport(d, cases.Cases, envelope, section);
    const double reportMs = Ms(timer);
    const long analysedPeakKb = StatusKb("VmHWM:") - baseKb;

    const QString envelopeFile = dir.filePath(QStringLiteral("envelope.csv"));
    envelope.WriteCsv(envelopeFile, cases.Cases);
    const double envelopeMs = Ms(timer);
    const QString csvFile = dir.filePath(QStringLiteral("loads.csv"));
    TBoltLoadsCsv::WriteLoadCases(d.Bolts, cases.Cases, analysis, csvFile);
    const double csvMs = Ms(timer);
    const QString nisaFile = dir.filePath(QStringLiteral("loads.nis"));
    TNisaExport(d, buffers).ExportNisaLoadCases(nisaFile, 1, [&](const TNisaExport::TCaseLoads& add) {
        analysis.ForEachCase([&](qsizetype, const QList<TBoltUnitLoads>&,
                                 const QList<TBoltActualLoads>& loads) { add(loads); });
    });
    const double nisaMs = Ms(timer);
    const long peakKb = StatusKb("VmHWM:") - baseKb;

    std::printf("%6d bolts %5d cases %-6s points %4lld unit-load runs  read %7.1f ms  "
                "analysis+envelope %7.1f ms  report %6.1f ms  = %7.1f ms, peak %6.1f MB | "
                "envelope csv %6.1f ms  csv %8.1f ms (%6.1f MB)  nisa %8.1f ms (%6.1f MB)  "
                "peak %6.1f MB | resident before %6.1f MB, process peak %6.1f MB\n",
                boltCount, caseCount, ownPoints ? "own" : "shared",
                (long long)analysis.UnitLoadRuns(), readMs, analysisMs, reportMs,
                readMs + analysisMs + reportMs, analysedPeakKb / 1024.0, envelopeMs, csvMs,
                FileMb(csvFile), nisaMs, FileMb(nisaFile), peakKb / 1024.0, baseKb / 1024.0,
                std::max(groupPeakKb, StatusKb("VmHWM:")) / 1024.0);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 4)
        return RunCase(std::atoi(argv[1]), std::atoi(argv[2]), std::strcmp(argv[3], "own") == 0);
    int failed = 0;
    for (auto [bolts, count] : {std::pair{1'000, 1'000}, {100'000, 10}}) {
        for (bool own : {false, true}) {
            std::fflush(stdout);
            const pid_t child = fork();
            if (child == 0)
                _exit(RunCase(bolts, count, own));
            int status = 0;
            waitpid(child, &status, 0);
            failed += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
    }
    return failed ? 1 : 0;
}
