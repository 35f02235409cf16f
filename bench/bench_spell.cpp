// Spell checker figures: loading the shipped main dictionary, checking 1 MB of known words, and
// one suggestion run.
//
//     bench_spell [DICTIONARY]     (default: Dictionary.dic in the build's bin folder)

#include "spell/tspelldictionaries.h"
#include "spell/tspellengine.h"

#include "benchdictionary.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// Milliseconds of processor time this thread has used: the figure that stays meaningful when the
// machine is shared and the wall-clock time includes waiting for a core.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Times one call in wall-clock and processor milliseconds.
template <typename F>
void Time(std::vector<double>& wall, std::vector<double>& cpu, F&& call) {
    QElapsedTimer timer;
    const double cpu0 = CpuMs();
    timer.start();
    call();
    wall.push_back(double(timer.nsecsElapsed()) / 1e6);
    cpu.push_back(CpuMs() - cpu0);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString dictionary = BenchDictionary(argc, argv);
    if (dictionary.isEmpty())
        return 1;

    // Loading: read unsorted, sort once.
    std::vector<double> loads, loadsCpu;
    TSpellDictionaries dictionaries;
    for (int round = 0; round < 7; ++round)
        Time(loads, loadsCpu, [&] { dictionaries.MainDictionary.LoadFromFile(dictionary); });
    std::printf("load %lld words: median %.1f ms wall, %.1f ms processor (target < 150 ms)\n",
                static_cast<long long>(dictionaries.MainDictionary.Count()), Median(loads),
                Median(loadsCpu));

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
    std::vector<double> checks, checksCpu;
    qint32 wordCount = 0;
    for (int round = 0; round < 5; ++round) {
        TSpellEngine engine(dictionaries);
        qint32 progressCalls = 0;
        engine.Progress = [&](qint32) { ++progressCalls; };
        engine.SourceText = text;
        TSpellProblem problem = TSpellProblem::None;
        Time(checks, checksCpu, [&] {
            engine.PrepareCheck();
            problem = engine.ContinueCheck();
        });
        if (problem != TSpellProblem::None || !engine.Complete() || engine.CheckedText != text) {
            std::fprintf(stderr, "check stopped at \"%s\"\n", qPrintable(engine.CurrentWord));
            return 1;
        }
        wordCount = engine.WordCount;
    }
    std::printf("check %lld characters, %d words: median %.1f ms wall, %.1f ms processor "
                "(target < 1000 ms)\n",
                static_cast<long long>(text.size()), wordCount, Median(checks), Median(checksCpu));

    // One suggestion run, for a few misspellings.
    const char* misspellings[] = {"teh",         "recieve", "definately", "seperate", "Londn",
                                  "acommodate", "wierd",   "occurence",  "bolr",     "stiffnes"};
    TSpellEngine engine(dictionaries);
    std::vector<double> runs, runsCpu;
    for (int round = 0; round < 50; ++round) {
        for (const char* misspelling : misspellings) {
            const QString word = QString::fromLatin1(misspelling);
            Time(runs, runsCpu, [&] { engine.Suggestions.GenerateSuggestions(word); });
        }
    }
    std::vector<double> sorted = runsCpu;
    std::sort(sorted.begin(), sorted.end());
    std::printf("suggestion run: median %.3f ms wall; processor median %.3f ms, 99th percentile "
                "%.3f ms, worst %.3f ms (target < 5 ms)\n",
                Median(runs), Median(runsCpu), sorted[sorted.size() * 99 / 100], sorted.back());
    for (const char* misspelling : misspellings) {
        engine.Suggestions.GenerateSuggestions(QString::fromLatin1(misspelling));
        std::printf("  %-11s -> %-12s %s\n", misspelling,
                    qPrintable(engine.Suggestions.ReplacementText),
                    qPrintable(engine.Suggestions.Suggestions().join(QStringLiteral(", "))));
    }
    return 0;
}
