// Spell checker figures: loading the shipped main dictionary, checking 1 MB of known words, and
// one suggestion run.
//
//     bench_spell [DICTIONARY]     (default: Dictionary.dic in the build's bin folder)

#include "spell/tspelldictionaries.h"
#include "spell/tspellengine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString dictionary = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                        : QCoreApplication::applicationDirPath() +
                                              QStringLiteral("/../bin/Dictionary.dic");
    if (!QFileInfo(dictionary).isFile()) {
        std::fprintf(stderr, "No dictionary at %s\n", qPrintable(dictionary));
        return 1;
    }

    // Loading: read unsorted, sort once.
    std::vector<double> loads;
    TSpellDictionaries dictionaries;
    for (int round = 0; round < 7; ++round) {
        QElapsedTimer timer;
        timer.start();
        dictionaries.MainDictionary.LoadFromFile(dictionary);
        loads.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("load %lld words: median %.1f ms, best %.1f ms (target < 150 ms)\n",
                static_cast<long long>(dictionaries.MainDictionary.Count()), Median(loads),
                *std::min_element(loads.begin(), loads.end()));

    // Checking 1 MB of known words in small letters, separated by spaces and now and then a comma.
    QStringList words;
    for (qsizetype i = 0; i < dictionaries.MainDictionary.Count(); ++i) {
        const QString& entry = dictionaries.MainDictionary.At(i);
        if (!entry.isEmpty() && entry == entry.toLower() &&
            std::all_of(entry.begin(), entry.end(), [](QChar c) { return c.unicode() < 128; }))
            words.append(entry);
    }
    QString text;
    quint32 seed = 12345;
    QString previous;
    while (text.size() < (1 << 20)) {
        seed = seed * 1664525u + 1013904223u;
        const QString& word = words.at(qsizetype((seed >> 8) % quint32(words.size())));
        if (word == previous)
            continue;
        text += word;
        text += (seed & 0xF) == 0 ? QStringLiteral(", ") : QStringLiteral(" ");
        previous = word;
    }
    std::vector<double> checks;
    qint32 wordCount = 0;
    for (int round = 0; round < 5; ++round) {
        TSpellEngine engine(dictionaries);
        qint32 progressCalls = 0;
        engine.Progress = [&](qint32) { ++progressCalls; };
        engine.SourceText = text;
        QElapsedTimer timer;
        timer.start();
        engine.PrepareCheck();
        const TSpellProblem problem = engine.ContinueCheck();
        checks.push_back(timer.nsecsElapsed() / 1e6);
        if (problem != TSpellProblem::None || !engine.Complete() || engine.CheckedText != text) {
            std::fprintf(stderr, "check stopped at \"%s\"\n", qPrintable(engine.CurrentWord));
            return 1;
        }
        wordCount = engine.WordCount;
    }
    std::printf("check %lld characters, %d words: median %.1f ms (target < 1000 ms)\n",
                static_cast<long long>(text.size()), wordCount, Median(checks));

    // One suggestion run, for a few misspellings.
    const char* misspellings[] = {"teh",         "recieve", "definately", "seperate", "Londn",
                                  "acommodate", "wierd",   "occurence",  "bolr",     "stiffnes"};
    TSpellEngine engine(dictionaries);
    std::vector<double> runs;
    for (int round = 0; round < 50; ++round) {
        for (const char* misspelling : misspellings) {
            QElapsedTimer timer;
            timer.start();
            engine.Suggestions.GenerateSuggestions(QString::fromLatin1(misspelling));
            runs.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("suggestion run: median %.3f ms, worst %.3f ms (target < 5 ms)\n", Median(runs),
                *std::max_element(runs.begin(), runs.end()));
    for (const char* misspelling : misspellings) {
        engine.Suggestions.GenerateSuggestions(QString::fromLatin1(misspelling));
        std::printf("  %-11s -> %-12s %s\n", misspelling,
                    qPrintable(engine.Suggestions.ReplacementText),
                    qPrintable(engine.Suggestions.Suggestions().join(QStringLiteral(", "))));
    }
    return 0;
}
