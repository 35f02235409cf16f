#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// The files that one drop from the file manager brings. A dropped path that is a file is taken
// as it is, whatever its name. A dropped folder (when AllowDirDrop) brings every file beneath
// it, depth first, the entries of each folder in name order; below the dropped folder, every
// entry whose name begins with "." is skipped. Paths that are neither files nor folders (gone,
// broken links, devices, pipes) bring nothing.
//
// A folder reached a second time, through a symbolic link to itself, to a parent or to a folder
// already walked, is not walked again: each folder is known by its canonical path, so a link
// loop ends. A drop stops collecting at MaxFiles files, so dropping the root of a large disk
// neither exhausts memory nor runs for ever; Truncated then tells.
class TDroppedFiles {
public:
    static constexpr qsizetype MaxFiles = 100000;

    // Dropped folders are expanded into their files; otherwise a folder brings nothing.
    bool AllowDirDrop = true;
    // The files found since the last Clear, full paths in the order found.
    QStringList Files;
    // More files were there than MaxFiles.
    bool Truncated = false;

    // Starts a new drop.
    void Clear();
    // Adds one dropped path, recursing into a folder.
    void AddFileOrDirectory(const QString& path);

private:
    void AddFolder(const QString& path);
    void AddFile(const QString& path);

    QSet<QString> WalkedFolders;
};
