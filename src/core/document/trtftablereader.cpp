#include "trtftablereader.h"

#include "tdocumentunits.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextTable>
#include <algorithm>

namespace {

constexpr int MaxTwips = 31680 * 2;
constexpr int DefaultCellWidth = 1440;
constexpr int MinCellWidth = 15;
// As wide as a column may be (22 inches), as the writer writes it.
constexpr int MaxCellWidth = 31680;
// More distinct cell edges than this and each row's cells simply stand side by side.
constexpr int MaxGridColumns = 64;

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

struct TCellRange {
    int Start = 0;
    int End = 0;
};

struct TRowRecord {
    std::vector<TCellRange> Cells;
    TRtfRowDef Def;
};

// A cell of the built table: where it stands, what it spans, its definition and the content
// that goes into it (its own, then that of cells merged into it).
struct TPlaced {
    int Row = 0;
    int Column = 0;
    int RowSpan = 1;
    int ColumnSpan = 1;
    TRtfCellDef Def;
    std::vector<TCellRange> Contents;
};

QTextFrameFormat::BorderStyle StyleOf(quint8 style) {
    switch (style) {
    case 2:
        return QTextFrameFormat::BorderStyle_Double;
    case 3:
        return QTextFrameFormat::BorderStyle_Dotted;
    case 4:
        return QTextFrameFormat::BorderStyle_Dashed;
    default:
        return QTextFrameFormat::BorderStyle_Solid;
    }
}

QColor ColourOf(const std::vector<QColor>& colours, int index, const QColor& fallback) {
    if (index <= 0 || index >= int(colours.size()) || !colours[size_t(index)].isValid())
        return fallback;
    return colours[size_t(index)];
}

// The border the cell shows on a side: its own, else the row's (outer or inside) border.
TRtfBorder SideBorder(const TPlaced& cell, int side, const TRtfRowDef& def, int rows, int columns) {
    if (cell.Def.Borders[side].Set)
        return cell.Def.Borders[side];
    const bool outer = (side == 0 && cell.Row == 0) || (side == 1 && cell.Column == 0) ||
                       (side == 2 && cell.Row + cell.RowSpan >= rows) ||
                       (side == 3 && cell.Column + cell.ColumnSpan >= columns);
    return outer ? def.Borders[side] : def.Borders[side % 2 == 0 ? 4 : 5];
}

QTextTableCellFormat CellFormat(const TPlaced& cell, const TRtfRowDef& def, int rows, int columns,
                                const std::vector<QColor>& colours) {
    QTextTableCellFormat f;
    const TRtfCellDef& d = cell.Def;
    if (d.Background > 0 || d.Shading > 0) {
        // The fill shows the pattern colour over the background by the shading's share.
        const QColor back = ColourOf(colours, d.Background, Qt::white);
        const QColor fore = ColourOf(colours, d.Pattern, Qt::black);
        const double share = Clamp(d.Shading, 0, 10000) / 10000.0;
        const QColor fill = QColor::fromRgb(qRound(back.red() * (1 - share) + fore.red() * share),
                                            qRound(back.green() * (1 - share) + fore.green() * share),
                                            qRound(back.blue() * (1 - share) + fore.blue() * share));
        f.setBackground(fill);
    }
    if (d.VAlign == 1)
        f.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    else if (d.VAlign == 2)
        f.setVerticalAlignment(QTextCharFormat::AlignBottom);
    for (int side = 0; side < 4; ++side) {
        const TRtfBorder b = SideBorder(cell, side, def, rows, columns);
        if (!b.Set || b.Style == 0)
            continue;
        const qreal width = TDocumentUnits::TwipsToPixels(Clamp(b.Width > 0 ? b.Width : 10, 1, 255));
        const QBrush brush(ColourOf(colours, b.Colour, Qt::black));
        const QTextFrameFormat::BorderStyle style = StyleOf(b.Style);
        switch (side) {
        case 0:
            f.setTopBorder(width);
            f.setTopBorderStyle(style);
            f.setTopBorderBrush(brush);
            break;
        case 1:
            f.setLeftBorder(width);
            f.setLeftBorderStyle(style);
            f.setLeftBorderBrush(brush);
            break;
        case 2:
            f.setBottomBorder(width);
            f.setBottomBorderStyle(style);
            f.setBottomBorderBrush(brush);
            break;
        default:
            f.setRightBorder(width);
            f.setRightBorderStyle(style);
            f.setRightBorderBrush(brush);
            break;
        }
    }
    return f;
}

// Copies the scratch range into the table cell after what it holds; the first block of the
// range takes its own paragraph format and list.
void CopyRange(const QTextDocument& scratch, TCellRange range, QTextTableCell cell, bool append) {
    QTextCursor to = cell.lastCursorPosition();
    if (append)
        to.insertBlock();
    const int start = to.position();
    const int last = scratch.characterCount() - 1;
    range.Start = Clamp(range.Start, 0, last);
    range.End = Clamp(range.End, range.Start, last);
    // The first paragraph is copied run by run (a copy of a whole list paragraph would bring
    // an empty paragraph before it), the rest from the end of the first paragraph on, so that
    // each later paragraph comes with its own format and list.
    const QTextBlock source = scratch.findBlock(range.Start);
    for (auto it = source.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.isValid())
            to.insertText(fragment.text(), fragment.charFormat());
    }
    const int firstEnd = source.position() + source.length() - 1;
    if (range.End > firstEnd) {
        QTextCursor from(const_cast<QTextDocument*>(&scratch));
        from.setPosition(firstEnd);
        from.setPosition(range.End, QTextCursor::KeepAnchor);
        to.insertFragment(QTextDocumentFragment(from));
    }
    QTextBlock target = to.document()->findBlock(start);
    QTextCursor fix(target);
    fix.setBlockFormat(source.blockFormat());
    // The mark of a cell's first paragraph is the cell itself, with the cell's format.
    if (append)
        fix.setBlockCharFormat(source.charFormat());
    if (QTextList* list = source.textList()) {
        const QTextBlock next = source.next();
        QTextList* joined = target.next().isValid() ? target.next().textList() : nullptr;
        if (joined && next.isValid() && next.position() <= range.End && next.textList() == list)
            joined->add(target);
        else
            fix.createList(list->format());
    }
}

} // namespace

