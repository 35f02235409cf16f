#include "foundation/tplatformerror.h"
#include "spell/tspelldictionaries.h"
#include "trecordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstTSpellDictionaries : public QObject {
    Q_OBJECT

private:
    static QString WriteFile(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    static QByteArray ReadAll(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private slots:
    void DictionaryStatusText_data() {
        QTest::addColumn<QStringList>("custom");
        QTest::addColumn<QString>("customLine");
        QTest::newRow("none") << QStringList() << QStringLiteral("\nThere are 0 words in the custom dictionary");
        QTest::newRow("one") << QStringList({"bolt"}) << QStringLiteral("\nThere is 1 word in the custom dictionary");
        QTest::newRow("two") << QStringList({"bolt", "Bolt"})
                             << QStringLiteral("\nThere are 2 words in the custom dictionary");
    }
    void DictionaryStatusText() {
        QFETCH(QStringList, custom);
        QFETCH(QString, customLine);
        TRecordingHost host;
        TSpellDictionaries d(&host);
        d.MainDictionaryFile = QStringLiteral("/data/Dictionary.dic");
        d.CustomDictionaryFile = QStringLiteral("/data/Custom.dic");
        d.MainDictionary.Assign({"a", "b", "c"});
        d.CustomDictionary.Assign(custom);
        const QString expected = QStringLiteral(
            "The Main Dictionary Filename is:-\n\"/data/Dictionary.dic\"\n\nThere are 3 words in the "
            "main dictionary\n\nThe Custom Dictionary Filename is:-\n\"/data/Custom.dic\"\n") + customLine;
        QCOMPARE(d.DictionaryStatus(), expected);
        d.ShowDictionaryStatus();
        QCOMPARE(host.Messages, QStringList(QStringLiteral("Dictionary Status: ") + expected));
    }

    void LocatesByTheFourSteps_data() {
        QTest::addColumn<QStringList>("present");  // files that exist, relative to the root
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("warned");
        const QStringList all = {"settings/Custom.dic", "user/Quorvane/Custom.dic",
                                 "system/Quorvane/Custom.dic", "program/Custom.dic"};
        const QString program = "program/fastenex";
        const QString programFiles = "Program Files/Quorvane/fastenex";
        QTest::newRow("settings") << all << program << "settings/Custom.dic" << false;
        QTest::newRow("user shared folder") << all.mid(1) << program << "user/Quorvane/Custom.dic" << false;
        QTest::newRow("system shared folder") << all.mid(2) << program << "system/Quorvane/Custom.dic" << false;
        QTest::newRow("program folder") << all.mid(3) << program << "program/Custom.dic" << false;
        QTest::newRow("under Program Files") << QStringList() << programFiles
                                             << "Program Files/Common Files/Custom.dic" << false;
        QTest::newRow("none found") << QStringList() << program << "settings/Custom.dic" << true;
        QTest::newRow("a folder of that name is no file")
            << QStringList({"settings/Custom.dic/x"}) << program << "settings/Custom.dic" << true;
    }
    void LocatesByTheFourSteps() {
        QFETCH(QStringList, present);
        QFETCH(QString, program);
        QFETCH(QString, chosen);
        QFETCH(bool, warned);
        QTemporaryDir root;
        for (const QString& file : present)
            WriteFile(root.filePath(file), "word\r\n");
        const TSharedFolders folders({root.filePath("user"), root.filePath("system")},
                                     root.filePath(program));
        const QString setting = root.filePath("settings/Custom.dic");
        QString warning;
        const QString name = TSpellDictionaries::LocateDictionary(TDictionaryKind::Custom, setting,
                                                                  folders, &warning);
        QCOMPARE(name, root.filePath(chosen));
        if (warned)
            QCOMPARE(warning, QStringLiteral("Unable to Find the Custom Dictionary.\nUsing the default "
                                             "custom dictionary\n\"") + setting + "\"");
        else
            QVERIFY(warning.isEmpty());
    }

    // A missing dictionary is warned about, starts empty and is created where the settings say.
    void MissingDictionaryWarnsAndIsCreatedOnWriteBack() {
        QTemporaryDir root;
        WriteFile(root.filePath("program/Custom.dic"), "Fastenex\r\n");
        const TSharedFolders folders({root.filePath("data")}, root.filePath("program/fastenex"));
        TRecordingHost host;
        TSpellDictionaries d(&host);
        const QString mainName = root.filePath("missing/Dictionary.dic");
        d.LoadDictionaries(mainName, root.filePath("elsewhere/Custom.dic"), folders);
        QCOMPARE(host.Messages,
                 QStringList(QStringLiteral("Warning: Unable to Find the Main Dictionary.\nUsing the "
                                            "default main dictionary\n\"") + mainName + "\""));
        QCOMPARE(d.MainDictionaryFile, mainName);
        QCOMPARE(d.MainDictionary.Count(), 0);
        QCOMPARE(d.CustomDictionaryFile, root.filePath("program/Custom.dic"));
        QCOMPARE(d.CustomDictionary.Entries(), QStringList({"Fastenex"}));

        d.MainDictionary.AddUnique(QStringLiteral("washer"));
        d.MainDictionaryModified = true;
        d.WriteBackDictionaries();
        QCOMPARE(ReadAll(mainName), QByteArray("washer\r\n"));
        // The unchanged custom dictionary is not rewritten.
        QCOMPARE(ReadAll(root.filePath("program/Custom.dic")), QByteArray("Fastenex\r\n"));
    }

    void WritesBackOnlyModifiedLists() {
        QTemporaryDir root;
        const QString mainName = WriteFile(root.filePath("Dictionary.dic"), "b\nA\n");
        const QString customName = WriteFile(root.filePath("Custom.dic"), "z\ny\n");
        TSpellDictionaries d;
        d.LoadDictionaries(mainName, customName, TSharedFolders({root.filePath("data")}, root.filePath("program/fastenex")));
        d.AddToCustomDictionary(QStringLiteral("Y"));
        d.AddToIgnoreAllList(QStringLiteral("qqq"));
        QVERIFY(d.CustomDictionaryModified);
        d.WriteBackDictionaries();
        QCOMPARE(ReadAll(mainName), QByteArray("b\nA\n"));
        QCOMPARE(ReadAll(customName), QByteArray("y\r\nY\r\nz\r\n"));
        QCOMPARE(d.IgnoreAllList.Count(), 1);
    }

    void CleansImportedWords_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("clean");
        QTest::newRow("apostrophe stays") << "Don't" << "don't";
        QTest::newRow("hyphen goes") << "e-mail" << "email";
        QTest::newRow("digits go") << "123" << "";
        QTest::newRow("inner punctuation") << "(M12.5/bolt)" << "mbolt";
        QTest::newRow("capitals") << "THE" << "the";
    }
    void CleansImportedWords() {
        QFETCH(QString, word);
        QFETCH(QString, clean);
        QCOMPARE(TSpellDictionaries::CleanImportedWord(word), clean);
    }

    void AddsFileToMainDictionary() {
        QTemporaryDir root;
        const QString mainName = WriteFile(root.filePath("Dictionary.dic"), "London\r\nnut\r\n");
        QByteArray source = "The the THE\r\nDon't e-mail 123 London\tcaf\xC3\xA9s\r\n";
        for (int i = 0; i < 65; ++i)
            source += "word" + QByteArray::number(i % 3) + "x ";
        const QString sourceName = WriteFile(root.filePath("words.txt"), source);
        TRecordingHost host;
        TSpellDictionaries d(&host);
        d.LoadDictionaries(mainName, root.filePath("Custom.dic"), TSharedFolders({root.filePath("data")}, root.filePath("program/fastenex")));
        QStringList progress;
        d.ImportProgress = [&](const QString& word) { progress << word; };
        d.AddFileToMainDictionary(sourceName);

        // The, the and THE give one entry; London is there already (in capitals); the accented
        // letter splits "cafés".
        QCOMPARE(d.MainDictionary.Entries(),
                 QStringList({"caf", "don't", "email", "London", "nut", "s", "the", "wordx"}));
        QVERIFY(d.MainDictionaryModified);
        QCOMPARE(ReadAll(mainName), QByteArray("caf\r\ndon't\r\nemail\r\nLondon\r\nnut\r\ns\r\nthe\r\nwordx\r\n"));
        QCOMPARE(ReadAll(TSpellDictionaries::BackupFileName(mainName)), QByteArray("London\r\nnut\r\n"));
        // 74 words: progress after the 30th and the 60th.
        QCOMPARE(progress, QStringList({"wordx", "wordx"}));
        QCOMPARE(host.CursorDepth, 0);
        QCOMPARE(host.MaxCursorDepth, 1);
    }

    void ImportOfMissingSourceChangesNothing() {
        QTemporaryDir root;
        const QString mainName = WriteFile(root.filePath("Dictionary.dic"), "nut\r\n");
        TRecordingHost host;
        TSpellDictionaries d(&host);
        d.LoadDictionaries(mainName, root.filePath("Custom.dic"), TSharedFolders({root.filePath("data")}, root.filePath("program/fastenex")));
        QVERIFY_THROWS_EXCEPTION(TPlatformError, d.AddFileToMainDictionary(root.filePath("none.txt")));
        QCOMPARE(d.MainDictionary.Entries(), QStringList({"nut"}));
        QCOMPARE(host.CursorDepth, 0);
    }

    void BackupFileNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("backup");
        QTest::newRow("dic") << "/a/Dictionary.dic" << "/a/Dictionary - backup copy.dic";
        QTest::newRow("other extension") << "/a/words.txt" << "/a/words - backup copy.dic";
        QTest::newRow("no extension") << "/a.b/words" << "/a.b/words - backup copy.dic";
    }
    void BackupFileNames() {
        QFETCH(QString, name);
        QFETCH(QString, backup);
        QCOMPARE(TSpellDictionaries::BackupFileName(name), backup);
    }
};

QTEST_GUILESS_MAIN(TstTSpellDictionaries)
#include "tst_tspelldictionaries.moc"
