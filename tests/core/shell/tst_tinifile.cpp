#include "foundation/tplatformerror.h"
#include "shell/tinifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

class TstTIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

    QString PathOf(const QString& name) const { return Dir.filePath(name); }
    static void WriteBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray ReadBytes(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

private slots:
    // A file written by hand, read back key by key.
    void ReadHandWritten_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QByteArray crlf = "[Preferences]\r\nFontStyle=Arial\r\nQuickListLength=6\r\n";
        QTest::newRow("CR LF") << crlf << "Preferences" << "FontStyle" << "Arial";
        QTest::newRow("LF only") << QByteArray("[Preferences]\nFontStyle=Arial\nBold=1\n")
                                 << "Preferences" << "Bold" << "1";
        QTest::newRow("CR only") << QByteArray("[Preferences]\rFontStyle=Arial\rBold=1")
                                 << "Preferences" << "Bold" << "1";
        QTest::newRow("odd letter case of section and key")
            << crlf << "PREFERENCES" << "fontstyle" << "Arial";
        QTest::newRow("blanks around names and values")
            << QByteArray("  [ Preferences ]  \r\n  FontStyle  =  Times New Roman \t\r\n")
            << "Preferences" << "FontStyle" << "Times New Roman";
        QTest::newRow("first entry of a key wins")
            << QByteArray("[A]\r\nK=first\r\nk=second\r\n") << "A" << "K" << "first";
        QTest::newRow("sections of one name count as one")
            << QByteArray("[A]\r\nX=1\r\n[B]\r\nK=b\r\n[a]\r\nK=a2\r\n") << "A" << "K" << "a2";
        QTest::newRow("value may hold =") << QByteArray("[A]\r\nK=x=y\r\n") << "A" << "K" << "x=y";
        QTest::newRow("empty value") << QByteArray("[A]\r\nK=\r\n") << "A" << "K" << "";
        QTest::newRow("key in another section is not seen")
            << QByteArray("[B]\r\nK=b\r\n") << "A" << "K" << "<none>";
        QTest::newRow("entries before any section are not seen")
            << QByteArray("K=x\r\n[A]\r\n") << "A" << "K" << "<none>";
        QTest::newRow("a line without = is no key")
            << QByteArray("[A]\r\nK\r\n") << "A" << "K" << "<none>";
        QTest::newRow("unclosed bracket opens no section")
            << QByteArray("[A]\r\n[B\r\nK=a\r\n") << "A" << "K" << "a";
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[A]\r\nK=v\r\n") << "A" << "K"
                                         << "v";
        QTest::newRow("repeated byte-order marks")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[A]\r\nK=v\r\n") << "A" << "K" << "v";
        QTest::newRow("UTF-8 value") << QByteArray("[A]\r\nK=M\xC3\xBCller\r\n") << "A" << "K"
                                     << QString::fromUtf8("M\xC3\xBCller");
        QTest::newRow("Latin-1 value") << QByteArray("[A]\r\nK=\xA3 5\r\n") << "A" << "K"
                                       << QString::fromUtf8("\xC2\xA3 5");
        QTest::newRow("comment lines are kept apart")
            << QByteArray("; note\r\n[A]\r\n;K=old\r\nK=new\r\n") << "A" << "K" << "new";
        QTest::newRow("Windows code page value")
            << QByteArray("[A]\r\nK=Smith\x92s \x80 5 \x96 \x81\r\n") << "A" << "K"
            << QString::fromUtf8("Smith\xE2\x80\x99s \xE2\x82\xAC 5 \xE2\x80\x93 \xC2\x81");
        QTest::newRow("a commented-out key is no key")
            << QByteArray("[A]\r\n  ; K=old\r\n") << "A" << "; K" << "<none>";
        QTest::newRow("double quotes around the value")
            << QByteArray("[A]\r\nK = \"Courier New\" \r\n") << "A" << "K" << "Courier New";
        QTest::newRow("single quotes around the value")
            << QByteArray("[A]\r\nK='/a b/c.rtf'\r\n") << "A" << "K" << "/a b/c.rtf";
        QTest::newRow("only one pair of quotes goes")
            << QByteArray("[A]\r\nK=\"\"x\"\"\r\n") << "A" << "K" << "\"x\"";
        QTest::newRow("unmatched quotes stay")
            << QByteArray("[A]\r\nK=\"x'\r\n") << "A" << "K" << "\"x'";
        QTest::newRow("quotes inside stay")
            << QByteArray("[A]\r\nK=a \"b\" c\r\n") << "A" << "K" << "a \"b\" c";
        QTest::newRow("a lone quote stays") << QByteArray("[A]\r\nK=\"\r\n") << "A" << "K"
                                            << "\"";
        QTest::newRow("empty quotes are an empty value")
            << QByteArray("[A]\r\nK=\"\"\r\n") << "A" << "K" << "";
        QTest::newRow("UTF-16 little-endian")
            << QByteArray("\xFF\xFE[\0A\0]\0\r\0\n\0K\0=\0\xFC\0\r\0\n\0", 22) << "A" << "K"
            << QString::fromUtf8("\xC3\xBC");
        QTest::newRow("UTF-16 big-endian")
            << QByteArray("\xFE\xFF\0[\0A\0]\0\n\0K\0=\0v", 16) << "A" << "K" << "v";
        QTest::newRow("very long value")
            << QByteArray("[A]\r\nK=" + QByteArray(100000, 'x') + "\r\nL=1\r\n") << "A" << "K"
            << QString(100000, QLatin1Char('x'));
    }
    void ReadHandWritten() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QString path = PathOf(QStringLiteral("hand.ini"));
        WriteBytes(path, bytes);
        QCOMPARE(TIniFile(path).ReadString(section, key, QStringLiteral("<none>")), value);
    }

    void Integers_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("value");
        QTest::newRow("decimal") << "16711680" << 16711680;
        QTest::newRow("negative") << "-16777201" << -16777201;
        QTest::newRow("plus sign") << "+7" << 7;
        QTest::newRow("blanks") << " 12 " << 12;
        QTest::newRow("hexadecimal 0x") << "0xFF0000" << 0xFF0000;
        QTest::newRow("hexadecimal $") << "$ff" << 255;
        QTest::newRow("top bit pattern") << "$FFFFFFFF" << -1;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
        QTest::newRow("overflow gives the default") << "2147483648" << -99;
        QTest::newRow("long overflow") << "99999999999999999999999" << -99;
        QTest::newRow("hex too long") << "0x1FFFFFFFF" << -99;
        QTest::newRow("trailing text") << "12abc" << -99;
        QTest::newRow("decimal point") << "1.5" << -99;
        QTest::newRow("word") << "true" << -99;
        QTest::newRow("empty") << "" << -99;
        QTest::newRow("sign alone") << "-" << -99;
        QTest::newRow("0x alone") << "0x" << -99;
    }
    void Integers() {
        QFETCH(QString, stored);
        QFETCH(int, value);
        const QString path = PathOf(QStringLiteral("int.ini"));
        WriteBytes(path, "[A]\r\nK=" + stored.toUtf8() + "\r\n");
        QCOMPARE(TIniFile(path).ReadInteger(QStringLiteral("A"), QStringLiteral("K"), -99), value);
    }

    void Booleans_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<bool>("value");
        QTest::newRow("1") << "1" << false << true;
        QTest::newRow("0") << "0" << true << false;
        QTest::newRow("any non-zero number") << "-5" << false << true;
        QTest::newRow("text gives the default (true)") << "yes" << true << true;
        QTest::newRow("text gives the default (false)") << "true" << false << false;
    }
    void Booleans() {
        QFETCH(QString, stored);
        QFETCH(bool, fallback);
        QFETCH(bool, value);
        const QString path = PathOf(QStringLiteral("bool.ini"));
        WriteBytes(path, "[A]\r\nK=" + stored.toUtf8() + "\r\n");
        QCOMPARE(TIniFile(path).ReadBool(QStringLiteral("A"), QStringLiteral("K"), fallback), value);
    }

    void MissingFileGivesDefaultsAndIsNotCreatedByReads() {
        const QString path = PathOf(QStringLiteral("missing.ini"));
        TIniFile ini(path);
        QCOMPARE(ini.ReadString(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ini.ReadInteger(QStringLiteral("A"), QStringLiteral("K"), 4), 4);
        QVERIFY(!ini.SectionExists(QStringLiteral("A")));
        ini.EraseSection(QStringLiteral("A"));
        QVERIFY(!QFile::exists(path));
    }

    void WritesKeepOrderSpellingAndOtherLines() {
        const QString path = PathOf(QStringLiteral("keep.ini"));
        WriteBytes(path, "; settings\n[preferences]\nFONTSTYLE = Arial\n\n[Other]\nX=1\n");
        TIniFile ini(path);
        ini.WriteString(QStringLiteral("Preferences"), QStringLiteral("FontStyle"),
                        QStringLiteral("Courier New"));
        ini.WriteBool(QStringLiteral("Preferences"), QStringLiteral("Bold"), true);
        ini.WriteInteger(QStringLiteral("Size"), QStringLiteral("Left"), -20);
        ini.WriteBool(QStringLiteral("Other"), QStringLiteral("Y"), false);
        QCOMPARE(ReadBytes(path), QByteArray("; settings\r\n[preferences]\r\nFONTSTYLE=Courier "
                                             "New\r\nBold=1\r\n\r\n[Other]\r\nX=1\r\nY=0\r\n\r\n"
                                             "[Size]\r\nLeft=-20\r\n"));
    }

    void EraseSectionRemovesEveryPartOfIt() {
        const QString path = PathOf(QStringLiteral("erase.ini"));
        WriteBytes(path, "[FileList]\r\nFileCount=1\r\n\r\n[Size]\r\nLeft=1\r\n[filelist]\r\n"
                         "File1Caption=A\r\n");
        TIniFile ini(path);
        ini.EraseSection(QStringLiteral("FILELIST"));
        QVERIFY(!ini.SectionExists(QStringLiteral("FileList")));
        QCOMPARE(ini.ReadInteger(QStringLiteral("Size"), QStringLiteral("Left"), 0), 1);
        QCOMPARE(ReadBytes(path), QByteArray("[Size]\r\nLeft=1\r\n"));
    }

    void DeleteKeyRemovesEveryEntryOfIt() {
        const QString path = PathOf(QStringLiteral("delete.ini"));
        WriteBytes(path, "[A]\r\nK=1\r\nJ=2\r\nk=3\r\n");
        TIniFile ini(path);
        ini.DeleteKey(QStringLiteral("a"), QStringLiteral("K"));
        QVERIFY(!ini.ValueExists(QStringLiteral("A"), QStringLiteral("K")));
        QCOMPARE(ini.ReadSection(QStringLiteral("A")),
                 (QList<TIniEntry>{{QStringLiteral("J"), QStringLiteral("2")}}));
    }

    void ValuesCannotAddLines() {
        const QString path = PathOf(QStringLiteral("inject.ini"));
        TIniFile ini(path);
        ini.WriteString(QStringLiteral("FileList"), QStringLiteral("File1FileName"),
                        QStringLiteral("/tmp/a\r\n[Preferences]\nLogo=0"));
        QVERIFY(!ini.SectionExists(QStringLiteral("Preferences")));
        QCOMPARE(ini.ReadString(QStringLiteral("FileList"), QStringLiteral("File1FileName"), {}),
                 QStringLiteral("/tmp/a  [Preferences] Logo=0"));
    }

    // The reader drops one pair of quotes around a value, so the writer adds a pair where the
    // value has its own; every other value is written as given.
    void QuotedValuesReadBackEqual_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("two single quotes") << QStringLiteral("''") << QByteArray("K=\"''\"");
        QTest::newRow("two double quotes") << QStringLiteral("\"\"") << QByteArray("K=\"\"\"\"");
        QTest::newRow("quoted, blanks outside") << QStringLiteral(" 'a b' ") << QByteArray("K=\"'a b'\"");
        QTest::newRow("quoted, blanks inside") << QStringLiteral("\" a \"") << QByteArray("K=\"\" a \"\"");
        QTest::newRow("one quote") << QStringLiteral("'") << QByteArray("K='");
        QTest::newRow("unmatched") << QStringLiteral("'a\"") << QByteArray("K='a\"");
        QTest::newRow("plain") << QStringLiteral("C:\\a b") << QByteArray("K=C:\\a b");
    }
    void QuotedValuesReadBackEqual() {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        const QString path = PathOf(QStringLiteral("quotes.ini"));
        QFile::remove(path);
        TIniFile ini(path);
        ini.WriteString(QStringLiteral("A"), QStringLiteral("K"), value);
        QCOMPARE(ini.ReadString(QStringLiteral("A"), QStringLiteral("K"), {}), value.trimmed());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[A]\r\n") + line + "\r\n");
    }

    // A change waits for the lock another program holds on the file, and gives up after the
    // bounded wait with the file as it was.
    void LockedFileIsNotChanged() {
        const QString path = PathOf(QStringLiteral("locked.ini"));
        WriteBytes(path, "[A]\r\nK=1\r\n");
        QLockFile other(path + QStringLiteral(".lock"));
        QVERIFY(other.lock());
        const int timeout = TIniFile::LockTimeout;
        TIniFile::LockTimeout = 50;
        TIniFile ini(path);
        QVERIFY_THROWS_EXCEPTION(TPlatformError,
                                 ini.WriteInteger(QStringLiteral("A"), QStringLiteral("K"), 2));
        QCOMPARE(ini.ReadInteger(QStringLiteral("A"), QStringLiteral("K"), 0), 1);
        other.unlock();
        ini.WriteInteger(QStringLiteral("A"), QStringLiteral("K"), 2);
        TIniFile::LockTimeout = timeout;
        QCOMPARE(ini.ReadInteger(QStringLiteral("A"), QStringLiteral("K"), 0), 2);
        QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
    }

    // Nothing is cached: a change made by someone else is seen by the next read, and two
    // objects on one file see each other's writes.
    void ExternalChangeSeenByNextRead() {
        const QString path = PathOf(QStringLiteral("shared.ini"));
        WriteBytes(path, "[A]\r\nK=1\r\n");
        TIniFile first(path);
        TIniFile second(path);
        QCOMPARE(first.ReadInteger(QStringLiteral("A"), QStringLiteral("K"), 0), 1);
        WriteBytes(path, "[A]\r\nK=2\r\n");
        QCOMPARE(first.ReadInteger(QStringLiteral("A"), QStringLiteral("K"), 0), 2);
        second.WriteInteger(QStringLiteral("A"), QStringLiteral("K"), 3);
        QCOMPARE(first.ReadInteger(QStringLiteral("A"), QStringLiteral("K"), 0), 3);
        QFile::remove(path);
        QCOMPARE(first.ReadInteger(QStringLiteral("A"), QStringLiteral("K"), 0), 0);
    }

    void WriteCreatesMissingFolder() {
        const QString path = PathOf(QStringLiteral("new/folder/s.ini"));
        TIniFile(path).WriteString(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("v"));
        QCOMPARE(ReadBytes(path), QByteArray("[A]\r\nK=v\r\n"));
    }

    // A write that fails on the disk (here: the process may not write files this long) throws
    // and leaves the old file whole.
    void FailedWriteLeavesOldFileWhole() {
        const QString path = PathOf(QStringLiteral("whole.ini"));
        const QByteArray old = "[A]\r\nK=old\r\n";
        WriteBytes(path, old);
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        bool threw = false;
        try {
            TIniFile(path).WriteString(QStringLiteral("A"), QStringLiteral("K"),
                                       QString(200, QLatin1Char('x')));
        } catch (const TPlatformError& e) {
            threw = e.Text().contains(path);
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(threw);
        QCOMPARE(ReadBytes(path), old);
        QCOMPARE(QDir(Dir.path()).entryList({QStringLiteral("whole.ini*")}, QDir::Files),
                 QStringList{QStringLiteral("whole.ini")});
    }

    // What cannot be read whole is never replaced.
    void UnusableFileIsNotReplaced_data() {
        QTest::addColumn<bool>("folder");
        QTest::newRow("too large") << false;
        QTest::newRow("a folder") << true;
    }
    void UnusableFileIsNotReplaced() {
        QFETCH(bool, folder);
        const QString path = PathOf(QStringLiteral("unusable.ini"));
        QByteArray big;
        if (folder) {
            QVERIFY(QDir().mkpath(path));
        } else {
            big = "[A]\r\nK=v\r\n" + QByteArray(TIniFile::MaxFileSize, 'z') + "\r\n[B]\r\nL=1\r\n";
            WriteBytes(path, big);
        }
        TIniFile ini(path);
        QCOMPARE(ini.ReadString(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("d")),
                 folder ? QStringLiteral("d") : QStringLiteral("v"));
        QCOMPARE(ini.ReadInteger(QStringLiteral("B"), QStringLiteral("L"), 0), 0);
        QVERIFY_THROWS_EXCEPTION(
            TPlatformError, ini.WriteString(QStringLiteral("A"), QStringLiteral("K"), {}));
        if (folder)
            QVERIFY(QFileInfo(path).isDir());
        else
            QCOMPARE(QFileInfo(path).size(), qint64(big.size()));
        if (folder)
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }

    // Hostile bytes never crash a reader; a file that is no text is not taken for settings, and
    // no write replaces it.
    void BinaryInputSurvives() {
        const QString path = PathOf(QStringLiteral("binary.ini"));
        QByteArray bytes;
        quint32 seed = 12345;
        for (int i = 0; i < 200000; ++i) {
            seed = seed * 1103515245u + 12345u;
            bytes += char(seed >> 24);
        }
        bytes += "\n[A]\nK=v\n";
        WriteBytes(path, bytes);
        TIniFile ini(path);
        QCOMPARE(ini.ReadString(QStringLiteral("A"), QStringLiteral("K"), {}), QString());
        QCOMPARE(ini.Problem(), QStringLiteral("It is not a settings text."));
        QVERIFY_THROWS_EXCEPTION(TPlatformError, ini.WriteString(QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("w")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }
};

QTEST_GUILESS_MAIN(TstTIniFile)
#include "tst_tinifile.moc"
