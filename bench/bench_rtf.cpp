// Times reading and writing a rich-text report of 100,000 lines (the size of a large analysis
// report): the report as the window shows it, with its title lines bold and subtitle lines
// underlined, written to RTF and read back. Targets: read under 3 s, write under 1 s. Also
// reads a numbered list of 20,000 items with a nested item after every ninth (target: 3 s), and
// reads and writes a table of 10,000 rows of 6 cells, every tenth row with a wide cell and a
// cell merged with the one below (target: read 3 s, write 1 s).
#include "document/trtfreader.h"
#include "document/trtfwriter.h"
#include "document/treportformatter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>

namespace {

QStringList ReportLines(int count, QStringList& titles, QStringList& subtitles) {
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (i % 1000 == 0) {
            lines << QStringLiteral("Bolt Group Loads Table %1").arg(i / 1000 + 1);
            titles << lines.last();
        } else if (i % 100 == 0) {
            lines << QStringLiteral("  Bolt      X         Y         Z        Axial     Shear");
            subtitles << lines.last();
        } else {
            lines << QStringLiteral("%1  %2  %3  %4  %5  %6")
                         .arg(i, 6)
                         .arg(i * 0.25, 9, 'f', 4)
                         .arg(-i * 0.5, 9, 'f', 4)
                         .arg(12.5, 9, 'f', 4)
                         .arg(i * 1.5e-3, 11, 'f', 4)
                         .arg(3.25, 11, 'f', 4);
        }
    }
    return lines;
}

template <typename F>
double Best(int runs, F f) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        best = qMin(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const int lineCount = 100000;
    QStringList titles;
    QStringList subtitles;
    const QStringList lines = ReportLines(lineCount, titles, subtitles);

    QTextDocument report;
    const double build = Best(1, [&] {
        TReportFormatter::ShowLines(report, lines, TReportFormatter::DefaultFont());
        TReportFormatter::StyleLines(report, titles, subtitles, TFontStyles{TFontStyle::Bold},
                                     TFontStyles{TFontStyle::Underline});
    });

    QByteArray rtf;
    const double write = Best(3, [&] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        TRtfWriter::Write(report, buffer);
        rtf = buffer.data();
    });

    int blocks = 0;
    const double read = Best(3, [&] {
        QBuffer buffer(&rtf);
        buffer.open(QIODevice::ReadOnly);
        QTextDocument document;
        TRtfReader::Read(buffer, document);
        blocks = document.blockCount();
    });

    QByteArray listRtf("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}"
                       "{\\listlevel\\levelnfc4{\\leveltext\\'02\\'01);}}\\listid1}}"
                       "{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}");
    const int itemCount = 20000;
    for (int i = 0; i < itemCount; ++i)
        listRtf += "\\pard\\ls1\\ilvl" + QByteArray(i % 10 == 9 ? "1" : "0") + " Item " +
                   QByteArray::number(i) + "\\par\r\n";
    listRtf += '}';
    const double readList = Best(3, [&] {
        QTextDocument document;
        TRtfReader::Read(QByteArrayView(listRtf), document);
    });

    QByteArray tableRtf("{\\rtf1\\ansi ");
    const int rowCount = 10000;
    for (int r = 0; r < rowCount; ++r) {
        const bool special = r % 10 == 0;
        tableRtf += special ? "\\trowd\\trgaph108\\clvmgf\\cellx1000\\cellx3000\\cellx4000\\cellx5000\\cellx6000\\cellx7000"
                            : "\\trowd\\trgaph108\\clvmrg\\cellx1000\\cellx2000\\cellx3000\\cellx4000\\cellx5000\\cellx6000\\cellx7000";
        tableRtf += "\\pard\\intbl";
        for (int c = 0; c < (special ? 6 : 7); ++c)
            tableRtf += " R" + QByteArray::number(r) + "C" + QByteArray::number(c) + "\\cell";
        tableRtf += "\\row\r\n";
    }
    tableRtf += "\\pard After\\par}";
    QTextDocument tableDocument;
    const double readTable = Best(3, [&] {
        TRtfReader::Read(QByteArrayView(tableRtf), tableDocument);
    });
    QByteArray tableOut;
    const double writeTable = Best(3, [&] { tableOut = TRtfWriter::ToRtf(tableDocument); });

    std::printf("report of %d lines (%d titles, %d subtitles), %.1f MB of RTF\n", lineCount,
                int(titles.size()), int(subtitles.size()), rtf.size() / 1e6);
    std::printf("show and style:  %.3f s\n", build);
    std::printf("write:           %.3f s  (target < 1 s)%s\n", write, write < 1.0 ? "" : "  MISSED");
    std::printf("read:            %.3f s  (target < 3 s)%s, %d paragraphs\n", read,
                read < 3.0 ? "" : "  MISSED", blocks);
    std::printf("read list:       %.3f s  (target < 3 s)%s, %d items\n", readList,
                readList < 3.0 ? "" : "  MISSED", itemCount);
    std::printf("read table:      %.3f s  (target < 3 s)%s, %d rows, %.1f MB\n", readTable,
                readTable < 3.0 ? "" : "  MISSED", rowCount, tableRtf.size() / 1e6);
    std::printf("write table:     %.3f s  (target < 1 s)%s, %.1f MB\n", writeTable,
                writeTable < 1.0 ? "" : "  MISSED", tableOut.size() / 1e6);
    return write < 1.0 && read < 3.0 && readList < 3.0 && readTable < 3.0 && writeTable < 1.0 ? 0 : 1;
}
