// Times the analysis report of 10^4 bolts (about 100,000 lines) written as a PDF document, as
// the batch tool's --report FILE.pdf writes it: the report document with its styles, then the
// pages. Target: under 10 s in all.
#include "document/treportformatter.h"
#include "document/treportpdf.h"
#include "model/tboltgroupdocument.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <cstdio>
#include <random>

namespace {

// Line buffers that keep the shown report and its styled lines, as the batch tool's do.
class TKeepingBuffers : public TLineBuffers {
public:
    QStringList Shown;
    QStringList Titles;
    QStringList Subtitles;
    void ShowOutput() override { Shown = OutputLines(); }
    void FormatOutput() override {
        Titles = TitleLines();
        Subtitles = SubtitleLines();
    }
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int boltCount = argc > 1 ? std::atoi(argv[1]) : 10000;

    TKeepingBuffers buffers;
    TBoltGroupDocument document(buffers);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-500, 500);
    for (int i = 0; i < boltCount; ++i) {
        TBolt b;
        b.X = u(rng);
        b.Y = u(rng);
        b.Z = u(rng) / 10;
        b.Orientation = qint8(i % 4);
        document.Bolts.append(b);
    }
    document.AnalysisTitle = QStringLiteral("Benchmark");
    document.AppliedLoad = TAppliedLoad{10, 20, 30, 1000, -2000, 500};
    document.UpdateLoadApplied();
    QElapsedTimer timer;
    timer.start();
    document.RefreshAnalysis();
    const double analysisSeconds = timer.nsecsElapsed() / 1e9;

    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("report.pdf"));
    timer.restart();
    QTextDocument report;
    TReportFormatter::ShowLines(report, buffers.Shown, TReportFormatter::DefaultFont());
    TReportFormatter::StyleLines(report, buffers.Titles, buffers.Subtitles, buffers.TitleStyle,
                                 buffers.SubtitleStyle);
    const double documentSeconds = timer.nsecsElapsed() / 1e9;
    timer.restart();
    TReportPdf::Write(report, document.AnalysisTitle, fileName);
    const double pdfSeconds = timer.nsecsElapsed() / 1e9;

    std::printf("bolts %d, report lines %lld\n", boltCount, static_cast<long long>(buffers.Shown.size()));
    std::printf("analysis and report lines   %8.3f s\n", analysisSeconds);
    std::printf("report document and styles  %8.3f s\n", documentSeconds);
    std::printf("PDF pages written           %8.3f s (%lld bytes)\n", pdfSeconds,
                static_cast<long long>(QFileInfo(fileName).size()));
    std::printf("report to PDF in all        %8.3f s (target under 10 s)\n",
                documentSeconds + pdfSeconds);
    return 0;
}
