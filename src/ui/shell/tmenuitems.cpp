#include "tmenuitems.h"

#include <QAction>
#include <QMenu>

QAction* TMenuItems::AddItem(QMenu* menu, const char* name, const QString& caption, int helpContext,
                             const QString& hint, const QKeySequence& shortcut,
                             Qt::ShortcutContext context) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (helpContext > 0)
        action->setProperty("HelpContext", helpContext);
    action->setStatusTip(hint);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(context);
    }
    return action;
}

QMenu* TMenuItems::AddSubmenu(QMenu* menu, const char* name, const QString& caption,
                              int helpContext, const QString& hint) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QLatin1String(name));
    sub->menuAction()->setObjectName(QLatin1String(name));
    sub->menuAction()->setProperty("HelpContext", helpContext);
    sub->menuAction()->setStatusTip(hint);
    return sub;
}
