#include "trtfwriter.h"

#include "foundation/tplatformerror.h"
#include "tdocumentheaders.h"
#include "tdocumentpictures.h"
#include "tdocumentunits.h"
#include "trtfcodepage.h"
#include "trtffields.h"
#include "trtfreader.h"
#include "trtftablereader.h"

#include <QColor>
#include <QBuffer>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <optional>
#include <vector>

namespace {

constexpr char HexDigits[] = "0123456789abcdef";

// A font name as the font table can hold it and a reader gives it back: no ";" (which ends an
// entry), no characters the text escapes leave out or turn into control words, no blanks around
// it, and not longer than readers keep.
QString WritableFamily(const QString& family) {
    QString name;
    name.reserve(family.size());
    for (QChar ch : family) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || c == ';' || c == 0x00A0 || c == 0x00AD || c == 0x2011 ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator ||
            c == QChar::ObjectReplacementCharacter || c == 0xFDD0 || c == 0xFDD1)
            continue;
        name.append(ch);
    }
    return name.trimmed().left(128).trimmed();
}

QString FamilyOf(const QTextCharFormat& format, const QString& fallback) {
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty()) {
        const QString name = WritableFamily(families.first());
        if (!name.isEmpty())
            return name;
    }
    return fallback;
}

bool HasText(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().isValid())
            return true;
    }
    return false;
}

bool IsBullet(QTextListFormat::Style style) {
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare || style == QTextListFormat::ListStyleUndefined;
}

// A list's level: as the reader keeps it, else one less than the list's indent steps (a list
// nested in HTML one step further in than its parent).
int LevelOf(const QTextListFormat& format) {
    if (format.hasProperty(TRtfReader::ListLevelProperty))
        return qBound(0, format.intProperty(TRtfReader::ListLevelProperty), 8);
    return qBound(0, format.indent() - 1, 8);
}

// How a list level looks in the list table: its number format and the text around the number
// (the document puts a "." after it unless the list says otherwise).
struct TListLevelStyle {
    int Nfc = 0; // 0 decimal, 1 upper roman, 2 lower roman, 3 upper letter, 4 lower letter, 23 bullet
    QString Before;
    QString After = QStringLiteral(".");
    bool operator==(const TListLevelStyle&) const = default;
};

TListLevelStyle LevelStyleOf(const QTextListFormat& format) {
    TListLevelStyle style;
    switch (format.style()) {
    case QTextListFormat::ListUpperRoman:
        style.Nfc = 1;
        break;
    case QTextListFormat::ListLowerRoman:
        style.Nfc = 2;
        break;
    case QTextListFormat::ListUpperAlpha:
        style.Nfc = 3;
        break;
    case QTextListFormat::ListLowerAlpha:
        style.Nfc = 4;
        break;
    case QTextListFormat::ListDecimal:
        break;
    default:
        style.Nfc = 23;
        style.After.clear();
        return style;
    }
    // A level's text is short and ends at a ";".
    style.Before = format.numberPrefix().left(15).remove(QLatin1Char(';'));
    if (format.hasProperty(QTextFormat::ListNumberSuffix))
        style.After = format.numberSuffix().left(15).remove(QLatin1Char(';'));
    return style;
}

// One list of the list table: the level its paragraphs use, among nine as word processors
// keep them (a level no paragraph uses is numbered 1., 2., ...).
struct TListEntry {
    std::optional<TListLevelStyle> Levels[9];
};

int Twips(qreal pixels) { return TDocumentUnits::PixelsToTwips(pixels); }

// A block with nothing in it: the paragraph the document keeps before a table.
bool IsEmpty(const QTextBlock& block) { return block.length() <= 1; }

// The content of a frame or a table cell in order: paragraphs, and tables (nullptr block).
struct TItem {
    QTextBlock Block;
    QTextTable* Table = nullptr;
};

void CollectItems(QTextFrame::iterator it, std::vector<TItem>& items) {
    for (; !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(frame))
                items.push_back(TItem{QTextBlock(), table});
            else
                CollectItems(frame->begin(), items);
        } else if (it.currentBlock().isValid()) {
            items.push_back(TItem{it.currentBlock(), nullptr});
        }
    }
}

