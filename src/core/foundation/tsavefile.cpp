#include "tsavefile.h"

#include "tplatformerror.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

std::atomic<TSaveFile::TSpecialTargets> SpecialTargets{TSaveFile::TSpecialTargets::Refuse};

// The kind of an existing file, links followed; 0 when there is none.
mode_t FileKind(const QString& fileName) {
    struct stat status {};
    if (::stat(QFile::encodeName(fileName).constData(), &status) != 0)
        return 0;
    return status.st_mode & S_IFMT;
}

} // namespace

void TSaveFile::SetSpecialTargets(TSpecialTargets targets) { SpecialTargets = targets; }

bool TSaveFile::IsSpecialFile(const QString& fileName) {
    const mode_t kind = FileKind(fileName);
    return kind != 0 && kind != S_IFREG && kind != S_IFDIR;
}

QString TSaveFile::SpecialFileRefusal(const QString& fileName) {
    return QStringLiteral("Cannot write file \"%1\". It is not a regular file (a device, pipe "
                          "or socket) and is not replaced.")
        .arg(fileName);
}

TSaveFile::TSaveFile(const QString& fileName) : FileName(fileName), Saved(fileName) {
    const mode_t kind = FileKind(fileName);
    if (kind != 0 && kind != S_IFREG && kind != S_IFDIR) {
        if (SpecialTargets != TSpecialTargets::WriteInto || (kind != S_IFIFO && kind != S_IFCHR))
            throw TPlatformError(SpecialFileRefusal(fileName));
        // Written straight into: a pipe's reader or a device takes the bytes as they come.
        Direct.setFileName(fileName);
        File = &Direct;
        if (!Direct.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            throw TPlatformError(QStringLiteral("Cannot create file \"%1\". %2")
                                     .arg(fileName, Direct.errorString()));
        return;
    }
    if (!Saved.open(QIODevice::WriteOnly))
        throw TPlatformError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, Saved.errorString()));
}

TSaveFile::~TSaveFile() {
    if (!Committed)
        Abandon();
}

void TSaveFile::Abandon() {
    if (File == &Saved)
        Saved.cancelWriting();
    else
        Direct.close();
}

void TSaveFile::Write(const QByteArray& bytes) {
    errno = 0;
    if (File->write(bytes) != bytes.size())
        Fail(errno);
}

void TSaveFile::Commit() {
    // Buffered writes reach the disk at the flush; a short write shows only there.
    errno = 0;
    if (!File->flush() || File->error() != QFileDevice::NoError)
        Fail(errno);
    Committed = true;
    errno = 0;
    if (File == &Direct) {
        Direct.close();
        if (Direct.error() != QFileDevice::NoError)
            throw TPlatformError(QStringLiteral("Cannot write file \"%1\". %2")
                                     .arg(FileName, Reason(errno)));
        return;
    }
    if (!Saved.commit())
        throw TPlatformError(QStringLiteral("Cannot write file \"%1\". %2")
                                 .arg(FileName, Reason(errno)));
}

QString TSaveFile::Reason(int systemError, const QString& writerReason) const {
    // A write that the system cut short (a full disk, a file-size limit) leaves the device
    // without a reason of its own; the system's is the one to tell.
    const QString reason = File->errorString();
    if (!reason.isEmpty() && reason != QLatin1String("Unknown error"))
        return reason;
    if (systemError != 0)
        return QString::fromLocal8Bit(std::strerror(systemError));
    return writerReason.isEmpty() ? reason : writerReason;
}

void TSaveFile::Fail(int systemError, const QString& writerReason) {
    const QString reason = Reason(systemError, writerReason);
    Abandon();
    Committed = true;
    throw TPlatformError(QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, reason));
}

void TSaveFile::WriteFile(const QString& fileName, const QByteArray& bytes) {
    TSaveFile file(fileName);
    file.Write(bytes);
    file.Commit();
}
