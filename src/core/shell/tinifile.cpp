#include "tinifile.h"
#include "foundation/tsavefile.h"

#include "foundation/tplatformerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

TIniFile::TIniFile(const QString& fileName) : Path(fileName) {}

TIniText TIniFile::Load(TReadState& state, QString& problem) const {
    const QFileInfo info(Path);
    if (!info.exists()) {
        state = TReadState::Missing;
        return {};
    }
    state = TReadState::Unusable;
    if (!info.isFile()) {
        problem = QStringLiteral("It is not a file.");
        return {};
    }
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
        return {};
    }
    // Read in pieces, so that neither a small file nor one that reports no size (or a false one)
    // costs more memory than its own bytes, and nothing past the limit is taken.
    QByteArray bytes;
    constexpr qint64 Piece = 64 * 1024;
    while (bytes.size() <= MaxFileSize) {
        const QByteArray piece = file.read(Piece);
        if (piece.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                problem = file.errorString();
                return TIniText::Parse(bytes);
            }
            break;
        }
        bytes += piece;
    }
    if (bytes.size() > MaxFileSize) {
        bytes.truncate(MaxFileSize);
        problem = QStringLiteral("It is larger than %1 bytes.").arg(MaxFileSize);
        return TIniText::Parse(bytes);
    }
    // Text has no control bytes but tabs, line ends and form feeds (and the end-of-file mark
    // of old editors); UTF-16 is text by its byte-order mark. Anything else (a picture, a
    // program, a binary table given by mistake) is not rewritten as settings.
    const bool utf16 = bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff");
    if (!utf16) {
        for (const char c : std::as_const(bytes)) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f' && u != 0x1a) {
                problem = NotSettingsText();
                return {};
            }
        }
    }
    state = TReadState::Whole;
    return TIniText::Parse(bytes);
}

QString TIniFile::Problem() const {
    TReadState state;
    QString problem;
    Load(state, problem);
    return state == TReadState::Unusable ? problem : QString();
}

TIniText TIniFile::Read() const {
    TReadState state;
    QString problem;
    return Load(state, problem);
}

void TIniFile::MakeFolder() const {
    const QString folder = QFileInfo(Path).absolutePath();
    if (!QDir().mkpath(folder))
        throw TPlatformError(QStringLiteral("Cannot create file \"%1\". The folder \"%2\" cannot "
                                            "be created.")
                                 .arg(Path, folder));
}

void TIniFile::Save(const TIniText& text) {
    MakeFolder();
    TSaveFile::WriteFile(Path, text.ToBytes());
}

void TIniFile::Modify(const std::function<void(TIniText&)>& change) {
    // Another program (a second desktop program, a batch run) may change the file at the same
    // time: the lock file beside it makes each read, change and write one step, so that no
    // change is lost. A lock left by a program that has ended is taken over.
    MakeFolder();
    QLockFile lock(Path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockTimeout))
        throw TPlatformError(QStringLiteral("Cannot write file \"%1\". %2")
                                 .arg(Path, lock.error() == QLockFile::LockFailedError
                                                ? QStringLiteral("Another program is changing it.")
                                                : QStringLiteral("Its lock file cannot be made.")));
    TReadState state;
    QString problem;
    TIniText text = Load(state, problem);
    if (state == TReadState::Unusable)
        throw TPlatformError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(Path, problem));
    change(text);
    // Erasing from a file that does not exist leaves nothing to write.
    if (state == TReadState::Missing && text.IsEmpty())
        return;
    Save(text);
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& fallback) const {
    return Read().Value(section, key, fallback);
}

qint32 TIniFile::ReadInteger(const QString& section, const QString& key, qint32 fallback) const {
    return Read().IntegerValue(section, key, fallback);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return Read().BoolValue(section, key, fallback);
}

bool TIniFile::SectionExists(const QString& section) const {
    return Read().SectionExists(section);
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
    return Read().ValueExists(section, key);
}

QList<TIniEntry> TIniFile::ReadSection(const QString& section) const {
    return Read().Entries(section);
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    Modify([&](TIniText& text) { text.SetValue(section, key, value); });
}

void TIniFile::WriteInteger(const QString& section, const QString& key, qint32 value) {
    Modify([&](TIniText& text) { text.SetInteger(section, key, value); });
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    Modify([&](TIniText& text) { text.SetBool(section, key, value); });
}

void TIniFile::DeleteKey(const QString& section, const QString& key) {
    Modify([&](TIniText& text) { text.DeleteKey(section, key); });
}

void TIniFile::EraseSection(const QString& section) {
    Modify([&](TIniText& text) { text.EraseSection(section); });
}
