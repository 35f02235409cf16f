// Times the document window's text tools on large documents: Find from the top of a
// 100,000-line document for a word that appears once at its end (target under 0.5 s), Replace
// All of 10,000 matches as one undo step (target under 2 s), and the statistics of 100,000 lines
// (target under 2 s), both unwrapped and laid out with word wrap as the editor shows them.
#include "document/ttextlines.h"
#include "document/ttextsearch.h"
#include "document/ttextstatistics.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>

namespace {

QString Text(int lines, int matchEvery) {
    QStringList list;
    list.reserve(lines);
    for (int i = 0; i < lines; ++i) {
        QString line = QStringLiteral("Bolt %1 carries an axial load of %2 kN and a shear load")
                           .arg(i)
                           .arg(i * 0.25, 0, 'f', 2);
        if (matchEvery > 0 && i % matchEvery == 0)
            line += QStringLiteral(" washer");
        if (i % 7 == 6 && (matchEvery == 0 || i % matchEvery != 0))
            line.clear();
        list << line;
    }
    if (matchEvery == 0)
        list.last() = QStringLiteral("the last line holds the zebra");
    return list.join(QLatin1Char('\n'));
}

double Seconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e9; }

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const int lineCount = 100000;

    QTextDocument findDocument;
    findDocument.setPlainText(Text(lineCount, 0));
    for (const auto& [name, options] :
         {std::pair{"any case", TTextSearch::TOptions{}},
          std::pair{"match case, whole word", TTextSearch::TOptions{true, true}}}) {
        QTextCursor caret(&findDocument);
        QElapsedTimer timer;
        timer.start();
        const bool found = TTextSearch::FindNext(caret, QStringLiteral("zebra"), options);
        std::printf("find in %d lines (%s): %.3f s, found %s (target < 0.5 s)\n", lineCount, name,
                    Seconds(timer), found ? "yes" : "no");
    }

    QTextDocument replaceDocument;
    replaceDocument.setPlainText(Text(lineCount, 10));
    {
        QTextCursor caret(&replaceDocument);
        QElapsedTimer timer;
        timer.start();
        const int count = TTextSearch::ReplaceAll(caret, QStringLiteral("washer"),
                                                  QStringLiteral("spring washer"), {false, true});
        std::printf("replace all: %d matches in %.3f s (target < 2 s)\n", count, Seconds(timer));
        timer.start();
        replaceDocument.undo();
        std::printf("undo of the replace all: %.3f s\n", Seconds(timer));
    }

    QTextDocument statsDocument;
    statsDocument.setPlainText(Text(lineCount, 10));
    for (const bool wrap : {false, true}) {
        QElapsedTimer timer;
        timer.start();
        if (wrap) {
            statsDocument.setTextWidth(300);
            statsDocument.documentLayout()->documentSize();
        }
        const double layout = Seconds(timer);
        const QStringList lines = TTextLines::Texts(statsDocument);
        const qint64 characters = TTextLines::CharacterCount(statsDocument);
        const TTextStatistics s = TTextStatistics::Count(lines);
        std::printf("statistics of %d paragraphs%s: %.3f s (layout %.3f s); %lld characters, "
                    "%lld words, %lld paragraphs, %lld lines (target < 2 s)\n",
                    lineCount, wrap ? ", word wrap at 300 px" : "", Seconds(timer), layout,
                    characters, s.Words, s.Paragraphs, s.Lines);
    }
    return 0;
}
