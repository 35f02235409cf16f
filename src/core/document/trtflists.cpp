#include "trtflists.h"

#include <utility>

namespace {

QString RomanText(int n, bool upper) {
    static const std::pair<int, const char*> parts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"},
        {50, "l"},   {40, "xl"},  {10, "x"},  {9, "ix"},   {5, "v"},   {4, "iv"}, {1, "i"}};
    QString text;
    for (const auto& [value, letters] : parts) {
        for (; n >= value; n -= value)
            text += QLatin1String(letters);
    }
    return upper ? text.toUpper() : text;
}

} // namespace

TRtfListKind TRtfLists::KindOfNfc(int nfc) {
    switch (nfc) {
    case 0:
        return TRtfListKind::Decimal;
    case 1:
        return TRtfListKind::UpperRoman;
    case 2:
        return TRtfListKind::LowerRoman;
    case 3:
        return TRtfListKind::UpperAlpha;
    case 4:
        return TRtfListKind::LowerAlpha;
    case 23:
    case 255:
        return TRtfListKind::Bullet;
    default:
        return TRtfListKind::Decimal;
    }
}

QTextListFormat::Style TRtfLists::StyleOfKind(TRtfListKind kind) {
    switch (kind) {
    case TRtfListKind::Decimal:
        return QTextListFormat::ListDecimal;
    case TRtfListKind::LowerAlpha:
        return QTextListFormat::ListLowerAlpha;
    case TRtfListKind::UpperAlpha:
        return QTextListFormat::ListUpperAlpha;
    case TRtfListKind::LowerRoman:
        return QTextListFormat::ListLowerRoman;
    case TRtfListKind::UpperRoman:
        return QTextListFormat::ListUpperRoman;
    default:
        return QTextListFormat::ListDisc;
    }
}

QString TRtfLists::NoteNumberText(int n, TRtfNoteNumbering numbering) {
    n = qMax(n, 1);
    switch (numbering) {
    case TRtfNoteNumbering::LowerAlpha:
    case TRtfNoteNumbering::UpperAlpha: {
        const QChar letter(char16_t((numbering == TRtfNoteNumbering::LowerAlpha ? u'a' : u'A') + (n - 1) % 26));
        return QString(qMin((n - 1) / 26 + 1, 16), letter);
    }
    case TRtfNoteNumbering::LowerRoman:
    case TRtfNoteNumbering::UpperRoman:
        if (n > 3999)
            return QString::number(n);
        return RomanText(n, numbering == TRtfNoteNumbering::UpperRoman);
    case TRtfNoteNumbering::Symbols: {
        static const char16_t symbols[] = {u'*', 0x2020, 0x2021, 0x00A7};
        return QString(qMin((n - 1) / 4 + 1, 16), QChar(symbols[(n - 1) % 4]));
    }
    default:
        return QString::number(n);
    }
}

TRtfNoteNumbering TRtfLists::NumberingOfWord(QByteArrayView word) {
    if (word.endsWith("alc"))
        return TRtfNoteNumbering::LowerAlpha;
    if (word.endsWith("auc"))
        return TRtfNoteNumbering::UpperAlpha;
    if (word.endsWith("rlc"))
        return TRtfNoteNumbering::LowerRoman;
    if (word.endsWith("ruc"))
        return TRtfNoteNumbering::UpperRoman;
    if (word.endsWith("chi"))
        return TRtfNoteNumbering::Symbols;
    return TRtfNoteNumbering::Decimal;
}

QString TRtfLists::NumberText(QStringView text) {
    QString clean;
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c >= 0x20 && c != ';' && !(c >= 0x7F && c <= 0xA0) && c != 0xAD && c != 0x2011 &&
            c != 0x2028 && c != 0x2029 && c != 0xFFFC && c != 0xFFFD && c != 0xFDD0 &&
            c != 0xFDD1 && !QChar::isSurrogate(c))
            clean.append(ch);
    }
    return clean.left(15);
}

void TRtfLists::ReadLevelText(QString levelText, TRtfListStyle& style) {
    if (levelText.endsWith(QLatin1Char(';')))
        levelText.chop(1);
    if (levelText.isEmpty())
        return;
    const QString text = levelText.mid(1, levelText.at(0).unicode());
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() < 9) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return;
    style.Before = NumberText(QStringView(text).left(first));
    style.After = NumberText(QStringView(text).mid(last + 1));
    style.Explicit = true;
}
