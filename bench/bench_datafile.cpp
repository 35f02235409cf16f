// Times SaveDataFile and LoadDataFile for generated bolt groups of 10^4, 10^5 and 10^6 bolts
// and prints bolts per second and the peak memory of each run; first what two hostile inputs
// cost: a short file that declares 9,999,999 bolts (refused before anything is allocated) and
// an endless device (refused at the 1 GB file limit). Targets: both under a second and 50 MB,
// and the device under 1.1 GB.
#include "document/tlinebuffers.h"
#include "foundation/tplatformerror.h"
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
    const auto hostile = [](const char* what, const QString& path) {
        ResetPeak();
        QElapsedTimer t;
        t.start();
        TLineBuffers buffers;
        TReadOnlyDocument d(buffers);
        d.ResetModel();
        QString outcome = QStringLiteral("read");
        try {
            if (!d.LoadDataFile(path))
                outcome = QStringLiteral("refused");
        } catch (const std::exception& e) {
            outcome = TPlatformError::TextOf(e);
        }
        std::printf("%-28s %8.3f s %10.1f MB  %s\n", what, t.nsecsElapsed() / 1e9,
                    PeakKiB() / 1024.0, qPrintable(outcome));
    };
    const QString declared = dir.filePath(QStringLiteral("declared.dat"));
    QFile f(declared);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    f.write("[General]\nAnalysis Type=Bolt Group\n[Analysis Data]\nNumber of Bolts=9999999\n"
            "Bolt 1=0.0000,0.0000,0.0000,1,1,1,0,0\nBolt 2=100.0000,0.0000,0.0000,1,1,1,0,0\n"
            "Bolt 3=0.0000,100.0000,0.0000,1,1,1,0,0\nBolt 4=9.0000,9.0000,0.0000,1,1,1,0,0\n"
            "Applied Load=50,0,20,0,0,-1000,0,0\n");
    f.close();
    hostile("9,999,999 declared, 4 lines", declared);
    hostile("/dev/zero", QStringLiteral("/dev/zero"));
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
