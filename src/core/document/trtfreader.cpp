#include "trtfreader.h"

#include "tdocumentheaders.h"
#include "tdocumentpictures.h"
#include "tdocumentunits.h"
#include "tplaintext.h"
#include "foundation/tplatformerror.h"
#include "trtfcodepage.h"
#include "trtffields.h"
#include "trtffonttable.h"
#include "trtfformatwords.h"
#include "trtflists.h"
#include "trtfpicturereader.h"
#include "trtfstate.h"
#include "trtftablereader.h"
#include "trtftokenizer.h"
#include "trtfwords.h"

#include <QColor>
#include <QHash>
#include <QIODevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextTable>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

using TWord = TRtfWord;
using TListKind = TRtfListKind;
using TListStyle = TRtfListStyle;
using TCharProps = TRtfCharProps;
using TParaProps = TRtfParaProps;

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
    FieldInstruction,
    Picture,
    // A drawing's properties (\shpinst): left out, but for the picture it may hold.
    ShapeInstruction,
};

struct TGroupState {
    TCharProps Char;
    TParaProps Para;
    int UnicodeSkip = 1;
    // The link that the result of the field this group belongs to stands for (see Char.Link).
    int FieldLink = 0;
    TDestination Destination = TDestination::Text;
    bool StarPending = false;
    // This group holds a note (\footnote), whose text goes to the notes.
    bool NoteGroup = false;
    // This group holds a header or footer.
    bool HeaderGroup = false;
    // The group holds a picture for readers that know drawings (\shppict).
    bool ShapePictureGroup = false;
    // Row definitions here are for a nested table (\nesttableprops).
    bool NestProps = false;
};

constexpr int MaxListLevels = TRtfLists::MaxLevels;
constexpr int MaxCaptureLength = 64;
// What all the pictures of one file may take, decoded.
constexpr qint64 PictureBudget = qint64(512) << 20;

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

// Where text goes: a document (the text, the notes or a header) or, while a table is read, the
// document that holds its cells.
struct TOutput {
    QTextCursor Cursor;
    // The run of text not yet inserted and its format.
    QString Run;
    TCharProps RunProps;
    // A paragraph mark was read; the next content starts a new block.
    bool ParagraphPending = false;
    // The last cell ended; no content of the next one was read yet.
    bool CellEnded = false;
    TParaProps BlockProps;
    TRtfOpenLists Lists;
};

enum class TStoryKind : quint8 { Main, Note, Header };

// A story: the text, the notes or a header, with the tables open in it (Levels[0] is the
// story's own document, Levels[k] the cells of table level k).
struct TStory {
    TStoryKind Kind = TStoryKind::Main;
    // The document that holds the story's pictures: a header's own, else the text's.
    QTextDocument* Resources = nullptr;
    std::vector<TOutput> Levels;
    TRtfTableReader Tables;
};

// One pass over the tokens, building the document through a cursor.
class TRtfParser {
public:
    TRtfParser(QByteArrayView data, QTextDocument& document)
        : Tokens(data), Document(document) {
        Story.Levels.emplace_back();
        Story.Levels.back().Cursor = QTextCursor(&document);
        Story.Resources = &document;
        Out = &Story.Levels.back();
    }

    TRtfReadResult Parse();

private:
    TGroupState& Top() { return Stack.back(); }

    void GroupStart();
    bool GroupEnd();
    void ControlWord(const TRtfToken& token);
    bool TableWord(TWord w, int p, bool has);
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
    QTextCharFormat CharFormat(const TCharProps& props);
    QTextBlockFormat BlockFormat(const TParaProps& props) const;
    qreal Pixels(int twips) const { return twips * PixelsPerTwip; }

    // Tables: the level the text is at, cells and rows.
    void EnsureLevel(int level);
    void OpenLevel();
    void CloseLevel();
    void EndCell(int level);
    void EndRow(int level);
    int RowDefinitionLevel() const;

    void InsertPicture();
    void EndFieldInstruction();

    void BeginStory(TStory story);
    TStory EndStory();
    void EndStoryParagraph(const TParaProps& props);
    void BeginNote();
    void EndNote(const TParaProps& props);
    void BeginHeader(QByteArrayView word);
    void EndHeader(const TParaProps& props);
    void AppendNotes();
    bool NextNoteIsEndnote() const;


