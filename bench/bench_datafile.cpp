// Times SaveDataFile and LoadDataFile for generated bolt groups of 10^4, 10^5 and 10^6 bolts
// and prints bolts per second and the peak memory of each run.
#include "document/tlinebuffers.h"
#include "model/tboltgroupdocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Reading only: the analysis that follows a read is measured by its own benchmark.
class TReadOnlyDocument : public TBoltGroupDocument {
public:
    using TBoltGroupDocument::TBoltGroupDocument;
    void RefreshAnalysis() override { UpdateLoadApplied(); }
};

long PeakKiB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void ResetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("%10s %12s %14s %12s %14s %12s\n", "bolts", "write s", "write bolts/s", "read s",
                "read bolts/s", "peak MB");
    for (int n : {10'000, 100'000, 1'000'000}) {
        const QString path = dir.filePath(QStringLiteral("bench-%1.dat").arg(n));
        double writeSeconds = 0;
        {
            TLineBuffers buffers;
            TReadOnlyDocument d(buffers);
            d.Bolts.resize(n);
            for (int i = 0; i < n; ++i) {
                TBolt& b = d.Bolts[i];
                b.X = (i % 1000) * 12.5;
                b.Y = (i / 1000) * -7.25;
                b.Z = (i % 7) * 0.3333;
                b.StiffnessX = 1 + (i % 3);
                b.StiffnessY = 2.5e5;
                b.StiffnessZ = 1.0 / (1 + i % 11);
                b.Orientation = qint8(i % 4);
                b.NodeNumber = 100000 + i;
            }
            d.AppliedLoad = {10, 20, 30, 1000, -2000, 3000};
            QElapsedTimer t;
            t.start();
            if (!d.SaveDataFile(path))
                return 1;
            writeSeconds = t.nsecsElapsed() / 1e9;
        }
        ResetPeak();
        QElapsedTimer t;
        t.start();
        TLineBuffers buffers;
        TReadOnlyDocument d(buffers);
        d.ResetModel();
        if (!d.LoadDataFile(path) || d.BoltCount() != n)
            return 1;
        const double readSeconds = t.nsecsElapsed() / 1e9;
        std::printf("%10d %12.3f %14.0f %12.3f %14.0f %12.1f\n", n, writeSeconds, n / writeSeconds,
                    readSeconds, n / readSeconds, PeakKiB() / 1024.0);
        std::fflush(stdout);
    }
    return 0;
}
