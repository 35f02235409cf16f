#pragma once

#include <QByteArrayView>

// The control words the rich-text reader acts on.
enum class TRtfWord {
    Unknown,
    // header
    Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff,
    // tables and destinations
    FontTable, ColourTable, ListTable, List, ListLevel, ListId, LevelNfc, ListOverrideTable,
    ListOverride, LevelText, Pn, PnLvlBlt, PnLvlBody, PnLvl, PnDec, PnUcLtr, PnLcLtr, PnUcRm,
    PnLcRm, PnTextBefore, PnTextAfter, FieldResult, FieldInstruction, Upr, Ud, Object, Result,
    NestTableProps, SkipDestination,
    // pictures, shapes, headers and footers
    Picture, ShapePicture, NonShapePicture, Shape, ShapeInstruction, ShapeResult, HeaderFooter,
    TitlePage, FacingPages,
    // notes
    Footnote, NoteMark, Endnote, NoteStartAt, NoteNumbering,
    Font, Charset, Cpg, Red, Green, Blue,
    // characters
    Unicode, UnicodeSkip, Par, Line, Tab, Cell, NestCell, Row, NestRow, EmDash, EnDash, LQuote,
    RQuote, LDblQuote, RDblQuote, Bullet, EmSpace, EnSpace, QmSpace, Zwj, Zwnj,
    // character formatting
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontSize, Colour, Highlight, Hidden,
    Super, Sub, NoSuperSub, Up, Down,
    // paragraph formatting
    Pard, AlignLeft, AlignCentre, AlignRight, AlignJustify, LeftIndent, RightIndent, FirstIndent,
    SpaceBefore, SpaceAfter, ListOverrideNumber, ListLevelNumber, TabPosition, TabRight,
    TabCentre, TabDecimal, InTable, NestingLevel,
    // table rows and cells
    RowDefaults, RowGap, RowLeft, RowAlignLeft, RowAlignCentre, RowAlignRight, RowHeader,
    RowBorderTop, RowBorderLeft, RowBorderBottom, RowBorderRight, RowBorderInnerH,
    RowBorderInnerV, CellRight, CellMergeFirst, CellMerge, CellVMergeFirst, CellVMerge,
    CellBackground, CellPatternColour, CellShading, CellTop, CellMiddle, CellBottom,
    CellBorderTop, CellBorderLeft, CellBorderBottom, CellBorderRight, ParagraphBorder,
    BorderNone, BorderSingle, BorderDouble, BorderDotted, BorderDashed, BorderThick,
    BorderWidth, BorderColour,
    // pictures
    PictureFormat, PictureWidth, PictureHeight, PictureGoalWidth, PictureGoalHeight,
    PictureScaleX, PictureScaleY,
};

class TRtfWords {
public:
    static TRtfWord Lookup(QByteArrayView word);
    // The word opens a destination: a group whose content is not (or not only) text.
    static bool IsDestination(TRtfWord word);
};
