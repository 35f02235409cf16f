#pragma once

#include "tinifile.h"
#include "tsharedfolders.h"

#include <QColor>
#include <QList>
#include <QString>
#include <array>

// Every key of the section Preferences with its default. Colours are 0x00BBGGRR integers.
// Dictionary and Custom carry the defaults the preferences dialog shows; the spell checker has
// its own (TSettings::SpellCheckerDictionary, SpellCheckerCustom).
struct TPreferences {
    bool Copyright = true;
    bool Logo = true;
    qint32 TopColour = 16711680; // 0xFF0000: blue
    qint32 BottomColour = 0;     // black
    bool WindowMaximise = false;
    bool WindowSize = false;
    bool ToolWindowMaximise = true;
    qint32 QuickListLength = 4;
    QString FontStyle = QStringLiteral("Courier New");
    QString FontSize = QStringLiteral("8");
    qint32 FontColour = 0;
    bool Bold = false;
    bool Underline = false;
    bool Itallics = false;
    bool Strikeout = false;
    // An empty path leaves the stored one as it is.
    QString Dictionary = QStringLiteral("None");
    QString Custom = QStringLiteral("None");
    // ToolBar1 .. ToolBar6: File, Editing, Text Formatting, Help, Paragraph Formatting and Word
    // Tools tool bars, in this order.
    std::array<bool, 6> ToolBar{true, true, true, true, true, true};
};

// One entry of the recent-file list.
struct TQuickListEntry {
    QString Caption;
    QString FileName;
};

// The frame's placement (section Size), in pixels.
struct TWindowPlacement {
    qint32 Left = 126;
    qint32 Height = 600;
    qint32 Top = 131;
    qint32 Width = 889;
};

// The program's settings file with typed access to every key and its default: the sections
// Preferences, FileList (the recent-file or "quick" list), Messaging and Size. Each operation
// reads the file afresh and each change writes it at once (TIniFile); a missing file runs on the
// defaults. Changes throw TPlatformError when the file cannot be written.
class TSettings {
public:
    // The settings file of the running program (Location()).
    TSettings();
    explicit TSettings(const QString& fileName);

    // "fastenex.ini" in the program's folder when that folder is writable, otherwise in the
    // user's configuration folder.
    static QString DefaultLocation();
    // The file TSettings() uses: the one given to SetLocation, else DefaultLocation().
    static QString Location();
    // Points every later TSettings() at another file; an empty name returns to the default.
    static void SetLocation(const QString& fileName);

    const QString& FileName() const { return File.FileName(); }
    TIniFile& Ini() { return File; }
    const TIniFile& Ini() const { return File; }

    // The program's and the maker's folders behind the defaults that name files.
    TSharedFolders Folders;

    // Section Preferences, every key at once or one by one.
    TPreferences Preferences() const;
    void SetPreferences(const TPreferences& preferences);
    // "Reset": erases section Preferences; the other sections stay.
    void ResetPreferences();

    bool Copyright() const;
    void SetCopyright(bool value);
    bool Logo() const;
    void SetLogo(bool value);
    qint32 TopColour() const;
    void SetTopColour(qint32 value);
    qint32 BottomColour() const;
    void SetBottomColour(qint32 value);
    bool WindowMaximise() const;
    void SetWindowMaximise(bool value);
    bool WindowSize() const;
    void SetWindowSize(bool value);
    bool ToolWindowMaximise() const;
    void SetToolWindowMaximise(bool value);
    qint32 QuickListLength() const;
    void SetQuickListLength(qint32 value);
    QString FontStyle() const;
    void SetFontStyle(const QString& value);
    // The text as stored; FontPointSize converts it.
    QString FontSize() const;
    void SetFontSize(const QString& value);
    int FontPointSize() const;
    qint32 FontColour() const;
    void SetFontColour(qint32 value);
    bool Bold() const;
    void SetBold(bool value);
    bool Underline() const;
    void SetUnderline(bool value);
    bool Itallics() const;
    void SetItallics(bool value);
    bool Strikeout() const;
    void SetStrikeout(bool value);
    // With the dialog's default "None".
    QString Dictionary() const;
    void SetDictionary(const QString& value);
    QString Custom() const;
    void SetCustom(const QString& value);
    // Tool bar 1 to 6; any other number reads true and writes nothing.
    bool ToolBar(int number) const;
    void SetToolBar(int number, bool value);

    // The spell checker's reading of Dictionary and Custom: by default Dictionary.dic and
    // Custom.dic in the maker's folder (Folders.MakerFile).
    QString SpellCheckerDictionary() const;
    QString SpellCheckerCustom() const;
    // What the preferences dialog shows in its dictionary fields when it opens: the stored name
    // when such a file exists, else the maker's shared file when one exists, else the
    // "Program Files" neighbour or the file beside the program.
    QString DialogDictionary() const;
    QString DialogCustom() const;

    // Section FileList. Entry 1 is the most recent.
    // The stored FileCount, never below 0 nor above MaxQuickListEntries.
    qint32 FileCount() const;
    // Entry k's caption, "Error.rtf" when missing.
    QString QuickListCaption(int k) const;
    // Entry k's full path, "Error.rtf" in the program's folder when missing.
    QString QuickListFileName(int k) const;
    // The entries the File menu shows: the first min(FileCount, QuickListLength), read at once;
    // a missing caption or path reads "Error.rtf".
    QList<TQuickListEntry> QuickListMenuEntries() const;
    // Enters the file at the top of the recent-file list; an entry with the same file name
    // (ignoring letter case), from whatever folder, takes the new path.
    void AddToQuickList(const QString& path);
    // "Clear Quick List": erases sections FileList and Size.
    void ClearQuickList();
    // The caption a path gets: its file name, trimmed, the first letter in upper case.
    static QString QuickListCaptionOf(const QString& path);

    // Section Messaging: the mail copies made in this run.
    qint32 MessageCount() const;
    // Adds one and returns the new count.
    qint32 IncrementMessageCount();
    // Returns the stored count and writes 0 back.
    qint32 TakeMessageCount();

    // Section Size.
    TWindowPlacement WindowPlacement() const;
    void SetWindowPlacement(const TWindowPlacement& placement);
    void EraseWindowPlacement();

    // A font size as the program reads one: a whole number of points, 8 when the text is not
    // a number or not a usable size.
    static int ParseFontSize(const QString& text);
    // 0x00BBGGRR integers and colours; the top byte is ignored.
    static QColor ColourFromBgr(qint32 bgr);
    static qint32 BgrFromColour(const QColor& colour);

    // More entries than any list length allows are not read: a hand-edited FileCount cannot
    // make the program read or write millions of entries.
    static constexpr qint32 MaxQuickListEntries = 100;
    // Likewise for the count of mail copies to delete at start.
    static constexpr qint32 MaxMessageCount = 100000;

private:
    TPreferences ReadPreferences(const TIniText& text) const;
    bool PreferenceBool(const QString& key, bool fallback) const;
    qint32 PreferenceInteger(const QString& key, qint32 fallback) const;
    QString PreferenceString(const QString& key, const QString& fallback) const;
    void SetPreference(const QString& key, const QString& value);
    // The stored file, else a shared copy, else one beside the program; when there is none of
    // them and missing is given, missing.
    QString DialogDictionaryName(const QString& key, const QString& name,
                                 const QString& missing = QString()) const;
    static qint32 StoredFileCount(const TIniText& text);

    TIniFile File;
};