struct TRtfTableReader::TLevel {
    std::unique_ptr<QTextDocument> Scratch;
    std::vector<TRowRecord> Rows;
    TRowRecord Current;
    int NextCellStart = 0;
    int Index = 0;
};

TRtfTableReader::TRtfTableReader() = default;
TRtfTableReader::~TRtfTableReader() = default;
TRtfTableReader::TRtfTableReader(TRtfTableReader&&) noexcept = default;
TRtfTableReader& TRtfTableReader::operator=(TRtfTableReader&&) noexcept = default;

void TRtfTableReader::RowWord(TRtfWord w, int p, bool has, int level) {
    TRtfRowDef& def = Definitions[size_t(Clamp(level, 1, MaxDepth) - 1)];
    TRtfCellDef& cell = def.Pending;
    auto border = [&](TRtfBorder& b) {
        b = TRtfBorder();
        b.Set = true;
        b.Style = 1;
        BorderTarget = &b;
    };
    switch (w) {
    case TRtfWord::RowDefaults:
        def = TRtfRowDef();
        BorderTarget = nullptr;
        break;
    case TRtfWord::RowGap:
        def.Gap = Clamp(p, 0, MaxTwips);
        break;
    case TRtfWord::RowLeft:
        def.Left = Clamp(p, -MaxTwips, MaxTwips);
        break;
    case TRtfWord::RowAlignLeft:
    case TRtfWord::RowAlignCentre:
    case TRtfWord::RowAlignRight:
        def.Alignment = w == TRtfWord::RowAlignLeft ? 0 : (w == TRtfWord::RowAlignCentre ? 1 : 2);
        break;
    case TRtfWord::RowHeader:
        def.Header = true;
        break;
    case TRtfWord::RowBorderTop:
    case TRtfWord::RowBorderLeft:
    case TRtfWord::RowBorderBottom:
    case TRtfWord::RowBorderRight:
    case TRtfWord::RowBorderInnerH:
    case TRtfWord::RowBorderInnerV:
        border(def.Borders[int(w) - int(TRtfWord::RowBorderTop)]);
        break;
    case TRtfWord::CellBorderTop:
    case TRtfWord::CellBorderLeft:
    case TRtfWord::CellBorderBottom:
    case TRtfWord::CellBorderRight:
        border(cell.Borders[int(w) - int(TRtfWord::CellBorderTop)]);
        break;
    case TRtfWord::ParagraphBorder:
        BorderTarget = nullptr;
        break;
    case TRtfWord::BorderNone:
    case TRtfWord::BorderSingle:
    case TRtfWord::BorderDouble:
    case TRtfWord::BorderDotted:
    case TRtfWord::BorderDashed:
    case TRtfWord::BorderThick:
        if (BorderTarget) {
            static const quint8 styles[] = {0, 1, 2, 3, 4, 1};
            BorderTarget->Style = styles[int(w) - int(TRtfWord::BorderNone)];
        }
        break;
    case TRtfWord::BorderWidth:
        if (BorderTarget)
            BorderTarget->Width = Clamp(p, 0, 255);
        break;
    case TRtfWord::BorderColour:
        if (BorderTarget)
            BorderTarget->Colour = qMax(p, 0);
        break;
    case TRtfWord::CellMergeFirst:
        cell.Merge = 1;
        break;
    case TRtfWord::CellMerge:
        cell.Merge = 2;
        break;
    case TRtfWord::CellVMergeFirst:
        cell.VMerge = 1;
        break;
    case TRtfWord::CellVMerge:
        cell.VMerge = 2;
        break;
    case TRtfWord::CellBackground:
        cell.Background = qMax(p, 0);
        break;
    case TRtfWord::CellPatternColour:
        cell.Pattern = qMax(p, 0);
        break;
    case TRtfWord::CellShading:
        cell.Shading = Clamp(p, 0, 10000);
        break;
    case TRtfWord::CellTop:
    case TRtfWord::CellMiddle:
    case TRtfWord::CellBottom:
        cell.VAlign = quint8(int(w) - int(TRtfWord::CellTop));
        break;
    case TRtfWord::CellRight:
        // As far right as a row of cells each as wide as may be reaches.
        cell.Right = Clamp(has ? p : 0, -MaxTwips, MaxTwips + MaxColumns * MaxCellWidth);
        cell.HasRight = has;
        if (int(def.Cells.size()) < MaxColumns)
            def.Cells.push_back(cell);
        cell = TRtfCellDef();
        BorderTarget = nullptr;
        break;
    default:
        break;
    }
}

