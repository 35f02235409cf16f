#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

class TBoltGroupModel;
class TBoltView;

// Picking bolts in the picture: the bolts under the pointer, the click modes, the area selection
// with its band outline, and the bolt items of the picture's context menu. The window passes its
// mouse events here in picture pixels and replots when told to.
class TBoltSelection {
public:
    // A bolt is under the pointer when its truncated plot position lies within this many pixels.
    static constexpr int HitRadius = 5;

    // What a left click does with the bolts under the pointer: plain (select the top one only),
    // range (Shift), add (Ctrl) or remove (Alt). Of several keys the later one wins.
    enum class TClickMode { Plain, Range, Add, Remove };
    static TClickMode ClickMode(bool shift, bool ctrl, bool alt);

    // (x2 - x1)^2 + (y2 - y1)^2 <= r^2, in floating point.
    static bool WithinRadius(double r, double x1, double y1, double x2, double y2);

    // The indexes of the bolts under the pointer, the one drawn last (nearest the viewer) first.
    static QList<qint32> HitList(const TBoltGroupModel& model, int x, int y);
    // As HitList, followed by BoltCount when the applied load's point is under the pointer.
    static QList<qint32> MenuHitList(const TBoltGroupModel& model, int x, int y);

    // A left-button press on the picture. With bolts under the pointer or a selection present
    // the click changes the selection as the mode says, sorts it and returns true: the caller
    // replots. Otherwise an area selection starts at the pointer and false is returned.
    static bool MouseDown(TBoltGroupModel& model, TBoltView& view, TClickMode mode, int x, int y);
    // A move while an area selection is in progress: the band outline on the picture follows the
    // pointer. True when the picture changed.
    static bool MouseMove(TBoltView& view, int x, int y);
    // A release that ends an area selection: the outline goes and every bolt inside the band
    // (bounds included) is selected. True when the caller must replot.
    static bool MouseUp(TBoltGroupModel& model, TBoltView& view);
    // The picture lost the mouse (a menu opened, another button was pressed, focus moved away)
    // during an area selection: the outline goes and nothing is selected. True when the picture
    // changed.
    static bool CancelBand(TBoltView& view);

    // The band from (min x, min y) to (max x, max y) of its two corners; bounds included.
    static QRect BandRectangle(QPoint anchor, QPoint corner);
    // Selects every bolt whose unrounded plot position lies inside the band, then sorts.
    static void SelectInRectangle(TBoltGroupModel& model, QPoint anchor, QPoint corner);
    // Inverts the pixels of the band's one-pixel dashed outline, so that a second call restores
    // the picture exactly. A band without width or height draws nothing.
    static void DrawBand(QImage& picture, QPoint anchor, QPoint corner);

    // The commands of the context menu's bolt items.
    enum class TCommand { Separator, Properties, Add, Copy, Move, Delete };
    struct TMenuItem {
        TCommand Command = TCommand::Separator;
        QString Caption;
        // The bolt the command is for; BoltCount stands for the applied load.
        qint32 Tag = 0;
        bool operator==(const TMenuItem&) const = default;
    };
    // The items that follow the menu's fixed part, for the bolts under the pointer (MenuHitList)
    // and the current selection.
    static QList<TMenuItem> PopupItems(const TBoltGroupModel& model, const QList<qint32>& hits);
};
