#pragma once

#include "trtfwords.h"

#include <QColor>
#include <QTextCursor>
#include <array>
#include <memory>
#include <vector>

class QTextDocument;
class QTextTable;

// One border of a cell or row: its style (0 none, 1 single, 2 double, 3 dotted, 4 dashed),
// width in twips and colour index.
struct TRtfBorder {
    quint8 Style = 0;
    bool Set = false;
    int Width = 0;
    int Colour = 0;
};

// A cell of a row definition: its right edge (twips), merges, shading, vertical alignment and
// borders (top, left, bottom, right).
struct TRtfCellDef {
    int Right = 0;
    bool HasRight = false;
    quint8 Merge = 0;  // 1 first of a horizontal merge (\clmgf), 2 merged (\clmrg)
    quint8 VMerge = 0; // the same for vertical merges (\clvmgf, \clvmrg)
    quint8 VAlign = 0; // 0 top, 1 middle, 2 bottom
    int Background = -1;
    int Pattern = -1;
    int Shading = 0; // hundredths of a percent
    TRtfBorder Borders[4];
};

// A row definition (\trowd ... \cellx ...).
struct TRtfRowDef {
    int Gap = 0;
    int Left = 0;
    quint8 Alignment = 0; // 0 left, 1 centre, 2 right
    bool Header = false;
    // Borders of the row: top, left, bottom, right, inside horizontal, inside vertical.
    TRtfBorder Borders[6];
    std::vector<TRtfCellDef> Cells;
    TRtfCellDef Pending;
};

// The tables of one story of a rich-text file (its text, its notes or a header). Rich text
// gives a table row by row: each cell's paragraphs end with \cell (\nestcell in a nested
// table), the row with \row (\nestrow) and its definition, with the right edge of every cell
// (\cellx), comes before the row or before its end. The reader writes each table level's
// cells, one after the other, into a document of their own; when the table ends (text outside
// it follows, or its story ends) the table is built at once in its place: columns at every
// cell edge the rows give, so that cells as wide as several of another row span them, merged
// cells as spans, widths, shading, borders and vertical alignment as far as the document's
// tables show them, and the cells' content copied in.
class TRtfTableReader {
public:
    TRtfTableReader();
    ~TRtfTableReader();
    TRtfTableReader(TRtfTableReader&&) noexcept;
    TRtfTableReader& operator=(TRtfTableReader&&) noexcept;

    // A word of a row or cell definition, or of a border, for the table level given.
    void RowWord(TRtfWord word, int parameter, bool hasParameter, int level);

    int Depth() const { return int(Levels.size()); }
    // Opens a table level, whose cells are written through the cursor returned.
    QTextCursor Open(const QTextDocument& main);
    // The innermost level's cell whose content ends at the position has ended; the next cell's
    // content starts after it.
    void EndCell(int end);
    // The innermost level's row has ended.
    void EndRow();
    // Rows the innermost level holds; a longer table goes on as a new one.
    int RowCount() const;
    // Builds the innermost level's table at the cursor and closes the level. Returns the table.
    QTextTable* Close(QTextCursor& at, const std::vector<QColor>& colours);

    static constexpr int MaxDepth = 16;
    static constexpr int MaxColumns = 63;
    static constexpr int MaxRows = 1000;
    // Properties of a table's format that keep what the document does not show: the row's
    // left edge and the gap between cells in twips.
    static constexpr int LeftProperty = 0x100000 + 2;
    static constexpr int GapProperty = 0x100000 + 3;

private:
    struct TLevel;
    std::vector<std::unique_ptr<TLevel>> Levels;
    std::array<TRtfRowDef, MaxDepth> Definitions;
    TRtfBorder* BorderTarget = nullptr;
};
