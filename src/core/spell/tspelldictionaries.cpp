#include "tspelldictionaries.h"
#include "foundation/tsavefile.h"

#include "foundation/tbusycursorguard.h"
#include "foundation/tplatformerror.h"
#include "foundation/treadfile.h"
#include "tspellcharacters.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <optional>

namespace {

QString BareFileName(TDictionaryKind kind) {
    return kind == TDictionaryKind::Main ? QStringLiteral("Dictionary.dic")
                                         : QStringLiteral("Custom.dic");
}

bool IsFile(const QString& name) { return !name.isEmpty() && QFileInfo(name).isFile(); }

// Copies a file byte for byte through a save file, replacing any older copy.
void CopyFile(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw TPlatformError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(source, in.errorString()));
    TSaveFile out(target);
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (in.error() != QFileDevice::NoError)
            throw TReadFile::ReadFailed(in);
        if (chunk.isEmpty())
            break;
        out.Write(chunk);
    }
    out.Commit();
}

} // namespace

TSpellDictionaries::TSpellDictionaries(TDocumentHost* host)
    : HostPtr(host ? host : &TDocumentHost::Null()) {}

QString TSpellDictionaries::LocateDictionary(TDictionaryKind kind, const QString& setting,
                                             const TSharedFolders& folders, QString* warning) {
    if (warning)
        warning->clear();
    if (IsFile(setting))
        return setting;
    const QString bare = BareFileName(kind);
    const QString shared = folders.FindMakerFile(bare);
    if (!shared.isEmpty())
        return shared;
    const QString beside = folders.ProgramFolderFile(bare);
    if (IsFile(beside))
        return beside;
    const QString programFiles = folders.ProgramFilesFile(bare);
    if (!programFiles.isEmpty())
        return programFiles;
    if (warning) {
        *warning = kind == TDictionaryKind::Main
                       ? QStringLiteral("Unable to Find the Main Dictionary.\nUsing the default main "
                                        "dictionary\n\"") +
                             setting + QLatin1Char('"')
                       : QStringLiteral("Unable to Find the Custom Dictionary.\nUsing the default "
                                        "custom dictionary\n\"") +
                             setting + QLatin1Char('"');
    }
    return setting;
}

void TSpellDictionaries::LoadDictionary(TDictionaryKind kind, const QString& setting,
                                        const TSharedFolders& folders) {
    QString warning;
    const QString name = LocateDictionary(kind, setting, folders, &warning);
    if (!warning.isEmpty())
        Host().ShowMessage(warning, QStringLiteral("Warning"), TMessageIcon::Error,
                           TMessageButtons::Ok);
    TWordList& list = kind == TDictionaryKind::Main ? MainDictionary : CustomDictionary;
    (kind == TDictionaryKind::Main ? MainDictionaryFile : CustomDictionaryFile) = name;
    if (IsFile(name))
        list.LoadFromFile(name);
    else
        list.Clear();
}

void TSpellDictionaries::LoadDictionaries(const QString& mainSetting, const QString& customSetting) {
    LoadDictionaries(mainSetting, customSetting, TSharedFolders());
}

void TSpellDictionaries::LoadDictionaries(const QString& mainSetting, const QString& customSetting,
                                          const TSharedFolders& folders) {
    MainDictionaryModified = false;
    CustomDictionaryModified = false;
    IgnoreAllList.Clear();
    LoadDictionary(TDictionaryKind::Main, mainSetting, folders);
    LoadDictionary(TDictionaryKind::Custom, customSetting, folders);
}

void TSpellDictionaries::WriteBackDictionaries() {
    // A dictionary that cannot be written keeps its file as it was and its flag set, and does not
    // stop the other from being written; the first failure is thrown afterwards.
    std::optional<TPlatformError> failure;
    if (MainDictionaryModified) {
        try {
            MainDictionary.SaveToFile(MainDictionaryFile);
            MainDictionaryModified = false;
        } catch (const TPlatformError& error) {
            failure = error;
        }
    }
    if (CustomDictionaryModified) {
        try {
            CustomDictionary.SaveToFile(CustomDictionaryFile);
            CustomDictionaryModified = false;
        } catch (const TPlatformError& error) {
            if (!failure)
                failure = error;
        }
    }
    if (failure)
        throw *failure;
}