QTextCursor TRtfTableReader::Open(const QTextDocument& main) {
    auto level = std::make_unique<TLevel>();
    level->Scratch = std::make_unique<QTextDocument>();
    level->Scratch->setUndoRedoEnabled(false);
    level->Scratch->setDefaultFont(main.defaultFont());
    level->Index = int(Levels.size());
    QTextCursor cursor(level->Scratch.get());
    Levels.push_back(std::move(level));
    return cursor;
}

void TRtfTableReader::EndCell(int end) {
    if (Levels.empty())
        return;
    TLevel& level = *Levels.back();
    const TCellRange range{level.NextCellStart, qMax(end, level.NextCellStart)};
    level.NextCellStart = range.End + 1;
    std::vector<TCellRange>& cells = level.Current.Cells;
    // Cells past the last a row may have go into its last cell.
    if (int(cells.size()) >= MaxColumns)
        cells.back().End = range.End;
    else
        cells.push_back(range);
}

void TRtfTableReader::EndRow() {
    if (Levels.empty())
        return;
    TLevel& level = *Levels.back();
    if (level.Current.Cells.empty())
        return;
    level.Current.Def = Definitions[size_t(qMin(level.Index, MaxDepth - 1))];
    level.Current.Def.Pending = TRtfCellDef();
    // Empty cells past the cells a row defines are no cells of it (some writers end a row
    // that holds a nested table with one more cell mark).
    std::vector<TCellRange>& cells = level.Current.Cells;
    const size_t defined = level.Current.Def.Cells.size();
    while (defined > 0 && cells.size() > defined && cells.back().End == cells.back().Start)
        cells.pop_back();
    level.Rows.push_back(std::move(level.Current));
    level.Current = TRowRecord();
}

