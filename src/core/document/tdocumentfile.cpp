#include "tdocumentfile.h"
#include "foundation/tsavefile.h"

#include "tplaintext.h"
#include "foundation/tplatformerror.h"
#include "foundation/treadfile.h"
#include "trtfwriter.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>

bool TDocumentFile::IsRichTextName(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".rtf"), Qt::CaseInsensitive);
}

TRtfReadResult TDocumentFile::Load(const QString& fileName, QTextDocument& document) {
    return Load(fileName, document, IsRichTextName(fileName));
}

TRtfReadResult TDocumentFile::Load(const QString& fileName, QTextDocument& document,
                                   bool richText) {
    return Fill(ReadBytes(fileName), document, richText);
}

QByteArray TDocumentFile::ReadBytes(const QString& fileName) {
    QFile file(fileName);
    TReadFile::Open(file, TRtfReader::MaxFileSize);
    return TReadFile::ReadAll(file, TRtfReader::MaxFileSize);
}

TRtfReadResult TDocumentFile::Fill(QByteArrayView data, QTextDocument& document, bool richText) {
    // The readers empty the document and fill it inside this one edit, on every exit, so that
    // an editor showing the document lays the new text out as it is shown, not all at once.
    class TEditBlock {
    public:
        explicit TEditBlock(QTextDocument& document) : Cursor(&document) { Cursor.beginEditBlock(); }
        ~TEditBlock() { Cursor.endEditBlock(); }

    private:
        QTextCursor Cursor;
    } edit(document);
    if (richText)
        return TRtfReader::Read(data, document);
    TRtfReadResult result;
    result.PlainText = TPlainText::Read(data, document);
    return result;
}

QByteArrayView TDocumentFile::Start(QByteArrayView data, qsizetype bytes) {
    if (data.size() <= bytes)
        return data;
    const bool utf16 = data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF");
    qsizetype end = data.first(bytes).lastIndexOf('\n') + 1;
    if (end > 0) {
        // UTF-16 is cut after the whole code unit of the line end.
        if (utf16 && end % 2 != 0)
            ++end;
    } else if (utf16) {
        end = bytes - bytes % 2;
    } else {
        // Not inside a UTF-8 character.
        end = bytes;
        while (end > 0 && (quint8(data[end]) & 0xC0) == 0x80)
            --end;
    }
    return data.first(end);
}

void TDocumentFile::Save(const QString& fileName, const QTextDocument& document) {
    Save(fileName, document, IsRichTextName(fileName));
}

void TDocumentFile::Save(const QString& fileName, const QTextDocument& document, bool richText,
                         const TPlainTextFormat& plainText) {
    if (richText) {
        WriteFile(fileName, TRtfWriter::ToRtf(document));
        return;
    }
    // Characters are never replaced on the way: the window asks before it saves such a text
    // in another encoding.
    if (!TPlainText::CanEncode(document, plainText))
        throw TPlatformError(QStringLiteral("Cannot write file \"%1\". The text holds characters "
                                            "that %2 cannot hold.")
                                 .arg(fileName, plainText.EncodingName()));
    WriteFile(fileName, TPlainText::Encode(document, plainText));
}

void TDocumentFile::WriteFile(const QString& fileName, const QByteArray& bytes) {
    TSaveFile::WriteFile(fileName, bytes);
}