    TRtfTokenizer Tokens;
    QTextDocument& Document;
    TRtfCodePage CodePages;
    const qreal PixelsPerTwip = TDocumentUnits::PixelsPerPoint() / 20.0;

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
    bool DocumentClosed = false;
    TParaProps ClosingPara;
    int SkipUnits = 0;

    int DocumentCodePage = TRtfCodePage::DefaultCodePage;
    TRtfFontTable FontTable{CodePages};
    TRtfLists Lists;
    // Once the first paragraph is laid down, later list tables are left out.
    bool ListTablesClosed = false;

    // The text of a list level or of the text around a paragraph number being read.
    QByteArray CaptureBytes;
    QString CaptureText;
    // The instruction of the field being read, and the addresses of the links read.
    TRtfFields Fields;

    // The picture being read; pictures left to take; a picture for readers that know drawings
    // was just read, so its alternative (\nonshppict) is left out; a drawing held a picture,
    // so its result (\shprslt) is left out.
    TRtfPictureReader Picture;
    qint64 PicturesLeft = PictureBudget;
    bool ShapePictureRead = false;
    bool ShapeHeldPicture = false;

    // Text bytes not yet decoded, all of one destination and one character format.
    QByteArray PendingBytes;
    char16_t PendingHigh = 0;
    TCharProps CachedProps;
    QTextCharFormat CachedFormat;
    bool CacheValid = false;

    // Where the text goes now: the innermost level of the story being read.
    TStory Story;
    TOutput* Out = nullptr;
    std::vector<TStory> SavedStories;

    // Notes (\footnote) are collected in a document of their own and added after the text.
    std::unique_ptr<QTextDocument> Notes;
    TStory NotesStory;
    bool InNote = false;
    // The number a note mark (\chftn) gave the next note, and the number of the note being read.
    QString PendingNoteNumber;
    QString NoteNumber;
    int NoteCounts[2] = {0, 0}; // footnotes, endnotes
    int NoteStarts[2] = {1, 1};
    TRtfNoteNumbering NoteNumberings[2] = {TRtfNoteNumbering::Decimal, TRtfNoteNumbering::Decimal};
};

TRtfReadResult TRtfParser::Parse() {
    TRtfReadResult result;
    result.RichText = true;
    Stack.reserve(64);
    Stack.emplace_back();
    Out->Cursor.beginEditBlock();
    QTextCursor editBlock = Out->Cursor;
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
            else if (Top().Destination == TDestination::Picture)
                Picture.Binary(token.Bytes);
            break;
        default:
            break;
        }
    }
    FlushBytes();
    while (Story.Kind != TStoryKind::Main) {
        if (Story.Kind == TStoryKind::Note)
            EndNote(Stack.back().Para);
        else
            EndHeader(Stack.back().Para);
    }
    EnsureLevel(0);
    FlushRun();
    if (!Out->ParagraphPending)
        ApplyParagraph(DocumentClosed ? ClosingPara : Stack.back().Para);
    AppendNotes();
    editBlock.endEditBlock();
    result.DepthLimited = DepthLimited;
    result.HiddenTextLeftOut = HiddenTextLeftOut;
    if (HiddenTextLeftOut)
        NoteLeftOut("hidden text");
    if (DepthLimited)
        NoteLeftOut("groups nested too deeply");
    result.LeftOut = LeftOut;
    return result;
}

