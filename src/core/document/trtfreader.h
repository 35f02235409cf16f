#pragma once

#include <QByteArrayView>

class QIODevice;
class QTextDocument;

// What reading a rich-text file found.
struct TRtfReadResult {
    // The bytes were rich text; false when they were loaded as plain text.
    bool RichText = false;
    // Groups nested deeper than TRtfReader::MaxDepth were left out.
    bool DepthLimited = false;
};

// Reads rich text (RTF) into a text document: the text with its fonts, sizes, colours,
// highlight, bold, italic, underline and strikeout, and paragraphs with their alignment,
// indents, spacing and bullets or numbering. Pictures, objects, fields' instructions, headers,
// footers, footnotes, the style sheet, document information and every destination it does not
// know are left out. Bytes that are not rich text are loaded as plain text.
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

    static constexpr int MaxDepth = 256;
    static constexpr qint64 MaxFileSize = qint64(512) << 20;
};
