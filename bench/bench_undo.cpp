// The undo history on a large group: 100 deletes of 1,000 bolts each on 100,000 bolts, then
// every step undone and redone. Prints the times, the history's size and the peak RSS.
#include "benchgroups.h"
#include "model/tdatafile.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("g.dat"));
    if (!WriteRandomGroup(100000, file))
        return 1;
    TLineBuffers buffers;
    TBoltGroupDocument d(buffers);
    if (!TDataFile(d, buffers).Load(file))
        return 1;
    const QList<TBolt> start = d.Bolts;
    const long rssBefore = PeakRssKb();
    std::mt19937 rng(5);
    QElapsedTimer timer;
    timer.start();
    for (int step = 0; step < 100; ++step) {
        d.History.Begin();
        // 1,000 bolts spread over the group, highest first as the delete command takes them.
        const qint32 count = d.BoltCount();
        for (int k = 999; k >= 0; --k)
            d.Bolts.removeAt(qint32(qint64(k) * count / 1000 + rng() % (count / 1000)));
        d.History.Commit(QStringLiteral("Delete Bolts"));
    }
    const qint64 deleteMs = timer.restart();
    while (d.History.CanUndo())
        d.History.Undo();
    const qint64 undoMs = timer.restart();
    const bool back = d.Bolts == start;
    while (d.History.CanRedo())
        d.History.Redo();
    const qint64 redoMs = timer.elapsed();
    std::printf("bolts %d -> %d, steps %d\n", int(start.size()), int(d.BoltCount()),
                int(d.History.Count()));
    std::printf("100 deletes with recording: %lld ms (%.2f ms per step)\n", deleteMs,
                deleteMs / 100.0);
    std::printf("undo all: %lld ms (%.2f ms per step), model equal to start: %s\n", undoMs,
                undoMs / 100.0, back ? "yes" : "NO");
    std::printf("redo all: %lld ms (%.2f ms per step)\n", redoMs, redoMs / 100.0);
    std::printf("history size: %.2f MB\n", d.History.MemoryUsed() / 1048576.0);
    std::printf("peak RSS: %.1f MB (%.1f MB after loading the group)\n", PeakRssKb() / 1024.0,
                rssBefore / 1024.0);
    return back ? 0 : 1;
}
