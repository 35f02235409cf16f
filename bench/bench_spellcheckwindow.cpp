// Spell Check of a 1 MB document in a text editor window, with a word not found every 100 words:
// the time from Spell Check to the first problem shown in the checker window, and from Exit to
// the corrected document, once after one correction and once after correcting nine tenths of
// the document (some 1,500 corrections).
//
//     QT_QPA_PLATFORM=offscreen bench_spellcheckwindow [DICTIONARY]
//
// DICTIONARY defaults to Dictionary.dic in the build's bin folder. Targets: each figure < 1 s.
// The first figure includes loading the dictionaries and the checker's deliberate 100 ms pause
// before it starts, which lets the window draw itself.

#include "document/tbaseform.h"
#include "shell/tstandarddialogs.h"
#include "shell/tsettings.h"
#include "spell/tspellcheck.h"

#include "benchdictionary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Answers the question about a text over 64K with Yes; the clock starts when it is answered.
class TYesDialogs : public TStandardDialogs {
public:
    QElapsedTimer* Clock = nullptr;
    TMessageResult Message(QWidget*, const QString& text, const QString&, TMessageIcon,
                           TMessageButtons) override {
        if (!text.contains(QLatin1String("64K")))
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
        if (Clock)
            Clock->start();
        return TMessageResult::Yes;
    }
};

struct TRun {
    double FirstProblemMs = -1;
    double ExitToCorrectedMs = -1;
    double WholeMs = 0;
    int Replaced = 0;
    bool Correct = false;
};

// One Spell Check of the document; the checker is answered from a timer as a user would: each
// problem replaced with the proposal until the check has passed `exitAt` of the text, then Exit.
TRun RunOnce(const QString& text, const std::vector<qsizetype>& marks, double exitAt) {
    TRun run;
    TBaseForm form(nullptr);
    form.RichEdit1->setPlainText(text);
    // On the screen, so that the editor lays the corrected text out as it would for a user.
    form.resize(845, 480);
    form.show();
    QApplication::processEvents();
    QElapsedTimer clock;
    qint64 exitPressed = -1;
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* checker = qobject_cast<TSpellCheck*>(QApplication::activeModalWidget());
        if (!checker || checker->Running() || !checker->isVisible() ||
            checker->ProblemDescription->text() == QLatin1String("<none>"))
            return;
        if (run.FirstProblemMs < 0)
            run.FirstProblemMs = double(clock.nsecsElapsed()) / 1e6;
        const double done = 1.0 - double(checker->Engine.RemainingView().size()) / text.size();
        if (done >= exitAt && run.Replaced > 0) {
            exitPressed = clock.nsecsElapsed();
            checker->AcceptandExit();
            return;
        }
        // The user picks the word meant when the checker proposes none.
        const QString word = checker->Engine.CurrentWord;
        if (word.endsWith(QLatin1Char('q')))
            checker->ReplacementText->setText(word.chopped(1));
        ++run.Replaced;
        checker->Replace();
    });
    answer.start();
    TYesDialogs dialogs;
    dialogs.Clock = &clock;
    TDialogs::Install(&dialogs);
    clock.start();
    form.SpellCheckDocument();
    const qint64 finished = clock.nsecsElapsed();
    answer.stop();
    TDialogs::Install(nullptr);
    run.WholeMs = double(finished) / 1e6;
    if (exitPressed >= 0)
        run.ExitToCorrectedMs = double(finished - exitPressed) / 1e6;
    // The corrected document: the misspellings replaced up to where Exit was chosen, the rest
    // as they were, everything else unchanged.
    QString expected = text;
    for (int i = std::min(run.Replaced, int(marks.size())) - 1; i >= 0; --i)
        expected.remove(marks[size_t(i)], 1);
    run.Correct = form.RichEdit1->toPlainText() == expected;
    form.RichEdit1->document()->setModified(false);
    return run;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString dictionary = BenchDictionary(argc, argv);
    if (dictionary.isEmpty())
        return 1;
    QTemporaryDir folder;
    // An empty custom dictionary, so that no warning about a missing one stops the run.
    QFile custom(folder.filePath(QStringLiteral("Custom.dic")));
    if (!custom.open(QIODevice::WriteOnly))
        return 1;
    custom.close();
    TSettings::SetLocation(folder.filePath(QStringLiteral("fastenex.ini")));
    {
        TSettings settings;
        settings.Ini().WriteString(QStringLiteral("Preferences"), QStringLiteral("Dictionary"),
                                   QFileInfo(dictionary).absoluteFilePath());
        settings.Ini().WriteString(QStringLiteral("Preferences"), QStringLiteral("Custom"),
                                   folder.filePath(QStringLiteral("Custom.dic")));
    }

    // 1 MB of dictionary words in small letters, lines of 80 words; every 100th word has a "q"
    // added, which the checker proposes to take away again.
    TSpellDictionaries dictionaries;
    dictionaries.MainDictionary.LoadFromFile(dictionary);
    QStringList words;
    for (qsizetype i = 0; i < dictionaries.MainDictionary.Count(); ++i) {
        const QString& entry = dictionaries.MainDictionary.At(i);
        if (entry.size() >= 3 && entry == entry.toLower() &&
            std::all_of(entry.begin(), entry.end(), [](QChar c) { return c >= u'a' && c <= u'z'; }))
            words.append(entry);
    }
    QString text;
    std::vector<qsizetype> marks;
    quint32 seed = 12345;
    QString previous;
    int count = 0;
    while (text.size() < (1 << 20)) {
        seed = seed * 1664525u + 1013904223u;
        const QString& word = words.at(qsizetype((seed >> 8) % quint32(words.size())));
        if (word == previous)
            continue;
        previous = word;
        ++count;
        const QString separator = count % 80 == 0 ? QStringLiteral("\n") : QStringLiteral(" ");
        text += word;
        if (count % 100 == 0) {
            marks.push_back(text.size());
            text += QLatin1Char('q');
        }
        text += separator;
    }

    std::printf("document: %lld characters, %d words, %d not found\n",
                static_cast<long long>(text.size()), count, count / 100);
    for (const double exitAt : {0.0, 0.9}) {
        const TRun run = RunOnce(text, marks, exitAt);
        std::printf("exit after %d correction(s): Spell Check to first problem %.0f ms, Exit to "
                    "corrected document %.0f ms (targets < 1000 ms); whole check %.1f s; %s\n",
                    run.Replaced, run.FirstProblemMs, run.ExitToCorrectedMs, run.WholeMs / 1000,
                    run.Correct ? "text as expected" : "TEXT DIFFERS");
        std::fflush(stdout);
    }
    TSettings::SetLocation(QString());
    return 0;
}
