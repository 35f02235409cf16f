#pragma once

#include "trtfreader.h"

#include <QString>

class QTextDocument;

// Opening and saving a text document by file name: a name whose extension, ignoring letter
// case, is ".rtf" is read and written as rich text, every other name as plain text. A document
// loaded as plain text reports how its bytes were encoded (TRtfReadResult::PlainText), and is
// saved the same way when that format is passed back; new documents are UTF-8 with LF line
// ends. Writes go through a save file, so a failed write leaves the previous file whole. Every
// failure throws TPlatformError with the message the user sees.
class TDocumentFile {
public:
    static bool IsRichTextName(const QString& fileName);

    static TRtfReadResult Load(const QString& fileName, QTextDocument& document);
    static TRtfReadResult Load(const QString& fileName, QTextDocument& document, bool richText);
    // The two halves of Load: the file's bytes, refused as Load refuses them, and the document
    // filled from them.
    static QByteArray ReadBytes(const QString& fileName);
    static TRtfReadResult Fill(QByteArrayView data, QTextDocument& document, bool richText);
    // The first bytes of a file, cut after a line end when there is one: enough to show the
    // first page of a long text while the whole is read.
    static QByteArrayView Start(QByteArrayView data, qsizetype bytes);
    static void Save(const QString& fileName, const QTextDocument& document);
    // A text that the plain-text format's encoding cannot hold whole is not written: that throws.
    static void Save(const QString& fileName, const QTextDocument& document, bool richText,
                     const TPlainTextFormat& plainText = TPlainTextFormat());
    // Writes the bytes to the file through a save file.
    static void WriteFile(const QString& fileName, const QByteArray& bytes);
};
