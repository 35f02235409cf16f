#pragma once

#include <QString>

class TMainForm;

// Builds the frame's command surface: the menus with their items, captions, shortcuts, hints
// and help contexts, the tool bars with their buttons and the font boxes, each wired to the
// frame's command handlers.
class TFrameCommands {
public:
    static void CreateMenus(TMainForm* self);
    static void CreateToolBars(TMainForm* self);

    // The maker's web site, opened in the browser, and mail to its sales and support addresses
    // with a prepared subject and opening; the spell checker's Help menu offers them too.
    static QString WebSiteAddress();
    static void OpenWebSite();
    static void MailSales(const QString& subject, const QString& body = QString());
    static void MailSupport(const QString& subject, const QString& body = QString());

private:
    static void CreateFileMenu(TMainForm* self);
    static void CreateEditMenu(TMainForm* self);
    static void CreateOptionsMenu(TMainForm* self);
    static void CreateWindowMenu(TMainForm* self);
    static void CreateHelpMenu(TMainForm* self);
};