// The tables of a frame and of the frames and cells within it, outer before inner.
void CollectTablesOf(QTextFrame* frame, std::vector<QTextTable*>& tables) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            tables.push_back(table);
        CollectTablesOf(child, tables);
    }
}

void AppendNumber(QByteArray& out, const char* word, int value);
void AppendEscaped(QByteArray& out, QStringView text);

class TRtfBuilder {
public:
    explicit TRtfBuilder(const QTextDocument& document) : Document(document), Doc(&document) {}
    QByteArray Build();
    // A document's paragraphs as the part of a longer one, with the header when it is the
    // first part.
    QByteArray BuildPart(bool first);

private:
    int FontIndex(const QString& family);
    int ColourIndex(const QColor& colour);
    void UseDocument(const QTextDocument& document);
    void CollectTables();
    void CollectDocument(const QTextDocument& document);
    void CollectList(const QTextBlock& block);
    void WriteHeader(QByteArray& out) const;
    void WriteListTables(QByteArray& out) const;
    void WriteHeadersAndFooters();
    void WriteItems(const std::vector<TItem>& items, int level, const char* lastEnding);
    void WriteTable(const QTextTable& table, int level);
    QByteArray CellDefinition(const QTextTable& table, const QTextTableCell& cell, bool covered, int right);
    void WriteBorder(const char* side, qreal width, QTextFrameFormat::BorderStyle style, const QBrush& brush, QByteArray& out);
    void WriteBlock(const QTextBlock& block, int level, const char* ending);
    void WriteParagraphFormat(const QTextBlock& block, int tableLevel);
    void WriteRunFormat(const QTextCharFormat& format);
    void WritePicture(const QTextImageFormat& format);
    // The control words of a run's format and of a paragraph mark after it, by the index of
    // the format in the document being written.
    const QByteArray& RunPrefix(int formatIndex, const QTextCharFormat& format);
    void WriteText(QStringView text) { AppendEscaped(Body, text); }
    void WriteNumber(const char* word, int value) { AppendNumber(Body, word, value); }

    const QTextDocument& Document;
    // The document being written: the text, or a header or footer.
    const QTextDocument* Doc;
    QString DefaultFamily;
    qreal DefaultSize = 12;
    QHash<QString, int> FontIndexes;
    QStringList Families;
    QHash<QRgb, int> ColourIndexes;
    std::vector<QColor> Colours;
    int SymbolFont = -1;
    // The lists of the list table: each list of the document has an entry of its own, which
    // a word processor numbers on across other paragraphs as the document does, and its level.
    std::vector<TListEntry> ListEntries;
    QHash<const QTextList*, std::pair<int, int>> ListPlaces;
    QByteArray Body;
    QHash<int, QByteArray> RunPrefixes;
    QHash<int, QByteArray> MarkPrefixes;
    QSet<int> Collected;
};

int TRtfBuilder::FontIndex(const QString& family) {
    auto it = FontIndexes.constFind(family);
    if (it != FontIndexes.constEnd())
        return *it;
    const int index = int(Families.size());
    Families.append(family);
    FontIndexes.insert(family, index);
    return index;
}

int TRtfBuilder::ColourIndex(const QColor& colour) {
    const QRgb rgb = colour.rgb() & 0xFFFFFF;
    auto it = ColourIndexes.constFind(rgb);
    if (it != ColourIndexes.constEnd())
        return *it;
    Colours.push_back(QColor::fromRgb(rgb));
    const int index = int(Colours.size()); // entry 0 is "automatic"
    ColourIndexes.insert(rgb, index);
    return index;
}

void AppendNumber(QByteArray& out, const char* word, int value) {
    out.append('\\');
    out.append(word);
    out.append(QByteArray::number(value));
}

