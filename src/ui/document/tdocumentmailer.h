#pragma once

class QString;
class QTextDocument;
class TSharedFolders;

// A document window's text sent as a mail attachment: a numbered copy "Meshwright Message n.rtf"
// is written into the program's folder and attached to a new mail of the system's mail service.
// The copies stay until the next start of the program deletes them.
class TDocumentMailer {
public:
    // Sends the document named fileName (its extension chooses rich or plain text for the copy)
    // with the caption as the subject; false when the mail program cannot be started. A copy
    // that cannot be written throws TPlatformError.
    static bool Send(const QTextDocument& document, const QString& fileName,
                     const QString& caption);
    // Deletes the copies the last run wrote.
    static void DeleteMailCopies();

    // Copy n in the program's folder.
    static QString MailCopyFileName(const TSharedFolders& folders, int n);
};
