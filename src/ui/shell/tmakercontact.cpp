#include "tmakercontact.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace {

const QString SalesAddress = QStringLiteral("sales@quorvane.example");
const QString SupportAddress = QStringLiteral("support@quorvane.example");

} // namespace

QString TMakerContact::MailProgram = QStringLiteral("xdg-email");

QString TMakerContact::WebSiteAddress() {
    return QStringLiteral("https://www.quorvane.example");
}

void TMakerContact::OpenWebSite() {
    QDesktopServices::openUrl(QUrl(WebSiteAddress()));
}

void TMakerContact::MailSales(const QString& subject, const QString& body) {
    Mail(subject, body, QString(), SalesAddress);
}

void TMakerContact::MailSupport(const QString& subject, const QString& body) {
    Mail(subject, body, QString(), SupportAddress);
}

bool TMakerContact::Mail(const QString& subject, const QString& body, const QString& attachment,
                         const QString& address) {
    QStringList arguments{QStringLiteral("--subject"), subject};
    if (!body.isEmpty())
        arguments << QStringLiteral("--body") << body;
    if (!attachment.isEmpty())
        arguments << QStringLiteral("--attach") << attachment;
    if (!address.isEmpty())
        arguments << address;
    return QProcess::startDetached(MailProgram, arguments);
}
