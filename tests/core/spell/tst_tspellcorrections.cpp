#include "spell/tspellcorrections.h"
#include "spell/tspelldictionaries.h"
#include "tspelldecisions.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

class TstTSpellCorrections : public QObject {
    Q_OBJECT

private slots:
    // The corrections written into a document holding the checked text give the checker's
    // corrected text, also when a replacement has another number of words or a repeated word
    // goes; line breaks outside the corrections stay, and one Undo takes them all back.
    void ApplyGivesCheckedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("decisions");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one word becomes two")
            << "i have alot of words here" << QStringList{"R:a lot"} << "i have a lot of words here";
        QTest::newRow("two words become one")
            << "the cat s at on the mat" << QStringList{"R:sat", "R:"}
            << "the cat sat  on the mat";
        QTest::newRow("repeated word removed")
            << "the cat cat sat on the mat" << QStringList{"R"} << "the cat sat on the mat";
        QTest::newRow("three in a row") << "the cat cat cat sat" << QStringList{"R", "R"}
                                        << "the cat sat";
        QTest::newRow("mixed") << "alot the the mat zzz words" << QStringList{"R:a lot", "R", "R:on"}
                               << "a lot the mat on words";
        QTest::newRow("repeat removal reaches into a typed replacement")
            << "cat xx xx mat" << QStringList{"R:cat ", "R"} << "cat cat mat";
        QTest::newRow("repeat over a line break") << "the\nthe cat\nsat" << QStringList{"R"}
                                                  << "the cat\nsat";
        QTest::newRow("exit in the middle") << "alot of zzz words" << QStringList{"R:a lot", "X"}
                                            << "a lot of zzz words";
    }
    void ApplyGivesCheckedText() {
        QFETCH(QString, text);
        QFETCH(QStringList, decisions);
        QFETCH(QString, expected);
        TSpellDictionaries dictionaries;
        dictionaries.MainDictionary.Assign({"a", "lot", "of", "the", "cat", "sat", "on", "mat",
                                            "words", "here", "i", "have"});
        TSpellEngine engine(dictionaries);
        const TSpellCorrections result = RunSpellDecisions(engine, text, decisions);
        QVERIFY(!result.Aborted());

        // Two paragraphs before the checked text, so that positions are offset.
        QTextDocument document;
        document.setPlainText(QStringLiteral("before\nand ") + text + QStringLiteral(" after"));
        const qsizetype change = result.Apply(document, 11);
        QCOMPARE(document.toPlainText(), QStringLiteral("before\nand ") + expected +
                                             QStringLiteral(" after"));
        QCOMPARE(change, expected.size() - text.size());
        QCOMPARE(result.MapPosition(text.size()), expected.size());
        // The corrected text of the checker, but for the line breaks it saw as spaces.
        QCOMPARE(result.CheckedText, QString(expected).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        // One Undo takes all the corrections back.
        document.undo();
        QCOMPARE(document.toPlainText(), QStringLiteral("before\nand ") + text + QStringLiteral(" after"));
    }

};

QTEST_MAIN(TstTSpellCorrections)
#include "tst_tspellcorrections.moc"
