#pragma once

#include <QString>

// The maker's web site, opened in the browser, and mail through the system's mail service: to
// the maker's sales and support addresses from the Help menus, or with a document attached.
// The Help menu items tell the user when the browser or the mail service fails.
class TMakerContact {
public:
    static QString WebSiteAddress();
    static void OpenWebSite();
    static void MailSales(const QString& subject, const QString& body = QString());
    static void MailSupport(const QString& subject, const QString& body = QString());

    // Opens a new mail in the mail service's compose window with the subject and, where they
    // are not empty, the body, the attached file and the addressee. False when the mail
    // program cannot be started or reports failure by its exit status; a program still running
    // after a while (its compose window open) counts as a success.
    static bool Mail(const QString& subject, const QString& body, const QString& attachment,
                     const QString& address);

    // The program started as the mail service (xdg-email); tests point it elsewhere.
    static QString MailProgram;
};