void TRtfParser::GroupStart() {
    if (OverflowDepth > 0 || int(Stack.size()) > TRtfReader::MaxDepth) {
        ++OverflowDepth;
        DepthLimited = true;
        return;
    }
    Stack.push_back(Stack.back());
    TGroupState& s = Stack.back();
    s.StarPending = false;
    s.NoteGroup = false;
    s.HeaderGroup = false;
    s.ShapePictureGroup = false;
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
        FontTable.CommitFont(DocumentCodePage);
        break;
    case TDestination::Pn:
        if (Top().Destination == TDestination::Text) {
            // The numbering of a paragraph outlives the group that defines it.
            Top().Para.Pn = closed.Para.Pn;
            Top().Para.ListLevel = closed.Para.ListLevel;
        }
        break;
    case TDestination::LevelText:
        if (Top().Destination == TDestination::ListLevel)
            Lists.SetLevelText(TakeCapture());
        break;
    case TDestination::PnTextBefore:
    case TDestination::PnTextAfter:
        if (Top().Destination == TDestination::Pn) {
            TListStyle& pn = Top().Para.Pn;
            (closed.Destination == TDestination::PnTextBefore ? pn.Before : pn.After) =
                TRtfLists::NumberText(TakeCapture());
        }
        break;
    case TDestination::FieldInstruction:
        if (Top().Destination != TDestination::FieldInstruction)
            EndFieldInstruction();
        break;
    case TDestination::Picture:
        if (Top().Destination != TDestination::Picture)
            InsertPicture();
        break;
    default:
        break;
    }
    if (closed.ShapePictureGroup)
        ShapePictureRead = true;
    if (closed.NoteGroup)
        EndNote(closed.Para);
    if (closed.HeaderGroup)
        EndHeader(closed.Para);
    if (Top().Destination != TDestination::Text || closed.Destination != TDestination::Text)
        ResolveSurrogate();
    return Stack.size() <= 1;
}

void TRtfParser::TextBytes(QByteArrayView bytes) {
    const TDestination d = Top().Destination;
    if (d == TDestination::Text) {
        PendingBytes.append(bytes);
    } else if (d == TDestination::Picture) {
        Picture.Hex(bytes);
    } else if (d == TDestination::FontTable) {
        FontTable.FontBytes(bytes, DocumentCodePage);
    } else if (d == TDestination::LevelText || d == TDestination::PnTextBefore ||
               d == TDestination::PnTextAfter) {
        if (CaptureBytes.size() + CaptureText.size() < MaxCaptureLength)
            CaptureBytes.append(bytes.first(qMin<qsizetype>(bytes.size(), MaxCaptureLength)));
    } else if (d == TDestination::FieldInstruction) {
        Fields.InstructionBytes(bytes);
    } else if (d == TDestination::ColourTable) {
        FontTable.ColourBytes(bytes);
    }
}

void TRtfParser::FlushBytes() {
    if (PendingBytes.isEmpty())
        return;
    QString text;
    const TCharProps& props = Top().Char;
    CodePages.Decode(FontTable.CodePageOfFont(props.Font, DocumentCodePage), PendingBytes, text);
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
    ShapePictureRead = false;
    if (Story.Tables.Depth() != Top().Para.Level())
        EnsureLevel(Top().Para.Level());
    ResolveSurrogate();
    if (Out->ParagraphPending)
        BeginContent();
    const TCharProps& props = Top().Char;
    if (!(props == Out->RunProps)) {
        FlushRun();
        Out->RunProps = props;
    }
    Out->Run.append(QChar(c));
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
        if (Story.Tables.Depth() != Top().Para.Level())
            EnsureLevel(Top().Para.Level());
        if (Out->ParagraphPending)
            BeginContent();
        const TCharProps& props = Top().Char;
        if (!(props == Out->RunProps)) {
            FlushRun();
            Out->RunProps = props;
        }
        Out->Run.append(QChar(high));
        Out->Run.append(QChar(u));
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
    const QString family = FontTable.FontName(props.Font);
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
    const QColor fore = FontTable.ColourAt(props.Colour);
    if (fore.isValid())
        f.setForeground(fore);
    const QColor back = FontTable.ColourAt(props.Highlight);
    if (back.isValid())
        f.setBackground(back);
    if (props.Link > 0) {
        f.setAnchor(true);
        f.setAnchorHref(Fields.Link(props.Link));
    }
    CachedProps = props;
    CachedFormat = f;
    CacheValid = true;
    return f;
}

void TRtfParser::FlushRun() {
    ResolveSurrogate();
    if (Out->Run.isEmpty())
        return;
    Out->Cursor.insertText(Out->Run, CharFormat(Out->RunProps));
    Out->Run.clear();
}

