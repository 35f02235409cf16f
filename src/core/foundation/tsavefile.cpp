#include "tsavefile.h"

#include "tplatformerror.h"

#include <cerrno>
#include <cstring>


TSaveFile::TSaveFile(const QString& fileName) : FileName(fileName), File(fileName) {
    if (!File.open(QIODevice::WriteOnly))
        throw TPlatformError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, File.errorString()));
}

TSaveFile::~TSaveFile() {
    if (!Committed)
        File.cancelWriting();
}

void TSaveFile::Write(const QByteArray& bytes) {
    errno = 0;
    if (File.write(bytes) != bytes.size())
        Fail(errno);
}

void TSaveFile::Commit() {
    // Buffered writes reach the disk at the flush; a short write shows only there.
    errno = 0;
    if (!File.flush() || File.error() != QFileDevice::NoError)
        Fail(errno);
    Committed = true;
    errno = 0;
    if (!File.commit())
        throw TPlatformError(QStringLiteral("Cannot write file \"%1\". %2")
                                 .arg(FileName, Reason(errno)));
}

QString TSaveFile::Reason(int systemError, const QString& writerReason) const {
    // A write that the system cut short (a full disk, a file-size limit) leaves the device
    // without a reason of its own; the system's is the one to tell.
    const QString reason = File.errorString();
    if (!reason.isEmpty() && reason != QLatin1String("Unknown error"))
        return reason;
    if (systemError != 0)
        return QString::fromLocal8Bit(std::strerror(systemError));
    return writerReason.isEmpty() ? reason : writerReason;
}

void TSaveFile::Fail(int systemError, const QString& writerReason) {
    const QString reason = Reason(systemError, writerReason);
    File.cancelWriting();
    Committed = true;
    throw TPlatformError(QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, reason));
}

void TSaveFile::WriteFile(const QString& fileName, const QByteArray& bytes) {
    TSaveFile file(fileName);
    file.Write(bytes);
    file.Commit();
}
