#include "tsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>
#include <algorithm>

namespace {

QString LocationOverride;

const QString SectionPreferences = QStringLiteral("Preferences");
const QString SectionFileList = QStringLiteral("FileList");
const QString SectionMessaging = QStringLiteral("Messaging");
const QString SectionSize = QStringLiteral("Size");

const QString KeyFileCount = QStringLiteral("FileCount");
const QString KeyMessageCount = QStringLiteral("MessageCount");
const QString KeyQuickListLength = QStringLiteral("QuickListLength");
const QString ErrorFile = QStringLiteral("Error.rtf");

QString ToolBarKey(int number) { return QStringLiteral("ToolBar") + QString::number(number); }
QString CaptionKey(int k) { return QStringLiteral("File%1Caption").arg(k); }
QString FileNameKey(int k) { return QStringLiteral("File%1FileName").arg(k); }

// A section's values by key, the first entry of each key winning, for reading many keys of one
// section without searching the whole text for each.
class TSectionValues {
public:
    TSectionValues(const TIniText& text, const QString& section) {
        const QList<TIniEntry> entries = text.Entries(section);
        Values.reserve(entries.size());
        for (const TIniEntry& entry : entries) {
            const QString key = entry.first.toCaseFolded();
            if (!Values.contains(key))
                Values.insert(key, entry.second);
        }
    }
    QString Value(const QString& key, const QString& fallback) const {
        const auto found = Values.constFind(key.toCaseFolded());
        return found == Values.constEnd() ? fallback : *found;
    }
    qint32 Integer(const QString& key, qint32 fallback) const {
        const auto found = Values.constFind(key.toCaseFolded());
        if (found == Values.constEnd())
            return fallback;
        return TIniText::ParseInteger(*found).value_or(fallback);
    }
    bool Bool(const QString& key, bool fallback) const { return Integer(key, fallback) != 0; }

private:
    QHash<QString, QString> Values;
};

} // namespace

TSettings::TSettings() : TSettings(Location()) {}

TSettings::TSettings(const QString& fileName) : File(fileName) {}

QString TSettings::DefaultLocation() {
    const QString name = QStringLiteral("fastenex.ini");
    const QString programFolder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    if (!programFolder.isEmpty()) {
        const QFileInfo folder(programFolder);
        if (folder.isDir() && folder.isWritable())
            return QDir(programFolder).filePath(name);
    }
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return QDir(config).filePath(name);
}

QString TSettings::Location() {
    return LocationOverride.isEmpty() ? DefaultLocation() : LocationOverride;
}

void TSettings::SetLocation(const QString& fileName) { LocationOverride = fileName; }

// Preferences

TPreferences TSettings::ReadPreferences(const TIniText& text) const {
    const TSectionValues values(text, SectionPreferences);
    TPreferences p;
    p.Copyright = values.Bool(QStringLiteral("Copyright"), p.Copyright);
    p.Logo = values.Bool(QStringLiteral("Logo"), p.Logo);
    p.TopColour = values.Integer(QStringLiteral("TopColour"), p.TopColour);
    p.BottomColour = values.Integer(QStringLiteral("BottomColour"), p.BottomColour);
    p.WindowMaximise = values.Bool(QStringLiteral("WindowMaximise"), p.WindowMaximise);
    p.WindowSize = values.Bool(QStringLiteral("WindowSize"), p.WindowSize);
    p.ToolWindowMaximise = values.Bool(QStringLiteral("ToolWindowMaximise"), p.ToolWindowMaximise);
    p.QuickListLength = values.Integer(KeyQuickListLength, p.QuickListLength);
    p.FontStyle = values.Value(QStringLiteral("FontStyle"), p.FontStyle);
    p.FontSize = values.Value(QStringLiteral("FontSize"), p.FontSize);
    p.FontColour = values.Integer(QStringLiteral("FontColour"), p.FontColour);
    p.Bold = values.Bool(QStringLiteral("Bold"), p.Bold);
    p.Underline = values.Bool(QStringLiteral("Underline"), p.Underline);
    p.Itallics = values.Bool(QStringLiteral("Itallics"), p.Itallics);
    p.Strikeout = values.Bool(QStringLiteral("Strikeout"), p.Strikeout);
    p.Dictionary = values.Value(QStringLiteral("Dictionary"), p.Dictionary);
    p.Custom = values.Value(QStringLiteral("Custom"), p.Custom);
    for (int i = 0; i < int(p.ToolBar.size()); ++i)
        p.ToolBar[size_t(i)] = values.Bool(ToolBarKey(i + 1), p.ToolBar[size_t(i)]);
    return p;
}