void AppendEscaped(QByteArray& out, QStringView text) {
    for (QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\' || c == '{' || c == '}')
                out.append('\\');
            out.append(char(c));
            continue;
        }
        switch (c) {
        case '\t':
            out.append("\\tab ");
            continue;
        case QChar::LineSeparator:
        case QChar::ParagraphSeparator:
            out.append("\\line ");
            continue;
        case 0x00A0:
            out.append("\\~");
            continue;
        case 0x00AD:
            out.append("\\-");
            continue;
        case 0x2011:
            out.append("\\_");
            continue;
        case QChar::ObjectReplacementCharacter:
        case 0xFDD0:
        case 0xFDD1:
            continue;
        default:
            break;
        }
        if (c < 0x20)
            continue;
        quint8 byte = 0;
        if (TRtfCodePage::Cp1252Byte(c, byte)) {
            out.append("\\'");
            out.append(HexDigits[byte >> 4]);
            out.append(HexDigits[byte & 15]);
            continue;
        }
        AppendNumber(out, "u", int(qint16(c)));
        out.append('?');
    }
}

void TRtfBuilder::UseDocument(const QTextDocument& document) {
    Doc = &document;
    RunPrefixes.clear();
    MarkPrefixes.clear();
    Collected.clear();
}

void TRtfBuilder::CollectTables() {
    DefaultFamily = WritableFamily(Document.defaultFont().family());
    if (DefaultFamily.isEmpty())
        DefaultFamily = QStringLiteral("Courier New");
    const qreal size = Document.defaultFont().pointSizeF();
    if (size > 0)
        DefaultSize = size;
    // The tables list what the text uses, in the order the text first uses it, so that a
    // document read back from the output is written the same way again. A paragraph's own
    // format shows only in the mark of a paragraph without text.
    FontIndex(DefaultFamily);
    for (int kind = 0; kind < TDocumentHeaders::KindCount; ++kind) {
        if (const QTextDocument* part = TDocumentHeaders::Part(Document, TDocumentHeaders::TKind(kind)))
            CollectDocument(*part);
    }
    CollectDocument(Document);
    if (SymbolFont == -2)
        SymbolFont = int(Families.size());
}

void TRtfBuilder::CollectDocument(const QTextDocument& document) {
    UseDocument(document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!HasText(block) && !Collected.contains(block.charFormatIndex())) {
            Collected.insert(block.charFormatIndex());
            FontIndex(FamilyOf(block.charFormat(), DefaultFamily));
        }
        if (QTextList* list = block.textList(); list && IsBullet(list->format().style()) &&
                                                 SymbolFont < 0)
            SymbolFont = -2;
        CollectList(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || Collected.contains(fragment.charFormatIndex()))
                continue;
            Collected.insert(fragment.charFormatIndex());
            const QTextCharFormat f = fragment.charFormat();
            FontIndex(FamilyOf(f, DefaultFamily));
            if (f.foreground().style() != Qt::NoBrush)
                ColourIndex(f.foreground().color());
            if (f.background().style() != Qt::NoBrush)
                ColourIndex(f.background().color());
        }
    }
    // The colours of the tables' cells.
    std::vector<QTextTable*> tables;
    CollectTablesOf(document.rootFrame(), tables);
    for (const QTextTable* table : tables) {
        for (int r = 0; r < table->rows(); ++r) {
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() == r && cell.column() == c)
                    CellDefinition(*table, cell, false, 0);
            }
        }
    }
}

void TRtfBuilder::CollectList(const QTextBlock& block) {
    const QTextList* list = block.textList();
    if (!list || ListPlaces.contains(list))
        return;
    const int level = LevelOf(list->format());
    ListEntries.emplace_back();
    ListEntries.back().Levels[level] = LevelStyleOf(list->format());
    ListPlaces.insert(list, {int(ListEntries.size()) - 1, level});
}

