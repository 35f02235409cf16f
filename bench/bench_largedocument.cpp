// A large file opened in the real frame on an X display, as a user has it: the frame shown and
// its document window maximized, the frame's own timer running. Printed: the time until the
// first page is painted, the longest time the event loop was blocked while the rest of the text
// was laid out (sampled with a 10 ms timer), the time until the last paragraph was laid out,
// and the longest tick of the frame's timer. Times are wall-clock; the process's CPU time is
// printed beside them as the machine may be shared. Also printed: how often the layout started
// again from the top (the document's height shrank), and the longest block in each five seconds,
// which grows when each step of the layout does work that grows with what is already laid out,
// and for two seconds after the layout, the longest block and the time four keys that move the
// caret took.
// The run gives up after BENCH_LIMIT seconds (60 unless set) and says the layout is unfinished.
//
//   bench_largedocument FILE [DISPLAY]     DISPLAY defaults to the environment's
//   bench/largedocuments.py DIR            writes the large files it is meant for

#include "document/tbaseform.h"
#include "document/tstatsform.h"
#include "document/ttextlines.h"
#include "document/ttextsearch.h"
#include "shell/tmainform.h"
#include "shell/tsettings.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <ctime>

namespace {

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

bool LaidOut(const TRichEdit& edit) {
    return edit.LaidOutParagraphs() >= edit.document()->blockCount();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_largedocument FILE [DISPLAY]\n");
        return 2;
    }
    if (argc > 2)
        qputenv("DISPLAY", argv[2]);
    qputenv("QT_QPA_PLATFORM", "xcb");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QTemporaryDir settings;
    TSettings::SetLocation(QDir(settings.path()).filePath(QStringLiteral("fastenex.ini")));
    TMainForm frame;
    frame.showMaximized();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    QElapsedTimer clock;
    clock.start();
    const double cpuStart = CpuSeconds();
    TBaseForm* form = frame.OpenFileByType(QString::fromLocal8Bit(argv[1]));
    if (!form) {
        std::printf("no window\n");
        return 1;
    }
    if (QMdiSubWindow* sub = frame.findChild<QMdiSubWindow*>())
        sub->showMaximized();
    // BENCH_NOWRAP=1: the text without word wrap, as reports are shown.
    if (qEnvironmentVariableIsSet("BENCH_NOWRAP") && form->WordWrap())
        form->ToggleWordWrap();
    form->RichEdit1->viewport()->repaint();
    const double firstPage = clock.nsecsElapsed() / 1e9;
    const double firstPageCpu = CpuSeconds() - cpuStart;
    // A long file is read on a thread while the window shows its first page: the document
    // shown changes once it is read.
    const auto document = [form] { return form->RichEdit1->document(); };
    double read = form->IsLoading() ? -1 : firstPage;

