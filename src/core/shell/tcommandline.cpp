#include "tcommandline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

struct TOptions {
    QCommandLineParser Parser;
    QCommandLineOption BoltGroup{QStringLiteral("bolt-group"),
                                 QStringLiteral("Open FILE (an analysis data file or a NISA input "
                                                "file) in a bolt group window."),
                                 QStringLiteral("FILE")};
    QCommandLineOption Settings{QStringLiteral("settings"), QStringLiteral("Settings file."),
                                QStringLiteral("FILE")};
    QCommandLineOption Screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Save a picture of the screen and quit."),
                                  QStringLiteral("FILE")};
    QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and quit.")};
    QCommandLineOption Version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and quit.")};

    TOptions() {
        Parser.setApplicationDescription(
            QStringLiteral("Quorvane Fastenex: bolt group analysis and rich-text documents.\n"
                           "A \".dat\" file asks whether it opens as a bolt group analysis or as "
                           "text;\n\".rtf\" files open as rich text, every other file as plain text."));
        Settings.setFlags(QCommandLineOption::HiddenFromHelp);
        Screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
        Parser.addOptions({BoltGroup, Settings, Screenshot, Help, Version});
        Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Files to open."),
                                     QStringLiteral("[FILE...]"));
    }
};

// Names are made absolute now, so that a later change of the working folder cannot move them.
QStringList Absolute(const QStringList& names) {
    QStringList result;
    result.reserve(names.size());
    for (const QString& name : names)
        result.append(name.isEmpty() ? name : QFileInfo(name).absoluteFilePath());
    return result;
}

} // namespace

TCommandLine TCommandLine::Parse(const QStringList& arguments) {
    TOptions options;
    TCommandLine result;
    if (!options.Parser.parse(arguments)) {
        result.Error = options.Parser.errorText();
        return result;
    }
    result.Help = options.Parser.isSet(options.Help);
    result.Version = options.Parser.isSet(options.Version);
    result.Files = Absolute(options.Parser.positionalArguments());
    // "--bolt-group=" without a name (a desktop entry started without a file) opens nothing.
    QStringList boltGroupFiles = options.Parser.values(options.BoltGroup);
    boltGroupFiles.removeAll(QString());
    result.BoltGroupFiles = Absolute(boltGroupFiles);
    result.Settings = options.Parser.value(options.Settings);
    result.Screenshot = options.Parser.value(options.Screenshot);
    return result;
}

QString TCommandLine::HelpText() {
    TOptions options;
    return options.Parser.helpText();
}
