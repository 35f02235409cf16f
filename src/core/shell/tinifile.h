#pragma once

#include "tinitext.h"

#include <QString>
#include <functional>

// A settings file on disk, read and written with classic profile-file semantics (see TIniText).
// Nothing is cached and the file is never held open: every read opens, reads and closes the
// file, and every change reads it afresh, changes it and writes it back at once through a save
// file, so that two operations, or two programs, always see each other's changes. A missing
// file, section or key gives the caller's default; the file is created by the first write.
//
// Writes throw TPlatformError when the file cannot be written; the previous file is then left
// whole. A file that exists but cannot be read, is not a plain file, or is larger than
// MaxFileSize is never replaced: reads see what can be read of it, and writes throw.
class TIniFile {
public:
    // Far beyond any real settings file; what lies past it is not read.
    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;

    explicit TIniFile(const QString& fileName);
    const QString& FileName() const { return Path; }

    // Why the file cannot serve as a settings file ("It is not a file.", its read error, its size,
    // or "It is not a settings text." for bytes that are no text: NUL and other control bytes);
    // empty when it is missing or usable. A file that cannot serve is never written.
    QString Problem() const;
    // Problem()'s text for bytes that are no text: what the programs refuse as a settings file.
    static QString NotSettingsText() { return QStringLiteral("It is not a settings text."); }
    // The whole file in one read; empty when it is missing or unreadable.
    TIniText Read() const;
    // One read, the change, one write: several keys change together. The whole step holds the
    // lock file beside the settings file (its name with ".lock"), waiting at most LockTimeout
    // milliseconds for another program's change to end; on time-out it throws TPlatformError
    // and changes nothing.
    void Modify(const std::function<void(TIniText&)>& change);
    static inline int LockTimeout = 3000;

    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    qint32 ReadInteger(const QString& section, const QString& key, qint32 fallback) const;
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    QList<TIniEntry> ReadSection(const QString& section) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, qint32 value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void DeleteKey(const QString& section, const QString& key);
    void EraseSection(const QString& section);

private:
    enum class TReadState { Missing, Whole, Unusable };
    TIniText Load(TReadState& state, QString& problem) const;
    void MakeFolder() const;
    void Save(const TIniText& text);

    QString Path;
};
