#include "foundation/tplatformerror.h"
#include "spell/twordlist.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <random>

Q_DECLARE_METATYPE(QLocale)

class TstTWordList : public QObject {
    Q_OBJECT

private:
    static QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
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

    static void AddLocales() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom);
    }

private slots:
    void SearchIgnoresLetterCase_data() { AddLocales(); }
    void SearchIgnoresLetterCase() {
        QFETCH(QLocale, locale);
        TWordList list(locale);
        list.Assign({"zebra", "london", "Apple", "bolt", "nut"});
        QCOMPARE(list.Entries(), QStringList({"Apple", "bolt", "london", "nut", "zebra"}));
        for (const char* text : {"london", "London", "LONDON", "lOnDoN", "apple", "ZEBRA"})
            QVERIFY2(list.Contains(QString::fromLatin1(text)), text);
        QVERIFY(!list.Contains(QStringLiteral("londo")));
        QVERIFY(!list.Contains(QStringLiteral("londons")));
        // The position is where the text is, or would be inserted.
        QCOMPARE(list.Search(QStringLiteral("BOLT")).Position, 1);
        QCOMPARE(list.Search(QStringLiteral("aaa")).Position, 0);
        QCOMPARE(list.Search(QStringLiteral("c")).Position, 2);
        QCOMPARE(list.Search(QStringLiteral("zz")).Position, 5);
        QCOMPARE(list.Search(QStringLiteral("zz")).Found, false);
        QVERIFY(list.ContainsExactly(QStringLiteral("london")));
        QVERIFY(!list.ContainsExactly(QStringLiteral("London")));
    }

    void DuplicatesOnlyWhereAllowed_data() { AddLocales(); }
    void DuplicatesOnlyWhereAllowed() {
        QFETCH(QLocale, locale);
        TWordList list(locale);
        QVERIFY(list.AddUnique(QStringLiteral("the")));
        QVERIFY(!list.AddUnique(QStringLiteral("The")));
        QVERIFY(!list.AddUnique(QStringLiteral("THE")));
        QCOMPARE(list.Count(), 1);
        list.Add(QStringLiteral("The"));
        list.Add(QStringLiteral("the"));
        QCOMPARE(list.Entries(), QStringList({"the", "The", "the"}));
        // Equal entries loaded from a file stay.
        list.Assign({"b", "a", "B", "a"});
        QCOMPARE(list.Entries(), QStringList({"a", "a", "b", "B"}));
    }

    // Adding many words in one merge gives exactly what adding them one by one gives.
    void BulkAddEqualsSingleAdds_data() { AddLocales(); }
    void BulkAddEqualsSingleAdds() {
        QFETCH(QLocale, locale);
        std::mt19937 random(7);
        auto word = [&] {
            QString w;
            const int n = 1 + int(random() % 4);
            for (int i = 0; i < n; ++i)
                w += QChar(u"abcABC'-"[random() % 8]);
            return w;
        };
        QStringList start, added;
        for (int i = 0; i < 300; ++i)
            start << word();
        for (int i = 0; i < 500; ++i)
            added << word();
        TWordList single(locale), bulk(locale);
        single.Assign(start);
        bulk.Assign(start);
        qsizetype inserted = 0;
        for (const QString& w : added)
            inserted += single.AddUnique(w) ? 1 : 0;
        QCOMPARE(bulk.AddUniqueAll(added), inserted);
        QCOMPARE(bulk.Count(), single.Count());
        for (qsizetype i = 0; i < bulk.Count(); ++i)
            QCOMPARE(bulk.Search(bulk.At(i)).Position, single.Search(bulk.At(i)).Position);
        // A limit that would be passed leaves the list as it was.
        TWordList limited(locale);
        limited.Assign({"x"});
        QCOMPARE(limited.AddUniqueAll({"a", "b", "c"}, 3), -1);
        QCOMPARE(limited.Entries(), QStringList({"x"}));
        QCOMPARE(limited.AddUniqueAll({"a", "b", "X"}, 3), 2);
    }

    void LoadsEveryLineEnd() {
        QTemporaryDir dir;
        // CR LF, lone CR and lone LF end lines; entries are not trimmed; no final empty entry.
        const QString path = WriteFile(dir, QStringLiteral("d.dic"),
                                       "\xEF\xBB\xBFzulu\r\nalpha\rmike \nBravo\r\n\r\n");
        TWordList list(QLocale::c());
        list.LoadFromFile(path);
        QCOMPARE(list.Entries(), QStringList({"", "alpha", "Bravo", "mike ", "zulu"}));
    }

    void ReadsLatin1WhenNotUtf8() {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, QStringLiteral("d.dic"), "caf\xE9\r\nna\xEFve\r\n");
        TWordList list(QLocale::c());
        list.LoadFromFile(path);
        QCOMPARE(list.At(0), QString::fromUtf8("café"));
        QCOMPARE(list.At(1), QString::fromUtf8("naïve"));
    }

    void SavesSortedWithCrLf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("new/folder/d.dic"));
        TWordList list(QLocale::c());
        list.Assign({"nut", "Bolt", QString::fromUtf8("Öl"), "washer"});
        list.SaveToFile(path);
        QCOMPARE(ReadAll(path), QByteArray("Bolt\r\nnut\r\nwasher\r\n\xC3\x96l\r\n"));
        TWordList again(QLocale::c());
        again.LoadFromFile(path);
        QCOMPARE(again.Entries(), list.Entries());
    }

    void FailedSaveKeepsOldFile() {
        QTemporaryDir dir;
        const QString path = WriteFile(dir, QStringLiteral("d.dic"), "old\r\n");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        TWordList list;
        list.Assign({"new"});
        bool thrown = false;
        try {
            list.SaveToFile(path);
        } catch (const TPlatformError&) {
            thrown = true;
        }
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!thrown)
            QSKIP("running with rights that ignore folder permissions");
        QCOMPARE(ReadAll(path), QByteArray("old\r\n"));
    }

    void RefusesHostileFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("too many lines") << QByteArray(TWordList::MaxEntries + 1, '\n')
                                        << QStringLiteral("more than 2000000 lines");
        QTest::newRow("too large") << QByteArray(TWordList::MaxFileSize + 1, 'a')
                                   << QStringLiteral("larger than 64 MB");
    }
    void RefusesHostileFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = WriteFile(dir, QStringLiteral("d.dic"), bytes);
        bytes.clear();
        TWordList list;
        list.Assign({"kept"});
        try {
            list.LoadFromFile(path);
            QFAIL("no error");
        } catch (const TPlatformError& e) {
            QVERIFY2(e.Text().contains(message), qPrintable(e.Text()));
        }
        QCOMPARE(list.Entries(), QStringList({"kept"}));
    }

    void SurvivesBinaryFile() {
        QTemporaryDir dir;
        QByteArray bytes;
        std::mt19937 random(3);
        for (int i = 0; i < 200000; ++i)
            bytes += char(random() & 0xFF);
        TWordList list;
        list.LoadFromFile(WriteFile(dir, QStringLiteral("d.dic"), bytes));
        QVERIFY(list.Count() > 0);
        for (qsizetype i = 1; i < list.Count(); ++i)
            QVERIFY(list.Search(list.At(i)).Found);
    }

    // Files that do not know their size (as those of /proc) are read to their end.
    void ReadsFileOfUnknownSize() {
        if (!QFile::exists(QStringLiteral("/proc/self/maps")))
            QSKIP("no /proc");
        const QStringList lines = TWordList::ReadLines(QStringLiteral("/proc/self/maps"), TWordList::MaxEntries);
        QVERIFY(lines.size() > 10);
        QVERIFY(lines.last().size() > 10);
    }

    void MissingFileIsAnError() {
        TWordList list;
        QVERIFY_THROWS_EXCEPTION(TPlatformError, list.LoadFromFile(QStringLiteral("/nonexistent/x.dic")));
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(TPlatformError, list.LoadFromFile(dir.path()));
    }
};

QTEST_GUILESS_MAIN(TstTWordList)
#include "tst_twordlist.moc"
