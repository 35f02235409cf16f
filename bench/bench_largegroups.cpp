// The batch tool on large generated bolt groups: random 3-D groups with axial directions of
// 10^4, 10^5 and 10^6 bolts, each run as its own process, timed from start to exit with its
// peak memory. Runs: the report to a file, the picture with and without bolt numbers, and the
// data file alone. Targets at 10^6 bolts: report under 10 s and 1.2 GB, picture within 1.5 times
// the picture without numbers, data file alone under 4 s.
//
//   bench_largegroups                 every size
//   bench_largegroups N               one size
//   bench_largegroups generate N FILE writes a random group of N bolts to FILE and stops

#include "benchgroups.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct TRun {
    double Seconds = 0;
    double PeakMb = 0;
    int Exit = -1;
};

TRun RunTool(const QString& tool, const QStringList& arguments) {
    std::vector<QByteArray> bytes{tool.toLocal8Bit()};
    for (const QString& a : arguments)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    QElapsedTimer timer;
    timer.start();
    const pid_t child = fork();
    if (child == 0) {
        if (!freopen("/dev/null", "w", stdout))
            _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    TRun run;
    run.Seconds = timer.nsecsElapsed() / 1e9;
    run.PeakMb = usage.ru_maxrss / 1024.0;
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

int RunSize(const QString& tool, const QDir& dir, int n) {
    const QString input = dir.filePath(QStringLiteral("group-%1.dat").arg(n));
    if (!QFileInfo::exists(input) && !WriteRandomGroup(n, input)) {
        std::printf("%d bolts: cannot write %s\n", n, qPrintable(input));
        return 1;
    }
    const QString picture = dir.filePath(QStringLiteral("picture.bmp"));
    const struct {
        const char* Name;
        QStringList Arguments;
    } runs[] = {
        {"report to file", {QStringLiteral("--report"), dir.filePath(QStringLiteral("report.txt"))}},
        {"--picture", {QStringLiteral("--picture"), picture}},
        {"--picture --no-labels", {QStringLiteral("--picture"), picture, QStringLiteral("--no-labels")}},
        {"--data", {QStringLiteral("--data"), dir.filePath(QStringLiteral("copy.dat"))}},
    };
    int failed = 0;
    double pictureSeconds = 0;
    for (const auto& r : runs) {
        QStringList arguments = r.Arguments;
        arguments << input;
        const TRun run = RunTool(tool, arguments);
        std::printf("%8d bolts  %-22s %8.2f s  peak %7.1f MB (%5.0f B/bolt)%s\n", n, r.Name,
                    run.Seconds, run.PeakMb, run.PeakMb * 1048576.0 / n,
                    run.Exit == 0 ? "" : "  FAILED");
        std::fflush(stdout);
        failed += run.Exit != 0;
        if (qstrcmp(r.Name, "--picture") == 0)
            pictureSeconds = run.Seconds;
        if (qstrcmp(r.Name, "--picture --no-labels") == 0 && run.Seconds > 0)
            std::printf("%8d bolts  picture with numbers / without: %.2f (target 1.5)\n", n,
                        pictureSeconds / run.Seconds);
        std::fflush(stdout);
    }
    return failed;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "generate") == 0)
        return WriteRandomGroup(std::atoi(argv[2]), QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    const QString tool = QDir(QCoreApplication::applicationDirPath())
                             .filePath(QStringLiteral("../bin/fastenex-batch"));
    if (!QFileInfo(tool).isExecutable()) {
        std::printf("%s not built\n", qPrintable(tool));
        return 1;
    }
    QTemporaryDir dir;
    std::vector<int> sizes{10'000, 100'000, 1'000'000};
    if (argc == 2)
        sizes = {std::atoi(argv[1])};
    int failed = 0;
    for (int n : sizes)
        failed += RunSize(tool, QDir(dir.path()), n);
    return failed ? 1 : 0;
}
