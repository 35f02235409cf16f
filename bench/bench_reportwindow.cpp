// The desktop windows on large documents, each case in its own process so that its peak memory
// is its own: a random 3-D bolt group opened into a bolt group window until its report is
// shown, and a large rich-text report opened into a text window. Printed for each: the open
// until shown, the caret sent to the end of the text (which lays out the whole text), a find
// through a long report, the text saved as rich text (with the peak memory so far), a long report given to the editor (what the
// first edit of one costs), for a group the analysis run again and its report shown again (what a
// change of a bolt costs), and the peak memory. Targets: 10^5 bolts shown under 5 s and 1.5 GB;
// 10^6 bolts within twice the batch tool's memory; a 50 MB rich-text document shown under 15 s.
// Runs on any display, offscreen included.
//
//   bench_reportwindow                 10^4 and 10^5 bolts, then a 50 MB rich-text report
//   bench_reportwindow N               a group of N bolts
//   bench_reportwindow rtf FILE        a rich-text file of your own

#include "benchgroups.h"
#include "document/tbaseform.h"
#include "document/treporttext.h"
#include "document/treportview.h"
#include "model/tboltgroupform.h"
#include "shell/tmainform.h"
#include "shell/tsettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double PeakMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Lets the window handle what is pending, its painting included.
void Settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// Opens the file in a new window of the given kind and prints the figures.
int OpenAndShow(int argc, char* argv[], const QString& fileName, bool boltGroup, const char* what) {
    QApplication app(argc, argv);
    QTemporaryDir settings;
    TSettings::SetLocation(QDir(settings.path()).filePath(QStringLiteral("fastenex.ini")));
    TMainForm frame;
    frame.resize(1200, 850);
    frame.show();
    Settle();
    QElapsedTimer timer;
    timer.start();
    TBaseForm* form = nullptr;
    if (boltGroup) {
        form = frame.BoltGroupAnalysis1Click();
        if (form)
            form->OpenDocument(fileName);
    } else {
        form = frame.OpenFileByType(fileName);
    }
    if (!form) {
        std::printf("%s: no window\n", what);
        return 1;
    }
    // Shown: the window's first painting of the report; the editor lays out the rest of the
    // text later, piece by piece, or at once when the caret is sent to the end. A long report
    // is shown by a view over the editor.
    auto shownText = [form]() -> QAbstractScrollArea* {
        auto* view = form->RichEdit1->findChild<TReportView*>();
        return view && view->isVisible() ? static_cast<QAbstractScrollArea*>(view) : form->RichEdit1;
    };
    shownText()->viewport()->repaint();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double shown = timer.nsecsElapsed() / 1e9;
    // A long text file is read whole on a thread behind its first page.
    timer.restart();
    form->FinishLoading();
    const double read = timer.nsecsElapsed() / 1e9;
    timer.restart();
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::sendEvent(shownText(), &end);
    shownText()->viewport()->repaint();
    const double toEnd = timer.nsecsElapsed() / 1e9;
    const int lines = form->CaretPosition().x();
    // A find that goes through the whole text of a long report, which has no such word.
    double find = 0;
    if (auto* view = form->RichEdit1->findChild<TReportView*>(); view && view->Report()) {
        timer.restart();
        view->Report()->Find(0, 0, QStringLiteral("no such word"), false, false);
        find = timer.nsecsElapsed() / 1e9;
    }
    // The report saved as the window saves it.
    QTemporaryDir saveDir;
    timer.restart();
    form->WriteText(QDir(saveDir.path()).filePath(QStringLiteral("report.rtf")), true);
    const double saved = timer.nsecsElapsed() / 1e9;
    const double savedPeak = PeakMb();
    // A long report goes to the editor for a command that needs it there (an edit).
    timer.restart();
    form->ShowWholeReport();
    shownText()->viewport()->repaint();
    const double whole = timer.nsecsElapsed() / 1e9;
    // A change of the group analyses it again and shows the new report, as here.
    double again = 0;
    if (auto* group = dynamic_cast<TBoltGroupForm*>(form)) {
        timer.restart();
        group->RefreshAnalysis();
        shownText()->viewport()->repaint();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        again = timer.nsecsElapsed() / 1e9;
    }
    std::printf("%-34s shown %7.2f s  read whole %6.2f s  caret to end %6.2f s  find through %6.2f s  saved %6.2f s (peak %7.1f MB)  in the editor %6.2f s  analysed and shown again %6.2f s  %8d lines  peak %7.1f MB\n",
                what, shown, read, toEnd, find, saved, savedPeak, whole, again, lines, PeakMb());
    std::fflush(stdout);
    return 0;
}

int InChild(int argc, char* argv[], const QString& fileName, bool boltGroup, const char* what) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0)
        _exit(OpenAndShow(argc, argv, fileName, boltGroup, what));
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

int Group(int argc, char* argv[], const QDir& dir, int n) {
    const QString input = dir.filePath(QStringLiteral("group-%1.dat").arg(n));
    if (!QFileInfo::exists(input) && !WriteRandomGroup(n, input))
        return 1;
    const QByteArray what = QStringLiteral("bolt group window, %1 bolts").arg(n).toLatin1();
    return InChild(argc, argv, input, true, what.constData());
}

// A rich-text report of about the size asked for, written by the batch tool.
int RichText(int argc, char* argv[], const QDir& dir, int megabytes) {
    const int bolts = megabytes * 950;
    const QString input = dir.filePath(QStringLiteral("group-%1.dat").arg(bolts));
    const QString report = dir.filePath(QStringLiteral("report-%1.rtf").arg(bolts));
    if (!QFileInfo::exists(input) && !WriteRandomGroup(bolts, input))
        return 1;
    const QString tool = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()
                             .section(QLatin1Char('/'), 0, -2) + QStringLiteral("/../bin/fastenex-batch");
    const QByteArray command = (QStringLiteral("'%1' --report '%2' '%3'").arg(tool, report, input))
                                   .toLocal8Bit();
    if (std::system(command.constData()) != 0)
        return 1;
    const QByteArray what = QStringLiteral("text window, %1 MB rich text")
                                .arg(QFileInfo(report).size() / 1048576.0, 0, 'f', 1)
                                .toLatin1();
    return InChild(argc, argv, report, false, what.constData());
}

} // namespace

int main(int argc, char* argv[]) {
    // The parent only writes the files; each window runs in a child with its own application.
    int failed = 0;
    {
        QTemporaryDir dir;
        const QDir where(dir.path());
        if (argc == 3 && qstrcmp(argv[1], "rtf") == 0)
            return InChild(argc, argv, QString::fromLocal8Bit(argv[2]), false, "text window");
        if (argc == 2)
            return Group(argc, argv, where, std::atoi(argv[1]));
        for (int n : {10'000, 100'000})
            failed += Group(argc, argv, where, n);
        failed += RichText(argc, argv, where, 50);
    }
    return failed ? 1 : 0;
}
