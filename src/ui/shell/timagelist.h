#pragma once

#include <QIcon>

// The pictures shared by every menu and tool button, each named by its index.
class TImageList {
public:
    enum TImage {
        New, Open, Close, Save, SaveAs, Print, Exit, Cut, Copy, Paste, Undo, Help, About,
        SpellCheck, Find, Replace, Font, Bold, Italic, Underline, StrikeOut, Bullets,
        FirstIndentMore, FirstIndentLess, IndentMore, IndentLess, AlignLeft, AlignCentre,
        AlignRight, RightIndentMore, RightIndentLess, Minimize, Maximize, Restore, FileMenu,
        Cascade, TileHorizontal, TileVertical, Palette, ToolBars, Count
    };
    static QIcon Icon(TImage image);
};