// The list table in the form of Word 97 and later, which word processors read with each
// paragraph's list (\lsN) and level (\ilvlN).
void TRtfBuilder::WriteListTables(QByteArray& out) const {
    if (ListEntries.empty())
        return;
    out.append("{\\*\\listtable");
    for (size_t i = 0; i < ListEntries.size(); ++i) {
        const QByteArray id = QByteArray::number(qulonglong(i + 1));
        out.append("\r\n{\\list\\listtemplateid" + id + "\\listhybrid");
        for (int level = 0; level < 9; ++level) {
            const TListLevelStyle style = ListEntries[i].Levels[level].value_or(TListLevelStyle());
            const QByteArray nfc = QByteArray::number(style.Nfc);
            out.append("{\\listlevel\\levelnfc" + nfc + "\\levelnfcn" + nfc +
                       "\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1{\\leveltext");
            if (style.Nfc == 23) {
                out.append("\\'01\\u-3913 ?;}{\\levelnumbers;}\\f" + QByteArray::number(SymbolFont));
            } else {
                const qsizetype length = style.Before.size() + 1 + style.After.size();
                out.append("\\'");
                out.append(HexDigits[(length >> 4) & 15]);
                out.append(HexDigits[length & 15]);
                AppendEscaped(out, style.Before);
                out.append("\\'0" + QByteArray::number(level));
                AppendEscaped(out, style.After);
                const qsizetype position = style.Before.size() + 1;
                out.append(";}{\\levelnumbers\\'");
                out.append(HexDigits[(position >> 4) & 15]);
                out.append(HexDigits[position & 15]);
                out.append(";}");
            }
            AppendNumber(out, "fi", -360);
            AppendNumber(out, "li", 720 * (level + 1));
            out.append('}');
        }
        out.append("\\listid" + id + '}');
    }
    out.append("}\r\n{\\*\\listoverridetable");
    for (size_t i = 0; i < ListEntries.size(); ++i) {
        const QByteArray id = QByteArray::number(qulonglong(i + 1));
        out.append("{\\listoverride\\listid" + id + "\\listoverridecount0\\ls" + id + '}');
    }
    out.append("}\r\n");
}

void TRtfBuilder::WriteHeader(QByteArray& out) const {
    out.append("{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0{\\fonttbl");
    for (qsizetype i = 0; i < Families.size(); ++i) {
        out.append("{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ");
        AppendEscaped(out, Families.at(i));
        out.append(";}");
    }
    if (SymbolFont >= 0)
        out.append("{\\f" + QByteArray::number(SymbolFont) + "\\fnil\\fcharset2 Symbol;}");
    out.append("}\r\n");
    if (!Colours.empty()) {
        out.append("{\\colortbl ;");
        for (const QColor& c : Colours) {
            out.append("\\red" + QByteArray::number(c.red()) + "\\green" +
                       QByteArray::number(c.green()) + "\\blue" + QByteArray::number(c.blue()) +
                       ';');
        }
        out.append("}\r\n");
    }
    WriteListTables(out);
    out.append("{\\*\\generator Quorvane Fastenex;}\\viewkind4\r\n");
    if (TDocumentHeaders::FacingPages(Document))
        out.append("\\facingp");
    if (TDocumentHeaders::TitlePage(Document))
        out.append("\\titlepg");
}

void TRtfBuilder::WriteRunFormat(const QTextCharFormat& f) {
    WriteNumber("f", FontIndex(FamilyOf(f, DefaultFamily)));
    const qreal size = f.fontPointSize() > 0 ? f.fontPointSize() : DefaultSize;
    WriteNumber("fs", qBound(2, qRound(size * 2), 3276));
    if (f.fontWeight() > QFont::Medium)
        Body.append("\\b");
    if (f.fontItalic())
        Body.append("\\i");
    if (f.fontUnderline())
        Body.append("\\ul");
    if (f.fontStrikeOut())
        Body.append("\\strike");
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        Body.append("\\super");
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        Body.append("\\sub");
    if (f.foreground().style() != Qt::NoBrush)
        WriteNumber("cf", ColourIndex(f.foreground().color()));
    if (f.background().style() != Qt::NoBrush)
        WriteNumber("highlight", ColourIndex(f.background().color()));
}

