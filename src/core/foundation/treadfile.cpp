#include "treadfile.h"

#include <QFileInfo>

void TReadFile::Open(QFile& file, qint64 maxSize) {
    const QString fileName = file.fileName();
    const QFileInfo info(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        const QString reason = info.isDir() ? QStringLiteral("Is a directory") : file.errorString();
        throw TPlatformError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
    }
    if (file.size() > maxSize)
        throw TooLarge(fileName, maxSize);
}

TPlatformError TReadFile::TooLarge(const QString& fileName, qint64 maxSize) {
    return TPlatformError(QStringLiteral("Cannot read file \"%1\". The file is larger than %2 MB.")
                              .arg(fileName)
                              .arg(maxSize >> 20));
}

TPlatformError TReadFile::ReadFailed(const QFile& file) {
    return TPlatformError(
        QStringLiteral("Cannot read file \"%1\". %2").arg(file.fileName(), file.errorString()));
}

TPlatformError TReadFile::TooManyLines(const QString& fileName, qint64 maxLines) {
    return TPlatformError(QStringLiteral("Cannot read file \"%1\". The file has more than %2 lines.")
                              .arg(fileName)
                              .arg(maxLines));
}
