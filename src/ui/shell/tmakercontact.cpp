#include "tmakercontact.h"

#include "tdialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace {

const QString SalesAddress = QStringLiteral("sales@quorvane.example");
const QString SupportAddress = QStringLiteral("support@quorvane.example");

// How long the mail program is waited for before it is taken to have opened its compose window.
constexpr int MailWaitMs = 15000;

void ShowError(const QString& text) {
    TDialogs::Current().Message(QApplication::activeWindow(), text, QStringLiteral("Error"),
                                TMessageIcon::Error, TMessageButtons::Ok);
}

void MailOrTell(const QString& subject, const QString& body, const QString& address) {
    if (!TMakerContact::Mail(subject, body, QString(), address))
        ShowError(QStringLiteral("Error sending mail"));
}

} // namespace

QString TMakerContact::MailProgram = QStringLiteral("xdg-email");

QString TMakerContact::WebSiteAddress() {
    return QStringLiteral("https://www.quorvane.example");
}

void TMakerContact::OpenWebSite() {
    if (!QDesktopServices::openUrl(QUrl(WebSiteAddress())))
        ShowError(QStringLiteral("Error opening ") + WebSiteAddress());
}

void TMakerContact::MailSales(const QString& subject, const QString& body) {
    MailOrTell(subject, body, SalesAddress);
}

void TMakerContact::MailSupport(const QString& subject, const QString& body) {
    MailOrTell(subject, body, SupportAddress);
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
    // The process is left running, and deletes itself when it ends, should it outlast the wait.
    auto* process = new QProcess;
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(MailProgram, arguments);
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    if (!process->waitForFinished(MailWaitMs))
        return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}
