#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// A file written whole or not at all. The content goes to a temporary file beside the target,
// which replaces the target only when every byte has reached the disk; any failure, a short
// write on a full disk included, throws TPlatformError with the user's message and leaves the
// previous file whole.
class TSaveFile {
public:
    // Opens the temporary file; throws when it cannot be created.
    explicit TSaveFile(const QString& fileName);
    ~TSaveFile();
    TSaveFile(const TSaveFile&) = delete;
    TSaveFile& operator=(const TSaveFile&) = delete;

    // The device to write to, for writers that stream their content.
    QIODevice& Device() { return File; }
    void Write(const QByteArray& bytes);
    // Puts the file in place; throws when anything failed.
    void Commit();
    // Abandons the file after a writer that streams into Device() failed: throws with the
    // device's reason, else the system's (the errno value of the failure), else the writer's.
    [[noreturn]] void Fail(int systemError, const QString& writerReason = QString());

    // The whole content in one call.
    static void WriteFile(const QString& fileName, const QByteArray& bytes);

private:
    QString Reason(int systemError, const QString& writerReason = QString()) const;
    QString FileName;
    QSaveFile File;
    bool Committed = false;
};
