#include "tdocumentfile.h"
#include "foundation/tsavefile.h"

#include "tplaintext.h"
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
    QFile file(fileName);
    TReadFile::Open(file, TRtfReader::MaxFileSize);
    const QByteArray data = file.read(TRtfReader::MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw TReadFile::ReadFailed(file);
    if (data.size() > TRtfReader::MaxFileSize)
        throw TReadFile::TooLarge(fileName, TRtfReader::MaxFileSize);
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
        return TRtfReader::Read(QByteArrayView(data), document);
    TPlainText::Read(data, document);
    return TRtfReadResult{};
}

void TDocumentFile::Save(const QString& fileName, const QTextDocument& document) {
    Save(fileName, document, IsRichTextName(fileName));
}

void TDocumentFile::Save(const QString& fileName, const QTextDocument& document, bool richText) {
    WriteFile(fileName, richText ? TRtfWriter::ToRtf(document) : TPlainText::Encode(document));
}

void TDocumentFile::WriteFile(const QString& fileName, const QByteArray& bytes) {
    TSaveFile::WriteFile(fileName, bytes);
}
