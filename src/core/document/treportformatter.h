#pragma once

#include "tfontstyles.h"

#include <QFont>
#include <QStringList>

class QTextCursor;
class QTextDocument;
class TLineBuffers;

// The report as a window shows it: the output lines in the report font, then the title and
// subtitle lines given their font styles. The document window and the batch tool share it.
class TReportFormatter {
public:
    // The font of shown output until the user chooses another: "Courier New", 8 points.
    static QFont DefaultFont();

    // Replaces the document's content by the lines, one paragraph each, followed by the empty
    // paragraph that the last line end leaves, all in the font; the font also becomes the
    // document's default font.
    static void ShowLines(QTextDocument& document, const QStringList& lines, const QFont& font);
    // The same for a text of lines each ended by a line feed.
    static void ShowText(QTextDocument& document, QString text, const QFont& font);
    // ShowText and StyleLines in one edit, which an editor showing the document lays out once,
    // piece by piece as it is shown; the document then reads as after both steps.
    static void ShowStyledText(QTextDocument& document, QString text, const QFont& font,
                               const QStringList& titleLines, const QStringList& subtitleLines,
                               TFontStyles titleStyle, TFontStyles subtitleStyle);

    // Gives the title lines found in the text the title style and the subtitle lines the
    // subtitle style. Each line is trimmed and searched forward, matching case, from the end
    // of the previous match, the subtitles again from the start of the text; a line that is
    // empty or not found is passed over and the search goes on from the same place. A style
    // replaces the bold, italic, underline and strikeout of the match.
    //
    // When buffers are given, "Formatting Output" goes to their host's information label and
    // their progress fields count the lines (10 units each) through their UpdateProgress.
    static void StyleLines(QTextDocument& document, const QStringList& titleLines,
                           const QStringList& subtitleLines, TFontStyles titleStyle,
                           TFontStyles subtitleStyle, TLineBuffers* buffers = nullptr);

    // What StyleLines tells through the buffers ("Formatting Output" and the progress of every
    // line), for lines that ShowStyledText has already styled.
    static void CountStyledLines(const QStringList& titleLines, const QStringList& subtitleLines,
                                 TLineBuffers& buffers);

    // Gives the selection the style: its bold, italic, underline and strikeout become the
    // style's.
    static void ApplyStyle(QTextCursor& cursor, TFontStyles style);

    // Finds the title or subtitle lines in a text: each one trimmed, searched forward, matching
    // case, from the end of the previous match; a line that is empty, not found or that would
    // span a line end is passed over and the search goes on from the same place. find(wanted,
    // from) gives the start and end of the first match at or after from (start -1 when none),
    // in the text's own positions; found(start, end) is called for every match and done()
    // after every line.
    template <typename Find, typename Found, typename Done>
    static void FindLines(const QStringList& lines, Find find, Found found, Done done) {
        qsizetype from = 0;
        for (const QString& line : lines) {
            const QString wanted = line.trimmed();
            if (!wanted.isEmpty() && !wanted.contains(QLatin1Char('\n'))) {
                const auto [at, end] = find(wanted, from);
                if (at >= 0) {
                    found(at, end);
                    from = end;
                }
            }
            done();
        }
    }

    // Both steps on the buffers' output, title and subtitle lines and styles.
    static void BuildReport(QTextDocument& document, TLineBuffers& buffers, const QFont& font);

private:
    static void StyleLines(QTextDocument& document, const QStringList& titleLines,
                           const QStringList& subtitleLines, TFontStyles titleStyle,
                           TFontStyles subtitleStyle, TLineBuffers* buffers, bool apply);
};
