#pragma once

#include <QString>
#include <sys/types.h>

// What identifies a file: its canonical path (links, "." and ".." resolved; for a file still to
// be made, that of its folder with its name) and, when it exists, its device and inode, so that a
// second hard link to it counts as the same file.
struct TFileIdentity {
    QString Path;
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;

    explicit TFileIdentity(const QString& fileName);
    bool operator==(const TFileIdentity& other) const;
    // Whether two names lead to the same file; an empty name leads to none.
    static bool Same(const QString& a, const QString& b);
};