TPreferences TSettings::Preferences() const { return ReadPreferences(File.Read()); }

void TSettings::SetPreferences(const TPreferences& p) {
    File.Modify([&](TIniText& text) {
        const QString& s = SectionPreferences;
        text.SetBool(s, QStringLiteral("Copyright"), p.Copyright);
        text.SetBool(s, QStringLiteral("Logo"), p.Logo);
        text.SetInteger(s, QStringLiteral("TopColour"), p.TopColour);
        text.SetInteger(s, QStringLiteral("BottomColour"), p.BottomColour);
        text.SetBool(s, QStringLiteral("WindowMaximise"), p.WindowMaximise);
        text.SetBool(s, QStringLiteral("WindowSize"), p.WindowSize);
        text.SetBool(s, QStringLiteral("ToolWindowMaximise"), p.ToolWindowMaximise);
        text.SetInteger(s, KeyQuickListLength, p.QuickListLength);
        text.SetValue(s, QStringLiteral("FontStyle"), p.FontStyle);
        text.SetValue(s, QStringLiteral("FontSize"), p.FontSize);
        text.SetInteger(s, QStringLiteral("FontColour"), p.FontColour);
        text.SetBool(s, QStringLiteral("Bold"), p.Bold);
        text.SetBool(s, QStringLiteral("Underline"), p.Underline);
        text.SetBool(s, QStringLiteral("Itallics"), p.Itallics);
        text.SetBool(s, QStringLiteral("Strikeout"), p.Strikeout);
        if (!p.Dictionary.isEmpty())
            text.SetValue(s, QStringLiteral("Dictionary"), p.Dictionary);
        if (!p.Custom.isEmpty())
            text.SetValue(s, QStringLiteral("Custom"), p.Custom);
        for (int i = 0; i < int(p.ToolBar.size()); ++i)
            text.SetBool(s, ToolBarKey(i + 1), p.ToolBar[size_t(i)]);
    });
}

void TSettings::ResetPreferences() { File.EraseSection(SectionPreferences); }

bool TSettings::PreferenceBool(const QString& key, bool fallback) const {
    return File.ReadBool(SectionPreferences, key, fallback);
}

qint32 TSettings::PreferenceInteger(const QString& key, qint32 fallback) const {
    return File.ReadInteger(SectionPreferences, key, fallback);
}

QString TSettings::PreferenceString(const QString& key, const QString& fallback) const {
    return File.ReadString(SectionPreferences, key, fallback);
}

void TSettings::SetPreference(const QString& key, const QString& value) {
    File.WriteString(SectionPreferences, key, value);
}

