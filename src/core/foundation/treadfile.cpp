#include "treadfile.h"

#include <QFileInfo>

#include <algorithm>

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

QByteArray TReadFile::ReadAll(QFile& file, qint64 maxSize) {
    // A file that knows its size is read into one block of that size. A device that does not
    // (a pipe, a special file) is read in pieces into a block that doubles as it fills, but never
    // beyond the limit, and the reading stops at the first byte past it.
    constexpr qint64 Piece = 1 << 20;
    QByteArray bytes;
    const qint64 known = file.size() - file.pos();
    if (known > 0)
        bytes.reserve(qsizetype(std::min(known, maxSize) + 1));
    for (;;) {
        const qint64 want = std::min(Piece, maxSize + 1 - bytes.size());
        if (bytes.capacity() - bytes.size() < want) {
            const qint64 grown = std::max(qint64(bytes.capacity()) * 2, bytes.size() + want);
            bytes.reserve(qsizetype(std::min(grown, maxSize + 1)));
        }
        const qsizetype at = bytes.size();
        bytes.resize(at + qsizetype(want));
        const qint64 got = file.read(bytes.data() + at, want);
        bytes.resize(at + qsizetype(std::max<qint64>(got, 0)));
        if (got < 0)
            throw ReadFailed(file);
        if (bytes.size() > maxSize)
            throw TooLarge(file.fileName(), maxSize);
        if (got == 0)
            return bytes;
    }
}

TPlatformError TReadFile::TooLargeForMemory(const QString& fileName) {
    return TPlatformError(QStringLiteral("Cannot read file \"%1\". The file is too large to read "
                                         "with the memory available.")
                              .arg(fileName));
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
