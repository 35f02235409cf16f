#include "tspellsuggestions.h"

#include "tspelldictionaries.h"

#include <algorithm>

namespace {

std::vector<std::pair<QString, QString>> BuildRules() {
    std::vector<std::pair<QString, QString>> rules;
    const auto add = [&](const char* find, const char* replacement) {
        rules.emplace_back(QString::fromLatin1(find), QString::fromLatin1(replacement));
    };
    // Transpositions.
    add("ei", "ie");
    add("ie", "ei");
    add("ht", "th");
    add("th", "ht");
    // Common slips.
    add("i", "hi");
    add("b", "d");
    add("d", "b");
    add("d", "ed");
    add("in", "ing");
    add("ig", "ing");
    add("ign", "ing");
    add("uo", "ou");
    add("q", "qu");
    add("ia", "ai");
    add("s", "c");
    add("c", "s");
    // Each vowel to each of the other four.
    const char vowels[] = "aeiou";
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            if (i != j)
                rules.emplace_back(QString(QLatin1Char(vowels[i])), QString(QLatin1Char(vowels[j])));
    // Neighbours on the keyboard, row by row.
    const char* keyboard[] = {"as", "sa", "sd", "ds", "df", "fd", "fg", "gf", "gh", "hg", "hj",
                              "jh", "jk", "kj", "kl", "lk", "qw", "wq", "we", "ew", "er", "re",
                              "rt", "tr", "ty", "yt", "yu", "uy", "op", "po", "zx", "xz", "xc",
                              "cx", "cv", "vc", "vb", "bv", "bn", "nb", "nm", "mn"};
    for (const char* pair : keyboard)
        rules.emplace_back(QString(QLatin1Char(pair[0])), QString(QLatin1Char(pair[1])));
    // A doubled letter made single, a letter left out, a letter doubled.
    for (char c = 'a'; c <= 'z'; ++c)
        rules.emplace_back(QString(2, QLatin1Char(c)), QString(QLatin1Char(c)));
    for (char c = 'a'; c <= 'z'; ++c)
        rules.emplace_back(QString(QLatin1Char(c)), QString());
    for (char c = 'a'; c <= 'z'; ++c)
        rules.emplace_back(QString(QLatin1Char(c)), QString(2, QLatin1Char(c)));
    return rules;
}

int LengthPoints(qsizetype difference) {
    static constexpr int Points[] = {10, 9, 8, 7, 5, 3, 1};
    return difference < 7 ? Points[difference] : 0;
}

} // namespace

TSpellSuggestions::TSpellSuggestions(const TSpellDictionaries& dictionaries)
    : Dictionaries(dictionaries) {}

const std::vector<std::pair<QString, QString>>& TSpellSuggestions::RewriteRules() {
    static const std::vector<std::pair<QString, QString>> rules = BuildRules();
    return rules;
}

QString TSpellSuggestions::MatchCase(const QString& text) const {
    if (!Word.isEmpty() && Word.at(0) >= u'A' && Word.at(0) <= u'Z' && !text.isEmpty())
        return text.left(1).toUpper() + text.mid(1).toLower();
    return text.toLower();
}

int TSpellSuggestions::Score(QStringView word, QStringView candidate) {
    const qsizetype wordLength = word.size();
    const qsizetype candidateLength = candidate.size();
    int score = 2 * LengthPoints(std::abs(candidateLength - wordLength));

    // Letters in place, and letters one place off.
    int p = 0;
    for (qsizetype j = 0; j < wordLength && j < candidateLength; ++j) {
        if (candidate[j] == word[j])
            p += 2;
        else if (j >= 1 && j < wordLength - 1 &&
                 (candidate[j] == word[j - 1] || candidate[j] == word[j + 1]))
            p += 1;
    }
    score += int((10 * qint64(p) + 1) / (wordLength + 1));

    // Letters of the word found anywhere in the candidate; a missing one is charged every time.
    int q = 0;
    QString used;
    for (QChar c : word) {
        if (used.contains(c))
            continue;
        if (candidate.contains(c)) {
            q += 2;
            used.append(c);
        } else {
            q -= 4;
        }
    }
    score += int((10 * qint64(q) + 1) / (used.size() + 1));
    return score;
}

void TSpellSuggestions::ScoreSuggestion(const QString& candidate) {
    if (List.ContainsExactly(candidate))
        return;
    const int score = Score(Word, candidate);
    if (score > BestScore) {
        BestScore = score;
        if (score > Threshold)
            ReplacementText = candidate;
    }
    if (score > Threshold)
        List.Add(candidate);
}

void TSpellSuggestions::ScoreNeighbours(const TWordList& list, const QString& text,
                                        qsizetype before, qsizetype after) {
    const qsizetype p = list.Search(text).Position;
    const qsizetype first = std::max<qsizetype>(0, p - before);
    const qsizetype last = std::min<qsizetype>(list.Count() - 1, p + after);
    for (qsizetype i = first; i <= last; ++i)
        ScoreSuggestion(MatchCase(list.At(i)));
}

void TSpellSuggestions::Clear() {
    List.Clear();
    BestScore = 0;
    ReplacementText = QStringLiteral("<none>");
}

void TSpellSuggestions::GenerateSuggestions(const QString& word) {
    Word = word;
    Clear();
    if (word.isEmpty())
        return;
    const TWordList& main = Dictionaries.MainDictionary;
    const TWordList& custom = Dictionaries.CustomDictionary;
    ScoreNeighbours(main, word.toLower(), 4, 3);
    ScoreNeighbours(custom, word, 2, 1);
    if (word.size() > MaxRewriteLength)
        return;
    for (const auto& [find, replacement] : RewriteRules()) {
        for (qsizetype at = word.indexOf(find); at >= 0; at = word.indexOf(find, at + 1)) {
            QString candidate = word;
            candidate.replace(at, find.size(), replacement);
            ScoreNeighbours(main, candidate.toLower(), 2, 2);
            if (custom.Contains(candidate))
                ScoreSuggestion(candidate);
        }
    }
}
