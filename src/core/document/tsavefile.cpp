#include "tsavefile.h"

#include "tplatformerror.h"


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
    if (File.write(bytes) != bytes.size())
        Fail();
}

void TSaveFile::Commit() {
    // Buffered writes reach the disk at the flush; a short write shows only there.
    if (!File.flush() || File.error() != QFileDevice::NoError)
        Fail();
    Committed = true;
    if (!File.commit())
        throw TPlatformError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, File.errorString()));
}

void TSaveFile::Fail() {
    const QString reason = File.errorString();
    File.cancelWriting();
    Committed = true;
    throw TPlatformError(QStringLiteral("Cannot write file \"%1\". %2").arg(FileName, reason));
}

void TSaveFile::WriteFile(const QString& fileName, const QByteArray& bytes) {
    TSaveFile file(fileName);
    file.Write(bytes);
    file.Commit();
}