void TRtfBuilder::WriteParagraphFormat(const QTextBlock& block, int tableLevel) {
    const QTextBlockFormat b = block.blockFormat();
    Body.append("\\pard");
    if (tableLevel > 0)
        Body.append("\\intbl");
    if (tableLevel > 1)
        WriteNumber("itap", tableLevel);
    switch (b.alignment() & Qt::AlignHorizontal_Mask) {
    case Qt::AlignHCenter:
        Body.append("\\qc");
        break;
    case Qt::AlignRight:
        Body.append("\\qr");
        break;
    case Qt::AlignJustify:
        Body.append("\\qj");
        break;
    default:
        break;
    }
    const QTextList* list = block.textList();
    const qreal indentWidth = Doc->indentWidth();
    int indentSteps = b.indent();
    if (list)
        indentSteps += list->format().indent();
    const int left = Twips(b.leftMargin() + indentSteps * indentWidth);
    // A bulleted paragraph keeps its bullet in a hanging first line.
    const int first = Twips(b.textIndent()) - (list ? 360 : 0);
    const int right = Twips(b.rightMargin());
    if (first != 0)
        WriteNumber("fi", first);
    if (left != 0)
        WriteNumber("li", left);
    if (right != 0)
        WriteNumber("ri", right);
    if (const int before = Twips(b.topMargin()); before > 0)
        WriteNumber("sb", before);
    if (const int after = Twips(b.bottomMargin()); after > 0)
        WriteNumber("sa", after);
    for (const QTextOption::Tab& tab : b.tabPositions()) {
        if (tab.type == QTextOption::RightTab)
            Body.append("\\tqr");
        else if (tab.type == QTextOption::CenterTab)
            Body.append("\\tqc");
        else if (tab.type == QTextOption::DelimiterTab)
            Body.append("\\tqdec");
        WriteNumber("tx", qMax(0, Twips(tab.position)));
    }
    if (!list) {
        Body.append(' ');
        return;
    }
    // Each list paragraph carries its number as text and in the paragraph-numbering form for
    // readers that know only those, then its list and level in the list table.
    const QTextListFormat lf = list->format();
    const TListLevelStyle style = LevelStyleOf(lf);
    if (style.Nfc == 23) {
        Body.append("{\\pntext\\f" + QByteArray::number(SymbolFont) + "\\'b7\\tab}");
        Body.append("{\\*\\pn\\pnlvlblt\\pnf" + QByteArray::number(SymbolFont) +
                    "\\pnindent0{\\pntxtb\\'b7}}");
    } else {
        Body.append("{\\pntext\\f0 ");
        WriteText(list->itemText(block));
        Body.append("\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1");
        static const char* const formats[] = {"\\pndec", "\\pnucrm", "\\pnlcrm", "\\pnucltr", "\\pnlcltr"};
        Body.append(formats[style.Nfc]);
        if (!style.Before.isEmpty()) {
            Body.append("{\\pntxtb ");
            WriteText(style.Before);
            Body.append('}');
        }
        Body.append("{\\pntxta ");
        WriteText(style.After);
        Body.append("}}");
    }
    const auto [entry, level] = ListPlaces.value(list);
    WriteNumber("ls", entry + 1);
    WriteNumber("ilvl", level);
}

const QByteArray& TRtfBuilder::RunPrefix(int formatIndex, const QTextCharFormat& format) {
    auto it = RunPrefixes.find(formatIndex);
    if (it == RunPrefixes.end()) {
        QByteArray saved;
        Body.swap(saved);
        WriteRunFormat(format);
        // The paragraph mark takes the font and size of the paragraph's last text, so that an
        // empty line is as high as the text around it.
        QByteArray mark("\\plain");
        AppendNumber(mark, "f", FontIndex(FamilyOf(format, DefaultFamily)));
        const qreal size = format.fontPointSize() > 0 ? format.fontPointSize() : DefaultSize;
        AppendNumber(mark, "fs", qBound(2, qRound(size * 2), 3276));
        MarkPrefixes.insert(formatIndex, mark);
        Body.swap(saved);
        it = RunPrefixes.insert(formatIndex, saved);
    }
    return *it;
}