#define FASTENEX_BOOL_PREFERENCE(Name)                                                             \
    bool TSettings::Name() const {                                                                 \
        return PreferenceBool(QStringLiteral(#Name), TPreferences().Name);                         \
    }                                                                                              \
    void TSettings::Set##Name(bool value) {                                                        \
        File.WriteBool(SectionPreferences, QStringLiteral(#Name), value);                          \
    }
#define FASTENEX_INTEGER_PREFERENCE(Name)                                                          \
    qint32 TSettings::Name() const {                                                               \
        return PreferenceInteger(QStringLiteral(#Name), TPreferences().Name);                      \
    }                                                                                              \
    void TSettings::Set##Name(qint32 value) {                                                      \
        File.WriteInteger(SectionPreferences, QStringLiteral(#Name), value);                       \
    }
#define FASTENEX_TEXT_PREFERENCE(Name)                                                             \
    QString TSettings::Name() const {                                                              \
        return PreferenceString(QStringLiteral(#Name), TPreferences().Name);                       \
    }                                                                                              \
    void TSettings::Set##Name(const QString& value) { SetPreference(QStringLiteral(#Name), value); }

FASTENEX_BOOL_PREFERENCE(Copyright)
FASTENEX_BOOL_PREFERENCE(Logo)
FASTENEX_INTEGER_PREFERENCE(TopColour)
FASTENEX_INTEGER_PREFERENCE(BottomColour)
FASTENEX_BOOL_PREFERENCE(WindowMaximise)
FASTENEX_BOOL_PREFERENCE(WindowSize)
FASTENEX_BOOL_PREFERENCE(ToolWindowMaximise)
FASTENEX_INTEGER_PREFERENCE(QuickListLength)
FASTENEX_TEXT_PREFERENCE(FontStyle)
FASTENEX_TEXT_PREFERENCE(FontSize)
FASTENEX_INTEGER_PREFERENCE(FontColour)
FASTENEX_BOOL_PREFERENCE(Bold)
FASTENEX_BOOL_PREFERENCE(Underline)
FASTENEX_BOOL_PREFERENCE(Itallics)
FASTENEX_BOOL_PREFERENCE(Strikeout)
FASTENEX_TEXT_PREFERENCE(Dictionary)
FASTENEX_TEXT_PREFERENCE(Custom)

#undef FASTENEX_BOOL_PREFERENCE
#undef FASTENEX_INTEGER_PREFERENCE
#undef FASTENEX_TEXT_PREFERENCE

int TSettings::FontPointSize() const { return ParseFontSize(FontSize()); }

bool TSettings::ToolBar(int number) const {
    if (number < 1 || number > 6)
        return true;
    return PreferenceBool(ToolBarKey(number), true);
}

void TSettings::SetToolBar(int number, bool value) {
    if (number < 1 || number > 6)
        return;
    File.WriteBool(SectionPreferences, ToolBarKey(number), value);
}

// Dictionaries

QString TSettings::SpellCheckerDictionary() const {
    return PreferenceString(QStringLiteral("Dictionary"),
                            Folders.MakerFile(QStringLiteral("Dictionary.dic")));
}

QString TSettings::SpellCheckerCustom() const {
    return PreferenceString(QStringLiteral("Custom"), Folders.MakerFile(QStringLiteral("Custom.dic")));
}

QString TSettings::DialogDictionaryName(const QString& key, const QString& name,
                                        const QString& missing) const {
    const QString stored = PreferenceString(key, QStringLiteral("None"));
    if (!stored.isEmpty() && QFileInfo(stored).isFile())
        return stored;
    const QString shared = Folders.FindMakerFile(name);
    if (!shared.isEmpty())
        return shared;
    const QString programFiles = Folders.ProgramFilesFile(name);
    if (!programFiles.isEmpty())
        return programFiles;
    const QString beside = Folders.ProgramFolderFile(name);
    return missing.isEmpty() || QFileInfo(beside).isFile() ? beside : missing;
}

QString TSettings::DialogDictionary() const {
    return DialogDictionaryName(QStringLiteral("Dictionary"), QStringLiteral("Dictionary.dic"));
}

QString TSettings::DialogCustom() const {
    // With no custom dictionary anywhere yet, the one the checker would make: in the user's data
    // folder, where words added later can be written (the program's folder may not be).
    return DialogDictionaryName(QStringLiteral("Custom"), QStringLiteral("Custom.dic"),
                                SpellCheckerCustom());
}

// The recent-file list

qint32 TSettings::StoredFileCount(const TIniText& text) {
    return std::clamp(text.IntegerValue(SectionFileList, KeyFileCount, 0), 0, MaxQuickListEntries);
}

qint32 TSettings::FileCount() const { return StoredFileCount(File.Read()); }

QString TSettings::QuickListCaption(int k) const {
    return File.ReadString(SectionFileList, CaptionKey(k), ErrorFile);
}

QString TSettings::QuickListFileName(int k) const {
    return File.ReadString(SectionFileList, FileNameKey(k), Folders.ProgramFolderFile(ErrorFile));
}

QList<TQuickListEntry> TSettings::QuickListMenuEntries() const {
    const TIniText text = File.Read();
    const qint32 length = text.IntegerValue(SectionPreferences, KeyQuickListLength,
                                            TPreferences().QuickListLength);
    const qint32 shown = std::min(StoredFileCount(text), length);
    const TSectionValues values(text, SectionFileList);
    QList<TQuickListEntry> entries;
    for (int k = 1; k <= shown; ++k)
        entries.append({values.Value(CaptionKey(k), ErrorFile), values.Value(FileNameKey(k), ErrorFile)});
    return entries;
}

QString TSettings::QuickListCaptionOf(const QString& path) {
    QString caption = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).trimmed();
    if (!caption.isEmpty())
        caption[0] = caption[0].toUpper();
    return caption;
}

void TSettings::AddToQuickList(const QString& path) {
    // A name that names no file cannot be opened from the list.
    if (path.trimmed().isEmpty())
        return;
    const QFileInfo info(path);
    const QString fullPath = info.isRelative() ? info.absoluteFilePath() : path;
    File.Modify([&](TIniText& text) {
        qint32 count = StoredFileCount(text);
        const qint32 max = text.IntegerValue(SectionPreferences, KeyQuickListLength,
                                             TPreferences().QuickListLength);
        const TSectionValues values(text, SectionFileList);
        QStringList captions;
        QStringList paths;
        for (int k = 1; k <= count; ++k) {
            captions.append(values.Value(CaptionKey(k), ErrorFile));
            paths.append(values.Value(FileNameKey(k), Folders.ProgramFolderFile(ErrorFile)));
        }

        const QString caption = QuickListCaptionOf(fullPath);
        const QString lowered = caption.toLower();
        bool matched = false;
        // Removing entry i and inserting at the top leaves the entries after i where they were,
        // so the walk goes on with the next one.
        for (qsizetype i = 0; i < captions.size(); ++i) {
            if (captions[i].toLower() != lowered)
                continue;
            captions.removeAt(i);
            paths.removeAt(i);
            captions.prepend(caption);
            paths.prepend(fullPath);
            matched = true;
        }
        if (!matched) {
            captions.prepend(caption);
            paths.prepend(fullPath);
            if (count < max && count < MaxQuickListEntries)
                ++count;
        }

        QList<TIniEntry> entries;
        entries.reserve(1 + 2 * count);
        entries.append({KeyFileCount, QString::number(count)});
        for (int k = 1; k <= count; ++k) {
            entries.append({CaptionKey(k), captions[k - 1]});
            entries.append({FileNameKey(k), paths[k - 1]});
        }
        text.ReplaceSection(SectionFileList, entries);
    });
}

void TSettings::ClearQuickList() {
    File.Modify([](TIniText& text) {
        text.EraseSection(SectionFileList);
        text.EraseSection(SectionSize);
    });
}

// Messaging

qint32 TSettings::MessageCount() const {
    return std::clamp(File.ReadInteger(SectionMessaging, KeyMessageCount, 0), 0, MaxMessageCount);
}

qint32 TSettings::IncrementMessageCount() {
    qint32 count = 0;
    File.Modify([&](TIniText& text) {
        count = std::clamp(text.IntegerValue(SectionMessaging, KeyMessageCount, 0), 0,
                           MaxMessageCount - 1) +
                1;
        text.SetInteger(SectionMessaging, KeyMessageCount, count);
    });
    return count;
}

qint32 TSettings::TakeMessageCount() {
    qint32 count = 0;
    File.Modify([&](TIniText& text) {
        count = std::clamp(text.IntegerValue(SectionMessaging, KeyMessageCount, 0), 0,
                           MaxMessageCount);
        text.SetInteger(SectionMessaging, KeyMessageCount, 0);
    });
    return count;
}

// Size

TWindowPlacement TSettings::WindowPlacement() const {
    const TSectionValues values(File.Read(), SectionSize);
    TWindowPlacement p;
    p.Left = values.Integer(QStringLiteral("Left"), p.Left);
    p.Height = values.Integer(QStringLiteral("Height"), p.Height);
    p.Top = values.Integer(QStringLiteral("Top"), p.Top);
    p.Width = values.Integer(QStringLiteral("Width"), p.Width);
    return p;
}

void TSettings::SetWindowPlacement(const TWindowPlacement& p) {
    File.Modify([&](TIniText& text) {
        text.SetInteger(SectionSize, QStringLiteral("Left"), p.Left);
        text.SetInteger(SectionSize, QStringLiteral("Height"), p.Height);
        text.SetInteger(SectionSize, QStringLiteral("Top"), p.Top);
        text.SetInteger(SectionSize, QStringLiteral("Width"), p.Width);
    });
}

void TSettings::EraseWindowPlacement() { File.EraseSection(SectionSize); }

// Conversions

int TSettings::ParseFontSize(const QString& text) {
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    // Sizes beyond what a font can take are no more usable than a text that is not a number.
    if (!ok || size < 1 || size > 1638)
        return 8;
    return size;
}

QColor TSettings::ColourFromBgr(qint32 bgr) {
    const quint32 v = quint32(bgr);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

qint32 TSettings::BgrFromColour(const QColor& colour) {
    if (!colour.isValid())
        return 0;
    const QColor rgb = colour.toRgb();
    return qint32(quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16));
}
