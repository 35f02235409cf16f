#include "tdocumentmailer.h"

#include "document/tdocumentfile.h"
#include "foundation/tplatformerror.h"
#include "shell/tmakercontact.h"
#include "shell/tsettings.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

QString TDocumentMailer::MailCopyFileName(const TSharedFolders& folders, int n) {
    return folders.ProgramFolderFile(QStringLiteral("Meshwright Message %1.rtf").arg(n));
}

bool TDocumentMailer::Send(const QTextDocument& document, const QString& fileName,
                           const QString& caption) {
    TSettings settings;
    const QString copy = MailCopyFileName(settings.Folders, settings.IncrementMessageCount());
    TDocumentFile::Save(copy, document, TDocumentFile::IsRichTextName(fileName));
    const QString body = QStringLiteral("Please Find File \"") + fileName +
                         QStringLiteral("\" Attached\n\n") +
                         QStringLiteral("Visit Quorvane on the web at ") +
                         TMakerContact::WebSiteAddress() + QStringLiteral("\n\n\n  ");
    return TMakerContact::Mail(caption, body, copy, QString());
}

void TDocumentMailer::DeleteMailCopies() {
    TSettings settings;
    int count = 0;
    try {
        count = settings.TakeMessageCount();
    } catch (const TPlatformError&) {
        // A settings file that cannot be written leaves the copies for the next start.
        return;
    }
    for (int k = 1; k <= count; ++k) {
        const QString name = MailCopyFileName(settings.Folders, k);
        if (QFileInfo::exists(name))
            QFile::remove(name);
    }
}
