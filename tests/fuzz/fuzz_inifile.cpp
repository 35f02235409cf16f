// Feeds arbitrary bytes to the settings-file reader: it must never crash, hang or read outside
// its buffers; what it reads must survive being written and read again; a value written into
// any section of it must read back; and the recent-file list must take a new file on top.
#include "shell/tinitext.h"
#include "shell/tsettings.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QTemporaryDir* Dir = nullptr;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

// Every section's entries, for comparing two readings of one text.
QList<QList<TIniEntry>> AllEntries(const TIniText& text) {
    QList<QList<TIniEntry>> result;
    for (const QString& name : text.SectionNames())
        result.append(text.Entries(name));
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!Dir) {
        static int argc = 1;
        static char name[] = "fuzz_inifile";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
        Dir = new QTemporaryDir(QStringLiteral("/dev/shm/fuzz-inifile-XXXXXX"));
        if (!Dir->isValid())
            Dir = new QTemporaryDir();
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // Reading, writing and reading again sees the same sections and entries.
    const TIniText text = TIniText::Parse(bytes);
    const TIniText again = TIniText::Parse(text.ToBytes());
    Require(text.SectionNames() == again.SectionNames());
    Require(AllEntries(text) == AllEntries(again));

    // A value written into the first section (or a new one) reads back, line breaks made blanks.
    const QStringList sections = text.SectionNames();
    const QString section = sections.isEmpty() ? QStringLiteral("Preferences") : sections.first();
    const QList<TIniEntry> entries = text.Entries(section);
    const QString key = entries.isEmpty() ? QStringLiteral("FontStyle") : entries.last().first;
    const QString value = QString::fromLatin1(bytes.left(40));
    TIniText changed = text;
    changed.SetValue(section, key, value);
    QString expected = value;
    for (QChar& c : expected) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    const TIniText reread = TIniText::Parse(changed.ToBytes());
    Require(reread.Value(section, key) == expected.trimmed());
    for (const QString& other : sections) {
        if (other.compare(section, Qt::CaseInsensitive) != 0)
            Require(reread.Entries(other) == text.Entries(other));
    }

    // The recent-file list of such a file takes a new entry on top whenever it keeps any.
    const QString path = Dir->filePath(QStringLiteral("fastenex.ini"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(bytes);
    }
    TSettings settings(path);
    const qint32 length = settings.QuickListLength();
    const qint32 before = settings.FileCount();
    settings.AddToQuickList(QStringLiteral("/fuzz/new file.dat"));
    const qint32 after = settings.FileCount();
    Require(after >= 0 && after <= TSettings::MaxQuickListEntries);
    if (after > 0) {
        Require(settings.QuickListFileName(1) == QStringLiteral("/fuzz/new file.dat"));
        Require(settings.QuickListCaption(1) == QStringLiteral("New file.dat"));
    }
    Require(after >= before || before > length);
    Require(settings.QuickListMenuEntries().size() <= std::max(0, std::min(after, length)));
    return 0;
}
