#include "tfileidentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

TFileIdentity::TFileIdentity(const QString& fileName) {
    const QFileInfo info(fileName);
    struct stat status {};
    if (::stat(QFile::encodeName(fileName).constData(), &status) == 0) {
        Exists = true;
        Device = status.st_dev;
        Inode = status.st_ino;
    }
    Path = info.canonicalFilePath();
    if (Path.isEmpty()) {
        const QString folder = info.absoluteDir().canonicalPath();
        Path = folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
    }
}

bool TFileIdentity::operator==(const TFileIdentity& other) const {
    if (Exists && other.Exists)
        return Device == other.Device && Inode == other.Inode;
    return Path == other.Path;
}

bool TFileIdentity::Same(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() && TFileIdentity(a) == TFileIdentity(b);
}
