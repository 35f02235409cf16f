#pragma once

#include <QApplication>

// The desktop program's application object. Its general error handler catches an exception that
// reaches the event loop, shows its message in a message box, and lets the program go on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    // The program's name, display name, maker and version, for whichever application object runs.
    static void SetNames();

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an error's message the way the general error handler does.
    static void ShowException(const QString& message);
    // The message of the exception being handled (call inside a catch block).
    static QString CurrentExceptionMessage();
};