void TRtfParser::BeginContent() {
    ListTablesClosed = true;
    Out->ParagraphPending = false;
    Out->CellEnded = false;
    Out->Cursor.insertBlock(BlockFormat(Out->BlockProps), QTextCharFormat());
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
    ShapePictureRead = false;
    if (Story.Tables.Depth() != Top().Para.Level())
        EnsureLevel(Top().Para.Level());
    ResolveSurrogate();
    if (Out->ParagraphPending)
        BeginContent();
    FlushRun();
    ApplyParagraph(Top().Para);
    Out->ParagraphPending = true;
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
        b.setLeftMargin(Pixels(props.Left));
    if (props.Right != 0)
        b.setRightMargin(Pixels(props.Right));
    if (props.Before != 0)
        b.setTopMargin(Pixels(props.Before));
    if (props.After != 0)
        b.setBottomMargin(Pixels(props.After));
    if (Lists.StyleOf(props).Kind != TListKind::None) {
        // The hanging part of the first line holds the bullet, which the document draws in
        // the margin before the text.
        const int first = props.First + 360;
        if (first > 0)
            b.setTextIndent(Pixels(first));
    } else if (props.First != 0) {
        b.setTextIndent(Pixels(props.First));
    }
    if (!props.Tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs = props.Tabs;
        for (QTextOption::Tab& tab : tabs)
            tab.position = Pixels(int(tab.position));
        b.setTabPositions(tabs);
    }
    return b;
}

void TRtfParser::ApplyParagraph(const TParaProps& props) {
    ListTablesClosed = true;
    if (!(props == Out->BlockProps)) {
        Out->Cursor.setBlockFormat(BlockFormat(props));
        Out->BlockProps = props;
    }
    Lists.Join(Out->Lists, Out->Cursor, props);
}

// Text at a table level opens the tables it stands in; text at a lower level ends the tables
// deeper than it.
void TRtfParser::EnsureLevel(int level) {
    level = Clamp(level, 0, TRtfTableReader::MaxDepth);
    while (Story.Tables.Depth() > level)
        CloseLevel();
    while (Story.Tables.Depth() < level)
        OpenLevel();
}

void TRtfParser::OpenLevel() {
    ResolveSurrogate();
    FlushRun();
    // The table follows a paragraph of its own, which stays empty (text before it in the same
    // paragraph ends that paragraph), so that a table reads the same however it was written.
    if (!Out->ParagraphPending && Out->Cursor.block().length() > 1)
        Out->ParagraphPending = true;
    if (Out->ParagraphPending)
        BeginContent();
    QTextCursor cells = Story.Tables.Open(Document);
    Story.Levels.emplace_back();
    Out = &Story.Levels.back();
    Out->Cursor = cells;
}

void TRtfParser::CloseLevel() {
    ResolveSurrogate();
    FlushRun();
    // A cell that did not end (a row without \row, text without \cell) ends here.
    if (!Out->CellEnded) {
        if (!Out->ParagraphPending)
            ApplyParagraph(Top().Para);
        Story.Tables.EndCell(Out->Cursor.position());
    }
    Story.Levels.pop_back();
    Out = &Story.Levels.back();
    if (QTextTable* table = Story.Tables.Close(Out->Cursor, FontTable.Colours()))
        Out->Cursor.setPosition(table->lastPosition() + 1);
    Out->ParagraphPending = false;
    Out->Lists.PreviousWasNumbered = false;
    // The paragraph after the table takes its format anew.
    Out->BlockProps.Alignment = -1;
}

void TRtfParser::EndCell(int level) {
    EnsureLevel(level);
    ResolveSurrogate();
    if (Out->ParagraphPending)
        BeginContent();
    FlushRun();
    ApplyParagraph(Top().Para);
    Story.Tables.EndCell(Out->Cursor.position());
    Out->ParagraphPending = true;
    Out->CellEnded = true;
}

void TRtfParser::EndRow(int level) {
    if (Story.Tables.Depth() < level)
        return;
    EnsureLevel(level);
    if (!Out->CellEnded)
        EndCell(level);
    Story.Tables.EndRow();
    if (Story.Tables.RowCount() >= TRtfTableReader::MaxRows)
        CloseLevel();
}

// Row definitions are for the outermost table, or within \nesttableprops for the nested
// table the paragraph stands in.
int TRtfParser::RowDefinitionLevel() const {
    const TGroupState& s = Stack.back();
    return s.NestProps ? qMax(2, s.Para.Level()) : 1;
}

