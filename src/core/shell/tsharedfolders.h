#pragma once

#include <QString>
#include <QStringList>

// Where the program finds the files that come with it and the maker's shared files: the
// program's own folder, and the maker's folder "Quorvane" inside the system's shared data
// folders (the XDG data folders, the user's own first, then the system's, for example
// ~/.local/share/Quorvane, /usr/local/share/Quorvane, /usr/share/Quorvane).
//
// A default-constructed value describes the running program; tests give their own folders.
class TSharedFolders {
public:
    // The running program (QCoreApplication) and QStandardPaths' generic data folders.
    TSharedFolders();
    TSharedFolders(const QStringList& dataFolders, const QString& programPath);

    // The name of the maker's folder inside each data folder.
    static QString MakerFolderName();

    // The data folders, most personal first; never empty.
    QStringList DataFolders;
    // The full path of the program file.
    QString ProgramPath;

    // The program's folder, absolute, without a final "/".
    QString ProgramFolder() const;
    // The program's folder followed by the name.
    QString ProgramFolderFile(const QString& name) const;
    // The maker's folder in the first data folder: where the maker's shared files are expected
    // and, when none exists, created.
    QString MakerFolder() const;
    QString MakerFile(const QString& name) const;
    // The first existing plain file of that name in the maker's folder of any data folder;
    // empty when there is none.
    QString FindMakerFile(const QString& name) const;
    // For a program installed under a "Program Files" folder: the path up to and including
    // "Program Files/", then "Common Files/" and the name. Empty for any other program path.
    QString ProgramFilesFile(const QString& name) const;
};
