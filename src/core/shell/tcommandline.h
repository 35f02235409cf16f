#pragma once

#include <QString>
#include <QStringList>

// What the desktop program is asked to do by its command line: the files to open by type, the
// files to open straight in a bolt group window, and the options the program's own checks use
// (a separate settings file, a picture of the screen taken after start-up).
struct TCommandLine {
    QStringList Files;          // opened as File > Open does, in the order given
    QStringList BoltGroupFiles; // --bolt-group: data or NISA files, no question asked
    QString Settings;           // --settings FILE (not listed in --help)
    QString Screenshot;         // --screenshot FILE (not listed in --help)
    bool Help = false;
    bool Version = false;
    QString Error;              // a usage error; empty when the command line is good

    // Reads the arguments, the program name first, as main() receives them. --help and
    // --version only set their flags; the caller prints HelpText() or the version.
    static TCommandLine Parse(const QStringList& arguments);
    static QString HelpText();
};
