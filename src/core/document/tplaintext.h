#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextDocument;

// Plain-text documents: read as UTF-8 (with or without a byte-order mark), as UTF-16 with a
// byte-order mark, and otherwise as Windows code page 1252; written as UTF-8 with CR LF line
// ends. Reading and writing a document's plain text loses nothing.
class TPlainText {
public:
    static QString Decode(QByteArrayView data);
    // Replaces the document's content by the text of the bytes.
    static void Read(QByteArrayView data, QTextDocument& document);
    static QByteArray Encode(const QTextDocument& document);
    // Characters a text document cannot hold as text (its frame markers, the object
    // replacement character, NUL) become U+FFFD; line ends become '\n'.
    static void Sanitize(QString& text);
};
