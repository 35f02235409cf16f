#pragma once

#include "foundation/tdocumenthost.h"
#include "shell/tsharedfolders.h"
#include "twordlist.h"

#include <QString>
#include <QStringList>
#include <functional>

enum class TDictionaryKind { Main, Custom };

// The dictionaries of one spell-checker window: the main and the custom dictionary with their
// files, and the list of words to ignore during this check. Loaded when the window is created,
// written back when it is destroyed; nothing is shared between windows.
//
// Warnings are shown through the host's message box; errors reading or writing a file are thrown
// as TPlatformError for the caller to report.
class TSpellDictionaries {
public:
    explicit TSpellDictionaries(TDocumentHost* host = nullptr);

    QString MainDictionaryFile;
    QString CustomDictionaryFile;
    TWordList MainDictionary;
    TWordList CustomDictionary;
    TWordList IgnoreAllList;
    bool MainDictionaryModified = false;
    bool CustomDictionaryModified = false;

    // Called every 30 words of a file import with the word just taken, so that the window can
    // draw its progress animation and counter.
    std::function<void(const QString& word)> ImportProgress;

    // Locates both files from the names the settings hold (TSettings::SpellCheckerDictionary and
    // SpellCheckerCustom), warning about a dictionary that cannot be found, and loads those that
    // exist. IgnoreAllList starts empty.
    void LoadDictionaries(const QString& mainSetting, const QString& customSetting);
    void LoadDictionaries(const QString& mainSetting, const QString& customSetting,
                          const TSharedFolders& folders);
    // Writes each modified dictionary back to its file, the whole sorted list replacing the file.
    // Both are tried; a failure leaves that file whole and its flag set, and is thrown after.
    void WriteBackDictionaries();

    // Adds the words of a text file to the main dictionary: backs up the main dictionary file,
    // takes the words (in small letters, without punctuation and digits), adds those not there yet
    // and writes the main dictionary at once.
    void AddFileToMainDictionary(const QString& sourceFileName);
    // Adds an entry to the custom dictionary (equal entries allowed) and marks it modified.
    void AddToCustomDictionary(const QString& word);
    void AddToIgnoreAllList(const QString& word) { IgnoreAllList.Add(word); }

    // The text of the "Dictionary Status" message, and the message itself.
    QString DictionaryStatus() const;
    void ShowDictionaryStatus();

    // The dictionary file chosen by the four steps (the name from the settings, the maker's
    // shared folders, the program's folder, the "Program Files" neighbour), and the warning to
    // show (empty when none).
    static QString LocateDictionary(TDictionaryKind kind, const QString& setting,
                                    const TSharedFolders& folders, QString* warning);
    // The file name with its extension replaced by " - backup copy.dic".
    static QString BackupFileName(const QString& fileName);
    // An imported word cleaned for the main dictionary: small letters, without punctuation and
    // digits anywhere in it.
    static QString CleanImportedWord(QStringView word);

    TDocumentHost& Host() const { return *HostPtr; }

private:
    void LoadDictionary(TDictionaryKind kind, const QString& setting, const TSharedFolders& folders);

    TDocumentHost* HostPtr;
};
