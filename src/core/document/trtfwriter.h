#pragma once

#include <QByteArray>

#include <functional>

class QIODevice;
class QTextDocument;

// Writes a text document as rich text (RTF) that word processors open with the same text and
// formatting: a font and a colour table built from the document, one group per run of text
// with its font, size, styles, raised or lowered position, colour and highlight, paragraphs
// with their alignment, indents and spacing, and bullets and numbering both in the
// paragraph-numbering form (\pn) that every reader understands and in a list table, which
// keeps each list's level and the text around its numbers; tables as rows of cells with their
// widths, merges, borders and shading (nested tables as nested rows), pictures as the file held
// them (others as PNG) at their size, links as link fields, and the headers and footers kept
// with the document. Characters of code page 1252 are
// written as bytes, all others as Unicode escapes with a '?' for readers without Unicode; the
// output is 7-bit ASCII.
class TRtfWriter {
public:
    static QByteArray ToRtf(const QTextDocument& document);
    // Writes the document to the device; throws TPlatformError when the write fails.
    static void Write(const QTextDocument& document, QIODevice& device);
    // Writes a text too long to be one document a part at a time, as the document of all the
    // parts would be written: nextPart fills the document it is given with the next part and
    // is false when there is none. Each part is paragraphs only, and uses only the fonts and
    // colours of the first.
    static void WriteParts(QIODevice& device, const std::function<bool(QTextDocument&)>& nextPart);
};