void TRtfBuilder::WritePicture(const QTextImageFormat& format) {
    TPictureSource source;
    if (const std::optional<TPictureSource> read = TDocumentPictures::Source(*Doc, format.name())) {
        source = *read;
    } else {
        // A picture without a file form (pasted, drawn) is written as PNG.
        const QImage image = TDocumentPictures::Image(*Doc, format.name());
        if (image.isNull())
            return;
        QBuffer buffer(&source.Data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        source.Kind = "pngblip";
        source.Width = image.width();
        source.Height = image.height();
    }
    Body.append("{\\pict");
    if (!source.Kind.isEmpty()) {
        Body.append('\\');
        Body.append(source.Kind);
        if (source.KindParameter >= 0)
            Body.append(QByteArray::number(source.KindParameter));
    }
    WriteNumber("picw", source.Width);
    WriteNumber("pich", source.Height);
    if (format.width() > 0)
        WriteNumber("picwgoal", TDocumentUnits::PixelsToTwips(format.width(), 31680 * 4));
    if (format.height() > 0)
        WriteNumber("pichgoal", TDocumentUnits::PixelsToTwips(format.height(), 31680 * 4));
    Body.reserve(Body.size() + source.Data.size() * 2 + source.Data.size() / 32 + 8);
    for (qsizetype i = 0; i < source.Data.size(); ++i) {
        if (i % 64 == 0)
            Body.append("\r\n");
        const quint8 byte = quint8(source.Data[i]);
        Body.append(HexDigits[byte >> 4]);
        Body.append(HexDigits[byte & 15]);
    }
    Body.append('}');
}

void TRtfBuilder::WriteBlock(const QTextBlock& block, int level, const char* ending) {
    WriteParagraphFormat(block, level);
    int markIndex = block.charFormatIndex();
    // Neighbouring fragments whose formats differ only in what RTF does not hold are written as
    // one run, as a reader will join them; the runs of a link are written in its field.
    bool open = false;
    bool written = false;
    QByteArray openPrefix;
    QString link;
    auto closeRun = [&] {
        if (open)
            Body.append('}');
        open = false;
    };
    auto closeLink = [&] {
        closeRun();
        if (!link.isEmpty())
            Body.append("}}");
        link.clear();
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const int index = fragment.charFormatIndex();
        const QTextCharFormat format = fragment.charFormat();
        const QString address = format.isAnchor() ? format.anchorHref() : QString();
        if (address != link) {
            closeLink();
            if (!address.isEmpty()) {
                Body.append("{\\field{\\*\\fldinst ");
                Body.append(TRtfFields::InstructionOfLink(address));
                Body.append("}{\\fldrslt ");
                link = address;
            }
        }
        const QByteArray prefix = RunPrefix(index, format);
        if (!open || openPrefix != prefix) {
            closeRun();
            Body.append('{');
            Body.append(prefix);
            Body.append(' ');
            open = true;
            openPrefix = prefix;
        }
        if (format.isImageFormat()) {
            for (int i = 0; i < fragment.length(); ++i)
                WritePicture(format.toImageFormat());
        } else {
            WriteText(fragment.text());
        }
        markIndex = index;
        written = true;
    }
    closeLink();
    if (!written)
        RunPrefix(markIndex, block.charFormat());
    Body.append(MarkPrefixes.value(markIndex));
    Body.append(ending);
    Body.append("\r\n");
}

// Paragraphs and tables at a table level (0 outside tables); the last paragraph ends with
// the ending given (a cell's), the others with \par. The empty paragraph the document keeps
// before a table is not written: reading the table makes it again.
void TRtfBuilder::WriteItems(const std::vector<TItem>& items, int level, const char* lastEnding) {
    for (size_t i = 0; i < items.size(); ++i) {
        const TItem& item = items[i];
        if (item.Table) {
            WriteTable(*item.Table, level + 1);
            continue;
        }
        const bool last = i + 1 == items.size();
        if (!last && items[i + 1].Table && IsEmpty(item.Block))
            continue;
        WriteBlock(item.Block, level, last && lastEnding ? lastEnding : "\\par");
    }
    if (lastEnding && (items.empty() || items.back().Table)) {
        Body.append("\\pard\\intbl");
        if (level > 1)
            WriteNumber("itap", level);
        Body.append(lastEnding);
        Body.append("\r\n");
    }
}

void TRtfBuilder::WriteBorder(const char* side, qreal width, QTextFrameFormat::BorderStyle style,
                              const QBrush& brush, QByteArray& out) {
    if (!(width > 0) || style == QTextFrameFormat::BorderStyle_None)
        return;
    out.append(side);
    switch (style) {
    case QTextFrameFormat::BorderStyle_Double:
        out.append("\\brdrdb");
        break;
    case QTextFrameFormat::BorderStyle_Dotted:
        out.append("\\brdrdot");
        break;
    case QTextFrameFormat::BorderStyle_Dashed:
        out.append("\\brdrdash");
        break;
    default:
        out.append("\\brdrs");
        break;
    }
    AppendNumber(out, "brdrw", qBound(1, Twips(width), 255));
    const QColor colour = brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color();
    AppendNumber(out, "brdrcf", ColourIndex(colour));
}

// A cell's part of the row definition: merge, alignment, borders, shading and right edge.
QByteArray TRtfBuilder::CellDefinition(const QTextTable& table, const QTextTableCell& cell, bool covered, int right) {
    QByteArray out;
    if (covered)
        out.append("\\clvmrg");
    else if (cell.rowSpan() > 1)
        out.append("\\clvmgf");
    const QTextTableCellFormat f = cell.format().toTableCellFormat();
    if (f.verticalAlignment() == QTextCharFormat::AlignMiddle)
        out.append("\\clvertalc");
    else if (f.verticalAlignment() == QTextCharFormat::AlignBottom)
        out.append("\\clvertalb");
    // A table that draws one border around all its cells gives each cell that border.
    const QTextTableFormat tf = table.format();
    const bool tableBorder = tf.border() > 0 && tf.borderStyle() != QTextFrameFormat::BorderStyle_None;
    const qreal widths[4] = {f.topBorder(), f.leftBorder(), f.bottomBorder(), f.rightBorder()};
    const QTextFrameFormat::BorderStyle styles[4] = {f.topBorderStyle(), f.leftBorderStyle(),
                                                     f.bottomBorderStyle(), f.rightBorderStyle()};
    const QBrush brushes[4] = {f.topBorderBrush(), f.leftBorderBrush(), f.bottomBorderBrush(), f.rightBorderBrush()};
    static const char* const sides[4] = {"\\clbrdrt", "\\clbrdrl", "\\clbrdrb", "\\clbrdrr"};
    for (int i = 0; i < 4; ++i) {
        if (widths[i] > 0)
            WriteBorder(sides[i], widths[i], styles[i], brushes[i], out);
        else if (tableBorder)
            WriteBorder(sides[i], tf.border(), QTextFrameFormat::BorderStyle_Solid, tf.borderBrush(), out);
    }
    if (f.background().style() != Qt::NoBrush)
        AppendNumber(out, "clcbpat", ColourIndex(f.background().color()));
    AppendNumber(out, "cellx", right);
    return out;
}

// A table row by row: for the outermost tables the row's definition, its cells and \row; for
// nested ones the cells, then the definition and \nestrow in \nesttableprops. Cells that span
// columns are written as one wide cell, cells that span rows as merged cells.
void TRtfBuilder::WriteTable(const QTextTable& table, int level) {
    const QTextTableFormat tf = table.format();
    const int columns = table.columns();
    const int gap = tf.hasProperty(TRtfTableReader::GapProperty)
                        ? tf.intProperty(TRtfTableReader::GapProperty)
                        : qMax(0, Twips(tf.cellPadding()));
    const int left = tf.hasProperty(TRtfTableReader::LeftProperty)
                         ? tf.intProperty(TRtfTableReader::LeftProperty)
                         : Twips(tf.leftMargin()) - gap;
    // The columns' edges: fixed widths as they are; others share a page's text width.
    constexpr int textWidth = 9360;
    const QList<QTextLength> constraints = tf.columnWidthConstraints();
    std::vector<int> edges{left};
    for (int c = 0; c < columns; ++c) {
        int width = textWidth / qMax(columns, 1);
        if (c < constraints.size()) {
            const QTextLength length = constraints.at(c);
            if (length.type() == QTextLength::FixedLength)
                width = Twips(length.rawValue());
            else if (length.type() == QTextLength::PercentageLength)
                width = qRound(textWidth * length.rawValue() / 100.0);
        }
        edges.push_back(edges.back() + qBound(15, width, 31680));
    }
    QByteArray rowStart("\\trowd");
    AppendNumber(rowStart, "trgaph", gap);
    AppendNumber(rowStart, "trleft", left);
    const Qt::Alignment alignment = tf.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment == Qt::AlignHCenter)
        rowStart.append("\\trqc");
    else if (alignment == Qt::AlignRight)
        rowStart.append("\\trqr");
    for (int r = 0; r < table.rows(); ++r) {
        QByteArray definition = rowStart;
        if (r < tf.headerRowCount())
            definition.append("\\trhdr");
        std::vector<std::pair<QTextTableCell, bool>> cells;
        for (int c = 0; c < columns;) {
            const QTextTableCell cell = table.cellAt(r, c);
            const int span = qMax(1, cell.columnSpan() - (c - cell.column()));
            const bool covered = cell.row() < r;
            definition.append(CellDefinition(table, cell, covered, edges[size_t(qMin(c + span, columns))]));
            cells.emplace_back(cell, covered);
            c += span;
        }
        definition.append("\r\n");
        if (level == 1)
            Body.append(definition);
        const char* ending = level == 1 ? "\\cell" : "\\nestcell";
        for (const auto& [cell, covered] : cells) {
            std::vector<TItem> items;
            if (!covered)
                CollectItems(cell.begin(), items);
            WriteItems(items, level, ending);
        }
        if (level == 1) {
            Body.append("\\row\r\n");
        } else {
            Body.append("{\\*\\nesttableprops ");
            Body.append(definition);
            Body.append("\\nestrow}{\\nonesttables\\par}\r\n");
        }
    }
}

