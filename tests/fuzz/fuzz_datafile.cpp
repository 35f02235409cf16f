// Feeds arbitrary bytes to the analysis data-file reader: it must never crash, hang or read
// outside its buffers, and whatever it accepts must write and read back to the same model.
#include "document/tlinebuffers.h"
#include "model/tboltgroupdocument.h"
#include "model/tnumberformat.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>

namespace {

class TReaderOnly : public TBoltGroupDocument {
public:
    using TBoltGroupDocument::TBoltGroupDocument;
    void RefreshAnalysis() override { UpdateLoadApplied(); }
};

QTemporaryDir* Dir = nullptr;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!Dir) {
        static int argc = 1;
        static char name[] = "fuzz_datafile";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        Dir = new QTemporaryDir(QStringLiteral("/dev/shm/fuzz-datafile-XXXXXX"));
        if (!Dir->isValid())
            Dir = new QTemporaryDir();
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = Dir->filePath(QStringLiteral("input.dat"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(bytes);
    }
    TLineBuffers buffers;
    TReaderOnly document(buffers);
    // Large declared counts are valid but only cost time here: the benchmark covers them.
    {
        TLineBuffers probe;
        probe.CreateLineBuffers();
        try {
            probe.LoadDataLines(path);
        } catch (const std::exception&) {
        }
        const QString line = probe.FindDataLine(QStringLiteral("Number of Bolts")).Line;
        if (TNumberFormat::ParseInteger(QStringView(line).mid(line.indexOf(QLatin1Char('=')) + 1), 0) > 2000)
            return 0;
    }
    document.ResetModel();
    bool loaded = false;
    try {
        loaded = document.LoadDataFile(path);
    } catch (const std::exception&) {
        return 0;
    }
    if (buffers.LineBuffersExist())
        std::abort();
    if (!loaded || document.BoltCount() > 100000)
        return 0;
    for (const TBolt& b : document.Bolts) {
        if (!std::isfinite(b.X) || !std::isfinite(b.StiffnessZ))
            std::abort();
    }
    // Written and read again, the model keeps its titles, count and load.
    const QString copy = Dir->filePath(QStringLiteral("copy.dat"));
    if (!document.SaveDataFile(copy))
        return 0;
    TLineBuffers buffers2;
    TReaderOnly again(buffers2);
    again.ResetModel();
    if (!again.LoadDataFile(copy) || again.BoltCount() != document.BoltCount())
        std::abort();
    const TAppliedLoad& a = document.AppliedLoad;
    const TAppliedLoad& b = again.AppliedLoad;
    for (auto [x, y] : {std::pair{a.X, b.X}, {a.Y, b.Y}, {a.Z, b.Z}, {a.FX, b.FX}, {a.FY, b.FY},
                        {a.FZ, b.FZ}}) {
        if (TNumberFormat::FormatGeneral(x) != TNumberFormat::FormatGeneral(y))
            std::abort();
    }
    // Titles survive unless they hold a line break of their own.
    if (!document.AnalysisTitle.contains(QLatin1Char('\r')) &&
        !document.AnalysisTitle.contains(QLatin1Char('\n')) &&
        again.AnalysisTitle != document.AnalysisTitle)
        std::abort();
    return 0;
}
