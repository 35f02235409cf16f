#include "tplaintext.h"

#include "trtfcodepage.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace {

using TEncoding = TPlainTextFormat::TEncoding;
using TLineEnd = TPlainTextFormat::TLineEnd;

// The line ends the text uses most; on a tie, the kind met first. A text without line ends
// takes LF.
TLineEnd LineEndsOf(QStringView text) {
    qsizetype counts[3] = {};
    int first = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int kind;
        if (text[i] == QLatin1Char('\n')) {
            kind = int(TLineEnd::Lf);
        } else if (text[i] == QLatin1Char('\r')) {
            const bool pair = i + 1 < text.size() && text[i + 1] == QLatin1Char('\n');
            kind = int(pair ? TLineEnd::CrLf : TLineEnd::Cr);
            i += pair ? 1 : 0;
        } else {
            continue;
        }
        ++counts[kind];
        if (first < 0)
            first = kind;
    }
    if (first < 0)
        return TLineEnd::Lf;
    int best = first;
    for (int kind = 0; kind < 3; ++kind) {
        if (counts[kind] > counts[best])
            best = kind;
    }
    return TLineEnd(best);
}

// The code page 1252 byte of a character, the five bytes the code page leaves undefined
// included (they are read as the control characters of the same number); false when there is
// none.
bool Windows1252Byte(char16_t c, quint8& byte) {
    if (c < 0x100 && TRtfCodePage::Cp1252Char(quint8(c)) == c) {
        byte = quint8(c);
        return true;
    }
    return TRtfCodePage::Cp1252Byte(c, byte);
}

// The document's own markers: paragraph and line separators stand for line ends, the others
// are left out of the plain text.
bool IsLineSeparator(char16_t c) {
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == 0xFDD0;
}
bool IsLeftOut(char16_t c) { return c == QChar::ObjectReplacementCharacter || c == 0xFDD1; }

} // namespace

QString TPlainText::Decode(QByteArrayView data, TPlainTextFormat* format) {
    TPlainTextFormat found;
    QString text;
    if (data.startsWith("\xEF\xBB\xBF")) {
        found.Encoding = TEncoding::Utf8WithMark;
        text = QString::fromUtf8(data.sliced(3));
    } else if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        const bool little = data.startsWith("\xFF\xFE");
        found.Encoding = little ? TEncoding::Utf16LE : TEncoding::Utf16BE;
        QStringDecoder decoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text = decoder.decode(data.sliced(2));
    } else {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        text = utf8.decode(data);
        if (utf8.hasError()) {
            found.Encoding = TEncoding::Windows1252;
            text.resize(data.size());
            QChar* out = text.data();
            for (qsizetype i = 0; i < data.size(); ++i)
                out[i] = QChar(TRtfCodePage::Cp1252Char(quint8(data[i])));
        }
    }
    if (format) {
        found.LineEnd = LineEndsOf(text);
        *format = found;
    }
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

TPlainTextFormat TPlainText::Read(QByteArrayView data, QTextDocument& document) {
    TPlainTextFormat format;
    QString text = Decode(data, &format);
    Sanitize(text);
    const bool undo = document.isUndoRedoEnabled();
    document.setPlainText(text);
    document.setUndoRedoEnabled(undo);
    return format;
}

bool TPlainText::CanEncode(const QTextDocument& document, const TPlainTextFormat& format) {
    if (format.Encoding != TEncoding::Windows1252)
        return true;
    const QString text = document.toRawText();
    quint8 byte;
    for (const QChar c : text) {
        if (!IsLineSeparator(c.unicode()) && !IsLeftOut(c.unicode()) &&
            !Windows1252Byte(c.unicode(), byte))
            return false;
    }
    return true;
}

QByteArray TPlainText::Encode(const QTextDocument& document, const TPlainTextFormat& format) {
    // The raw text keeps non-breaking spaces, which the plain text would turn into spaces.
    // One pass: replacing each separator in place would move the rest of a long text again for
    // every batch of line ends.
    const QString text = document.toRawText();
    const QLatin1StringView lineEnd = format.LineEnd == TLineEnd::CrLf ? QLatin1StringView("\r\n")
                                      : format.LineEnd == TLineEnd::Cr ? QLatin1StringView("\r")
                                                                       : QLatin1StringView("\n");
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (const QChar c : text) {
        if (IsLineSeparator(c.unicode()))
            out.append(lineEnd);
        else if (!IsLeftOut(c.unicode()))
            out.append(c);
    }
    switch (format.Encoding) {
    case TEncoding::Utf8:
        return out.toUtf8();
    case TEncoding::Utf8WithMark:
        return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE: {
        // Unit by unit, so that even a lone surrogate is written back as it was read.
        const bool little = format.Encoding == TEncoding::Utf16LE;
        QByteArray bytes;
        bytes.reserve((out.size() + 1) * 2);
        bytes.append(little ? "\xFF\xFE" : "\xFE\xFF", 2);
        for (const QChar c : std::as_const(out)) {
            const char low = char(c.unicode() & 0xFF);
            const char high = char(c.unicode() >> 8);
            bytes.append(little ? low : high);
            bytes.append(little ? high : low);
        }
        return bytes;
    }
    case TEncoding::Windows1252: {
        QByteArray bytes(out.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < out.size(); ++i) {
            quint8 byte;
            bytes[i] = Windows1252Byte(out.at(i).unicode(), byte) ? char(byte) : '?';
        }
        return bytes;
    }
    }
    return out.toUtf8();
}
