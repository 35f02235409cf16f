// libFuzzer target for the NISA input reader: every input is written to a file and imported into
// a fresh document, which is then analysed as after any successful read; the loads of a group
// that analyses are written back out as a NISA load fragment.
#include "document/tlinebuffers.h"
#include "foundation/tplatformerror.h"
#include "model/tboltgroupdocument.h"

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_nisa_%1.nis").arg(qint64(::getpid())));
    static const QString fragment =
        QDir::temp().filePath(QStringLiteral("fuzz_nisa_%1_loads.nis").arg(qint64(::getpid())));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TLineBuffers buffers;
    TBoltGroupDocument document(buffers);
    document.ResetModel();
    try {
        if (document.ImportNisaFile(path)) {
            if (document.BoltCount() < 0 || buffers.LineBuffersExist())
                __builtin_trap();
            // Bolts without a node number make the (absent) window cancel the export.
            QFile::remove(fragment);
            if (document.ActualLoadsCalculated && document.ExportNisaLoads(fragment) &&
                !QFile::exists(fragment))
                __builtin_trap();
        } else if (document.BoltCount() != 0 || !document.AnalysisTitle.isEmpty()) {
            __builtin_trap();
        }
    } catch (const TPlatformError&) {
        // Arithmetic the analysis refuses (a division by zero) is reported, not a crash.
    }
    return 0;
}
