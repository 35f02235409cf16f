#include "tsharedfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QStringList UsableFolders(const QStringList& folders) {
    QStringList result;
    for (const QString& folder : folders) {
        if (!folder.isEmpty())
            result.append(QDir::cleanPath(folder));
    }
    if (result.isEmpty())
        result.append(QDir::homePath() + QStringLiteral("/.local/share"));
    return result;
}

// The XDG data folders, then the "share" folder beside the program's "bin" folder, so that a
// program installed under any prefix finds the files installed with it.
QStringList DataFoldersOfThisProgram() {
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    if (QCoreApplication::instance()) {
        const QString share =
            QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share"));
        if (QFileInfo(share).isDir() && !folders.contains(share))
            folders.append(share);
    }
    return folders;
}

} // namespace

TSharedFolders::TSharedFolders()
    : TSharedFolders(DataFoldersOfThisProgram(),
                     QCoreApplication::instance() ? QCoreApplication::applicationFilePath()
                                                  : QString()) {}

TSharedFolders::TSharedFolders(const QStringList& dataFolders, const QString& programPath)
    : DataFolders(UsableFolders(dataFolders)), ProgramPath(programPath) {}

QString TSharedFolders::MakerFolderName() { return QStringLiteral("Quorvane"); }

QString TSharedFolders::ProgramFolder() const {
    if (ProgramPath.isEmpty())
        return QDir::currentPath();
    return QFileInfo(ProgramPath).absolutePath();
}

QString TSharedFolders::ProgramFolderFile(const QString& name) const {
    return QDir(ProgramFolder()).filePath(name);
}

QString TSharedFolders::MakerFolder() const {
    return DataFolders.first() + QLatin1Char('/') + MakerFolderName();
}

QString TSharedFolders::MakerFile(const QString& name) const {
    return MakerFolder() + QLatin1Char('/') + name;
}

QString TSharedFolders::FindMakerFile(const QString& name) const {
    for (const QString& folder : DataFolders) {
        const QString path = folder + QLatin1Char('/') + MakerFolderName() + QLatin1Char('/') + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString TSharedFolders::ProgramFilesFile(const QString& name) const {
    const QString marker = QStringLiteral("Program Files/");
    const qsizetype at = ProgramPath.indexOf(marker);
    if (at < 0)
        return {};
    return ProgramPath.left(at + marker.size()) + QStringLiteral("Common Files/") + name;
}
