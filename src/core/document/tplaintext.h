#pragma once

#include "tplaintextformat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextDocument;

// Plain-text documents: read as UTF-8 (with or without a byte-order mark), as UTF-16 with a
// byte-order mark, and otherwise as Windows code page 1252, noting which of these the bytes
// were and which line ends they used, so that they can be written back the same way. Reading
// and writing a document's plain text in the format it was read in gives the bytes back.
class TPlainText {
public:
    // The text of the bytes, its line ends unchanged; the format found is stored when asked for.
    static QString Decode(QByteArrayView data, TPlainTextFormat* format = nullptr);
    // Replaces the document's content by the text of the bytes; returns how they were encoded.
    static TPlainTextFormat Read(QByteArrayView data, QTextDocument& document);
    // The document's text in the format: each line end as the format says, the document's own
    // markers left out. A character the encoding cannot hold is written as "?", so a caller
    // that must not lose it asks CanEncode first.
    static QByteArray Encode(const QTextDocument& document,
                             const TPlainTextFormat& format = TPlainTextFormat());
    // Whether the format's encoding can hold every character of the document's text.
    static bool CanEncode(const QTextDocument& document, const TPlainTextFormat& format);
    // Characters a text document cannot hold as text (its frame markers, the object
    // replacement character, NUL) become U+FFFD; line ends become '\n'.
    static void Sanitize(QString& text);
};
