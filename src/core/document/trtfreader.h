#pragma once

#include "tplaintextformat.h"

#include <QByteArrayView>
#include <QStringList>

class QIODevice;
class QTextDocument;

// What reading a rich-text file found.
struct TRtfReadResult {
    // The bytes were rich text; false when they were loaded as plain text.
    bool RichText = false;
    // How the bytes were encoded when they were loaded as plain text, to write them back so.
    TPlainTextFormat PlainText;
    // Groups nested deeper than TRtfReader::MaxDepth were left out.
    bool DepthLimited = false;
    // Hidden text was left out (and would be lost if the document were saved over the file).
    bool HiddenTextLeftOut = false;
    // What the file held that the document does not keep, one plural noun phrase a kind
    // ("pictures", "tables", "headers and footers", ...) in the order first met; empty when
    // nothing was left out. Saving the document over the file would lose these.
    QStringList LeftOut;
};

// Reads rich text (RTF) into a text document: the text with its fonts, sizes, colours,
// highlight, bold, italic, underline, strikeout, superscript and subscript, and paragraphs
// with their alignment, indents, spacing and bullets or numbering (with the list level and
// the text around the number). Footnotes and endnotes keep their reference mark in the text
// and follow the text, after a separator line, in the order of their marks. Hidden text is
// left out, as the document cannot hide part of a paragraph; so are pictures, objects, fields'
// instructions, headers, footers, the style sheet, document information, the text that files
// with nested tables repeat for older readers, and every destination it does not know. Bytes
// that are not rich text are loaded as plain text.
//
// The reader survives any input: braces that do not balance (a missing final brace still
// loads; text after the final brace is ignored), groups nested beyond MaxDepth (left out, the
// braces still counted), numbers of any size (clamped), words of any length, binary data.
// It works in one pass over the bytes with an explicit stack of group states.
//
// Indents and spacing in the document are in points (RTF twips / 20); a bulleted or numbered
// paragraph has its text at the left margin and its bullet in the margin before it.
class TRtfReader {
public:
    // Replaces the document's content by the bytes. The undo history is left untouched.
    static TRtfReadResult Read(QByteArrayView data, QTextDocument& document);
    // Reads the rest of the device; throws TPlatformError when it cannot be read or holds more
    // than MaxFileSize bytes.
    static TRtfReadResult Read(QIODevice& device, QTextDocument& document);
    // The bytes begin as rich text does ("{\rtf", after white space or a UTF-8 mark).
    static bool IsRichText(QByteArrayView data);

    // The level (1 to 8) of a list nested in another, kept in the list's format for the
    // writer; a list without it is at the first level.
    static constexpr int ListLevelProperty = 0x100000 + 1; // QTextFormat::UserProperty + 1

    static constexpr int MaxDepth = 256;
    static constexpr qint64 MaxFileSize = qint64(512) << 20;
};
