#include "trtfreader.h"

#include "tplaintext.h"
#include "foundation/tplatformerror.h"
#include "trtfcodepage.h"
#include "trtftokenizer.h"

#include <QColor>
#include <QHash>
#include <QIODevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// The control words the reader acts on.
enum class TWord {
    Unknown,
    // header
    Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff,
    // tables and destinations
    FontTable, ColourTable, ListTable, List, ListLevel, ListId, LevelNfc, ListOverrideTable,
    ListOverride, LevelText, Pn, PnLvlBlt, PnLvlBody, PnLvl, PnDec, PnUcLtr, PnLcLtr, PnUcRm,
    PnLcRm, PnTextBefore, PnTextAfter, FieldResult, FieldInstruction, Upr, Ud, Object, Result,
    NestTableProps, SkipDestination,
    // notes
    Footnote, NoteMark, Endnote, NoteStartAt, NoteNumbering,
    Font, Charset, Cpg, Red, Green, Blue,
    // characters
    Unicode, UnicodeSkip, Par, Line, Tab, Cell, Row, EmDash, EnDash, LQuote, RQuote, LDblQuote,
    RDblQuote, Bullet, EmSpace, EnSpace, QmSpace, Zwj, Zwnj,
    // character formatting
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontSize, Colour, Highlight, Hidden,
    Super, Sub, NoSuperSub, Up, Down,
    // paragraph formatting
    Pard, AlignLeft, AlignCentre, AlignRight, AlignJustify, LeftIndent, RightIndent, FirstIndent,
    SpaceBefore, SpaceAfter, ListOverrideNumber, ListLevelNumber,
};

using TWordTable = std::unordered_map<std::string_view, TWord>;

const TWordTable& Words() {
    static const TWordTable table = [] {
        TWordTable t{
            {"rtf", TWord::Rtf}, {"ansi", TWord::Ansi}, {"mac", TWord::Mac}, {"pc", TWord::Pc},
            {"pca", TWord::Pca}, {"ansicpg", TWord::AnsiCpg}, {"deff", TWord::Deff},
            {"fonttbl", TWord::FontTable}, {"colortbl", TWord::ColourTable},
            {"listtable", TWord::ListTable}, {"list", TWord::List},
            {"listlevel", TWord::ListLevel}, {"listid", TWord::ListId},
            {"levelnfc", TWord::LevelNfc}, {"levelnfcn", TWord::LevelNfc},
            {"leveltext", TWord::LevelText},
            {"listoverridetable", TWord::ListOverrideTable},
            {"listoverride", TWord::ListOverride}, {"pn", TWord::Pn},
            {"pnlvlblt", TWord::PnLvlBlt}, {"pnlvlbody", TWord::PnLvlBody},
            {"pnlvl", TWord::PnLvl}, {"pndec", TWord::PnDec}, {"pnucltr", TWord::PnUcLtr},
            {"pnlcltr", TWord::PnLcLtr}, {"pnucrm", TWord::PnUcRm}, {"pnlcrm", TWord::PnLcRm},
            {"pntxtb", TWord::PnTextBefore}, {"pntxta", TWord::PnTextAfter},
            {"nesttableprops", TWord::NestTableProps}, {"footnote", TWord::Footnote},
            {"chftn", TWord::NoteMark}, {"ftnalt", TWord::Endnote},
            {"ftnstart", TWord::NoteStartAt}, {"aftnstart", TWord::NoteStartAt},
            {"fldrslt", TWord::FieldResult}, {"fldinst", TWord::FieldInstruction},
            {"upr", TWord::Upr}, {"ud", TWord::Ud}, {"object", TWord::Object},
            {"result", TWord::Result}, {"f", TWord::Font}, {"fcharset", TWord::Charset},
            {"cpg", TWord::Cpg}, {"red", TWord::Red}, {"green", TWord::Green},
            {"blue", TWord::Blue}, {"u", TWord::Unicode}, {"uc", TWord::UnicodeSkip},
            {"par", TWord::Par}, {"sect", TWord::Par}, {"page", TWord::Par},
            {"line", TWord::Line}, {"tab", TWord::Tab}, {"cell", TWord::Cell},
            {"nestcell", TWord::Cell}, {"row", TWord::Row}, {"nestrow", TWord::Row},
            {"emdash", TWord::EmDash}, {"endash", TWord::EnDash}, {"lquote", TWord::LQuote},
            {"rquote", TWord::RQuote}, {"ldblquote", TWord::LDblQuote},
            {"rdblquote", TWord::RDblQuote}, {"bullet", TWord::Bullet},
            {"emspace", TWord::EmSpace}, {"enspace", TWord::EnSpace},
            {"qmspace", TWord::QmSpace}, {"zwj", TWord::Zwj}, {"zwnj", TWord::Zwnj},
            {"plain", TWord::Plain}, {"b", TWord::Bold}, {"i", TWord::Italic},
            {"ul", TWord::Underline}, {"uld", TWord::Underline}, {"uldb", TWord::Underline},
            {"ulw", TWord::Underline}, {"ulwave", TWord::Underline},
            {"uldash", TWord::Underline}, {"uldashd", TWord::Underline},
            {"uldashdd", TWord::Underline}, {"ulth", TWord::Underline},
            {"ulhwave", TWord::Underline}, {"ululdbwave", TWord::Underline},
            {"ulthd", TWord::Underline}, {"ulthdash", TWord::Underline},
            {"ulnone", TWord::UnderlineNone}, {"strike", TWord::Strike},
            {"striked", TWord::Strike}, {"fs", TWord::FontSize}, {"cf", TWord::Colour},
            {"highlight", TWord::Highlight}, {"cb", TWord::Highlight}, {"v", TWord::Hidden},
            {"super", TWord::Super}, {"sub", TWord::Sub}, {"nosupersub", TWord::NoSuperSub},
            {"up", TWord::Up}, {"dn", TWord::Down},
            {"pard", TWord::Pard}, {"ql", TWord::AlignLeft}, {"qc", TWord::AlignCentre},
            {"qr", TWord::AlignRight}, {"qj", TWord::AlignJustify},
            {"li", TWord::LeftIndent}, {"lin", TWord::LeftIndent},
            {"ri", TWord::RightIndent}, {"rin", TWord::RightIndent},
            {"fi", TWord::FirstIndent}, {"sb", TWord::SpaceBefore}, {"sa", TWord::SpaceAfter},
            {"ls", TWord::ListOverrideNumber}, {"ilvl", TWord::ListLevelNumber},
        };
        for (const char* w : {"ftnnar", "ftnnalc", "ftnnauc", "ftnnrlc", "ftnnruc", "ftnnchi",
                              "aftnnar", "aftnnalc", "aftnnauc", "aftnnrlc", "aftnnruc", "aftnnchi"})
            t.emplace(w, TWord::NoteNumbering);
        // Destinations whose content is not part of the text; the text for readers that do
        // not know nested tables (\nonesttables) repeats what the nested cells hold.
        for (const char* w :
             {"info", "stylesheet", "pict", "header", "headerl", "headerr", "headerf", "footer",
              "footerl", "footerr", "footerf", "nonesttables", "annotation", "atnid", "atnauthor",
              "xe", "tc", "txe", "rxe", "pntext", "listtext", "revtbl",
              "filetbl", "rsidtbl", "shp", "shpinst", "shppict", "nonshppict", "ftnsep",
              "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "pnseclvl",
              "levelnumbers", "listname", "listpicture", "generator", "themedata",
              "colorschememapping", "datastore", "latentstyles", "xmlnstbl", "bkmkstart",
              "bkmkend", "template", "docvar", "userprops", "comment", "objdata", "objclass",
              "objname", "fldtype", "mmathPr", "pgdsctbl", "protusertbl", "falt", "panose",
              "lfolevel", "keywords", "title", "subject", "author", "operator", "doccomm"})
            t.emplace(w, TWord::SkipDestination);
        return t;
    }();
    return table;
}

