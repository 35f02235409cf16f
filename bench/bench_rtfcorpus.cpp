// Reads every .rtf file of a folder and tells, for each file and in total, whether the tables,
// pictures, links and headers or footers it holds were read, and whether they survive a round
// trip: the document written and read again holds the same, and is written the same way again.
// With a second folder, writes each file's first write there (for other word processors).
//
//     bench_rtfcorpus FOLDER [OUTPUT-FOLDER]
#include "document/tdocumentheaders.h"
#include "document/trtfreader.h"
#include "document/trtfwriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>

namespace {

struct TCounts {
    int Tables = 0;
    int Pictures = 0;
    int Links = 0;
    int Headers = 0;
    bool operator==(const TCounts&) const = default;
};

void CountFrames(QTextFrame* frame, int& tables) {
    for (QTextFrame* child : frame->childFrames()) {
        if (qobject_cast<QTextTable*>(child))
            ++tables;
        CountFrames(child, tables);
    }
}

// The tables, pictures and links of one document (the text, a header or a footer).
void CountIn(const QTextDocument& document, TCounts& counts) {
    CountFrames(document.rootFrame(), counts.Tables);
    QString link;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isImageFormat())
                counts.Pictures += it.fragment().length();
            const QString href = f.isAnchor() ? f.anchorHref() : QString();
            if (!href.isEmpty() && href != link)
                ++counts.Links;
            link = href;
        }
    }
}

// What the text and its headers and footers hold.
TCounts Count(const QTextDocument& document) {
    TCounts counts;
    CountIn(document, counts);
    for (int kind = 0; kind < TDocumentHeaders::KindCount; ++kind) {
        if (const QTextDocument* part = TDocumentHeaders::Part(document, TDocumentHeaders::TKind(kind))) {
            ++counts.Headers;
            CountIn(*part, counts);
        }
    }
    return counts;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_rtfcorpus FOLDER [OUTPUT-FOLDER]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString output = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const char* names[] = {"tables", "pictures", "links", "headers"};
    int has[4] = {}, read[4] = {}, survive[4] = {};
    int files = 0, stable = 0;
    for (const QString& name : folder.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray rtf = file.readAll();
        ++files;
        const bool inFile[4] = {rtf.contains("\\row") || rtf.contains("\\nestrow"), rtf.contains("\\pict"),
                                rtf.contains("HYPERLINK"), rtf.contains("{\\header") || rtf.contains("{\\footer")};
        QTextDocument first;
        const TRtfReadResult result = TRtfReader::Read(QByteArrayView(rtf), first);
        const QByteArray written = TRtfWriter::ToRtf(first);
        QTextDocument second;
        TRtfReader::Read(QByteArrayView(written), second);
        const bool same = TRtfWriter::ToRtf(second) == written;
        stable += same ? 1 : 0;
        const TCounts a = Count(first), b = Count(second);
        const int got[4] = {a.Tables, a.Pictures, a.Links, a.Headers};
        const int back[4] = {b.Tables, b.Pictures, b.Links, b.Headers};
        std::printf("%-28s", qPrintable(name));
        for (int i = 0; i < 4; ++i) {
            has[i] += inFile[i];
            read[i] += inFile[i] && got[i] > 0;
            survive[i] += inFile[i] && got[i] > 0 && back[i] == got[i] && same;
            std::printf(" %s %d%s", names[i], got[i], back[i] == got[i] ? "" : "(changed)");
        }
        std::printf("%s%s\n", same ? "" : "  SECOND WRITE DIFFERS",
                    result.LeftOut.isEmpty() ? "" : qPrintable("  left out: " + result.LeftOut.join(", ")));
        if (!output.isEmpty()) {
            QFile out(QDir(output).filePath(name));
            if (out.open(QIODevice::WriteOnly))
                out.write(written);
        }
    }
    std::printf("\n%d files, %d written the same way twice\n", files, stable);
    for (int i = 0; i < 4; ++i)
        std::printf("%-9s in %2d files, read in %2d, survive the round trip in %2d\n", names[i], has[i], read[i], survive[i]);
    return 0;
}
