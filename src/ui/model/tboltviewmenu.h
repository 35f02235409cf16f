#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class TBoltGroupForm;

// The view commands of a bolt group window as menu items: the eleven standard views, the four
// perspective lenses, and in the frame's View menu the bolt labels and depth shading. The
// window's context menu and the frame's View menu are built from the same items; each item
// carries its view or lens code as its Tag (the action's data).
class TBoltViewMenu {
public:
    // Appends the standard views "Front" ... "User Defined" (Tags 0 to 10), with separators after
    // "Bottom" and "Iso 4"; the items are named Front<suffix> ... UserDefined<suffix> and carry
    // the frame's hints when `hints` is true.
    static QList<QAction*> AddViewItems(QMenu* menu, const QString& suffix, bool hints);
    // Appends "None", "Wide Angle Lens", "Standard Lens" and "Telephoto Lens" (Tags 0 to 3),
    // named None<suffix> ... TelephotoLens<suffix>.
    static QList<QAction*> AddLensItems(QMenu* menu, const QString& suffix);
    // Checks exactly the items whose Tag equals the code; none for a code no item carries.
    static void CheckTag(const QList<QAction*>& items, int code);

    // Fills the frame's View menu. Each item calls the matching command of the bolt group window
    // that `active` returns, and does nothing while it returns none; opening the menu checks the
    // items from that window's view.
    static void BuildFrameMenu(QMenu* view1, std::function<TBoltGroupForm*()> active);
};
