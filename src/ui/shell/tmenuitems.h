#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;

// Menu items as every menu of the program makes them: named after the item, with a caption, the
// hint the status bar shows, a help context (none for 0) and a shortcut.
class TMenuItems {
public:
    // The item appended to the menu. A shortcut with another context than the window's is shown
    // in the menu while a widget's own keys carry it.
    static QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                            int helpContext = 0, const QString& hint = QString(),
                            const QKeySequence& shortcut = QKeySequence(),
                            Qt::ShortcutContext context = Qt::WindowShortcut);
    // A submenu appended to the menu; the submenu and its item carry the name.
    static QMenu* AddSubmenu(QMenu* menu, const char* name, const QString& caption, int helpContext,
                             const QString& hint);
};