int TRtfTableReader::RowCount() const {
    return Levels.empty() ? 0 : int(Levels.back()->Rows.size());
}

QTextTable* TRtfTableReader::Close(QTextCursor& at, const std::vector<QColor>& colours) {
    if (Levels.empty())
        return nullptr;
    EndRow();
    std::unique_ptr<TLevel> level = std::move(Levels.back());
    Levels.pop_back();
    std::vector<TRowRecord>& rows = level->Rows;
    if (rows.empty())
        return nullptr;

    // The cell edges of every row, and the columns they make.
    std::vector<std::vector<int>> edges(rows.size());
    std::vector<int> grid;
    size_t widest = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        const TRtfRowDef& def = rows[r].Def;
        std::vector<int>& e = edges[r];
        e.push_back(def.Left);
        for (size_t k = 0; k < rows[r].Cells.size(); ++k) {
            const int left = e.back();
            const int previousWidth = k > 0 ? e[k] - e[k - 1] : DefaultCellWidth;
            int right = k < def.Cells.size() && def.Cells[k].HasRight ? def.Cells[k].Right : left + previousWidth;
            // A cell may span every column of a row, as the writer writes a merged cell.
            right = Clamp(right, left + MinCellWidth, left + MaxColumns * MaxCellWidth);
            e.push_back(right);
        }
        grid.insert(grid.end(), e.begin(), e.end());
        if (rows[r].Cells.size() > rows[widest].Cells.size())
            widest = r;
    }
    std::sort(grid.begin(), grid.end());
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    const bool packed = int(grid.size()) - 1 > MaxGridColumns;
    if (packed)
        grid = edges[widest];
    const int columns = int(grid.size()) - 1;
    auto columnOf = [&](int edge) {
        return int(std::lower_bound(grid.begin(), grid.end(), edge) - grid.begin());
    };

    // Cells placed on the columns; merged cells join the cell they continue.
    std::vector<TPlaced> placed;
    std::vector<int> open(size_t(columns), -1); // vertical merges under way, by first column
    for (size_t r = 0; r < rows.size(); ++r) {
        const TRowRecord& row = rows[r];
        std::vector<int> next(size_t(columns), -1);
        int previous = -1;
        int end = 0;
        for (size_t k = 0; k < row.Cells.size(); ++k) {
            const TRtfCellDef def = k < row.Def.Cells.size() ? row.Def.Cells[k] : TRtfCellDef();
            const TCellRange content = row.Cells[k];
            const bool last = k + 1 == row.Cells.size();
            int first = packed ? int(k) : columnOf(edges[r][k]);
            int after = packed ? int(k) + 1 : columnOf(edges[r][k + 1]);
            first = k == 0 ? 0 : qMax(first, end);
            after = last ? columns : qMax(after, first + 1);
            if (first >= columns || (def.Merge == 2 && previous >= 0)) {
                // Past the last column, or merged into the cell before it.
                if (previous >= 0) {
                    TPlaced& p = placed[size_t(previous)];
                    if (content.End > content.Start)
                        p.Contents.push_back(content);
                    if (!packed || last)
                        p.ColumnSpan = qMax(p.ColumnSpan, qMin(after, columns) - p.Column);
                    end = p.Column + p.ColumnSpan;
                }
                continue;
            }
            after = qMin(after, columns);
            const int above = open[size_t(first)];
            if (def.VMerge == 2 && above >= 0 && placed[size_t(above)].Column + placed[size_t(above)].ColumnSpan == after) {
                TPlaced& p = placed[size_t(above)];
                p.RowSpan = int(r) - p.Row + 1;
                if (content.End > content.Start)
                    p.Contents.push_back(content);
                next[size_t(first)] = above;
                previous = -1;
            } else {
                TPlaced p;
                p.Row = int(r);
                p.Column = first;
                p.ColumnSpan = after - first;
                p.Def = def;
                p.Contents.push_back(content);
                placed.push_back(std::move(p));
                previous = int(placed.size()) - 1;
                if (def.VMerge != 0)
                    next[size_t(first)] = previous;
            }
            end = after;
        }
        open.swap(next);
    }

    // Edges that no cell starts or ends at (a row's own left edge, where its first cell was
    // drawn out to the table's) make no columns.
    std::vector<char> used(size_t(columns) + 1, 0);
    used.front() = used.back() = 1;
    for (const TPlaced& p : placed)
        used[size_t(p.Column)] = used[size_t(p.Column + p.ColumnSpan)] = 1;
    std::vector<int> renumbered(size_t(columns) + 1, 0);
    std::vector<int> kept;
    for (size_t c = 0; c < used.size(); ++c) {
        renumbered[c] = int(kept.size());
        if (used[c])
            kept.push_back(grid[c]);
    }
    for (TPlaced& p : placed) {
        const int end = renumbered[size_t(p.Column + p.ColumnSpan)];
        p.Column = renumbered[size_t(p.Column)];
        p.ColumnSpan = end - p.Column;
    }
    grid = kept;
    const int columnCount = int(grid.size()) - 1;

    const TRtfRowDef& first = rows.front().Def;
    QTextTableFormat tf;
    tf.setBorderCollapse(true);
    tf.setBorder(0);
    tf.setCellSpacing(0);
    tf.setCellPadding(TDocumentUnits::TwipsToPixels(first.Gap));
    tf.setProperty(GapProperty, first.Gap);
    tf.setProperty(LeftProperty, first.Left);
    tf.setLeftMargin(TDocumentUnits::TwipsToPixels(qMax(first.Left + first.Gap, 0)));
    tf.setAlignment(first.Alignment == 1 ? Qt::AlignHCenter : first.Alignment == 2 ? Qt::AlignRight : Qt::AlignLeft);
    QList<QTextLength> widths;
    for (int c = 0; c < columnCount; ++c)
        widths << QTextLength(QTextLength::FixedLength, TDocumentUnits::TwipsToPixels(grid[size_t(c) + 1] - grid[size_t(c)]));
    tf.setColumnWidthConstraints(widths);
    int headers = 0;
    while (headers < int(rows.size()) && rows[size_t(headers)].Def.Header)
        ++headers;
    tf.setHeaderRowCount(headers);

    const bool spans = std::any_of(placed.begin(), placed.end(), [](const TPlaced& p) {
        return p.RowSpan > 1 || p.ColumnSpan > 1;
    });
    QTextTable* table = nullptr;
    if (!spans) {
        table = at.insertTable(int(rows.size()), columnCount, tf);
    } else {
        // The document builds a table with spans at once from markup, without merging cell
        // after cell (which takes time to the square of the table's size).
        QString html = QStringLiteral("<table>");
        int row = -1;
        for (const TPlaced& p : placed) {
            for (; row < p.Row; ++row)
                html += row < 0 ? QStringLiteral("<tr>") : QStringLiteral("</tr><tr>");
            html += QStringLiteral("<td colspan=\"%1\" rowspan=\"%2\"></td>").arg(p.ColumnSpan).arg(p.RowSpan);
        }
        for (; row < int(rows.size()) - 1; ++row)
            html += QStringLiteral("</tr><tr>");
        html += QStringLiteral("</tr></table>");
        const int start = at.position();
        at.insertFragment(QTextDocumentFragment::fromHtml(html));
        // The table is the object of its first cell's mark (the document's frames are not
        // found by position until its edit block ends).
        for (int p = start; p <= start + 2 && !table; ++p) {
            const QTextBlock block = at.document()->findBlock(p);
            table = qobject_cast<QTextTable*>(at.document()->objectForFormat(block.charFormat()));
        }
        if (!table)
            return nullptr;
        table->setFormat(tf);
    }
    const int tableRows = table->rows();
    for (const TPlaced& p : placed) {
        if (p.Row >= tableRows || p.Column >= table->columns())
            continue;
        QTextTableCell cell = table->cellAt(p.Row, p.Column);
        cell.setFormat(CellFormat(p, rows[size_t(p.Row)].Def, tableRows, columnCount, colours));
        for (size_t i = 0; i < p.Contents.size(); ++i)
            CopyRange(*level->Scratch, p.Contents[i], cell, i > 0);
    }
    return table;
}