void TRtfBuilder::WriteHeadersAndFooters() {
    for (int kind = 0; kind < TDocumentHeaders::KindCount; ++kind) {
        const QTextDocument* part = TDocumentHeaders::Part(Document, TDocumentHeaders::TKind(kind));
        if (!part)
            continue;
        UseDocument(*part);
        Body.append("{\\" + TDocumentHeaders::Word(TDocumentHeaders::TKind(kind)) + "\r\n");
        std::vector<TItem> items;
        CollectItems(part->rootFrame()->begin(), items);
        WriteItems(items, 0, nullptr);
        Body.append("}\r\n");
    }
    UseDocument(Document);
}

QByteArray TRtfBuilder::Build() {
    CollectTables();
    Body.clear();
    QByteArray header;
    WriteHeader(header);
    Body.clear();
    Body.reserve(qsizetype(Document.characterCount()) * 2 + 1024);
    WriteHeadersAndFooters();
    std::vector<TItem> items;
    CollectItems(Document.rootFrame()->begin(), items);
    WriteItems(items, 0, nullptr);
    Body.append('}');
    return header + Body;
}

QByteArray TRtfBuilder::BuildPart(bool first) {
    CollectTables();
    Body.clear();
    QByteArray header;
    if (first)
        WriteHeader(header);
    Body.clear();
    std::vector<TItem> items;
    CollectItems(Document.rootFrame()->begin(), items);
    WriteItems(items, 0, nullptr);
    return header + Body;
}

} // namespace

void TRtfWriter::WriteParts(QIODevice& device, const std::function<bool(QTextDocument&)>& nextPart) {
    auto write = [&](const QByteArray& bytes) {
        if (device.write(bytes) != bytes.size())
            throw TPlatformError(device.errorString());
    };
    QTextDocument part;
    for (bool first = true; nextPart(part); first = false)
        write(TRtfBuilder(part).BuildPart(first));
    write(QByteArrayLiteral("}"));
}

QByteArray TRtfWriter::ToRtf(const QTextDocument& document) {
    TRtfBuilder builder(document);
    return builder.Build();
}

void TRtfWriter::Write(const QTextDocument& document, QIODevice& device) {
    const QByteArray bytes = ToRtf(document);
    if (device.write(bytes) != bytes.size())
        throw TPlatformError(device.errorString());
}
