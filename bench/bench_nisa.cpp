// NISA import of a large model: a file of 1,000,000 lines whose rigid link ties 10,000 dependent
// nodes, with the node card holding every node of the model. The import must stay linear in the
// size of the file (nodes are found through an index, not by scanning the link for every line).
// Prints the time of each import for files of 250,000, 500,000 and 1,000,000 lines.
#include "document/tlinebuffers.h"
#include "model/tboltgroupdocument.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// A model of `lines` lines: title, a rigid link of `dependents` nodes spread over the model,
// the node card, an element card filling the rest, a load case title and the forces.
QByteArray MakeModel(int lines, int dependents) {
    QByteArray out;
    out.reserve(qsizetype(lines) * 48);
    int written = 0;
    auto add = [&](const QByteArray& line) {
        out += line;
        out += "\r\n";
        ++written;
    };
    add("** Benchmark model");
    add("*TITLE");
    add("Large flange");
    const int nodeCount = lines / 2;
    const int stride = std::max(1, nodeCount / dependents);
    add("*RIGLINK");
    QByteArray card = " 1, " + QByteArray::number(nodeCount + 1) + ", 0, 0, 0,";
    for (int i = 0; i < dependents; ++i) {
        QByteArray pair = " " + QByteArray::number(1 + i * stride) + ", 123,";
        if (card.size() + pair.size() > 72) {
            add(card);
            card = " $";
        }
        card += pair;
    }
    add(card);
    add("*NODES");
    for (int n = 1; n <= nodeCount + 1; ++n)
        add(QByteArray::number(n).rightJustified(6, ' ') + ",0,0,0, " +
            QByteArray::number((n % 1000) * 1.5) + ", " + QByteArray::number((n / 1000) * 2.5) +
            ", " + QByteArray::number(n % 7));
    add("*ELEMENTS");
    while (written < lines - 5)
        add("  " + QByteArray::number(written) + ", 1, 1, 1, 0, 0, 12, 13, 14, 15");
    add("*LCTITLE");
    add("Case 1");
    add("*CFORCE");
    add(QByteArray::number(nodeCount + 1) + ", FX, 1000.0,,,  0,     0");
    add("*ENDDATA");
    return out;
}

// The import alone, without the plot and analysis that follow it.
class TImportOnlyDocument : public TBoltGroupDocument {
public:
    using TBoltGroupDocument::TBoltGroupDocument;
    void RefreshAnalysis() override { UpdateLoadApplied(); }
};

template <class TDocument> double Import(const QString& path, int& bolts, bool& ok) {
    TLineBuffers buffers;
    TDocument document(buffers);
    document.ResetModel();
    QElapsedTimer timer;
    timer.start();
    ok = document.ImportNisaFile(path);
    bolts = document.BoltCount();
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main() {
    QTemporaryDir dir;
    const int dependents = 10'000;
    for (const int lines : {250'000, 500'000, 1'000'000}) {
        const QString path = dir.filePath(QStringLiteral("model-%1.nis").arg(lines));
        {
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(MakeModel(lines, dependents));
        }
        int bolts = 0;
        bool ok = false;
        const double seconds = Import<TImportOnlyDocument>(path, bolts, ok);
        std::printf("%9d lines, %6d dependent nodes: %s, %d bolts, import %.3f s (%.2f us per "
                    "line)",
                    lines, dependents, ok ? "imported" : "REFUSED", bolts, seconds,
                    seconds * 1e6 / lines);
        std::fflush(stdout);
        const double withAnalysis = Import<TBoltGroupDocument>(path, bolts, ok);
        std::printf(", with plot and analysis %.3f s\n", withAnalysis);
    }
    std::printf("target: 1,000,000 lines in under 3 s, time per line constant\n");
    return 0;
}
