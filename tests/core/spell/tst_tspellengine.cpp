#include "spell/tspelldictionaries.h"
#include "spell/tspellengine.h"

#include <QTest>

Q_DECLARE_METATYPE(TSpellProblem)

namespace {

const QStringList MainWords = {"the", "end", "this", "cat", "sat", "london", "nasa", "abc",
                               "and", "or",  "in",  "is",   "a",   "on",  "mat",    "more"};

// A dictionary set with the small main dictionary above and the given custom entries.
struct TFixture {
    TSpellDictionaries Dictionaries;
    TSpellEngine Engine{Dictionaries};

    explicit TFixture(const QStringList& custom = {}) {
        Dictionaries.MainDictionary.Assign(MainWords);
        Dictionaries.CustomDictionary.Assign(custom);
    }
    TSpellProblem Start(const QString& text) {
        Engine.SourceText = text;
        Engine.PrepareCheck();
        return Engine.ContinueCheck();
    }
};

} // namespace

class TstTSpellEngine : public QObject {
    Q_OBJECT

private slots:
    // The first problem a text shows, under the default options unless the options column says
    // otherwise: "n" numbers not ignored, "d" duplicates ignored, "i" irregular capitals ignored,
    // "s" no sentence capitals.
    void FirstProblem_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("custom");
        QTest::addColumn<TSpellProblem>("problem");
        QTest::addColumn<QString>("word");
        using P = TSpellProblem;
        const QStringList none;
        QTest::newRow("duplicate") << "the the" << "" << none << P::DuplicateWord << "the";
        QTest::newRow("duplicate over spaces") << "cat  sat sat" << "" << none << P::DuplicateWord << "sat";
        QTest::newRow("duplicate over a line break") << "the\r\nthe" << "" << none << P::DuplicateWord << "the";
        QTest::newRow("duplicates ignored") << "the the" << "d" << none << P::None << "";
        QTest::newRow("comma between") << "the, the" << "" << none << P::None << "";
        QTest::newRow("different capitals") << "The the" << "" << none << P::None << "";
        QTest::newRow("small letter after full stop") << "end. this" << "" << none
                                                      << P::LowerCaseSentenceStart << "this";
        QTest::newRow("after colon") << "end: this" << "" << none << P::LowerCaseSentenceStart << "this";
        QTest::newRow("sentence capitals off") << "end. this" << "s" << none << P::None << "";
        QTest::newRow("first word of the text") << "this is the end" << "" << none << P::None << "";
        QTest::newRow("capital at sentence start") << "end. The cat" << "" << none << P::None << "";
        QTest::newRow("first word capital") << "London is" << "" << none << P::None << "";
        QTest::newRow("proper name in main") << "in London" << "" << none << P::IrregularCapitalization << "London";
        QTest::newRow("proper name, irregular ignored") << "in London" << "i" << none << P::None << "";
        QTest::newRow("proper name, no sentence capitals") << "in London" << "s" << none << P::None << "";
        QTest::newRow("proper name in custom") << "in London" << "" << QStringList({"London"}) << P::None << "";
        QTest::newRow("custom entry in small letters") << "in London" << "" << QStringList({"london"})
                                                       << P::None << "";
        QTest::newRow("capitals only") << "in NASA" << "" << none << P::None << "";
        QTest::newRow("capitals only after stop") << "end. NASA" << "" << none << P::None << "";
        QTest::newRow("inner capital") << "in lonDon" << "" << none << P::IrregularCapitalization << "lonDon";
        QTest::newRow("inner capital ignored") << "in lonDon" << "i" << none << P::None << "";
        QTest::newRow("two capitals mid sentence") << "in LonDon" << "" << none << P::IrregularCapitalization << "LonDon";
        QTest::newRow("two capitals, no sentence capitals") << "in LonDon" << "s" << none << P::None << "";
        QTest::newRow("two capitals at sentence start") << "end. LonDon" << "s" << none
                                                        << P::IrregularCapitalization << "LonDon";
        QTest::newRow("two capitals at start, ignored") << "end. LonDon" << "i" << none << P::None << "";
        QTest::newRow("numbers ignored") << "12abc" << "" << none << P::None << "";
        QTest::newRow("numbers checked") << "12abc" << "n" << none << P::WordNotFound << "12abc";
        QTest::newRow("trailing digits ignored") << "abc99, cat" << "" << none << P::None << "";
        QTest::newRow("accent splits a word") << QString::fromUtf8("the\u00E9cat") << "" << none << P::None << "";
        QTest::newRow("accent leaves a part") << QString::fromUtf8("caf\u00E9") << "" << none
                                              << P::WordNotFound << "caf";
        QTest::newRow("slash stays inside") << "and/or" << "" << none << P::WordNotFound << "and/or";
        QTest::newRow("apostrophe stays") << "the 'cat'" << "" << none << P::WordNotFound << "'cat'";
        QTest::newRow("punctuation and numbers") << "12, 34!! 5.6 (7) -- \"99\"" << "" << none << P::None << "";
        QTest::newRow("empty") << "" << "" << none << P::None << "";
        QTest::newRow("spaces") << "   " << "" << none << P::None << "";
        QTest::newRow("not found") << "the cat sta on the mat" << "" << none << P::WordNotFound << "sta";
    }
    void FirstProblem() {
        QFETCH(QString, text);
        QFETCH(QString, options);
        QFETCH(QStringList, custom);
        QFETCH(TSpellProblem, problem);
        QFETCH(QString, word);
        TFixture f(custom);
        f.Engine.IgnoreNumbers = !options.contains('n');
        f.Engine.IgnoreDuplicateWords = options.contains('d');
        f.Engine.IgnoreIrregularCapitals = options.contains('i');
        f.Engine.SentenceCapital = !options.contains('s');
        QCOMPARE(f.Start(text), problem);
        QCOMPARE(f.Engine.Problem(), problem);
        if (problem == TSpellProblem::None) {
            QVERIFY(f.Engine.Complete());
            // Nothing is lost: the corrected text is the text with its separators made spaces.
            QString expected = text;
            for (QChar& c : expected)
                if (c.unicode() < 32 || c.unicode() > 127)
                    c = u' ';
            QCOMPARE(f.Engine.CheckedText, expected);
        } else {
            QCOMPARE(f.Engine.CurrentWord, word);
            QVERIFY(!f.Engine.Complete());
        }
    }

    void ProposalsAndShownText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("proposed");
        QTest::addColumn<QString>("description");
        QTest::newRow("duplicate") << "the the" << "the the" << "the" << "Duplicate Word Found";
        QTest::newRow("sentence start") << "end. this" << "this" << "This"
                                        << "Lower Case First Letter - should be upper case";
        QTest::newRow("irregular") << "in LoNdon" << "LoNdon" << "london" << "Irregular Capitalization";
        QTest::newRow("not found, no suggestion") << "zzzzzzzz" << "zzzzzzzz" << "<none>" << "Word Not Found";
        QTest::newRow("not found, suggestion") << "the catt" << "catt" << "cat" << "Word Not Found";
    }
    void ProposalsAndShownText() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, proposed);
        QFETCH(QString, description);
        TFixture f;
        QCOMPARE(TSpellEngine::ProblemText(f.Start(text)), description);
        QCOMPARE(f.Engine.ShownText(), shown);
        QCOMPARE(f.Engine.ProposedReplacement(), proposed);
    }

    void DuplicateRemovedByReplace() {
        TFixture f;
        QCOMPARE(f.Start("the the  cat"), TSpellProblem::DuplicateWord);
        QVERIFY(f.Engine.DuplicateMode());
        f.Engine.Replace(f.Engine.ProposedReplacement());
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::None);
        QVERIFY(f.Engine.Complete());
        QCOMPARE(f.Engine.CheckedText, QStringLiteral("the  cat"));
        QVERIFY(f.Engine.TextChanged);
    }

    void DuplicateKept_data() {
        QTest::addColumn<int>("decision");
        QTest::newRow("Ignore") << 0;
        QTest::newRow("Ignore All") << 1;
        QTest::newRow("Add") << 2;
        QTest::newRow("Exit") << 3;
    }
    void DuplicateKept() {
        QFETCH(int, decision);
        TFixture f;
        QCOMPARE(f.Start("the the cat"), TSpellProblem::DuplicateWord);
        switch (decision) {
        case 0: f.Engine.Ignore(); break;
        case 1: f.Engine.IgnoreAll(); break;
        case 2: f.Engine.AddWord(); break;
        default: f.Engine.AcceptRest(); break;
        }
        if (decision != 3)
            QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::None);
        QVERIFY(f.Engine.Complete());
        QCOMPARE(f.Engine.CheckedText, QStringLiteral("the the cat"));
        QVERIFY(!f.Engine.TextChanged);
        // Only "Add" teaches the custom dictionary, and it learns the pair as shown.
        QCOMPARE(f.Dictionaries.CustomDictionary.Entries(),
                 decision == 2 ? QStringList({"the the"}) : QStringList());
        QCOMPARE(f.Dictionaries.CustomDictionaryModified, decision == 2);
    }

    // Suggestions belong to the word not found; the problem after it shows none.
    void SuggestionsClearedForTheNextProblem() {
        TFixture f;
        QCOMPARE(f.Start("teh cat cat"), TSpellProblem::WordNotFound);
        QCOMPARE(f.Engine.Suggestions.Suggestions(), QStringList({"the"}));
        QCOMPARE(f.Engine.ProposedReplacement(), QStringLiteral("the"));
        f.Engine.Ignore();
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::DuplicateWord);
        QCOMPARE(f.Engine.Suggestions.SuggestionCount(), 0);
        QCOMPARE(f.Engine.Suggestions.ReplacementText, QStringLiteral("<none>"));
        QCOMPARE(f.Engine.ProposedReplacement(), QStringLiteral("cat"));
    }

    void TypedReplacementIsLearnt() {
        TFixture f;
        QCOMPARE(f.Start("bolr and bolz, bolr"), TSpellProblem::WordNotFound);
        QCOMPARE(f.Engine.CurrentWord, QStringLiteral("bolr"));
        f.Engine.Replace(QStringLiteral("bolz"));
        QVERIFY(f.Dictionaries.CustomDictionaryModified);
        QCOMPARE(f.Dictionaries.CustomDictionary.Entries(), QStringList({"bolz"}));
        // bolz is now accepted; the second bolr is found again.
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::WordNotFound);
        QCOMPARE(f.Engine.CheckedText, QStringLiteral("bolz and bolz, "));
        // A replacement already in a dictionary is not added again.
        f.Engine.Replace(QStringLiteral("Cat"));
        QCOMPARE(f.Dictionaries.CustomDictionary.Count(), 1);
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::None);
        QCOMPARE(f.Engine.CheckedText, QStringLiteral("bolz and bolz, Cat"));
        QVERIFY(f.Engine.TextChanged);
    }

    void ReplaceWithNothingProposedKeepsTheWord() {
        TFixture f;
        QCOMPARE(f.Start("zzzzzzzz cat"), TSpellProblem::WordNotFound);
        QCOMPARE(f.Engine.ProposedReplacement(), QStringLiteral("<none>"));
        f.Engine.Replace(f.Engine.ProposedReplacement());
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::None);
        QCOMPARE(f.Engine.CheckedText, QStringLiteral("zzzzzzzz cat"));
        QVERIFY(!f.Engine.TextChanged);
        QCOMPARE(f.Dictionaries.CustomDictionary.Count(), 0);
    }

    void IgnoreAllAndAdd() {
        TFixture f;
        QCOMPARE(f.Start("xyzzy cat xyzzy plugh cat plugh"), TSpellProblem::WordNotFound);
        f.Engine.IgnoreAll();
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::WordNotFound);
        QCOMPARE(f.Engine.CurrentWord, QStringLiteral("plugh"));
        f.Engine.AddWord();
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::None);
        QCOMPARE(f.Engine.CheckedText, f.Engine.SourceText);
        QCOMPARE(f.Dictionaries.IgnoreAllList.Entries(), QStringList({"xyzzy"}));
        QCOMPARE(f.Dictionaries.CustomDictionary.Entries(), QStringList({"plugh"}));
        QVERIFY(f.Dictionaries.CustomDictionaryModified);
        QVERIFY(!f.Engine.TextChanged);
    }

    void ExitReturnsTheRestUnchecked() {
        TFixture f;
        const QString text = QString::fromUtf8("the cat xyzzy sat\tthe the qqq caf\u00E9");
        QCOMPARE(f.Start(text), TSpellProblem::WordNotFound);
        f.Engine.Replace(QStringLiteral("dog"));
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::DuplicateWord);
        f.Engine.AcceptRest();
        QVERIFY(f.Engine.Complete());
        QCOMPARE(f.Engine.CheckedText, QStringLiteral("the cat dog sat the the qqq caf "));
        QVERIFY(f.Engine.RemainingText().isEmpty());
    }

    void ContextAroundTheWord() {
        TFixture f;
        QCOMPARE(f.Start("a & and more than & xyzzy & tail & end of the text"), TSpellProblem::WordNotFound);
        QCOMPARE(f.Engine.CurrentWord, QStringLiteral("than"));
        QCOMPARE(f.Engine.ContextBefore(), QStringLiteral("a && and more "));
        QCOMPARE(f.Engine.ContextAfter(), QStringLiteral(" && xyzzy & tail & en"));
        QCOMPARE(f.Engine.PreviousWord, QStringLiteral("more"));
    }

    void FirstWordFollowsAFullStop() {
        TFixture f;
        QCOMPARE(f.Start("xyzzy"), TSpellProblem::WordNotFound);
        QCOMPARE(f.Engine.PreviousWord, QStringLiteral("."));
        QCOMPARE(f.Engine.WordCount, 1);
    }

    // Progress comes before the 1st, 31st, 61st ... word; a stop requested there ends the run
    // with no problem shown, and the next run goes on from that word.
    void ProgressAndStop() {
        TFixture f;
        QString text;
        for (int i = 0; i < 70; ++i)
            text += i % 2 ? QStringLiteral("sat ") : QStringLiteral("cat ");
        QList<qint32> calls;
        f.Engine.Progress = [&](qint32 count) {
            calls << count;
            if (count == 30 && calls.size() == 2)
                f.Engine.StopRequested = true;
        };
        QCOMPARE(f.Start(text), TSpellProblem::None);
        QVERIFY(f.Engine.Stopped());
        QVERIFY(!f.Engine.Complete());
        QCOMPARE(f.Engine.CheckedText, text.left(30 * 4 - 1));
        QCOMPARE(f.Engine.ShownText(), QString());
        // The last word examined ends the checked text and is not shown a second time.
        QCOMPARE(f.Engine.ContextWord(), QString());
        f.Engine.Ignore();
        f.Engine.Replace(QStringLiteral("lost"));
        QCOMPARE(f.Engine.ContinueCheck(), TSpellProblem::None);
        QVERIFY(f.Engine.Complete());
        QCOMPARE(f.Engine.CheckedText, text);
        QCOMPARE(calls, QList<qint32>({0, 30, 30, 60}));
        QCOMPARE(f.Engine.WordCount, 71);
    }

    void SplitToken_data() {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("ignoreNumbers");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("word");
        QTest::newRow("plain") << " (word)." << true << " (" << "word";
        QTest::newRow("digits ignored") << " 12abc3" << true << " 12" << "abc";
        QTest::newRow("digits kept") << " 12abc3" << false << " " << "12abc3";
        QTest::newRow("pound sign") << QString::fromUtf8("\u00A3word\u00AE") << true << QString::fromUtf8("\u00A3") << "word";
        QTest::newRow("nothing left") << " ...!" << true << "" << "";
        QTest::newRow("inner kept") << "-e-mail-" << true << "-" << "e-mail";
    }
    void SplitToken() {
        QFETCH(QString, token);
        QFETCH(bool, ignoreNumbers);
        QFETCH(QString, prefix);
        QFETCH(QString, word);
        const auto split = TSpellEngine::SplitToken(token, ignoreNumbers);
        QCOMPARE(split.Prefix.toString(), prefix);
        QCOMPARE(split.Word.toString(), word);
    }
};

QTEST_GUILESS_MAIN(TstTSpellEngine)
#include "tst_tspellengine.moc"
