#include "tplaintext.h"

#include "trtfcodepage.h"

#include <QStringDecoder>
#include <QTextDocument>

QString TPlainText::Decode(QByteArrayView data) {
    if (data.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(data.sliced(3));
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(data.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                           : QStringConverter::Utf16BE);
        return decoder.decode(data.sliced(2));
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    text.resize(data.size());
    QChar* out = text.data();
    for (qsizetype i = 0; i < data.size(); ++i)
        out[i] = QChar(TRtfCodePage::Cp1252Char(quint8(data[i])));
    return text;
}

void TPlainText::Sanitize(QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    const QChar* p = text.constData();
    for (; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c == 0 || c == '\r' || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC)
            break;
    }
    if (i == n)
        return;
    QString out;
    out.reserve(n);
    out.append(QStringView(text).left(i));
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case 0:
        case 0xFDD0:
        case 0xFDD1:
        case 0xFFFC:
            out.append(QChar(QChar::ReplacementCharacter));
            break;
        case '\r':
            out.append(QLatin1Char('\n'));
            if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            break;
        default:
            out.append(c);
        }
    }
    text = std::move(out);
}

void TPlainText::Read(QByteArrayView data, QTextDocument& document) {
    QString text = Decode(data);
    Sanitize(text);
    const bool undo = document.isUndoRedoEnabled();
    document.setPlainText(text);
    document.setUndoRedoEnabled(undo);
}

QByteArray TPlainText::Encode(const QTextDocument& document) {
    // The raw text keeps non-breaking spaces, which the plain text would turn into spaces.
    // One pass: replacing each separator in place would move the rest of a long text again for
    // every batch of line ends.
    const QString text = document.toRawText();
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xFDD0:
            out.append(QLatin1String("\r\n"));
            break;
        case QChar::ObjectReplacementCharacter:
        case 0xFDD1:
            break;
        default:
            out.append(c);
        }
    }
    return out.toUtf8();
}
