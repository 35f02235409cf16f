// libFuzzer target for the load-case table reader: every input is written to a file and read as
// a table; the cases of a table that reads are analysed on a small bolt group, with their
// envelope and the report's envelope and case list.
#include "analysis/tanalysisreport.h"
#include "analysis/tloadcaseanalysis.h"
#include "analysis/tloadcaseenvelope.h"
#include "analysis/tloadcases.h"
#include "foundation/tplatformerror.h"
#include "model/tboltgroupmodel.h"

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_loadcases_%1.csv").arg(qint64(::getpid())));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TLoadCases table;
    if (!table.Read(path)) {
        if (table.Error.isEmpty() || !table.Cases.isEmpty())
            __builtin_trap();
        return 0;
    }
    if (table.Cases.isEmpty())
        __builtin_trap();
    TBoltGroupModel model;
    model.Bolts = {{0, -1, -1, 1, 1, 1, 0, 0}, {0, 1, -1, 1, 2, 1, 0, 3},
                   {0, 1, 1, 1, 1, 1, 0, 1}, {5, -1, 1, 3, 1, 1, 0, 2}};
    table.Cases = table.Cases.mid(0, 64);
    table.SetDefaultPosition(TAppliedLoad{10, 0, 0, 0, 0, 0, 0, 0});
    try {
        TLoadCaseAnalysis analysis(model.Bolts, table.Cases);
        TLoadCaseEnvelope envelope(model.Bolts);
        analysis.ForEachCase([&](qsizetype c, const QList<TBoltUnitLoads>&,
                                 const QList<TBoltActualLoads>& loads) { envelope.Add(c, loads); });
        TLineBuffers buffers;
        buffers.CreateLineBuffers();
        TAnalysisReport::WriteLoadCaseReport(model, table.Cases, envelope, buffers);
        for (qint32 i = 0; i < model.BoltCount(); ++i)
            envelope.CsvLine(i, table.Cases);
    } catch (const TPlatformError&) {
        // A point far enough away overflows the analysis; that is its error, not a fault.
    }
    return 0;
}