void TRtfParser::InsertPicture() {
    TPictureSource source;
    QSizeF size, scale;
    if (!Picture.Finish(source, size, scale)) {
        NoteLeftOut("pictures");
        return;
    }
    const TDestination d = Top().Destination;
    if ((d != TDestination::Text && d != TDestination::ShapeInstruction) || Hides())
        return;
    QTextImageFormat image;
    if (TDocumentPictures::Add(*Story.Resources, source, size, scale, PicturesLeft, image) ==
        TDocumentPictures::TResult::TooLarge) {
        NoteLeftOut("pictures");
        return;
    }
    if (d == TDestination::ShapeInstruction)
        ShapeHeldPicture = true;
    if (Story.Tables.Depth() != Top().Para.Level())
        EnsureLevel(Top().Para.Level());
    ResolveSurrogate();
    if (Out->ParagraphPending)
        BeginContent();
    FlushRun();
    QTextCharFormat format = CharFormat(Top().Char);
    format.merge(image);
    Out->Cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

// A link field keeps its address for the text of its result.
void TRtfParser::EndFieldInstruction() {
    if (const int link = Fields.EndInstruction(CodePages, DocumentCodePage))
        Top().FieldLink = link;
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

// The text goes to another story (notes, a header) until EndStory.
void TRtfParser::BeginStory(TStory story) {
    ResolveSurrogate();
    FlushRun();
    SavedStories.push_back(std::move(Story));
    Story = std::move(story);
    Out = &Story.Levels.back();
}

TStory TRtfParser::EndStory() {
    TStory ended = std::move(Story);
    Story = std::move(SavedStories.back());
    SavedStories.pop_back();
    Out = &Story.Levels.back();
    return ended;
}

// The last paragraph of a note or header ends with its group.
void TRtfParser::EndStoryParagraph(const TParaProps& props) {
    EnsureLevel(0);
    ResolveSurrogate();
    FlushRun();
    if (!Out->ParagraphPending && Out->Cursor.block().length() > 1) {
        ApplyParagraph(props);
        Out->ParagraphPending = true;
    }
}

// The text of a note goes to the notes, in a paragraph of its own.
void TRtfParser::BeginNote() {
    if (!Notes) {
        Notes = std::make_unique<QTextDocument>();
        NotesStory.Kind = TStoryKind::Note;
        NotesStory.Resources = &Document;
        NotesStory.Levels.emplace_back();
        NotesStory.Levels.back().Cursor = QTextCursor(Notes.get());
    }
    BeginStory(std::move(NotesStory));
    InNote = true;
    NoteNumber = PendingNoteNumber;
    PendingNoteNumber.clear();
}

void TRtfParser::EndNote(const TParaProps& props) {
    EndStoryParagraph(props);
    NotesStory = EndStory();
    InNote = false;
    NoteNumber.clear();
}

void TRtfParser::BeginHeader(QByteArrayView word) {
    const int kind = TDocumentHeaders::KindOfWord(word);
    TStory story;
    story.Kind = TStoryKind::Header;
    story.Resources = TDocumentHeaders::NewPart(Document, TDocumentHeaders::TKind(qMax(kind, 0)));
    story.Levels.emplace_back();
    story.Levels.back().Cursor = QTextCursor(story.Resources);
    BeginStory(std::move(story));
}

void TRtfParser::EndHeader(const TParaProps& props) {
    EndStoryParagraph(props);
    EndStory();
}

// The notes follow the text after a separator line.
void TRtfParser::AppendNotes() {
    if (!Notes || Notes->isEmpty())
        return;
    Out->Cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    Out->Cursor.insertText(QString(20, QLatin1Char('_')), CharFormat(TCharProps()));
    Out->Cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    Out->Cursor.insertFragment(QTextDocumentFragment(Notes.get()));
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
        const TWord w = TRtfWords::Lookup(token.Bytes);
        if (w == TWord::Footnote)
            inNote = true;
        else if (w == TWord::Endnote && inNote)
            return true;
        else if (w == TWord::Par || w == TWord::Pard)
            return false;
    }
    return false;
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

// The words of table rows, cells and borders, and of the paragraphs and rows in tables;
// false for any other word.
bool TRtfParser::TableWord(TWord w, int p, bool has) {
    TParaProps& para = Top().Para;
    switch (w) {
    case TWord::InTable:
        para.InTable = true;
        return true;
    case TWord::NestingLevel:
        para.Nesting = Clamp(p, 0, TRtfTableReader::MaxDepth);
        return true;
    case TWord::Cell:
    case TWord::NestCell:
        if (Hides())
            return true;
        // A cell mark outside any table is a tab, as older readers show it.
        if (para.Level() == 0 && Story.Tables.Depth() == 0 && w == TWord::Cell)
            AppendChar(u'\t');
        else
            EndCell(w == TWord::Cell ? 1 : qMax(2, para.Level()));
        return true;
    case TWord::Row:
    case TWord::NestRow:
        if (Hides())
            return true;
        if (para.Level() == 0 && Story.Tables.Depth() == 0 && w == TWord::Row)
            EndParagraph();
        else
            EndRow(w == TWord::Row ? 1 : qMax(2, para.Level()));
        return true;
    default:
        break;
    }
    if (int(w) >= int(TWord::RowDefaults) && int(w) <= int(TWord::BorderColour)) {
        Story.Tables.RowWord(w, p, has, RowDefinitionLevel());
        return true;
    }
    return false;
}

void TRtfParser::ControlWord(const TRtfToken& token) {
    TGroupState& s = Top();
    const bool star = s.StarPending;
    s.StarPending = false;
    if (s.Destination == TDestination::Skip)
        return;
    const TWord w = TRtfWords::Lookup(token.Bytes);
    const int p = token.Parameter;
    const bool has = token.HasParameter;
    if (star && !TRtfWords::IsDestination(w)) {
        s.Destination = TDestination::Skip;
        return;
    }
    if (s.Destination == TDestination::Alternative) {
        if (w == TWord::Ud || w == TWord::Result)
            s.Destination = TDestination::Text;
        else if (TRtfWords::IsDestination(w))
            s.Destination = TDestination::Skip;
        return;
    }
    if (s.Destination == TDestination::ShapeInstruction) {
        // A drawing's properties may hold its picture; the text of a text box is left out.
        if (w == TWord::Picture) {
            s.Destination = TDestination::Picture;
            Picture.Begin();
        } else if (token.Bytes == QByteArrayView("shptxt")) {
            NoteLeftOut("objects");
        }
        return;
    }

    // Words that mean the same everywhere outside skipped text.
    switch (w) {
    case TWord::SkipDestination:
        if (token.Bytes == QByteArrayView("annotation") || token.Bytes == QByteArrayView("comment"))
            NoteLeftOut("comments");
        s.Destination = TDestination::Skip;
        return;
    case TWord::FieldInstruction:
        s.Destination = s.Destination == TDestination::Text ? TDestination::FieldInstruction : TDestination::Skip;
        return;
    case TWord::Object:
        NoteLeftOut("objects");
        s.Destination = TDestination::Alternative;
        return;
    case TWord::Upr:
        s.Destination = TDestination::Alternative;
        return;
    case TWord::FieldResult:
        if (s.Destination != TDestination::Text)
            s.Destination = TDestination::Skip;
        else if (s.FieldLink > 0)
            s.Char.Link = s.FieldLink;
        return;
    case TWord::Ud:
    case TWord::Result:
        if (s.Destination != TDestination::Text)
            s.Destination = TDestination::Skip;
        return;
    case TWord::Picture:
        if (s.Destination == TDestination::Text) {
            s.Destination = TDestination::Picture;
            Picture.Begin();
        } else {
            s.Destination = TDestination::Skip;
        }
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
        } else if (s.Destination == TDestination::FieldInstruction) {
            Fields.InstructionUnit(CodePages, DocumentCodePage, Clamp(p < 0 ? p + 65536 : p, 0, 65535));
        } else if (s.Destination == TDestination::FontTable) {
            FontTable.FontUnit(Clamp(p < 0 ? p + 65536 : p, 0, 65535), DocumentCodePage);
        }
        SkipUnits = s.UnicodeSkip;
        return;
    default:
        break;
    }

    switch (s.Destination) {
    case TDestination::FontTable:
        if (w == TWord::Font)
            FontTable.BeginFont(has ? p : 0, DocumentCodePage);
        else if (w == TWord::Charset)
            FontTable.SetCharset(p);
        else if (w == TWord::Cpg)
            FontTable.SetCodePage(p);
        return;
    case TDestination::ColourTable:
        FontTable.ColourWord(w, p);
        return;
    case TDestination::ListTable:
        if (w == TWord::List) {
            s.Destination = TDestination::List;
            if (!Lists.AddList())
                s.Destination = TDestination::Skip;
        }
        return;
    case TDestination::List:
        if (w == TWord::ListLevel) {
            s.Destination = TDestination::ListLevel;
            if (!Lists.AddLevel())
                s.Destination = TDestination::Skip;
        } else if (w == TWord::ListId) {
            Lists.SetListId(p);
        }
        return;
    case TDestination::ListLevel:
        if (w == TWord::LevelNfc) {
            Lists.SetLevelKind(p);
        } else if (w == TWord::LevelText) {
            s.Destination = TDestination::LevelText;
            TakeCapture();
        } else if (TRtfWords::IsDestination(w)) {
            s.Destination = TDestination::Skip;
        }
        return;
    case TDestination::ListOverrideTable:
        if (w == TWord::ListOverride) {
            s.Destination = TDestination::ListOverride;
            if (!Lists.AddOverride())
                s.Destination = TDestination::Skip;
        }
        return;
    case TDestination::ListOverride:
        if (w == TWord::ListId)
            Lists.SetOverrideListId(p);
        else if (w == TWord::ListOverrideNumber)
            Lists.SetOverrideNumber(p);
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
            if (TRtfWords::IsDestination(w))
                s.Destination = TDestination::Skip;
            break;
        }
        return;
    case TDestination::Picture:
        Picture.Word(w, token.Bytes, p, has);
        return;
    case TDestination::Text:
        break;
    default:
        return;
    }

    if (TableWord(w, p, has))
        return;
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
        FontTable.SetDefaultFont(p);
        break;
    case TWord::FontTable:
        s.Destination = TDestination::FontTable;
        break;
    case TWord::ColourTable:
        s.Destination = TDestination::ColourTable;
        FontTable.BeginColours();
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
        // Holds the definition of a nested table's row and its end.
        s.NestProps = true;
        break;
    case TWord::ShapePicture:
        s.ShapePictureGroup = true;
        break;
    case TWord::NonShapePicture:
        // The picture again, for readers that do not know drawings.
        if (ShapePictureRead)
            s.Destination = TDestination::Skip;
        ShapePictureRead = false;
        break;
    case TWord::Shape:
        ShapeHeldPicture = false;
        break;
    case TWord::ShapeInstruction:
        s.Destination = TDestination::ShapeInstruction;
        break;
    case TWord::ShapeResult:
        // What a drawing shows to readers that do not know drawings.
        if (ShapeHeldPicture)
            s.Destination = TDestination::Skip;
        break;
    case TWord::HeaderFooter:
        if (Story.Kind == TStoryKind::Main) {
            BeginHeader(token.Bytes);
            s.HeaderGroup = true;
        } else {
            s.Destination = TDestination::Skip;
        }
        break;
    case TWord::TitlePage:
        TDocumentHeaders::SetTitlePage(Document, on);
        break;
    case TWord::FacingPages:
        TDocumentHeaders::SetFacingPages(Document, on);
        break;
    case TWord::Footnote:
        // A note within a note or a header stays where it is.
        if (Story.Kind == TStoryKind::Main) {
            BeginNote();
            s.NoteGroup = true;
        }
        break;
    case TWord::NoteMark:
        if (InNote) {
            AppendText(NoteNumber);
        } else {
            const int kind = NextNoteIsEndnote() ? 1 : 0;
            PendingNoteNumber = TRtfLists::NoteNumberText(NoteStarts[kind] + NoteCounts[kind]++, NoteNumberings[kind]);
            AppendText(PendingNoteNumber);
        }
        break;
    case TWord::NoteStartAt:
        NoteStarts[token.Bytes.startsWith("a") ? 1 : 0] = Clamp(p, 1, 1 << 24);
        break;
    case TWord::NoteNumbering:
        NoteNumberings[token.Bytes.startsWith("a") ? 1 : 0] = TRtfLists::NumberingOfWord(token.Bytes);
        break;
    case TWord::Par:
        EndParagraph();
        break;
    case TWord::Line:
        AppendChar(QChar::LineSeparator);
        break;
    case TWord::Tab:
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
    default:
        TRtfFormatWords::Apply(w, p, has, c, para);
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
    TDocumentHeaders::Clear(document);
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
