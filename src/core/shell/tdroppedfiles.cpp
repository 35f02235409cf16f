#include "tdroppedfiles.h"

#include <QDir>
#include <QFileInfo>

void TDroppedFiles::Clear() {
    Files.clear();
    Truncated = false;
    WalkedFolders.clear();
}

void TDroppedFiles::AddFile(const QString& path) {
    if (Files.size() < MaxFiles)
        Files.append(path);
    else
        Truncated = true;
}

void TDroppedFiles::AddFileOrDirectory(const QString& path) {
    if (path.isEmpty() || Truncated)
        return;
    const QFileInfo info(path);
    if (info.isDir()) {
        if (AllowDirDrop)
            AddFolder(info.absoluteFilePath());
    } else if (info.isFile()) {
        AddFile(info.absoluteFilePath());
    }
}

void TDroppedFiles::AddFolder(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty() || WalkedFolders.contains(canonical))
        return;
    WalkedFolders.insert(canonical);
    // Without QDir::System, broken links, devices, sockets and pipes are left out; without
    // QDir::Hidden the names beginning with "." are (the loop below skips any that remain).
    const QFileInfoList entries =
        QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot,
                                 QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().startsWith(QLatin1Char('.')))
            continue;
        if (Truncated)
            return;
        if (entry.isDir())
            AddFolder(entry.absoluteFilePath());
        else if (entry.isFile())
            AddFile(entry.absoluteFilePath());
    }
}