TWord Lookup(QByteArrayView word) {
    if (word.size() > TRtfTokenizer::MaxWordLength)
        return TWord::Unknown;
    const auto& table = Words();
    auto it = table.find(std::string_view(word.data(), size_t(word.size())));
    return it == table.end() ? TWord::Unknown : it->second;
}

bool IsDestination(TWord w) {
    switch (w) {
    case TWord::FontTable:
    case TWord::ColourTable:
    case TWord::ListTable:
    case TWord::List:
    case TWord::ListLevel:
    case TWord::ListOverrideTable:
    case TWord::ListOverride:
    case TWord::Pn:
    case TWord::FieldResult:
    case TWord::FieldInstruction:
    case TWord::Upr:
    case TWord::Ud:
    case TWord::Object:
    case TWord::Result:
    case TWord::LevelText:
    case TWord::PnTextBefore:
    case TWord::PnTextAfter:
    case TWord::NestTableProps:
    case TWord::Footnote:
    case TWord::SkipDestination:
        return true;
    default:
        return false;
    }
}

enum class TDestination : quint8 {
    Text,
    Skip,
    // Hidden text that may hold a visible alternative (\upr with \ud, \object with \result).
    Alternative,
    FontTable,
    ColourTable,
    ListTable,
    List,
    ListLevel,
    ListOverrideTable,
    ListOverride,
    Pn,
    // The text around a list number: \leveltext, \pntxtb, \pntxta.
    LevelText,
    PnTextBefore,
    PnTextAfter,
};