QString TSpellDictionaries::BackupFileName(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + QStringLiteral(" - backup copy.dic");
}

QString TSpellDictionaries::CleanImportedWord(QStringView word) {
    QString clean;
    clean.reserve(word.size());
    for (QChar c : word) {
        if (TSpellCharacters::IsPunctuation(c) || TSpellCharacters::IsDigit(c))
            continue;
        clean.append(c.toLower());
    }
    return clean;
}

void TSpellDictionaries::AddFileToMainDictionary(const QString& sourceFileName) {
    if (IsFile(MainDictionaryFile))
        CopyFile(MainDictionaryFile, BackupFileName(MainDictionaryFile));
    TBusyCursorGuard busy(Host());
    // Joining the lines with spaces and turning every character outside 32 to 127 into a space
    // is the same, for the words it yields, as turning every such byte of the file into a space:
    // line ends are below 32, and every byte of a character beyond 127 is beyond 127.
    const QByteArray bytes = TWordList::ReadFile(sourceFileName);
    QStringList words;
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    const auto isWordByte = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u > 32 && u <= 127;
    };
    const auto tooMany = [&] {
        return TPlatformError(
            QStringLiteral("Cannot add the words of \"%1\". The main dictionary would hold more "
                           "than %2 words.")
                .arg(sourceFileName)
                .arg(TWordList::MaxEntries));
    };
    // Each distinct word is kept once, so memory follows the vocabulary, not the length of the
    // text; more distinct words than a dictionary may hold are refused at once.
    QSet<QString> seen;
    qint64 taken = 0;
    while (p < end) {
        while (p < end && !isWordByte(*p))
            ++p;
        const char* start = p;
        while (p < end && isWordByte(*p))
            ++p;
        if (p == start)
            break;
        const QString word = CleanImportedWord(QString::fromLatin1(start, qsizetype(p - start)));
        if (!word.isEmpty() && !seen.contains(word)) {
            seen.insert(word);
            words.append(word);
            if (words.size() > TWordList::MaxEntries)
                throw tooMany();
        }
        if (++taken % 30 == 0 && ImportProgress)
            ImportProgress(word);
    }
    seen.clear();
    if (MainDictionary.AddUniqueAll(words, TWordList::MaxEntries) < 0)
        throw tooMany();
    MainDictionaryModified = true;
    MainDictionary.SaveToFile(MainDictionaryFile);
}

void TSpellDictionaries::AddToCustomDictionary(const QString& word) {
    CustomDictionary.Add(word);
    CustomDictionaryModified = true;
}

QString TSpellDictionaries::DictionaryStatus() const {
    QString text = QStringLiteral("The Main Dictionary Filename is:-\n\"") + MainDictionaryFile +
                   QStringLiteral("\"\n") + QStringLiteral("\nThere are ") +
                   QString::number(MainDictionary.Count()) +
                   QStringLiteral(" words in the main dictionary") +
                   QStringLiteral("\n\nThe Custom Dictionary Filename is:-\n\"") +
                   CustomDictionaryFile + QStringLiteral("\"\n");
    if (CustomDictionary.Count() == 1)
        text += QStringLiteral("\nThere is 1 word in the custom dictionary");
    else
        text += QStringLiteral("\nThere are ") + QString::number(CustomDictionary.Count()) +
                QStringLiteral(" words in the custom dictionary");
    return text;
}

void TSpellDictionaries::ShowDictionaryStatus() {
    Host().ShowMessage(DictionaryStatus(), QStringLiteral("Dictionary Status"),
                       TMessageIcon::Information, TMessageButtons::Ok);
}
