#pragma once

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

// A file written whole or not at all. The content goes to a temporary file beside the target
// (links followed to their final target), which replaces the target only when every byte has
// reached the disk; any failure, a short write on a full disk included, throws TPlatformError
// with the user's message and leaves the previous file whole.
//
// A target that exists and is not a regular file (a FIFO, a character device such as /dev/null
// or a terminal, a socket) is never replaced. Where special targets are written (the command-
// line tool), FIFOs and character devices are written straight into and a socket is refused;
// otherwise (the default, the desktop program) every special target is refused.
class TSaveFile {
public:
    enum class TSpecialTargets { Refuse, WriteInto };
    // The process-wide choice for special targets.
    static void SetSpecialTargets(TSpecialTargets targets);
    // Whether the file exists and is not a regular file or a folder (links followed).
    static bool IsSpecialFile(const QString& fileName);
    // The message telling that a special file is not saved to.
    static QString SpecialFileRefusal(const QString& fileName);

    // Opens the temporary file; throws when it cannot be created.
    explicit TSaveFile(const QString& fileName);
    ~TSaveFile();
    TSaveFile(const TSaveFile&) = delete;
    TSaveFile& operator=(const TSaveFile&) = delete;

    // The device to write to, for writers that stream their content.
    QIODevice& Device() { return *File; }
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
    void Abandon();
    QString FileName;
    QSaveFile Saved;
    QFile Direct;
    QFileDevice* File = &Saved;
    bool Committed = false;
};
