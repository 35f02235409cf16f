#pragma once

#include "tfontstyles.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

// A report of millions of lines kept as compactly as the batch tool keeps it: its UTF-8 text in
// pieces that end at line ends, an index of where every line starts, and where its title and
// subtitle lines were found, with their styles. It reads as the report a window's document
// would hold: the lines, then the empty line that the last line end leaves, the document's own
// markers taken out of the text, and the same lines styled.
class TReportText {
public:
    // A styled run on one line, in characters.
    struct TSpan {
        qsizetype Line = 0;
        int Column = 0;
        int Length = 0;
        TFontStyles Style;
    };

    TReportText() = default;
    // Takes the text, each line ended by a line feed, in pieces that end at line ends, and finds
    // the title and subtitle lines in it as the report window styles them.
    TReportText(QList<QByteArray> pieces, QStringList titleLines, QStringList subtitleLines,
                TFontStyles titleStyle, TFontStyles subtitleStyle);

    // Lines, the empty last one included, so never fewer than one.
    qsizetype LineCount() const { return qsizetype(LineStart.size()) + 1; }
    QString Line(qsizetype index) const;
    // Most bytes in a line, a bound of its characters.
    qsizetype LongestLine() const { return Longest; }
    // Characters as a document window counts them: a line end counts two.
    qint64 CharacterCount() const { return Characters + LineCount() - 1; }
    // Bytes of the text.
    qint64 Size() const { return Bytes; }
    // The styled runs on a line, in the order they were given (titles before subtitles).
    QList<TSpan> SpansOn(qsizetype line) const;
    // The text from one line and column to another, lines joined by line feeds.
    QString Text(qsizetype fromLine, int fromColumn, qsizetype toLine, int toColumn) const;
    // The whole text: every line ended by a line feed.
    QString Text() const;

    // The first occurrence of the text at or after a line and column, as the document would
    // find it (within a line; letter case ignored unless matched; a whole word not next to a
    // letter or digit); Line -1 when there is none.
    struct TMatch {
        qsizetype Line = -1;
        int Column = 0;
        int Length = 0;
    };
    TMatch Find(qsizetype line, int column, const QString& text, bool matchCase,
                bool wholeWord) const;

    // Writes the report as rich text, as the document of the whole report in the font would be
    // written, a part at a time; throws TPlatformError when the device fails.
    void WriteRtf(QIODevice& device, const QFont& font, qsizetype partLines = 20'000) const;
    // The same through a save file: the file is replaced only when it is written whole, and a
    // failure throws TPlatformError with the system's reason.
    void WriteRtf(const QString& fileName, const QFont& font) const;

    const QStringList& TitleLines() const { return Titles; }
    const QStringList& SubtitleLines() const { return Subtitles; }
    TFontStyles TitleStyle() const { return TitleStyleOf; }
    TFontStyles SubtitleStyle() const { return SubtitleStyleOf; }

private:
    QByteArrayView LineBytes(qsizetype index) const;
    qsizetype LineAt(qsizetype piece, qsizetype offset) const;
    void FindSpans(const QStringList& lines, TFontStyles style, int order,
                   const std::vector<qint64>& pieceStart);

    QList<QByteArray> Pieces;
    // Per piece, its first line; per line (the last, empty one left out), its start in its
    // piece.
    std::vector<qsizetype> PieceFirstLine;
    std::vector<quint32> LineStart;
    qsizetype Longest = 0;
    qint64 Bytes = 0;
    // UTF-16 code units of the text, its line feeds included.
    qint64 Characters = 0;
    struct TFound {
        TSpan Span;
        int Order = 0;
    };
    std::vector<TFound> Spans;
    QStringList Titles;
    QStringList Subtitles;
    TFontStyles TitleStyleOf;
    TFontStyles SubtitleStyleOf;
};
