#pragma once

#include <QPoint>
#include <QStringList>

class QTextBlock;
class QTextDocument;

// The lines of a document as its text area counts them: every paragraph is at least one line,
// a line break inside a paragraph starts another, and a paragraph the area has laid out with
// word wrap counts each of its wrapped lines. A paragraph that has not been laid out counts its
// unwrapped lines, so the area lays the document out before asking when word wrap is on.
// Lines are numbered from 0.
class TTextLines {
public:
    static int Count(const QTextDocument& document);
    // The line that holds the character position (the last line for a position past the end).
    static int LineOf(const QTextDocument& document, int position);
    // The position of the first character of the line, the line limited to the document's.
    static int LineStart(const QTextDocument& document, int line);
    // The text of every line, without its line break.
    static QStringList Texts(const QTextDocument& document);
    // The length of the whole text with every paragraph break counted as two characters, a
    // carriage return and a line feed, as the text is saved as plain text.
    static qint64 CharacterCount(const QTextDocument& document);

    // Whether the document is known to hold no line break inside a paragraph (U+2028), so that
    // without word wrap each paragraph is one line. Known only once NoteLineBreaks has looked
    // (a long text read in the background is looked at as it is read); text added later that
    // holds a line break takes it back (TLineIndex watches).
    static void NoteLineBreaks(QTextDocument& document);
    static bool KnownWithoutLineBreaks(const QTextDocument& document);
    static void ForgetWithoutLineBreaks(QTextDocument& document);

    // The start and length of each line of one paragraph, relative to the paragraph.
    static QList<QPair<int, int>> BlockLines(const QTextBlock& block);
    // How many lines the paragraph counts.
    static int BlockLineCount(const QTextBlock& block);
    // The line within the paragraph (from 0) that holds the offset, and the offset's column in
    // that line; read from the paragraph's layout without copying its text when it is laid out.
    static QPoint LineInBlock(const QTextBlock& block, int offset);
};
