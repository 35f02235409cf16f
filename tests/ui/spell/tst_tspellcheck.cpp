#include "shell/tsettings.h"
#include "spell/tspellcheck.h"
#include "spell/tspellprogress.h"
#include "tscripteddialogs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TstTSpellCheck : public QObject {
    Q_OBJECT

    QTemporaryDir Folder;
    TScriptedDialogs* Dialogs = nullptr;

    QString Path(const QString& name) const { return QDir(Folder.path()).filePath(name); }

    static void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray ReadFile(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The settings name the two dictionaries.
    void UseDictionaries(const QString& main, const QString& custom) {
        TSettings settings;
        settings.Ini().WriteString(QStringLiteral("Preferences"), QStringLiteral("Dictionary"), main);
        settings.Ini().WriteString(QStringLiteral("Preferences"), QStringLiteral("Custom"), custom);
    }
    // A decision as the user takes it: "R" Replace, "T:text" typed and replaced, "I" Ignore,
    // "A" Ignore All, "D" Add, "X" Exit, "B" Abort.
    static void Decide(TSpellCheck& checker, const QString& decision) {
        if (decision == QLatin1String("R"))
            checker.ReplaceButton->click();
        else if (decision.startsWith(QLatin1String("T:"))) {
            checker.ReplacementText->setText(decision.mid(2));
            checker.ReplaceButton->click();
        } else if (decision == QLatin1String("I"))
            checker.IgnoreButton->click();
        else if (decision == QLatin1String("A"))
            checker.IgnoreAllButton->click();
        else if (decision == QLatin1String("D"))
            checker.Add->click();
        else if (decision == QLatin1String("X"))
            checker.AcceptandExit1->trigger();
        else if (decision == QLatin1String("B"))
            checker.Exit1->trigger();
    }

private slots:
    void initTestCase() {
        // The maker's shared folders are the test's own.
        qputenv("XDG_DATA_HOME", Path(QStringLiteral("share")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", Path(QStringLiteral("system")).toLocal8Bit());
    }
    void init() {
        QFile::remove(Path(QStringLiteral("fastenex.ini")));
        TSettings::SetLocation(Path(QStringLiteral("fastenex.ini")));
        WriteFile(Path(QStringLiteral("Dictionary.dic")), "the\r\ncat\r\nsat\r\non\r\nmat\r\nfrom\r\n");
        WriteFile(Path(QStringLiteral("Custom.dic")), "Fastenex\r\n");
        UseDictionaries(Path(QStringLiteral("Dictionary.dic")), Path(QStringLiteral("Custom.dic")));
        Dialogs = new TScriptedDialogs;
    }
    void cleanup() {
        delete Dialogs;
        Dialogs = nullptr;
        TSettings::SetLocation(QString());
    }

    void Decisions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("decisions");
        QTest::addColumn<int>("checkResult");
        QTest::addColumn<bool>("textChanged");
        QTest::addColumn<QString>("checkedText");
        QTest::newRow("all words known") << "the cat sat" << QStringList{} << 1 << false
                                         << "the cat sat";
        QTest::newRow("repeat replaced") << "the cat cat  sat" << QStringList{"R"} << 1 << true
                                         << "the cat  sat";
        QTest::newRow("repeat ignored") << "the cat cat sat" << QStringList{"I"} << 1 << false
                                        << "the cat cat sat";
        QTest::newRow("repeat ignored for all") << "the cat cat sat" << QStringList{"A"} << 1
                                                << false << "the cat cat sat";
        QTest::newRow("repeat added") << "the cat cat sat" << QStringList{"D"} << 1 << false
                                      << "the cat cat sat";
        QTest::newRow("repeat then exit") << "the cat cat sat" << QStringList{"X"} << 4 << false
                                          << "the cat cat sat";
        QTest::newRow("typed word learnt for the rest")
            << "the matt sat on matte" << QStringList{"T:matte"} << 1 << true
            << "the matte sat on matte";
        QTest::newRow("lower-case sentence start") << "the cat. sat" << QStringList{"R"} << 1
                                                   << true << "the cat. Sat";
        QTest::newRow("exit in the middle") << "the kat on zzz matt" << QStringList{"T:cat", "X"}
                                            << 4 << true << "the cat on zzz matt";
        QTest::newRow("abort") << "the kat on zzz" << QStringList{"T:cat", "B"} << 0 << true
                               << "the cat on ";
    }
    void Decisions() {
        QFETCH(QString, text);
        QFETCH(QStringList, decisions);
        QFETCH(int, checkResult);
        QFETCH(bool, textChanged);
        QFETCH(QString, checkedText);
        TSpellCheck checker;
        checker.SetSourceText(text);
        checker.PrepareCheck();
        checker.ContinueCheck();
        for (const QString& decision : decisions) {
            QVERIFY2(checker.CheckResult == 0, qPrintable(decision));
            Decide(checker, decision);
        }
        QCOMPARE(checker.CheckResult, checkResult);
        QCOMPARE(checker.TextChanged(), textChanged);
        QCOMPARE(checker.CheckedText(), checkedText);
        if (checkResult != 0)
            QVERIFY(checker.Engine.Complete());
    }

    // What the window shows for each kind of problem.
    void ProblemShown_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QStringList>("suggestions");
        QTest::addColumn<QString>("before");
        QTest::newRow("not found") << "the cat ssat & on the mat" << "ssat" << "Word Not Found"
                                   << "sat" << QStringList{"sat"} << "the cat ";
        QTest::newRow("repeat") << "& the cat cat" << "cat cat" << "Duplicate Word Found" << "cat"
                                << QStringList{"<none>"} << "& the cat ";
        QTest::newRow("sentence start")
            << "the cat. on" << "on" << "Lower Case First Letter - should be upper case" << "On"
            << QStringList{"<none>"} << "the cat. ";
        QTest::newRow("capitals") << "the CaT" << "CaT" << "Irregular Capitalization" << "cat"
                                  << QStringList{"<none>"} << "the ";
    }
    void ProblemShown() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, problem);
        QFETCH(QString, replacement);
        QFETCH(QStringList, suggestions);
        QFETCH(QString, before);
        TSpellCheck checker;
        checker.SetSourceText(text);
        checker.PrepareCheck();
        checker.ContinueCheck();
        QCOMPARE(checker.TextNotFound->text(), shown);
        QCOMPARE(checker.TextNotFound->toolTip(), problem);
        QCOMPARE(checker.ProblemDescription->text(), problem);
        QCOMPARE(checker.ReplacementText->text(), replacement);
        QStringList listed;
        for (int i = 0; i < checker.Suggestions->count(); ++i)
            listed << checker.Suggestions->item(i)->text();
        QCOMPARE(listed, suggestions);
        QCOMPARE(checker.Context1->text(), before);
        QCOMPARE(checker.Context2->x(), checker.Context1->x() + checker.Context1->width());
        // A click in the list takes the entry only for a word not found.
        checker.ReplacementText->setText(QStringLiteral("typed"));
        checker.SuggestionsClick(checker.Suggestions->item(0));
        QCOMPARE(checker.ReplacementText->text(),
                 problem == QLatin1String("Word Not Found") ? suggestions.first()
                                                            : QStringLiteral("typed"));
    }

    // Exit, Abort or closing the window while a run yields to events ends the run first.
    void ClosingDuringARun_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("checkResult");
        QTest::newRow("exit") << "X" << 4;
        QTest::newRow("abort") << "B" << 0;
        QTest::newRow("escape") << "Esc" << 0;
    }
    void ClosingDuringARun() {
        QFETCH(QString, way);
        QFETCH(int, checkResult);
        QString text;
        for (int i = 0; i < 100; ++i)
            text += QStringLiteral("the cat ");
        text += QStringLiteral("zzz");
        TSpellCheck checker;
        checker.SetSourceText(text);
        checker.PrepareCheck();
        QTimer::singleShot(0, &checker, [&] {
            QVERIFY(checker.Running());
            if (way == QLatin1String("Esc"))
                checker.reject();
            else
                Decide(checker, way);
        });
        checker.ContinueCheck();
        QCOMPARE(checker.CheckResult, checkResult);
        QVERIFY(checker.Engine.WordCount < 100);
        if (checkResult == 4)
            QCOMPARE(checker.CheckedText(), text);
    }

    // The dictionaries as they are after the check: the custom dictionary with the words learnt,
    // sorted, and a dictionary that cannot be written reported while the other is written.
    void DictionariesWrittenBack() {
        {
            TSpellCheck checker;
            checker.SetSourceText(QStringLiteral("the zorp sat on the blorp"));
            checker.PrepareCheck();
            checker.ContinueCheck();
            Decide(checker, QStringLiteral("D"));
            Decide(checker, QStringLiteral("T:bloop"));
            QCOMPARE(checker.CheckResult, 1);
        }
        QCOMPARE(ReadFile(Path(QStringLiteral("Custom.dic"))),
                 QByteArray("bloop\r\nFastenex\r\nzorp\r\n"));
        QVERIFY(Dialogs->Messages.isEmpty());

        UseDictionaries(Path(QStringLiteral("Dictionary.dic")),
                        Path(QStringLiteral("Dictionary.dic/Custom.dic")));
        {
            TSpellCheck checker;
            Dialogs->Messages.clear();   // the custom dictionary was not found
            checker.Dictionaries.AddToCustomDictionary(QStringLiteral("zorp"));
            WriteFile(Path(QStringLiteral("words.txt")), "Quux, quux!");
            Dialogs->OpenNames << Path(QStringLiteral("words.txt"));
            checker.AddFileToMainDictionary1Click();
        }
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages.first().Caption, QStringLiteral("Error"));
        QVERIFY(ReadFile(Path(QStringLiteral("Dictionary.dic"))).contains("quux\r\n"));
        QVERIFY(QFile::exists(Path(QStringLiteral("Dictionary - backup copy.dic"))));
    }

    void DictionaryOnlyMode() {
        TSpellCheck checker;
        checker.SetSourceText(QStringLiteral("zzz"));
        checker.DictionaryOnlyMode();
        checker.show();
        QTest::qWait(300);
        checker.ContinueCheck();
        QCOMPARE(checker.Engine.WordCount, 0);
        QVERIFY(checker.isVisible());
        for (QPushButton* b : {checker.ReplaceButton, checker.IgnoreButton,
                               checker.IgnoreAllButton, checker.Add})
            QVERIFY(!b->isEnabled());
        QVERIFY(!checker.Options1->menuAction()->isVisible());
        QVERIFY(!checker.Exit1->isVisible());
        QVERIFY(!checker.StopCurrentCheck1->isVisible());
        QVERIFY(checker.AcceptandExit1->isVisible());
        QVERIFY(!checker.ViewAnimation);
        checker.DictionaryStatus1->trigger();
        QCOMPARE(Dialogs->Messages.last().Caption, QStringLiteral("Dictionary Status"));
        checker.About1->trigger();
        QCOMPARE(Dialogs->AboutTitles,
                 QStringList{QStringLiteral("Quorvane Spell Checker - 20 June 2001")});
        checker.AcceptandExit1->trigger();
        QVERIFY(!checker.isVisible());
    }

    // Shown, the window starts checking by itself and closes when all words are known.
    void StartsWhenShownAndClosesWhenDone() {
        TSpellCheck checker;
        checker.SetSourceText(QStringLiteral("the cat sat on the mat"));
        checker.PrepareCheck();
        checker.show();
        QTRY_VERIFY(!checker.isVisible());
        QCOMPARE(checker.CheckResult, 1);
        QCOMPARE(checker.Progress->Counter(),
                 QString::number(checker.Engine.WordCount) + QStringLiteral("   "));
    }

};

QTEST_MAIN(TstTSpellCheck)
#include "tst_tspellcheck.moc"
