#include "shell/tsettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using TEntries = QList<TQuickListEntry>;

bool operator==(const TQuickListEntry& a, const TQuickListEntry& b) {
    return a.Caption == b.Caption && a.FileName == b.FileName;
}

char* toString(const TQuickListEntry& e) {
    return QTest::toString(e.Caption + QStringLiteral(" -> ") + e.FileName);
}

class TstTSettings : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;
    QString Path;

    TSettings Make() const {
        TSettings settings(Path);
        settings.Folders = TSharedFolders({Dir.filePath(QStringLiteral("user")),
                                           Dir.filePath(QStringLiteral("system"))},
                                          Dir.filePath(QStringLiteral("bin/fastenex")));
        return settings;
    }
    void WriteBytes(const QByteArray& bytes) const {
        QFile file(Path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadBytes() const {
        QFile file(Path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Touch(const QString& relative) const {
        const QString path = Dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // The stored list as (caption, path) pairs, entries 1 .. FileCount.
    TEntries Stored(const TSettings& settings) const {
        TEntries entries;
        for (int k = 1; k <= settings.FileCount(); ++k)
            entries.append({settings.QuickListCaption(k), settings.QuickListFileName(k)});
        return entries;
    }

private slots:
    void init() {
        Path = Dir.filePath(QStringLiteral("fastenex.ini"));
        QFile::remove(Path);
        QDir(Dir.filePath(QStringLiteral("user"))).removeRecursively();
        QDir(Dir.filePath(QStringLiteral("system"))).removeRecursively();
        QDir(Dir.filePath(QStringLiteral("bin"))).removeRecursively();
    }

    // A fresh start: no file, and every reader gives the documented default.
    void FreshStartDefaults() {
        const TSettings s = Make();
        QVERIFY(s.Copyright());
        QVERIFY(s.Logo());
        QCOMPARE(s.TopColour(), 16711680);
        QCOMPARE(TSettings::ColourFromBgr(s.TopColour()), QColor(Qt::blue));
        QCOMPARE(TSettings::ColourFromBgr(s.BottomColour()), QColor(Qt::black));
        QVERIFY(!s.WindowMaximise());
        QVERIFY(!s.WindowSize());
        QVERIFY(s.ToolWindowMaximise());
        QCOMPARE(s.QuickListLength(), 4);
        QCOMPARE(s.FontStyle(), QStringLiteral("Courier New"));
        QCOMPARE(s.FontSize(), QStringLiteral("8"));
        QCOMPARE(s.FontColour(), 0);
        QVERIFY(!s.Bold() && !s.Underline() && !s.Itallics() && !s.Strikeout());
        QCOMPARE(s.Dictionary(), QStringLiteral("None"));
        QCOMPARE(s.Custom(), QStringLiteral("None"));
        for (int n = 1; n <= 6; ++n)
            QVERIFY(s.ToolBar(n));
        QCOMPARE(s.FileCount(), 0);
        QCOMPARE(s.QuickListCaption(1), QStringLiteral("Error.rtf"));
        QCOMPARE(s.QuickListFileName(1), Dir.filePath(QStringLiteral("bin/Error.rtf")));
        QCOMPARE(s.MessageCount(), 0);
        const TWindowPlacement p = s.WindowPlacement();
        QCOMPARE(QList<int>({p.Left, p.Height, p.Top, p.Width}), QList<int>({126, 600, 131, 889}));
        QCOMPARE(s.SpellCheckerDictionary(), Dir.filePath(QStringLiteral("user/Quorvane/Dictionary.dic")));
        QCOMPARE(s.SpellCheckerCustom(), Dir.filePath(QStringLiteral("user/Quorvane/Custom.dic")));
        const TPreferences all = s.Preferences();
        QCOMPARE(all.QuickListLength, 4);
        QCOMPARE(all.Dictionary, QStringLiteral("None"));
        QVERIFY(!QFile::exists(Path));
    }

    // Every key written and read back, in one write and key by key; booleans are stored as 1/0.
    void PreferencesRoundTrip() {
        TSettings s = Make();
        TPreferences p;
        p.Copyright = false;
        p.TopColour = 0x00FF00;
        p.QuickListLength = 10;
        p.FontStyle = QStringLiteral("Arial");
        p.FontSize = QStringLiteral("12");
        p.Itallics = true;
        p.Dictionary = QStringLiteral("/data/words.dic");
        p.ToolBar[4] = false;
        s.SetPreferences(p);
        const QByteArray bytes = ReadBytes();
        QVERIFY(bytes.startsWith("[Preferences]\r\nCopyright=0\r\nLogo=1\r\nTopColour=65280\r\n"));
        QVERIFY(bytes.contains("\r\nToolBar5=0\r\nToolBar6=1\r\n"));
        QVERIFY(!s.Copyright());
        QCOMPARE(s.TopColour(), 0x00FF00);
        QCOMPARE(s.FontPointSize(), 12);
        QVERIFY(s.Itallics());
        QVERIFY(!s.ToolBar(5));
        QCOMPARE(s.SpellCheckerDictionary(), QStringLiteral("/data/words.dic"));

        s.SetWindowMaximise(true);
        s.SetToolBar(2, false);
        s.SetFontSize(QStringLiteral("big"));
        QVERIFY(s.Preferences().WindowMaximise);
        QVERIFY(!s.Preferences().ToolBar[1]);
        QCOMPARE(s.FontPointSize(), 8);
    }

    void FontSizes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::newRow("number") << "10" << 10;
        QTest::newRow("blanks") << " 14 " << 14;
        QTest::newRow("not a number") << "Large" << 8;
        QTest::newRow("empty") << "" << 8;
        QTest::newRow("fraction") << "10.5" << 8;
        QTest::newRow("zero") << "0" << 8;
        QTest::newRow("negative") << "-12" << 8;
        QTest::newRow("absurd") << "99999" << 8;
    }
    void FontSizes() {
        QFETCH(QString, text);
        QFETCH(int, size);
        QCOMPARE(TSettings::ParseFontSize(text), size);
    }

    void Colours() {
        QCOMPARE(TSettings::BgrFromColour(QColor(0x12, 0x34, 0x56)), 0x563412);
        QCOMPARE(TSettings::ColourFromBgr(0x563412), QColor(0x12, 0x34, 0x56));
        // A colour with its top byte set keeps the low three bytes.
        QCOMPARE(TSettings::ColourFromBgr(qint32(0x8000000F)), QColor(0x0F, 0, 0));
    }

    // A list of (path added) steps with QuickListLength, the stored list before, and the list
    // expected after the last step.
    void AddToQuickList_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first file") << 4 << QStringList() << QStringList{"/a/report.rtf"}
                                    << QStringList{"/a/report.rtf"};
        QTest::newRow("same name from another folder leaves one entry")
            << 4 << QStringList() << QStringList{"/A/report.rtf", "/B/Report.rtf"}
            << QStringList{"/B/Report.rtf"};
        QTest::newRow("matching entry moves to the top")
            << 4 << QStringList{"/x/one.dat", "/x/two.dat", "/x/three.dat"}
            << QStringList{"/y/TWO.DAT"} << QStringList{"/y/TWO.DAT", "/x/one.dat", "/x/three.dat"};
        QTest::newRow("fifth file pushes the oldest out")
            << 4 << QStringList{"/f/4", "/f/3", "/f/2", "/f/1"} << QStringList{"/f/5"}
            << QStringList{"/f/5", "/f/4", "/f/3", "/f/2"};
        QTest::newRow("lowered length keeps the stored count")
            << 2 << QStringList{"/f/4", "/f/3", "/f/2", "/f/1"} << QStringList{"/f/5"}
            << QStringList{"/f/5", "/f/4", "/f/3", "/f/2"};
        QTest::newRow("list grows below the length")
            << 4 << QStringList{"/f/2", "/f/1"} << QStringList{"/f/3"}
            << QStringList{"/f/3", "/f/2", "/f/1"};
        QTest::newRow("length 0 keeps nothing")
            << 0 << QStringList() << QStringList{"/f/1", "/f/2"} << QStringList();
        QTest::newRow("every matching entry goes to the top")
            << 4 << QStringList{"/x/a.rtf", "/x/b.rtf", "/y/A.rtf"} << QStringList{"/z/a.rtf"}
            << QStringList{"/z/a.rtf", "/z/a.rtf", "/x/b.rtf"};
        QTest::newRow("blank path is ignored") << 4 << QStringList{"/f/1"} << QStringList{"  "}
                                               << QStringList{"/f/1"};
    }
    void AddToQuickList() {
        QFETCH(int, length);
        QFETCH(QStringList, before);
        QFETCH(QStringList, added);
        QFETCH(QStringList, after);
        TSettings s = Make();
        QByteArray stored = "[FileList]\r\nFileCount=" + QByteArray::number(before.size()) + "\r\n";
        for (int k = 1; k <= before.size(); ++k) {
            stored += "File" + QByteArray::number(k) + "Caption=" +
                      TSettings::QuickListCaptionOf(before[k - 1]).toUtf8() + "\r\n";
            stored += "File" + QByteArray::number(k) + "FileName=" + before[k - 1].toUtf8() + "\r\n";
        }
        WriteBytes(stored + "[Preferences]\r\nQuickListLength=" + QByteArray::number(length) + "\r\n");
        for (const QString& path : added)
            s.AddToQuickList(path);
        TEntries expected;
        for (const QString& path : after)
            expected.append({TSettings::QuickListCaptionOf(path), path});
        QCOMPARE(Stored(s), expected);
    }

    void Captions_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("first letter upper-cased") << "/home/u/report.rtf" << "Report.rtf";
        QTest::newRow("rest unchanged") << "/x/bOLT gROUP.dat" << "BOLT gROUP.dat";
        QTest::newRow("trimmed") << "/x/  spaced.txt " << "Spaced.txt";
        QTest::newRow("no folder") << "plain.txt" << "Plain.txt";
        QTest::newRow("non-Latin letter") << QString::fromUtf8("/x/\xC3\xA9t\xC3\xA9.rtf")
                                          << QString::fromUtf8("\xC3\x89t\xC3\xA9.rtf");
        QTest::newRow("folder path") << "/x/" << "";
    }
    void Captions() {
        QFETCH(QString, path);
        QFETCH(QString, caption);
        QCOMPARE(TSettings::QuickListCaptionOf(path), caption);
    }

    void RelativePathIsStoredInFull() {
        TSettings s = Make();
        s.AddToQuickList(QStringLiteral("relative.dat"));
        QCOMPARE(s.QuickListFileName(1), QDir::current().absoluteFilePath(QStringLiteral("relative.dat")));
    }

    // The list as the earlier program left it (Windows paths, its own spelling of the keys),
    // rewritten: the section goes to the end with the count first and each entry's caption
    // before its path; every other line stays as it was.
    void QuickListWrittenInFull() {
        TSettings s = Make();
        WriteBytes("; kept\r\n[filelist]\r\nfilecount=2\r\nFILE1CAPTION=Report.rtf\r\n"
                   "File1FileName=C:\\Docs\\Report.rtf\r\nFile2Caption=Bolts.dat\r\n"
                   "File2FileName=C:\\Bolts.dat\r\n\r\n[Preferences]\r\nLogo = 0\r\n");
        s.AddToQuickList(QStringLiteral("/home/u/notes.txt"));
        s.AddToQuickList(QStringLiteral("/home/u/report.rtf"));
        QCOMPARE(ReadBytes(), QByteArray("; kept\r\n[Preferences]\r\nLogo = 0\r\n\r\n"
                                         "[FileList]\r\nFileCount=3\r\n"
                                         "File1Caption=Report.rtf\r\nFile1FileName=/home/u/report.rtf\r\n"
                                         "File2Caption=Notes.txt\r\nFile2FileName=/home/u/notes.txt\r\n"
                                         "File3Caption=Bolts.dat\r\nFile3FileName=C:\\Bolts.dat\r\n"));
    }

    // Every preference in one write, each key spelt and placed as readers of the file expect.
    void PreferencesWrittenInFull() {
        TSettings s = Make();
        TPreferences p;
        p.BottomColour = qint32(0x0000FF);
        p.ToolBar[0] = false;
        s.SetPreferences(p);
        QCOMPARE(ReadBytes(),
                 QByteArray("[Preferences]\r\nCopyright=1\r\nLogo=1\r\nTopColour=16711680\r\n"
                            "BottomColour=255\r\nWindowMaximise=0\r\nWindowSize=0\r\n"
                            "ToolWindowMaximise=1\r\nQuickListLength=4\r\nFontStyle=Courier New\r\n"
                            "FontSize=8\r\nFontColour=0\r\nBold=0\r\nUnderline=0\r\nItallics=0\r\n"
                            "Strikeout=0\r\nDictionary=None\r\nCustom=None\r\nToolBar1=0\r\n"
                            "ToolBar2=1\r\nToolBar3=1\r\nToolBar4=1\r\nToolBar5=1\r\nToolBar6=1\r\n"));
    }

    void MenuEntries() {
        TSettings s = Make();
        WriteBytes("[FileList]\r\nFileCount=4\r\nFile1Caption=A.rtf\r\nFile1FileName=/x/A.rtf\r\n"
                   "File2FileName=/x/b.rtf\r\nFile3Caption=C.rtf\r\n");
        QCOMPARE(s.QuickListMenuEntries(),
                 (TEntries{{"A.rtf", "/x/A.rtf"}, {"Error.rtf", "/x/b.rtf"},
                           {"C.rtf", "Error.rtf"}, {"Error.rtf", "Error.rtf"}}));
        // Opening entry 3 uses the full default path.
        QCOMPARE(s.QuickListFileName(3), Dir.filePath(QStringLiteral("bin/Error.rtf")));
        s.SetQuickListLength(2);
        QCOMPARE(s.QuickListMenuEntries().size(), 2);
        QCOMPARE(s.FileCount(), 4);
        s.SetQuickListLength(0);
        QVERIFY(s.QuickListMenuEntries().isEmpty());
    }

    void HostileCounts_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("fileCount");
        QTest::addColumn<int>("messageCount");
        QTest::newRow("negative") << QByteArray("[FileList]\r\nFileCount=-3\r\n[Messaging]\r\nMessageCount=-9\r\n")
                                  << 0 << 0;
        QTest::newRow("huge") << QByteArray("[FileList]\r\nFileCount=2000000000\r\n[Messaging]\r\nMessageCount=2147483647\r\n")
                              << int(TSettings::MaxQuickListEntries) << int(TSettings::MaxMessageCount);
        QTest::newRow("not a number") << QByteArray("[FileList]\r\nFileCount=many\r\n[Messaging]\r\nMessageCount=x\r\n")
                                      << 0 << 0;
    }
    void HostileCounts() {
        QFETCH(QByteArray, stored);
        QFETCH(int, fileCount);
        QFETCH(int, messageCount);
        WriteBytes(stored);
        TSettings s = Make();
        QCOMPARE(s.FileCount(), fileCount);
        QCOMPARE(s.MessageCount(), messageCount);
        s.AddToQuickList(QStringLiteral("/f/new.dat"));
        QVERIFY(s.FileCount() <= TSettings::MaxQuickListEntries);
        QCOMPARE(s.QuickListFileName(1), QStringLiteral("/f/new.dat"));
        QVERIFY(s.IncrementMessageCount() <= TSettings::MaxMessageCount);
    }

    // "Clear Quick List" erases FileList and Size; "Reset" erases Preferences only.
    void ClearAndReset() {
        TSettings s = Make();
        s.SetQuickListLength(3);
        s.SetBold(true);
        s.AddToQuickList(QStringLiteral("/f/a.rtf"));
        s.SetWindowPlacement({10, 20, 30, 40});
        s.IncrementMessageCount();

        s.ResetPreferences();
        const QByteArray reset = ReadBytes();
        QVERIFY(!reset.contains("[Preferences]"));
        QVERIFY(!reset.contains("Bold"));
        QCOMPARE(s.QuickListLength(), 4);
        QCOMPARE(s.FileCount(), 1);
        QCOMPARE(s.WindowPlacement().Width, 40);
        QCOMPARE(s.MessageCount(), 1);

        s.SetLogo(false);
        s.ClearQuickList();
        QCOMPARE(s.FileCount(), 0);
        QCOMPARE(s.WindowPlacement().Width, 889);
        QVERIFY(!s.Logo());
        QCOMPARE(s.MessageCount(), 1);
        QVERIFY(!ReadBytes().contains("[Size]"));
    }

    void MessageCount() {
        TSettings s = Make();
        QCOMPARE(s.IncrementMessageCount(), 1);
        QCOMPARE(s.IncrementMessageCount(), 2);
        QCOMPARE(TSettings(Path).MessageCount(), 2);
        QCOMPARE(s.TakeMessageCount(), 2);
        QCOMPARE(s.MessageCount(), 0);
        QVERIFY(ReadBytes().contains("[Messaging]\r\nMessageCount=0\r\n"));
    }

    void WindowPlacement() {
        TSettings s = Make();
        WriteBytes("[size]\r\nwidth=1000\r\nLeft=oops\r\n");
        const TWindowPlacement p = s.WindowPlacement();
        QCOMPARE(QList<int>({p.Left, p.Height, p.Top, p.Width}), QList<int>({126, 600, 131, 1000}));
        s.EraseWindowPlacement();
        QCOMPARE(s.WindowPlacement().Width, 889);
    }

    // The names the preferences dialog shows in its dictionary fields.
    void DialogDictionaries_data() {
        QTest::addColumn<QString>("stored");       // "" for none
        QTest::addColumn<QStringList>("existing"); // files made below the test folder
        QTest::addColumn<QString>("program");      // program path below the test folder
        QTest::addColumn<QString>("expected");     // below the test folder, or as it is
        QTest::newRow("nothing: beside the program")
            << "" << QStringList() << "bin/fastenex" << "bin/Dictionary.dic";
        QTest::newRow("stored name that exists")
            << "words/main.dic" << QStringList{"words/main.dic", "system/Quorvane/Dictionary.dic"}
            << "bin/fastenex" << "words/main.dic";
        QTest::newRow("stored name missing: the maker's shared file")
            << "words/gone.dic" << QStringList{"system/Quorvane/Dictionary.dic"} << "bin/fastenex"
            << "system/Quorvane/Dictionary.dic";
        QTest::newRow("the user's shared file comes first")
            << "" << QStringList{"user/Quorvane/Dictionary.dic", "system/Quorvane/Dictionary.dic"}
            << "bin/fastenex" << "user/Quorvane/Dictionary.dic";
        QTest::newRow("a folder of that name is no file")
            << "words" << QStringList{"words/x"} << "bin/fastenex" << "bin/Dictionary.dic";
        QTest::newRow("under Program Files")
            << "" << QStringList() << "Program Files/Quorvane/fastenex"
            << "Program Files/Common Files/Dictionary.dic";
    }
    void DialogDictionaries() {
        QFETCH(QString, stored);
        QFETCH(QStringList, existing);
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QStringList made;
        for (const QString& file : existing)
            made << file << QString(file).replace(QStringLiteral("Dictionary.dic"),
                                                  QStringLiteral("Custom.dic"));
        for (const QString& file : made)
            Touch(file);
        TSettings s = Make();
        s.Folders.ProgramPath = Dir.filePath(program);
        if (!stored.isEmpty()) {
            s.SetDictionary(Dir.filePath(stored));
            s.SetCustom(Dir.filePath(stored));
        }
        QCOMPARE(s.DialogDictionary(), Dir.filePath(expected));
        // With no custom dictionary anywhere, the one the checker would make.
        const QString custom = Dir.filePath(QString(expected).replace(
            QStringLiteral("Dictionary.dic"), QStringLiteral("Custom.dic")));
        QCOMPARE(s.DialogCustom(), QFileInfo(custom).isFile() || !expected.startsWith(QLatin1String("bin/"))
                                      ? custom
                                      : s.SpellCheckerCustom());
        for (const QString& file : made)
            QFile::remove(Dir.filePath(file));
    }

    void Location() {
        const QString chosen = Dir.filePath(QStringLiteral("elsewhere.ini"));
        TSettings::SetLocation(chosen);
        QCOMPARE(TSettings().FileName(), chosen);
        TSettings::SetLocation({});
        QVERIFY(TSettings().FileName().endsWith(QStringLiteral("/fastenex.ini")));
        QCOMPARE(TSettings::Location(), TSettings::DefaultLocation());
    }
};

QTEST_GUILESS_MAIN(TstTSettings)
#include "tst_tsettings.moc"
