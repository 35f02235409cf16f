#include "trtffonttable.h"

#include "trtfcodepage.h"

namespace {

constexpr int MaxFonts = 16384;
constexpr int MaxColours = 16384;
constexpr int MaxNameLength = 256;

} // namespace

void TRtfFontTable::BeginFont(int index, int documentCodePage) {
    CommitFont(documentCodePage);
    Open = true;
    Index = index;
    CodePage = 0;
}

void TRtfFontTable::SetCharset(int charset) { CodePage = TRtfCodePage::CodePageOfCharset(charset); }

void TRtfFontTable::SetCodePage(int codePage) {
    if (codePage > 0)
        CodePage = codePage;
}

void TRtfFontTable::FontBytes(QByteArrayView bytes, int documentCodePage) {
    for (char c : bytes) {
        if (c == ';')
            CommitFont(documentCodePage);
        else if (Open && NameBytes.size() < MaxNameLength)
            NameBytes.append(c);
    }
}

void TRtfFontTable::FontUnit(int unit, int documentCodePage) {
    if (!Open)
        return;
    CodePages.Decode(CodePage != 0 ? CodePage : documentCodePage, NameBytes, NameText);
    NameBytes.clear();
    if (NameText.size() < MaxNameLength && unit >= 0x20)
        NameText.append(QChar(char16_t(unit)));
}

void TRtfFontTable::CommitFont(int documentCodePage) {
    if (!Open)
        return;
    Open = false;
    if (!NameBytes.isEmpty())
        CodePages.Decode(CodePage != 0 ? CodePage : documentCodePage, NameBytes, NameText);
    NameBytes.clear();
    QString name = NameText.trimmed();
    NameText.clear();
    name.remove(QChar(0));
    if (Fonts.size() < MaxFonts || Fonts.contains(Index))
        Fonts.insert(Index, TEntry{name.left(MaxNameLength), CodePage});
}

void TRtfFontTable::BeginColours() {
    ColourList.clear();
    Red = Green = Blue = 0;
    ColourSet = false;
}

void TRtfFontTable::ColourWord(TRtfWord word, int value) {
    const int v = value < 0 ? 0 : (value > 255 ? 255 : value);
    if (word == TRtfWord::Red)
        Red = v;
    else if (word == TRtfWord::Green)
        Green = v;
    else if (word == TRtfWord::Blue)
        Blue = v;
    else
        return;
    ColourSet = true;
}

void TRtfFontTable::ColourBytes(QByteArrayView bytes) {
    for (char c : bytes) {
        if (c != ';')
            continue;
        if (int(ColourList.size()) < MaxColours)
            ColourList.push_back(ColourSet ? QColor(Red, Green, Blue) : QColor());
        Red = Green = Blue = 0;
        ColourSet = false;
    }
}

int TRtfFontTable::CodePageOfFont(int font, int documentCodePage) const {
    auto it = Fonts.constFind(font < 0 ? DefaultFont : font);
    if (it == Fonts.constEnd() || it->CodePage == 0)
        return documentCodePage;
    return it->CodePage;
}

QString TRtfFontTable::FontName(int font) const {
    auto it = Fonts.constFind(font < 0 ? DefaultFont : font);
    if (it == Fonts.constEnd()) {
        it = Fonts.constFind(DefaultFont);
        if (it == Fonts.constEnd())
            return QString();
    }
    return it->Name;
}

QColor TRtfFontTable::ColourAt(int index) const {
    if (index <= 0 || index >= int(ColourList.size()))
        return QColor();
    return ColourList[size_t(index)];
}
