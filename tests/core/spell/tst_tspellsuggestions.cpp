#include "spell/tspelldictionaries.h"
#include "spell/tspellsuggestions.h"

#include <QFileInfo>
#include <QTest>

class TstTSpellSuggestions : public QObject {
    Q_OBJECT

    TSpellDictionaries Shipped;

private slots:
    void initTestCase() {
        // The neighbours a search finds depend on the order of the dictionary, so the expected
        // lists below are those of the C locale's order.
        QLocale::setDefault(QLocale::c());
        const QString name = QStringLiteral(FASTENEX_BIN_DIR "/Dictionary.dic");
        if (QFileInfo(name).isFile())
            Shipped.MainDictionary.LoadFromFile(name);
    }

    void Score_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<int>("score");
        // 20 for the lengths, (30 + 1) / 4 for t in place and h one place off, (60 + 1) / 4 for
        // the three letters.
        QTest::newRow("teh, the") << "teh" << "the" << 42;
        QTest::newRow("same word") << "abc" << "abc" << 50;
        // (10 x -2 + 1) / 2 truncates toward zero to -9.
        QTest::newRow("negative letter points") << "ab" << "a" << 16;
        // A missing letter is charged each time it comes.
        QTest::newRow("missing letter repeated") << "xx" << "a" << -61;
        QTest::newRow("empty candidate") << "abc" << "" << -105;
        QTest::newRow("letter case counts") << "Teh" << "the" << 22;
        QTest::newRow("seven longer") << "a" << "abcdefgh" << 20;
        QTest::newRow("wierd, weird") << "wierd" << "weird" << 49;
        QTest::newRow("wierd, wield") << "wierd" << "wield" << 41;
    }
    void Score() {
        QFETCH(QString, word);
        QFETCH(QString, candidate);
        QFETCH(int, score);
        QCOMPARE(TSpellSuggestions::Score(word, candidate), score);
    }

    void RewriteRulesInOrder() {
        const auto& rules = TSpellSuggestions::RewriteRules();
        QCOMPARE(rules.size(), size_t(156));
        using R = std::pair<QString, QString>;
        QCOMPARE(rules[0], R("ei", "ie"));
        QCOMPARE(rules[3], R("th", "ht"));
        QCOMPARE(rules[4], R("i", "hi"));
        QCOMPARE(rules[10], R("ign", "ing"));
        QCOMPARE(rules[15], R("c", "s"));
        QCOMPARE(rules[16], R("a", "e"));
        QCOMPARE(rules[20], R("e", "a"));
        QCOMPARE(rules[35], R("u", "o"));
        QCOMPARE(rules[36], R("a", "s"));
        QCOMPARE(rules[52], R("q", "w"));
        QCOMPARE(rules[65], R("p", "o"));
        QCOMPARE(rules[66], R("z", "x"));
        QCOMPARE(rules[77], R("m", "n"));
        QCOMPARE(rules[78], R("aa", "a"));
        QCOMPARE(rules[104], R("a", ""));
        QCOMPARE(rules[129], R("z", ""));
        QCOMPARE(rules[130], R("a", "aa"));
        QCOMPARE(rules[155], R("z", "zz"));
    }

    void MatchCase_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("matched");
        QTest::newRow("small word") << "teh" << "The" << "the";
        QTest::newRow("capital word") << "Teh" << "the" << "The";
        QTest::newRow("capitals word") << "TEH" << "tHE" << "The";
        QTest::newRow("not a letter first") << "'teh" << "'THE" << "'the";
        QTest::newRow("empty entry") << "Teh" << "" << "";
    }
    void MatchCase() {
        QFETCH(QString, word);
        QFETCH(QString, entry);
        QFETCH(QString, matched);
        TSpellDictionaries d;
        TSpellSuggestions s(d);
        s.GenerateSuggestions(word);
        QCOMPARE(s.MatchCase(entry), matched);
    }

    void SuggestsFromBothDictionaries() {
        TSpellDictionaries d;
        d.MainDictionary.Assign({"aardvark", "tea", "teach", "the", "then", "they", "thew", "zoo"});
        // qf to qi stand between qeue and QUEUE, so QUEUE is no neighbour: it is found only as
        // the rewrite qu of q, and then scored as rewritten, not in the word's letter case.
        d.CustomDictionary.Assign({"QUEUE", "qf", "qg", "qh", "qi"});
        TSpellSuggestions s(d);
        s.GenerateSuggestions(QStringLiteral("qEUE"));
        QCOMPARE(s.Suggestions(), QStringList({"quEUE"}));
        QCOMPARE(s.ReplacementText, QStringLiteral("quEUE"));
        QCOMPARE(s.BestScore, 39);

        // The (30) and They (28) stay below the threshold; Thew scores 43.
        s.GenerateSuggestions(QStringLiteral("Thw"));
        QCOMPARE(s.Suggestions(), QStringList({"Thew"}));
        QCOMPARE(s.ReplacementText, QStringLiteral("Thew"));
        QCOMPARE(s.BestScore, 43);

        // A fresh run forgets the last one.
        s.GenerateSuggestions(QStringLiteral("xqxqxqxq"));
        QCOMPARE(s.SuggestionCount(), 0);
        QCOMPARE(s.ReplacementText, QStringLiteral("<none>"));
        QVERIFY(s.BestScore <= TSpellSuggestions::Threshold);
    }

    // A token of many thousands of letters gets its suggestions in reasonable time.
    void HugeWordEndsQuickly() {
        TSpellDictionaries d;
        d.MainDictionary.Assign({"aardvark", "bolt", "nut"});
        TSpellSuggestions s(d);
        QString word;
        for (int i = 0; i < 200000; ++i)
            word += QChar(u'a' + (i * 7) % 26);
        s.GenerateSuggestions(word);
        QCOMPARE(s.SuggestionCount(), 0);
        QCOMPARE(s.ReplacementText, QStringLiteral("<none>"));
    }

    void SuggestionsFromShippedDictionary_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QStringList>("suggestions");
        QTest::newRow("recieve") << "recieve" << "receive"
                                 << QStringList({"receivable", "receive", "received", "receiver", "recidivism",
                                                 "recidivist", "recipes", "recites", "reclusive"});
        QTest::newRow("definately") << "definately" << "definitely"
                                    << QStringList({"defiantly", "definitely", "definitively"});
        QTest::newRow("Londn") << "Londn" << "London"
                               << QStringList({"Landon", "Landon's", "London", "London's", "Londoner"});
        QTest::newRow("acommodate") << "acommodate" << "accommodate"
                                    << QStringList({"accommodate", "accommodated", "accommodates"});
        QTest::newRow("wierd") << "wierd" << "weird"
                               << QStringList({"weird", "weirder", "weirdest", "wield", "wiped", "wired"});
        QTest::newRow("occurence") << "occurence" << "occurrence"
                                   << QStringList({"occurred", "occurrence", "occurrence's", "occurrences"});
    }
    void SuggestionsFromShippedDictionary() {
        QFETCH(QString, word);
        QFETCH(QString, replacement);
        QFETCH(QStringList, suggestions);
        if (Shipped.MainDictionary.IsEmpty())
            QSKIP("the shipped main dictionary has not been made");
        TSpellSuggestions s(Shipped);
        s.GenerateSuggestions(word);
        QCOMPARE(s.ReplacementText, replacement);
        QCOMPARE(s.Suggestions(), suggestions);
    }

    void ShippedDictionaryIsSortedWithCrLf() {
        const QString name = QStringLiteral(FASTENEX_BIN_DIR "/Dictionary.dic");
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly))
            QSKIP("the shipped main dictionary has not been made");
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(Shipped.MainDictionary.Count() > 90000);
        QVERIFY(Shipped.MainDictionary.Contains(QStringLiteral("the")));
        QVERIFY(Shipped.MainDictionary.Contains(QStringLiteral("LONDON")));
        // In the file's own order, every entry is found where it stands.
        const QList<QByteArray> lines = bytes.left(bytes.size() - 2).split('\n');
        QCOMPARE(qsizetype(lines.size()), Shipped.MainDictionary.Count());
        for (qsizetype i = 0; i < lines.size(); i += 997) {
            const QString entry = QString::fromUtf8(lines[i].chopped(1));
            QCOMPARE(entry, Shipped.MainDictionary.At(i));
        }
    }
};

QTEST_GUILESS_MAIN(TstTSpellSuggestions)
#include "tst_tspellsuggestions.moc"