    // A layout that starts again from the top shows as a document height that shrinks.
    int restarts = 0;
    qreal lastHeight = 0;
    const auto watchRestarts = [&] {
        QObject::connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                         [&](const QSizeF& size) {
                             if (size.height() < lastHeight) {
                                 ++restarts;
                                 if (qEnvironmentVariableIsSet("BENCH_TRACE"))
                                     std::fprintf(stderr, "%.1f s restart at height %.0f\n", clock.nsecsElapsed() / 1e9, lastHeight);
                             }
                             if (qEnvironmentVariableIsSet("BENCH_TRACE") && int(size.height() / 1e6) != int(lastHeight / 1e6))
                                 std::fprintf(stderr, "%.1f s height %.0f\n", clock.nsecsElapsed() / 1e9, size.height());
                             lastHeight = size.height();
                         });
    };
    if (read >= 0)
        watchRestarts();
    if (qEnvironmentVariableIsSet("BENCH_TRACE"))
        std::fprintf(stderr, "dpi %d page %gx%g line %g\n", form->RichEdit1->logicalDpiY(), document()->pageSize().width(), document()->pageSize().height(), QFontMetricsF(document()->defaultFont(), form->RichEdit1).lineSpacing());
    // The frame's tick, run by hand every tenth sample and timed.
    qint64 longestTick = 0;
    QElapsedTimer tickClock;
    qint64 longestBlock = 0;
    qint64 last = clock.nsecsElapsed();
    double laidOut = -1;
    double laidOutCpu = 0;
    qint64 longestAfter = 0;
    bool keysAfter = false;
    double keysTime = 0;
    // Given up after a minute and reported as unfinished.
    const double limit = qEnvironmentVariableIntValue("BENCH_LIMIT") > 0 ? qEnvironmentVariableIntValue("BENCH_LIMIT") : 60;
    QTimer sampler;
    sampler.setInterval(10);
    QEventLoop loop;
    int samples = 0;
    // The longest block in each five seconds: blocks that grow as the layout goes on show
    // work that grows with the part already laid out.
    QList<qint64> longestPerSpan;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 blocked = now - last - 10'000'000;
        if (laidOut < 0)
            longestBlock = qMax(longestBlock, blocked);
        const qsizetype span = qsizetype((now - firstPage * 1e9) / 5e9);
        if (span >= 0) {
            if (longestPerSpan.size() <= span)
                longestPerSpan.resize(span + 1);
            longestPerSpan[span] = qMax(longestPerSpan[span], blocked);
        }
        if (++samples % 10 == 0) {
            tickClock.start();
            frame.Timer1Timer();
            longestTick = qMax(longestTick, tickClock.nsecsElapsed());
        }
        last = clock.nsecsElapsed();
        if (read < 0 && !form->IsLoading()) {
            read = now / 1e9;
            watchRestarts();
        }
        if (laidOut < 0 && ((read >= 0 && LaidOut(*form->RichEdit1)) || now / 1e9 > limit)) {
            laidOut = now / 1e9;
            laidOutCpu = CpuSeconds() - cpuStart;
        } else if (laidOut >= 0) {
            longestAfter = qMax(longestAfter, blocked);
            if (!keysAfter) {
                // Keys that move the caret, once all is laid out: the glyphs they need are
                // kept, not made again.
                keysAfter = true;
                QElapsedTimer keyClock;
                keyClock.start();
                for (const Qt::Key k : {Qt::Key_Down, Qt::Key_End, Qt::Key_Right, Qt::Key_PageDown}) {
                    QKeyEvent key(QEvent::KeyPress, k, Qt::NoModifier);
                    QCoreApplication::sendEvent(form->RichEdit1, &key);
                }
                form->RichEdit1->viewport()->repaint();
                keysTime = keyClock.nsecsElapsed() / 1e6;
            }
            // A while longer, for what the window does on its own once the text is laid out:
            // the caret's blinking, the frame's ticks.
            if (now / 1e9 > laidOut + 2)
                loop.quit();
        }
    });
    // A key typed into the text while the rest is laid out: the time until the editor has it.
    double typed = -1;
    double typedText = -1;
    QTimer typing;
    typing.setSingleShot(true);
    QObject::connect(&typing, &QTimer::timeout, [&] {
        QElapsedTimer keyClock;
        keyClock.start();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(form->RichEdit1, &key);
        typedText = keyClock.nsecsElapsed() / 1e6;
        form->RichEdit1->viewport()->repaint();
        typed = keyClock.nsecsElapsed() / 1e6;
    });
    // BENCH_TYPE=1 types two seconds in; a larger value is the time in milliseconds.
    if (qEnvironmentVariableIsSet("BENCH_TYPE"))
        typing.start(qMax(2000, qEnvironmentVariableIntValue("BENCH_TYPE")));
    // The commands that go through the whole text, each timed: BENCH_COMMANDS=early runs them a
    // second after the first page, while the rest is laid out; any other value once it is.
    QString commands;
    auto runCommands = [&] {
        QTextEdit* edit = form->RichEdit1;
        auto timed = [&](const char* name, const std::function<void()>& command) {
            QElapsedTimer commandClock;
            commandClock.start();
            command();
            edit->viewport()->repaint();
            commands += QStringLiteral("  %1 %2 s").arg(QLatin1String(name)).arg(commandClock.nsecsElapsed() / 1e9, 0, 'f', 2);
        };
        auto showCaretAt = [&](int position) {
            QTextCursor caret(document());
            caret.setPosition(position);
            edit->setTextCursor(caret);
            edit->ensureCursorVisible();
        };
        timed("key typed at the top", [&] {
            edit->moveCursor(QTextCursor::Start);
            QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
            QCoreApplication::sendEvent(edit, &key);
        });
        timed("new line at the top", [&] {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QCoreApplication::sendEvent(edit, &key);
        });
        timed("caret to end", [&] { showCaretAt(document()->characterCount() - 1); });
        timed("tick at the end", [&] { frame.Timer1Timer(); });
        timed("find", [&] {
            QTextCursor caret(document());
            TTextSearch::FindNext(caret, QStringLiteral("no such text"), {});
        });
        timed("goto last line", [&] {
            showCaretAt(TTextLines::LineStart(*document(), TTextLines::Count(*document()) - 1));
        });
        timed("statistics", [&] {
            TStatsForm statistics(edit);
            statistics.FormCreate();
        });
    };
    QTimer early;
    early.setSingleShot(true);
    QObject::connect(&early, &QTimer::timeout, runCommands);
    if (qgetenv("BENCH_COMMANDS") == "early")
        early.start(1000);
    sampler.start();
    loop.exec();
    sampler.stop();

    std::printf("%-40s first page %6.2f s (cpu %6.2f)  read %6.2f s  longest block %7.1f ms  laid out %7.2f s "
                "(cpu %7.2f)%s  longest tick %6.2f ms  %d paragraphs  %d restarts\n",
                QFileInfo(QString::fromLocal8Bit(argv[1])).fileName().toLocal8Bit().constData(),
                firstPage, firstPageCpu, read, longestBlock / 1e6, laidOut, laidOutCpu,
                LaidOut(*form->RichEdit1) ? "" : " (unfinished)", longestTick / 1e6,
                document()->blockCount(), restarts);
    if (qEnvironmentVariableIsSet("BENCH_COMMANDS") && qgetenv("BENCH_COMMANDS") != "early")
        runCommands();
    if (qEnvironmentVariableIsSet("BENCH_TRACE")) {
        // The area learns the final height from a timer of the layout's.
        for (int i = 0; i < 50; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::fprintf(stderr, "scroll bar maximum %d, document height %.0f\n", form->RichEdit1->verticalScrollBar()->maximum(), document()->documentLayout()->documentSize().height());
    }
    std::printf("  for 2 s after: longest block %.1f ms; Down, End, Right and Page Down took %.1f ms\n",
                longestAfter / 1e6, keysTime);
    if (!commands.isEmpty())
        std::printf("%s\n", qPrintable(commands));
    if (typed >= 0)
        std::printf("  key typed after %.1f s shown in %.1f ms (in the text after %.1f ms)\n",
                    qMax(2000, qEnvironmentVariableIntValue("BENCH_TYPE")) / 1e3, typed, typedText);
    std::printf("  longest block per 5 s (ms):");
    for (qint64 b : longestPerSpan)
        std::printf(" %.0f", b / 1e6);
    std::printf("\n");
    std::fflush(stdout);
    // Leave without the teardown of a huge document.
    std::_Exit(0);
}
