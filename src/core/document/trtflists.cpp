#include "trtflists.h"

#include "trtfreader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <utility>

namespace {

constexpr int MaxLists = 4096;
constexpr int MaxOpenLists = 1024;
// The document's lists take time to the square of their length to build (each item added
// touches every item before it), so a longer list goes on as a new list, numbered anew.
constexpr int MaxListItems = 2000;

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

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

bool TRtfLists::AddList() {
    if (int(Definitions.size()) >= MaxLists)
        return false;
    Definitions.emplace_back();
    return true;
}

bool TRtfLists::AddLevel() {
    if (Definitions.empty() || int(Definitions.back().Levels.size()) >= MaxLevels)
        return false;
    Definitions.back().Levels.push_back(TRtfListStyle{TRtfListKind::Bullet, {}, {}, false});
    return true;
}

void TRtfLists::SetListId(int id) {
    if (!Definitions.empty())
        Definitions.back().Id = id;
}

void TRtfLists::SetLevelKind(int nfc) {
    if (!Definitions.empty() && !Definitions.back().Levels.empty())
        Definitions.back().Levels.back().Kind = KindOfNfc(nfc);
}

void TRtfLists::SetLevelText(const QString& levelText) {
    if (!Definitions.empty() && !Definitions.back().Levels.empty())
        ReadLevelText(levelText, Definitions.back().Levels.back());
}

bool TRtfLists::AddOverride() {
    if (int(Overrides.size()) >= MaxLists)
        return false;
    Overrides.emplace_back();
    return true;
}

void TRtfLists::SetOverrideListId(int id) {
    if (!Overrides.empty())
        Overrides.back().ListId = id;
}

void TRtfLists::SetOverrideNumber(int number) {
    if (!Overrides.empty())
        Overrides.back().Number = number;
}

TRtfListStyle TRtfLists::StyleOf(const TRtfParaProps& props) const {
    if (props.ListOverride <= 0)
        return props.Pn;
    // Resolved once for each list and level, so that a file with many lists stays linear; the
    // list tables are read by then.
    const quint64 key = (quint64(quint32(props.ListOverride)) << 8) | quint64(props.ListLevel);
    auto cached = Styles.constFind(key);
    if (cached == Styles.constEnd()) {
        if (Styles.size() >= MaxOpenLists)
            Styles.clear();
        cached = Styles.insert(key, Resolve(props));
    }
    if (cached->Kind == TRtfListKind::None)
        return props.Pn.Kind != TRtfListKind::None ? props.Pn : TRtfListStyle{TRtfListKind::Bullet, {}, {}, false};
    return *cached;
}

TRtfListStyle TRtfLists::Resolve(const TRtfParaProps& props) const {
    for (const TOverride& o : Overrides) {
        if (o.Number != props.ListOverride)
            continue;
        for (const TDefinition& l : Definitions) {
            if (l.Id == o.ListId && !l.Levels.empty()) {
                const size_t level = size_t(Clamp(props.ListLevel, 0, MaxLevels - 1));
                return l.Levels[qMin(level, l.Levels.size() - 1)];
            }
        }
        break;
    }
    return TRtfListStyle{};
}

void TRtfLists::Join(TRtfOpenLists& open, QTextCursor& cursor, const TRtfParaProps& props) const {
    const TRtfListStyle style = StyleOf(props);
    const int owner = qMax(props.ListOverride, 0);
    if (style.Kind == TRtfListKind::None || owner != 0 || !open.PreviousWasNumbered)
        open.Owners.remove(0);
    open.PreviousWasNumbered = style.Kind != TRtfListKind::None && owner == 0;
    if (style.Kind == TRtfListKind::None)
        return;
    // A file that names list after list keeps only the most recent ones open.
    if (open.Owners.size() >= MaxOpenLists && !open.Owners.contains(owner))
        open.Owners.clear();
    TRtfOpenLists::TLevels& levels = open.Owners[owner];
    const int level = Clamp(props.ListLevel, 0, MaxLevels - 1);
    if (levels.Lists[level] && levels.Styles[level] == style &&
        levels.Lists[level]->count() < MaxListItems) {
        levels.Lists[level]->add(cursor.block());
    } else {
        QTextListFormat lf;
        lf.setStyle(StyleOfKind(style.Kind));
        lf.setIndent(0);
        if (level > 0)
            lf.setProperty(TRtfReader::ListLevelProperty, level);
        // Without a text of its own, the document puts a "." after the number.
        if (style.Explicit && !(style.Before.isEmpty() && style.After == QLatin1String("."))) {
            if (!style.Before.isEmpty())
                lf.setNumberPrefix(style.Before);
            lf.setNumberSuffix(style.After);
        }
        levels.Lists[level] = cursor.createList(lf);
        levels.Styles[level] = style;
    }
    for (int deeper = level + 1; deeper < MaxLevels; ++deeper)
        levels.Lists[deeper] = nullptr;
    // The number is drawn in the paragraph's own format: that of its first text.
    const QTextBlock block = cursor.block();
    if (block.begin() != block.end()) {
        QTextCursor mark(block);
        mark.setBlockCharFormat(block.begin().fragment().charFormat());
    }
}
