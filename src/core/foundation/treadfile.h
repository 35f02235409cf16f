#pragma once

#include "tplatformerror.h"

#include <QFile>

// Opening a file for reading, and the errors every reader throws when a file cannot be read,
// each naming the file in quotes and the reason.
class TReadFile {
public:
    // Opens the file read-only. A folder, or a file that cannot be opened, throws "Cannot open
    // file"; a file whose size is known to exceed maxSize throws TooLarge. A device that does not
    // know its size is the reader's to limit as it reads.
    static void Open(QFile& file, qint64 maxSize);
    // Reads the rest of the opened file. More than maxSize bytes throw TooLarge as soon as the
    // byte after the limit is read, so that an endless device costs no more than the limit; a
    // failed read throws ReadFailed.
    static QByteArray ReadAll(QFile& file, qint64 maxSize);
    // "The file is larger than N MB", N being maxSize in whole megabytes.
    static TPlatformError TooLarge(const QString& fileName, qint64 maxSize);
    // "The file is too large to read with the memory available."
    static TPlatformError TooLargeForMemory(const QString& fileName);
    // A read that failed, with the device's reason.
    static TPlatformError ReadFailed(const QFile& file);
    // "The file has more than N lines."
    static TPlatformError TooManyLines(const QString& fileName, qint64 maxLines);
};