enum class TListKind : quint8 { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

// How a list level numbers its paragraphs. Explicit says that the file gave the text around
// the number; otherwise the document's default (a "." after it) stands.
struct TListStyle {
    TListKind Kind = TListKind::None;
    QString Before;
    QString After;
    bool Explicit = false;
    bool operator==(const TListStyle&) const = default;
};

// How notes are numbered (\ftnn..., \aftnn...); Symbols is *, †, ‡, §, then doubled.
enum class TNoteNumbering : quint8 { Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, Symbols };

struct TCharProps {
    int Font = -1; // -1: the default font
    int HalfPoints = 24;
    int Colour = 0;
    int Highlight = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    // Hidden text (\v) is left out: the document cannot hide part of a paragraph.
    bool Hidden = false;
    quint8 Script = 0; // 0 normal, 1 superscript, 2 subscript
    bool operator==(const TCharProps&) const = default;
};

struct TParaProps {
    int Alignment = 0; // 0 left, 1 centre, 2 right, 3 justify
    int Left = 0;      // twips
    int Right = 0;
    int First = 0;
    int Before = 0;
    int After = 0;
    TListStyle Pn;
    int ListOverride = 0;
    int ListLevel = 0;
    bool operator==(const TParaProps&) const = default;
};

struct TGroupState {
    TCharProps Char;
    TParaProps Para;
    int UnicodeSkip = 1;
    TDestination Destination = TDestination::Text;
    bool StarPending = false;
    // This group holds a note (\footnote), whose text goes to the notes.
    bool NoteGroup = false;
};

struct TFontEntry {
    QString Name;
    int CodePage = 0; // 0: the document's code page
};

struct TListDefinition {
    int Id = 0;
    std::vector<TListStyle> Levels;
};

struct TListOverrideEntry {
    int ListId = 0;
    int Number = 0;
};

constexpr int MaxFonts = 16384;
constexpr int MaxColours = 16384;
constexpr int MaxLists = 4096;
constexpr int MaxListLevels = 9;
constexpr int MaxFontNameLength = 256;
constexpr int MaxCaptureLength = 64;
constexpr int MaxOpenLists = 1024;
// The document's lists take time to the square of their length to build (each item added
// touches every item before it), so a longer list goes on as a new list, numbered anew.
constexpr int MaxListItems = 2000;
constexpr int MaxIndent = 31680; // 22 inches in twips

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

TListKind KindOfNfc(int nfc) {
    switch (nfc) {
    case 0:
        return TListKind::Decimal;
    case 1:
        return TListKind::UpperRoman;
    case 2:
        return TListKind::LowerRoman;
    case 3:
        return TListKind::UpperAlpha;
    case 4:
        return TListKind::LowerAlpha;
    case 23:
    case 255:
        return TListKind::Bullet;
    default:
        return TListKind::Decimal;
    }
}

QTextListFormat::Style StyleOfKind(TListKind kind) {
    switch (kind) {
    case TListKind::Decimal:
        return QTextListFormat::ListDecimal;
    case TListKind::LowerAlpha:
        return QTextListFormat::ListLowerAlpha;
    case TListKind::UpperAlpha:
        return QTextListFormat::ListUpperAlpha;
    case TListKind::LowerRoman:
        return QTextListFormat::ListLowerRoman;
    case TListKind::UpperRoman:
        return QTextListFormat::ListUpperRoman;
    default:
        return QTextListFormat::ListDisc;
    }
}

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

// The text of note number n (from 1) as the document numbers its notes.
// Letters repeat (a ... z, aa ... zz, ...) and symbols double, up to 16 of them; Roman numbers
// go up to 3999, and larger numbers are written in digits.
QString NoteNumberText(int n, TNoteNumbering numbering) {
    n = qMax(n, 1);
    switch (numbering) {
    case TNoteNumbering::LowerAlpha:
    case TNoteNumbering::UpperAlpha: {
        const QChar letter(char16_t((numbering == TNoteNumbering::LowerAlpha ? u'a' : u'A') + (n - 1) % 26));
        return QString(qMin((n - 1) / 26 + 1, 16), letter);
    }
    case TNoteNumbering::LowerRoman:
    case TNoteNumbering::UpperRoman:
        if (n > 3999)
            return QString::number(n);
        return RomanText(n, numbering == TNoteNumbering::UpperRoman);
    case TNoteNumbering::Symbols: {
        static const char16_t symbols[] = {u'*', 0x2020, 0x2021, 0x00A7};
        return QString(qMin((n - 1) / 4 + 1, 16), QChar(symbols[(n - 1) % 4]));
    }
    default:
        return QString::number(n);
    }
}

TNoteNumbering NumberingOfWord(QByteArrayView word) {
    if (word.endsWith("alc"))
        return TNoteNumbering::LowerAlpha;
    if (word.endsWith("auc"))
        return TNoteNumbering::UpperAlpha;
    if (word.endsWith("rlc"))
        return TNoteNumbering::LowerRoman;
    if (word.endsWith("ruc"))
        return TNoteNumbering::UpperRoman;
    if (word.endsWith("chi"))
        return TNoteNumbering::Symbols;
    return TNoteNumbering::Decimal;
}

// The text before or after a list number as the document keeps it: short, printable, without
// the ";" that ends a level's text in a file.
QString NumberText(QStringView text) {
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

// The text around the number in a list level's text: its first character is the length, and
// characters 0 to 8 stand for the numbers of the levels; a ";" ends it.
void ReadLevelText(QString levelText, TListStyle& style) {
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

// One pass over the tokens, building the document through a cursor.
class TRtfParser {
public:
    TRtfParser(QByteArrayView data, QTextDocument& document)
        : Tokens(data), Document(document) {
        Out.Cursor = QTextCursor(&document);
    }

    TRtfReadResult Parse();

private:
    TGroupState& Top() { return Stack.back(); }

    void GroupStart();
    bool GroupEnd();
    void ControlWord(const TRtfToken& token);
    void ControlSymbol(char symbol);
    void TextBytes(QByteArrayView bytes);
    void FlushBytes();
    void CaptureUnit(int unit);
    QString TakeCapture();

    void AppendText(QStringView text);
    void AppendChar(char16_t c);
    void AppendUnit(int unit);
    void ResolveSurrogate();
    void FlushRun();
    void BeginContent();
    void EndParagraph();
    bool Hides();
    void ApplyParagraph(const TParaProps& props);
    TListStyle ListStyleOf(const TParaProps& props) const;
    TListStyle ResolveListStyle(const TParaProps& props) const;
    QTextCharFormat CharFormat(const TCharProps& props);
    QTextBlockFormat BlockFormat(const TParaProps& props) const;

    void BeginNote();
    void EndNote(const TParaProps& props);
    void AppendNotes();
    bool NextNoteIsEndnote() const;
    void SwapOutput();

    void CommitFont();
    int CodePageOfFont(int font) const;
    QString FontName(int font) const;
    QColor ColourAt(int index) const;

    TRtfTokenizer Tokens;
    QTextDocument& Document;
    TRtfCodePage CodePages;

    std::vector<TGroupState> Stack;
    int OverflowDepth = 0;
    bool DepthLimited = false;
    bool HiddenTextLeftOut = false;
    // The kinds of content left out, for the reader's result.
    QStringList LeftOut;
    void NoteLeftOut(const char* kind) {
        const QString k = QLatin1String(kind);
        if (!LeftOut.contains(k))
            LeftOut.append(k);
    }
    // A destination that is skipped: notes the content a save would lose.
    void NoteSkipped(QByteArrayView word);
    bool DocumentClosed = false;
    TParaProps ClosingPara;
    int SkipUnits = 0;

    int DocumentCodePage = TRtfCodePage::DefaultCodePage;
    int DefaultFont = 0;
    QHash<int, TFontEntry> Fonts;
    std::vector<QColor> Colours;
    std::vector<TListDefinition> Lists;
    std::vector<TListOverrideEntry> Overrides;
    mutable QHash<quint64, TListStyle> ListStyles;
    // Once the first paragraph is laid down, later list tables are left out.
    bool ListTablesClosed = false;

    // The font table entry being read.
    bool FontOpen = false;
    int FontIndex = 0;
    int FontCodePage = 0;
    QByteArray FontBytes;
    QString FontText;
    // The colour table entry being read.
    int Red = 0, Green = 0, Blue = 0;
    bool ColourSet = false;
    // The text of a list level or of the text around a paragraph number being read.
    QByteArray CaptureBytes;
    QString CaptureText;

    // Text bytes not yet decoded, all of one destination and one character format.
    QByteArray PendingBytes;
    char16_t PendingHigh = 0;
    TCharProps CachedProps;
    QTextCharFormat CachedFormat;
    bool CacheValid = false;

    // Where the text goes: the document, or the notes while a note is read. The two swap.
    struct TOutput {
        QTextCursor Cursor;
        // The run of text not yet inserted and its format.
        QString Run;
        TCharProps RunProps;
        // A paragraph mark was read; the next content starts a new block.
        bool ParagraphPending = false;
        TParaProps BlockProps;
        // The lists that list paragraphs join, by level: for each list of the list table
        // (\lsN), and under 0 for paragraph numbering, which only paragraphs right after
        // each other share.
        struct TOpenLists {
            QTextList* Lists[9] = {};
            TListStyle Styles[9];
        };
        QHash<int, TOpenLists> OpenLists;
        bool PreviousWasNumbered = false;
    };
    TOutput Out;
    TOutput Parked;

    // Notes (\footnote) are collected in a document of their own and added after the text.
    std::unique_ptr<QTextDocument> Notes;
    bool InNote = false;
    // The number a note mark (\chftn) gave the next note, and the number of the note being read.
    QString PendingNoteNumber;
    QString NoteNumber;
    int NoteCounts[2] = {0, 0}; // footnotes, endnotes
    int NoteStarts[2] = {1, 1};
    TNoteNumbering NoteNumberings[2] = {TNoteNumbering::Decimal, TNoteNumbering::Decimal};
};

TRtfReadResult TRtfParser::Parse() {
    TRtfReadResult result;
    result.RichText = true;
    Stack.reserve(64);
    Stack.emplace_back();
    Out.Cursor.beginEditBlock();
    bool done = false;
    while (!done) {
        const TRtfToken token = Tokens.Next();
        if (token.Type == TRtfTokenType::End)
            break;
        if (token.Type != TRtfTokenType::Text && token.Type != TRtfTokenType::HexByte)
            FlushBytes();
        if (token.Type == TRtfTokenType::GroupStart) {
            SkipUnits = 0;
            GroupStart();
            continue;
        }
        if (token.Type == TRtfTokenType::GroupEnd) {
            SkipUnits = 0;
            done = GroupEnd();
            continue;
        }
        if (OverflowDepth > 0)
            continue;
        switch (token.Type) {
        case TRtfTokenType::Text: {
            QByteArrayView bytes = token.Bytes;
            if (SkipUnits > 0) {
                const qsizetype skipped = qMin<qsizetype>(SkipUnits, bytes.size());
                SkipUnits -= int(skipped);
                bytes = bytes.sliced(skipped);
            }
            if (!bytes.isEmpty())
                TextBytes(bytes);
            break;
        }
        case TRtfTokenType::HexByte:
            if (SkipUnits > 0) {
                --SkipUnits;
            } else {
                const char byte = char(token.Byte);
                TextBytes(QByteArrayView(&byte, 1));
            }
            break;
        case TRtfTokenType::ControlWord:
            if (SkipUnits > 0)
                --SkipUnits;
            else
                ControlWord(token);
            break;
        case TRtfTokenType::ControlSymbol:
            if (SkipUnits > 0)
                --SkipUnits;
            else
                ControlSymbol(token.Symbol);
            break;
        case TRtfTokenType::Binary:
            if (SkipUnits > 0)
                --SkipUnits;
            break;
        default:
            break;
        }
    }
    FlushBytes();
    if (InNote)
        EndNote(Stack.back().Para);
    FlushRun();
    if (!Out.ParagraphPending)
        ApplyParagraph(DocumentClosed ? ClosingPara : Stack.back().Para);
    AppendNotes();
    Out.Cursor.endEditBlock();
    result.DepthLimited = DepthLimited;
    result.HiddenTextLeftOut = HiddenTextLeftOut;
    if (HiddenTextLeftOut)
        NoteLeftOut("hidden text");
    if (DepthLimited)
        NoteLeftOut("groups nested too deeply");
    result.LeftOut = LeftOut;
    return result;
}

void TRtfParser::NoteSkipped(QByteArrayView word) {
    if (word == "pict" || word == "shppict" || word == "shp")
        NoteLeftOut("pictures");
    else if (word.startsWith("header") || word.startsWith("footer"))
        NoteLeftOut("headers and footers");
    else if (word == "annotation" || word == "comment")
        NoteLeftOut("comments");
}

void TRtfParser::GroupStart() {
    if (OverflowDepth > 0 || int(Stack.size()) > TRtfReader::MaxDepth) {
        ++OverflowDepth;
        DepthLimited = true;
        return;
    }
    Stack.push_back(Stack.back());
    Stack.back().StarPending = false;
    Stack.back().NoteGroup = false;
}

// Returns true when the document's own group has closed.
bool TRtfParser::GroupEnd() {
    if (OverflowDepth > 0) {
        --OverflowDepth;
        return false;
    }
    if (Stack.size() <= 1)
        return true;
    const TGroupState closed = Stack.back();
    Stack.pop_back();
    if (Stack.size() <= 1) {
        // The last paragraph keeps the properties it had inside the document's group.
        DocumentClosed = true;
        ClosingPara = closed.Para;
    }
    switch (closed.Destination) {
    case TDestination::FontTable:
        CommitFont();
        break;
    case TDestination::Pn:
        if (Top().Destination == TDestination::Text) {
            // The numbering of a paragraph outlives the group that defines it.
            Top().Para.Pn = closed.Para.Pn;
            Top().Para.ListLevel = closed.Para.ListLevel;
        }
        break;
    case TDestination::LevelText:
        if (Top().Destination == TDestination::ListLevel && !Lists.empty() &&
            !Lists.back().Levels.empty())
            ReadLevelText(TakeCapture(), Lists.back().Levels.back());
        break;
    case TDestination::PnTextBefore:
    case TDestination::PnTextAfter:
        if (Top().Destination == TDestination::Pn) {
            TListStyle& pn = Top().Para.Pn;
            (closed.Destination == TDestination::PnTextBefore ? pn.Before : pn.After) =
                NumberText(TakeCapture());
        }
        break;
    default:
        break;
    }
    if (closed.NoteGroup)
        EndNote(closed.Para);
    if (Top().Destination != TDestination::Text || closed.Destination != TDestination::Text)
        ResolveSurrogate();
    return Stack.size() <= 1;
}

void TRtfParser::TextBytes(QByteArrayView bytes) {
    const TDestination d = Top().Destination;
    if (d == TDestination::Text) {
        PendingBytes.append(bytes);
    } else if (d == TDestination::FontTable) {
        for (char c : bytes) {
            if (c == ';') {
                CommitFont();
            } else if (FontOpen && FontBytes.size() < MaxFontNameLength) {
                FontBytes.append(c);
            }
        }
    } else if (d == TDestination::LevelText || d == TDestination::PnTextBefore ||
               d == TDestination::PnTextAfter) {
        if (CaptureBytes.size() + CaptureText.size() < MaxCaptureLength)
            CaptureBytes.append(bytes.first(qMin<qsizetype>(bytes.size(), MaxCaptureLength)));
    } else if (d == TDestination::ColourTable) {
        for (char c : bytes) {
            if (c != ';')
                continue;
            if (int(Colours.size()) < MaxColours)
                Colours.push_back(ColourSet ? QColor(Red, Green, Blue) : QColor());
            Red = Green = Blue = 0;
            ColourSet = false;
        }
    }
}

void TRtfParser::FlushBytes() {
    if (PendingBytes.isEmpty())
        return;
    QString text;
    const TCharProps& props = Top().Char;
    CodePages.Decode(CodePageOfFont(props.Font), PendingBytes, text);
    PendingBytes.clear();
    AppendText(text);
}

void TRtfParser::AppendText(QStringView text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u >= 0x20 && u != 0x2029 && u != 0xFDD0 && u != 0xFDD1 && u != 0xFFFC &&
            !QChar::isSurrogate(u)) {
            AppendChar(u);
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            AppendUnit(u);
            AppendUnit(text[++i].unicode());
        } else if (u == '\t') {
            AppendChar(u);
        } else if (u == 0x2029) {
            AppendChar(QChar::LineSeparator);
        } else if (u >= 0x20) {
            // The document's own markers and unpaired surrogate halves cannot stand in the text.
            AppendChar(QChar::ReplacementCharacter);
        }
        // Other control characters are dropped.
    }
}

void TRtfParser::AppendChar(char16_t c) {
    if (Top().Destination != TDestination::Text || Hides())
        return;
    ResolveSurrogate();
    if (Out.ParagraphPending)
        BeginContent();
    const TCharProps& props = Top().Char;
    if (!(props == Out.RunProps)) {
        FlushRun();
        Out.RunProps = props;
    }
    Out.Run.append(QChar(c));
}

// A \u value: surrogate halves are paired, a half without its partner becomes U+FFFD.
void TRtfParser::AppendUnit(int unit) {
    const char16_t u = char16_t(unit);
    if (QChar::isHighSurrogate(u)) {
        ResolveSurrogate();
        PendingHigh = u;
        return;
    }
    if (QChar::isLowSurrogate(u)) {
        if (PendingHigh == 0) {
            AppendChar(QChar::ReplacementCharacter);
            return;
        }
        const char16_t high = PendingHigh;
        PendingHigh = 0;
        if (Top().Destination != TDestination::Text || Hides())
            return;
        if (Out.ParagraphPending)
            BeginContent();
        const TCharProps& props = Top().Char;
        if (!(props == Out.RunProps)) {
            FlushRun();
            Out.RunProps = props;
        }
        Out.Run.append(QChar(high));
        Out.Run.append(QChar(u));
        return;
    }
    AppendText(QStringView(&u, 1));
}

void TRtfParser::ResolveSurrogate() {
    if (PendingHigh == 0)
        return;
    PendingHigh = 0;
    AppendChar(QChar::ReplacementCharacter);
}

QTextCharFormat TRtfParser::CharFormat(const TCharProps& props) {
    if (CacheValid && props == CachedProps)
        return CachedFormat;
    QTextCharFormat f;
    const QString family = FontName(props.Font);
    if (!family.isEmpty())
        f.setFontFamilies(QStringList{family});
    f.setFontPointSize(props.HalfPoints / 2.0);
    if (props.Bold)
        f.setFontWeight(QFont::Bold);
    if (props.Italic)
        f.setFontItalic(true);
    if (props.Underline)
        f.setFontUnderline(true);
    if (props.Strike)
        f.setFontStrikeOut(true);
    if (props.Script != 0)
        f.setVerticalAlignment(props.Script == 1 ? QTextCharFormat::AlignSuperScript
                                                 : QTextCharFormat::AlignSubScript);
    const QColor fore = ColourAt(props.Colour);
    if (fore.isValid())
        f.setForeground(fore);
    const QColor back = ColourAt(props.Highlight);
    if (back.isValid())
        f.setBackground(back);
    CachedProps = props;
    CachedFormat = f;
    CacheValid = true;
    return f;
}

void TRtfParser::FlushRun() {
    ResolveSurrogate();
    if (Out.Run.isEmpty())
        return;
    Out.Cursor.insertText(Out.Run, CharFormat(Out.RunProps));
    Out.Run.clear();
}

void TRtfParser::BeginContent() {
    ListTablesClosed = true;
    Out.ParagraphPending = false;
    Out.Cursor.insertBlock(BlockFormat(Out.BlockProps), QTextCharFormat());
}

// Whether the text now read is hidden, and so left out.
bool TRtfParser::Hides() {
    if (!Top().Char.Hidden)
        return false;
    HiddenTextLeftOut = true;
    return true;
}

// A hidden paragraph mark joins its paragraph to the next one.
void TRtfParser::EndParagraph() {
    if (Top().Destination != TDestination::Text || Hides())
        return;
    ResolveSurrogate();
    if (Out.ParagraphPending)
        BeginContent();
    FlushRun();
    ApplyParagraph(Top().Para);
    Out.ParagraphPending = true;
}

// A paragraph in a list of the list table takes that list's level; otherwise its own
// paragraph numbering, if any.
TListStyle TRtfParser::ListStyleOf(const TParaProps& props) const {
    if (props.ListOverride <= 0)
        return props.Pn;
    // Resolved once for each list and level, so that a file with many lists stays linear; the
    // list tables are closed by then (ListTablesClosed).
    const quint64 key = (quint64(quint32(props.ListOverride)) << 8) | quint64(props.ListLevel);
    auto cached = ListStyles.constFind(key);
    if (cached == ListStyles.constEnd()) {
        if (ListStyles.size() >= MaxOpenLists)
            ListStyles.clear();
        cached = ListStyles.insert(key, ResolveListStyle(props));
    }
    if (cached->Kind == TListKind::None)
        return props.Pn.Kind != TListKind::None ? props.Pn : TListStyle{TListKind::Bullet, {}, {}};
    return *cached;
}

TListStyle TRtfParser::ResolveListStyle(const TParaProps& props) const {
    for (const TListOverrideEntry& o : Overrides) {
        if (o.Number != props.ListOverride)
            continue;
        for (const TListDefinition& l : Lists) {
            if (l.Id == o.ListId && !l.Levels.empty()) {
                const size_t level = size_t(Clamp(props.ListLevel, 0, MaxListLevels - 1));
                return l.Levels[qMin(level, l.Levels.size() - 1)];
            }
        }
        break;
    }
    return TListStyle{};
}

QTextBlockFormat TRtfParser::BlockFormat(const TParaProps& props) const {
    QTextBlockFormat b;
    switch (props.Alignment) {
    case 1:
        b.setAlignment(Qt::AlignHCenter);
        break;
    case 2:
        b.setAlignment(Qt::AlignRight);
        break;
    case 3:
        b.setAlignment(Qt::AlignJustify);
        break;
    default:
        break;
    }
    if (props.Left != 0)
        b.setLeftMargin(props.Left / 20.0);
    if (props.Right != 0)
        b.setRightMargin(props.Right / 20.0);
    if (props.Before != 0)
        b.setTopMargin(props.Before / 20.0);
    if (props.After != 0)
        b.setBottomMargin(props.After / 20.0);
    if (ListStyleOf(props).Kind != TListKind::None) {
        // The hanging part of the first line holds the bullet, which the document draws in
        // the margin before the text.
        const int first = props.First + 360;
        if (first > 0)
            b.setTextIndent(first / 20.0);
    } else if (props.First != 0) {
        b.setTextIndent(props.First / 20.0);
    }
    return b;
}

// A list paragraph joins the list of its level in its list of the list table, so that a list
// numbers on across other paragraphs and after a nested list, while a nested list starts anew
// after a paragraph of a higher level. Paragraph numbering continues only from the paragraph
// right before.
void TRtfParser::ApplyParagraph(const TParaProps& props) {
    ListTablesClosed = true;
    if (!(props == Out.BlockProps)) {
        Out.Cursor.setBlockFormat(BlockFormat(props));
        Out.BlockProps = props;
    }
    const TListStyle style = ListStyleOf(props);
    const int owner = qMax(props.ListOverride, 0);
    if (style.Kind == TListKind::None || owner != 0 || !Out.PreviousWasNumbered)
        Out.OpenLists.remove(0);
    Out.PreviousWasNumbered = style.Kind != TListKind::None && owner == 0;
    if (style.Kind == TListKind::None)
        return;
    // A file that names list after list keeps only the most recent ones open.
    if (Out.OpenLists.size() >= MaxOpenLists && !Out.OpenLists.contains(owner))
        Out.OpenLists.clear();
    TOutput::TOpenLists& open = Out.OpenLists[owner];
    const int level = Clamp(props.ListLevel, 0, MaxListLevels - 1);
    if (open.Lists[level] && open.Styles[level] == style &&
        open.Lists[level]->count() < MaxListItems) {
        open.Lists[level]->add(Out.Cursor.block());
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
        open.Lists[level] = Out.Cursor.createList(lf);
        open.Styles[level] = style;
    }
    for (int deeper = level + 1; deeper < MaxListLevels; ++deeper)
        open.Lists[deeper] = nullptr;
    // The number is drawn in the paragraph's own format: that of its first text.
    const QTextBlock block = Out.Cursor.block();
    if (block.begin() != block.end()) {
        QTextCursor mark(block);
        mark.setBlockCharFormat(block.begin().fragment().charFormat());
    }
}

void TRtfParser::CaptureUnit(int unit) {
    CodePages.Decode(DocumentCodePage, CaptureBytes, CaptureText);
    CaptureBytes.clear();
    if (CaptureText.size() < MaxCaptureLength)
        CaptureText.append(QChar(char16_t(unit)));
}

// The captured text, decoded; the capture starts anew.
QString TRtfParser::TakeCapture() {
    CodePages.Decode(DocumentCodePage, CaptureBytes, CaptureText);
    CaptureBytes.clear();
    QString text;
    text.swap(CaptureText);
    text.remove(QChar(0xFFFD));
    return text;
}

void TRtfParser::SwapOutput() {
    std::swap(Out, Parked);
}

// The text of a note goes to the notes, in a paragraph of its own.
void TRtfParser::BeginNote() {
    ResolveSurrogate();
    FlushRun();
    if (!Notes) {
        Notes = std::make_unique<QTextDocument>();
        Parked = TOutput();
        Parked.Cursor = QTextCursor(Notes.get());
    }
    SwapOutput();
    InNote = true;
    NoteNumber = PendingNoteNumber;
    PendingNoteNumber.clear();
}

void TRtfParser::EndNote(const TParaProps& props) {
    ResolveSurrogate();
    FlushRun();
    if (!Out.ParagraphPending && Out.Cursor.block().length() > 1) {
        ApplyParagraph(props);
        Out.ParagraphPending = true;
    }
    SwapOutput();
    InNote = false;
    NoteNumber.clear();
}

// The notes follow the text after a separator line.
void TRtfParser::AppendNotes() {
    if (!Notes || Notes->isEmpty())
        return;
    Out.Cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    Out.Cursor.insertText(QString(20, QLatin1Char('_')), CharFormat(TCharProps()));
    Out.Cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    Out.Cursor.insertFragment(QTextDocumentFragment(Notes.get()));
}

// Whether the note that a note mark stands for is an endnote: the mark is followed, within a
// few tokens, by the note's group, which says so near its start.
bool TRtfParser::NextNoteIsEndnote() const {
    TRtfTokenizer ahead = Tokens;
    bool inNote = false;
    for (int i = 0; i < 24; ++i) {
        const TRtfToken token = ahead.Next();
        if (token.Type == TRtfTokenType::End || token.Type == TRtfTokenType::HexByte ||
            (token.Type == TRtfTokenType::Text && !token.Bytes.trimmed().isEmpty()))
            return false;
        if (token.Type != TRtfTokenType::ControlWord)
            continue;
        const TWord w = Lookup(token.Bytes);
        if (w == TWord::Footnote)
            inNote = true;
        else if (w == TWord::Endnote && inNote)
            return true;
        else if (w == TWord::Par || w == TWord::Pard)
            return false;
    }
    return false;
}

void TRtfParser::CommitFont() {
    if (!FontOpen)
        return;
    FontOpen = false;
    const int codePage = FontCodePage != 0 ? FontCodePage : DocumentCodePage;
    if (!FontBytes.isEmpty())
        CodePages.Decode(codePage, FontBytes, FontText);
    FontBytes.clear();
    QString name = FontText.trimmed();
    FontText.clear();
    name.remove(QChar(0));
    if (Fonts.size() < MaxFonts || Fonts.contains(FontIndex))
        Fonts.insert(FontIndex, TFontEntry{name.left(MaxFontNameLength), FontCodePage});
}

int TRtfParser::CodePageOfFont(int font) const {
    auto it = Fonts.constFind(font < 0 ? DefaultFont : font);
    if (it == Fonts.constEnd() || it->CodePage == 0)
        return DocumentCodePage;
    return it->CodePage;
}

QString TRtfParser::FontName(int font) const {
    auto it = Fonts.constFind(font < 0 ? DefaultFont : font);
    if (it == Fonts.constEnd()) {
        it = Fonts.constFind(DefaultFont);
        if (it == Fonts.constEnd())
            return QString();
    }
    return it->Name;
}

QColor TRtfParser::ColourAt(int index) const {
    if (index <= 0 || index >= int(Colours.size()))
        return QColor();
    return Colours[size_t(index)];
}

void TRtfParser::ControlSymbol(char symbol) {
    TGroupState& s = Top();
    if (symbol == '*') {
        s.StarPending = true;
        return;
    }
    s.StarPending = false;
    switch (symbol) {
    case '\\':
    case '{':
    case '}': {
        const char c = symbol;
        TextBytes(QByteArrayView(&c, 1));
        break;
    }
    case '~':
        AppendChar(0x00A0);
        break;
    case '-':
        AppendChar(0x00AD);
        break;
    case '_':
        AppendChar(0x2011);
        break;
    case '\n':
        EndParagraph();
        break;
    default:
        break;
    }
}

void TRtfParser::ControlWord(const TRtfToken& token) {
    TGroupState& s = Top();
    const bool star = s.StarPending;
    s.StarPending = false;
    if (s.Destination == TDestination::Skip)
        return;
    const TWord w = Lookup(token.Bytes);
    const int p = token.Parameter;
    const bool has = token.HasParameter;
    if (star && !IsDestination(w)) {
        s.Destination = TDestination::Skip;
        return;
    }
    if (s.Destination == TDestination::Alternative) {
        if (w == TWord::Ud || w == TWord::Result)
            s.Destination = TDestination::Text;
        else if (IsDestination(w))
            s.Destination = TDestination::Skip;
        return;
    }

    // Words that mean the same everywhere outside skipped text.
    switch (w) {
    case TWord::SkipDestination:
        NoteSkipped(token.Bytes);
        s.Destination = TDestination::Skip;
        return;
    case TWord::FieldInstruction:
        s.Destination = TDestination::Skip;
        return;
    case TWord::Object:
        NoteLeftOut("objects");
        s.Destination = TDestination::Alternative;
        return;
    case TWord::Upr:
        s.Destination = TDestination::Alternative;
        return;
    case TWord::FieldResult:
    case TWord::Ud:
    case TWord::Result:
        if (s.Destination != TDestination::Text)
            s.Destination = TDestination::Skip;
        return;
    case TWord::UnicodeSkip:
        s.UnicodeSkip = Clamp(has ? p : 1, 0, 255);
        return;
    case TWord::Unicode:
        if (!has)
            return;
        if (s.Destination == TDestination::Text) {
            FlushBytes();
            AppendUnit(Clamp(p < 0 ? p + 65536 : p, 0, 65535));
        } else if (s.Destination == TDestination::LevelText ||
                   s.Destination == TDestination::PnTextBefore ||
                   s.Destination == TDestination::PnTextAfter) {
            CaptureUnit(Clamp(p < 0 ? p + 65536 : p, 0, 65535));
        } else if (s.Destination == TDestination::FontTable && FontOpen) {
            const int codePage = FontCodePage != 0 ? FontCodePage : DocumentCodePage;
            CodePages.Decode(codePage, FontBytes, FontText);
            FontBytes.clear();
            const int unit = Clamp(p < 0 ? p + 65536 : p, 0, 65535);
            if (FontText.size() < MaxFontNameLength && unit >= 0x20)
                FontText.append(QChar(char16_t(unit)));
        }
        SkipUnits = s.UnicodeSkip;
        return;
    default:
        break;
    }

    switch (s.Destination) {
    case TDestination::FontTable:
        switch (w) {
        case TWord::Font:
            CommitFont();
            FontOpen = true;
            FontIndex = has ? p : 0;
            FontCodePage = 0;
            break;
        case TWord::Charset:
            FontCodePage = TRtfCodePage::CodePageOfCharset(p);
            break;
        case TWord::Cpg:
            if (p > 0)
                FontCodePage = p;
            break;
        default:
            break;
        }
        return;
    case TDestination::ColourTable:
        if (w == TWord::Red || w == TWord::Green || w == TWord::Blue) {
            const int v = Clamp(p, 0, 255);
            (w == TWord::Red ? Red : w == TWord::Green ? Green : Blue) = v;
            ColourSet = true;
        }
        return;
    case TDestination::ListTable:
        if (w == TWord::List) {
            s.Destination = TDestination::List;
            if (int(Lists.size()) < MaxLists)
                Lists.emplace_back();
            else
                s.Destination = TDestination::Skip;
        }
        return;
    case TDestination::List:
        if (w == TWord::ListLevel) {
            s.Destination = TDestination::ListLevel;
            if (int(Lists.back().Levels.size()) < MaxListLevels)
                Lists.back().Levels.push_back(TListStyle{TListKind::Bullet, {}, {}});
            else
                s.Destination = TDestination::Skip;
        } else if (w == TWord::ListId) {
            Lists.back().Id = p;
        }
        return;
    case TDestination::ListLevel:
        if (w == TWord::LevelNfc) {
            Lists.back().Levels.back().Kind = KindOfNfc(p);
        } else if (w == TWord::LevelText) {
            s.Destination = TDestination::LevelText;
            TakeCapture();
        } else if (IsDestination(w)) {
            s.Destination = TDestination::Skip;
        }
        return;
    case TDestination::ListOverrideTable:
        if (w == TWord::ListOverride) {
            s.Destination = TDestination::ListOverride;
            if (int(Overrides.size()) < MaxLists)
                Overrides.emplace_back();
            else
                s.Destination = TDestination::Skip;
        }
        return;
    case TDestination::ListOverride:
        if (w == TWord::ListId)
            Overrides.back().ListId = p;
        else if (w == TWord::ListOverrideNumber)
            Overrides.back().Number = p;
        return;
    case TDestination::Pn:
        switch (w) {
        case TWord::PnLvlBlt:
            s.Para.Pn.Kind = TListKind::Bullet;
            break;
        case TWord::PnLvlBody:
        case TWord::PnLvl:
            if (s.Para.Pn.Kind == TListKind::None || s.Para.Pn.Kind == TListKind::Bullet)
                s.Para.Pn.Kind = TListKind::Decimal;
            // \pnlvlN numbers outline level N; the body level is the first.
            s.Para.ListLevel = w == TWord::PnLvl ? Clamp(p - 1, 0, MaxListLevels - 1) : 0;
            break;
        case TWord::PnDec:
            s.Para.Pn.Kind = TListKind::Decimal;
            break;
        case TWord::PnUcLtr:
            s.Para.Pn.Kind = TListKind::UpperAlpha;
            break;
        case TWord::PnLcLtr:
            s.Para.Pn.Kind = TListKind::LowerAlpha;
            break;
        case TWord::PnUcRm:
            s.Para.Pn.Kind = TListKind::UpperRoman;
            break;
        case TWord::PnLcRm:
            s.Para.Pn.Kind = TListKind::LowerRoman;
            break;
        case TWord::PnTextBefore:
        case TWord::PnTextAfter:
            s.Destination = w == TWord::PnTextBefore ? TDestination::PnTextBefore
                                                     : TDestination::PnTextAfter;
            TakeCapture();
            break;
        default:
            if (IsDestination(w))
                s.Destination = TDestination::Skip;
            break;
        }
        return;
    case TDestination::Text:
        break;
    default:
        return;
    }

    TCharProps& c = s.Char;
    TParaProps& para = s.Para;
    const bool on = !has || p != 0;
    switch (w) {
    case TWord::Rtf:
    case TWord::Ansi:
        DocumentCodePage = 1252;
        break;
    case TWord::Mac:
        DocumentCodePage = 10000;
        break;
    case TWord::Pc:
        DocumentCodePage = 437;
        break;
    case TWord::Pca:
        DocumentCodePage = 850;
        break;
    case TWord::AnsiCpg:
        if (p > 0)
            DocumentCodePage = p;
        break;
    case TWord::Deff:
        DefaultFont = p;
        break;
    case TWord::FontTable:
        s.Destination = TDestination::FontTable;
        break;
    case TWord::ColourTable:
        s.Destination = TDestination::ColourTable;
        Colours.clear();
        Red = Green = Blue = 0;
        ColourSet = false;
        break;
    case TWord::ListTable:
        s.Destination = ListTablesClosed ? TDestination::Skip : TDestination::ListTable;
        break;
    case TWord::ListOverrideTable:
        s.Destination = ListTablesClosed ? TDestination::Skip : TDestination::ListOverrideTable;
        break;
    case TWord::Pn:
        // Paragraph numbering without text before or after the number shows the number alone.
        s.Destination = TDestination::Pn;
        para.Pn = TListStyle{TListKind::Bullet, QString(), QString(), true};
        break;
    case TWord::NestTableProps:
        // Holds the properties of a nested table's row and its end.
        EndParagraph();
        s.Destination = TDestination::Skip;
        break;
    case TWord::Footnote:
        // A note within a note stays where it is.
        if (!InNote) {
            BeginNote();
            s.NoteGroup = true;
        }
        break;
    case TWord::NoteMark:
        if (InNote) {
            AppendText(NoteNumber);
        } else {
            const int kind = NextNoteIsEndnote() ? 1 : 0;
            PendingNoteNumber = NoteNumberText(NoteStarts[kind] + NoteCounts[kind]++, NoteNumberings[kind]);
            AppendText(PendingNoteNumber);
        }
        break;
    case TWord::NoteStartAt:
        NoteStarts[token.Bytes.startsWith("a") ? 1 : 0] = Clamp(p, 1, 1 << 24);
        break;
    case TWord::NoteNumbering:
        NoteNumberings[token.Bytes.startsWith("a") ? 1 : 0] = NumberingOfWord(token.Bytes);
        break;
    case TWord::Par:
        EndParagraph();
        break;
    case TWord::Row:
        NoteLeftOut("tables");
        EndParagraph();
        break;
    case TWord::Line:
        AppendChar(QChar::LineSeparator);
        break;
    case TWord::Tab:
    case TWord::Cell:
        AppendChar(u'\t');
        break;
    case TWord::EmDash:
        AppendChar(0x2014);
        break;
    case TWord::EnDash:
        AppendChar(0x2013);
        break;
    case TWord::LQuote:
        AppendChar(0x2018);
        break;
    case TWord::RQuote:
        AppendChar(0x2019);
        break;
    case TWord::LDblQuote:
        AppendChar(0x201C);
        break;
    case TWord::RDblQuote:
        AppendChar(0x201D);
        break;
    case TWord::Bullet:
        AppendChar(0x2022);
        break;
    case TWord::EmSpace:
        AppendChar(0x2003);
        break;
    case TWord::EnSpace:
        AppendChar(0x2002);
        break;
    case TWord::QmSpace:
        AppendChar(0x2005);
        break;
    case TWord::Zwj:
        AppendChar(0x200D);
        break;
    case TWord::Zwnj:
        AppendChar(0x200C);
        break;
    case TWord::Plain:
        c = TCharProps();
        break;
    case TWord::Font:
        c.Font = has ? p : 0;
        break;
    case TWord::FontSize:
        c.HalfPoints = (has && p > 0) ? Clamp(p, 2, 3276) : 24;
        break;
    case TWord::Bold:
        c.Bold = on;
        break;
    case TWord::Italic:
        c.Italic = on;
        break;
    case TWord::Underline:
        c.Underline = on;
        break;
    case TWord::UnderlineNone:
        c.Underline = false;
        break;
    case TWord::Strike:
        c.Strike = on;
        break;
    case TWord::Hidden:
        c.Hidden = on;
        break;
    case TWord::Super:
        c.Script = 1;
        break;
    case TWord::Sub:
        c.Script = 2;
        break;
    case TWord::NoSuperSub:
        c.Script = 0;
        break;
    case TWord::Up:
    case TWord::Down:
        // A raised or lowered position (half points; 6 without a number) shows as such.
        c.Script = (has && p == 0) ? 0 : (w == TWord::Up ? 1 : 2);
        break;
    case TWord::Colour:
        c.Colour = has ? qMax(p, 0) : 0;
        break;
    case TWord::Highlight:
        c.Highlight = has ? qMax(p, 0) : 0;
        break;
    case TWord::Pard:
        para = TParaProps();
        break;
    case TWord::AlignLeft:
        para.Alignment = 0;
        break;
    case TWord::AlignCentre:
        para.Alignment = 1;
        break;
    case TWord::AlignRight:
        para.Alignment = 2;
        break;
    case TWord::AlignJustify:
        para.Alignment = 3;
        break;
    case TWord::LeftIndent:
        para.Left = Clamp(p, -MaxIndent, MaxIndent);
        break;
    case TWord::RightIndent:
        para.Right = Clamp(p, -MaxIndent, MaxIndent);
        break;
    case TWord::FirstIndent:
        para.First = Clamp(p, -MaxIndent, MaxIndent);
        break;
    case TWord::SpaceBefore:
        para.Before = Clamp(p, 0, MaxIndent);
        break;
    case TWord::SpaceAfter:
        para.After = Clamp(p, 0, MaxIndent);
        break;
    case TWord::ListOverrideNumber:
        para.ListOverride = qMax(p, 0);
        break;
    case TWord::ListLevelNumber:
        para.ListLevel = Clamp(p, 0, MaxListLevels - 1);
        break;
    default:
        break;
    }
}

// Restores the document's undo setting on every exit.
class TUndoSuspension {
public:
    explicit TUndoSuspension(QTextDocument& document)
        : Document(document), Enabled(document.isUndoRedoEnabled()) {
        Document.setUndoRedoEnabled(false);
    }
    ~TUndoSuspension() { Document.setUndoRedoEnabled(Enabled); }

private:
    QTextDocument& Document;
    bool Enabled;
};

} // namespace

bool TRtfReader::IsRichText(QByteArrayView data) {
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return data.sliced(i).startsWith("{\\rtf");
}

TRtfReadResult TRtfReader::Read(QByteArrayView data, QTextDocument& document) {
    TUndoSuspension undo(document);
    if (!IsRichText(data)) {
        TRtfReadResult result;
        result.PlainText = TPlainText::Read(data, document);
        return result;
    }
    document.clear();
    qsizetype start = data.indexOf('{');
    TRtfParser parser(data.sliced(start), document);
    return parser.Parse();
}

TRtfReadResult TRtfReader::Read(QIODevice& device, QTextDocument& document) {
    if (!device.isReadable())
        throw TPlatformError(device.errorString());
    const QByteArray data = device.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize)
        throw TPlatformError(QStringLiteral("The file is larger than %1 MB.").arg(MaxFileSize >> 20));
    return Read(QByteArrayView(data), document);
}
