#include "shell/tapplication.h"
#include "shell/tcommandline.h"
#include "shell/tmainform.h"
#include "shell/tsettings.h"

#include <QScreen>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

// Saves a picture of the screen (and one of the frame beside it, with ".frame.png" added) once
// the files have opened and the windows have settled, then quits: how the program's own start-up
// check looks at what a user sees.
void ScreenshotAndQuit(TMainForm& frame, const QString& picture) {
    QTimer::singleShot(2500, &frame, [&frame, picture] {
        QScreen* screen = frame.screen();
        const QPixmap grab = screen ? screen->grabWindow(0) : frame.grab();
        const bool saved = grab.save(picture, "PNG");
        frame.grab().save(picture + QStringLiteral(".frame.png"), "PNG");
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

// Prints the help, the version or a usage error; -1 when the command line asks for none of them.
int AnswerInTerminal(const TCommandLine& command) {
    if (!command.Error.isEmpty()) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(command.Error),
                     qPrintable(TCommandLine::HelpText()));
        return 2;
    }
    if (command.Help) {
        std::fputs(qPrintable(TCommandLine::HelpText()), stdout);
        return 0;
    }
    if (command.Version) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    // Help and the version need no display, so they work in any terminal.
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        const TCommandLine command = TCommandLine::Parse(arguments);
        // A usage error is answered here too when there is no display to start on; with one, the
        // window system's own options are taken out first and only what remains is an error.
        const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") &&
                               qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                               qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
                               !arguments.contains(QStringLiteral("-platform")) &&
                               !arguments.contains(QStringLiteral("-display"));
        if ((!command.Error.isEmpty() && noDisplay) ||
            (command.Error.isEmpty() && (command.Help || command.Version))) {
            QCoreApplication core(argc, argv);
            TApplication::SetNames();
            return AnswerInTerminal(command);
        }
    }
    // Under a file-size limit a write fails with "File too large" and is reported like any
    // failed save, instead of the signal ending the program with the user's work.
    std::signal(SIGXFSZ, SIG_IGN);
    // The window system's own options (-platform, -display, ...) are taken out by the
    // application object before the program reads its arguments.
    TApplication app(argc, argv);
    const TCommandLine command = TCommandLine::Parse(QCoreApplication::arguments());
    if (const int code = AnswerInTerminal(command); code >= 0)
        return code;
    if (!command.Settings.isEmpty())
        TSettings::SetLocation(command.Settings);
    TMainForm frame;
    frame.show();
    // The files open once the event loop runs, so that the frame is on screen and an error in one
    // file is shown by the program's error handling like any other.
    QTimer::singleShot(0, &frame, [&frame, command] {
        frame.OpenFiles(command.Files, command.BoltGroupFiles);
    });
    if (!command.Screenshot.isEmpty())
        ScreenshotAndQuit(frame, command.Screenshot);
    return app.exec();
}
