#pragma once

#include <QString>
#include <new>
#include <stdexcept>

// An error raised by the platform: a file that cannot be opened, read or written, or a
// floating-point division by zero. It aborts the operation in progress and carries the message
// the user is shown; the application's general error handler shows it and the program goes on.
class TPlatformError : public std::runtime_error {
public:
    explicit TPlatformError(const QString& message)
        : std::runtime_error(message.toStdString()), Message(message) {}
    QString Text() const { return Message; }

    // The message the user is shown for any error: a platform error's own, "Out of memory" when
    // the memory ran out, otherwise the error's description.
    static QString TextOf(const std::exception& error) {
        if (const auto* platform = dynamic_cast<const TPlatformError*>(&error))
            return platform->Text();
        if (dynamic_cast<const std::bad_alloc*>(&error))
            return QStringLiteral("Out of memory");
        return QString::fromLocal8Bit(error.what());
    }

    static constexpr const char* DivisionByZero = "Floating point division by zero";
    static constexpr const char* InvalidOperation = "Invalid floating point operation";

private:
    QString Message;
};
