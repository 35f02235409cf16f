#pragma once

#include "twordlist.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class TSpellDictionaries;

// The suggestions for a word not found: dictionary entries near the word and near each rewrite of
// it by fixed rules (transpositions, common slips, vowels, keyboard neighbours, doubled and
// missing letters), each scored for its likeness to the word. Entries scoring above 38 are
// suggested, and the first with the best score is proposed as the replacement. A run costs one
// binary search per candidate, never a scan of a dictionary.
class TSpellSuggestions {
public:
    explicit TSpellSuggestions(const TSpellDictionaries& dictionaries);

    // Fills the suggestion list and the replacement proposal for the word, exactly as shown.
    void GenerateSuggestions(const QString& word);
    // Empties the suggestion list; the proposal goes back to "<none>".
    void Clear();
    // Scores a candidate against the word of the current run; one already suggested is skipped.
    void ScoreSuggestion(const QString& candidate);
    // The candidate in the letter case of the word: first letter a capital and the rest small
    // when the word begins with one of A to Z, otherwise all small.
    QString MatchCase(const QString& text) const;

    // The score of a candidate against a word.
    static int Score(QStringView word, QStringView candidate);
    // The 156 rewrite rules (find, replacement) in the order they are applied.
    static const std::vector<std::pair<QString, QString>>& RewriteRules();

    // The suggestions, sorted alphabetically without regard to letter case.
    QStringList Suggestions() const { return List.Entries(); }
    qsizetype SuggestionCount() const { return List.Count(); }
    // The proposed replacement: the first suggestion with the best score, else "<none>".
    QString ReplacementText = QStringLiteral("<none>");
    int BestScore = 0;
    // Suggestions must score above this.
    static constexpr int Threshold = 38;
    // Longest word the rewrite rules are applied to. Their cost grows with the square of the
    // length, so a token of thousands of letters (encoded data pasted into a text) would take
    // hours; a word this long has no dictionary entry within one rewrite of it anyway, and is
    // given the suggestions of its neighbours only.
    static constexpr qsizetype MaxRewriteLength = 100;

private:
    void ScoreNeighbours(const TWordList& list, const QString& text, qsizetype before,
                         qsizetype after);

    const TSpellDictionaries& Dictionaries;
    QString Word;
    TWordList List;
};
