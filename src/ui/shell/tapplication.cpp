#include "tapplication.h"

#include "foundation/tplatformerror.h"
#include "tdialogs.h"

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) { SetNames(); }

void TApplication::SetNames() {
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane Fastenex"));
    // No display name is set: the window system would append it to every window's caption, and
    // captions are exactly the windows' own texts (the display name defaults to the name above).
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1"));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowException(CurrentExceptionMessage());
    }
    return false;
}

QString TApplication::CurrentExceptionMessage() {
    try {
        throw;
    } catch (const std::exception& e) {
        return TPlatformError::TextOf(e);
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

void TApplication::ShowException(const QString& message) {
    // The box may itself run events; a second error meanwhile is shown after this one.
    TDialogs::Current().Message(activeWindow(), message, applicationDisplayName(),
                                TMessageIcon::Error, TMessageButtons::Ok);
}
