#pragma once

#include "tspellsuggestions.h"

#include <QString>
#include <functional>
#include <vector>

class TSpellDictionaries;

// One correction of a check: the stretch of the checked text from Start, Length characters long,
// becomes Text. Positions are those of SourceText, which the check keeps character for character.
struct TSpellEdit {
    qsizetype Start = 0;
    qsizetype Length = 0;
    QString Text;
    // Where Text begins in CheckedText.
    qsizetype CheckedStart = 0;
};

enum class TSpellProblem {
    None,
    WordNotFound,
    DuplicateWord,
    LowerCaseSentenceStart,
    IrregularCapitalization,
};

// The checking engine of the spell checker. It cuts the text into words, stops at the first word
// with a problem (not in any dictionary, repeated, or with a wrong capital) and resumes after the
// caller's decision, which the decision operations below turn into text. CheckedText always holds
// the corrected text up to the current word, RemainingText the rest.
//
// A check: set SourceText, PrepareCheck(), then ContinueCheck() until Complete(); after each
// problem one of Replace, Ignore, IgnoreAll, AddWord (then ContinueCheck again) or AcceptRest.
class TSpellEngine {
public:
    explicit TSpellEngine(TSpellDictionaries& dictionaries);

    QString SourceText;
    QString CheckedText;
    QString CurrentWord;
    QString PreviousWord = QStringLiteral(".");
    qint32 WordCount = 0;

    bool IgnoreNumbers = true;
    bool IgnoreIrregularCapitals = false;
    bool IgnoreDuplicateWords = false;
    bool SentenceCapital = true;

    // Set while a run yields at a progress point to stop it there; cleared by ContinueCheck.
    bool StopRequested = false;
    // At least one replacement was made.
    bool TextChanged = false;

    // The corrections made so far, in the order of the text and never overlapping: applied from
    // the last to the first, they turn SourceText into CheckedText wherever the check changed it,
    // and leave every other character (line breaks, letters beyond ASCII) as it was.
    std::vector<TSpellEdit> Edits;

    // Called before the 1st, 31st, 61st ... word with the words examined so far; the window draws
    // its progress and lets pending events run, which may set StopRequested.
    std::function<void(qint32 wordCount)> Progress;

    // Starts a fresh check of SourceText: every character below 32 or above 127 becomes a space.
    void PrepareCheck();
    // Examines words until a problem is found, the text is used up or a stop is requested, and
    // returns the problem (None when the text ended or the run stopped). For WordNotFound the
    // suggestions are filled.
    TSpellProblem ContinueCheck();

    TSpellProblem Problem() const { return CurrentProblem; }
    // The text is used up; CheckedText is the whole corrected text.
    bool Complete() const { return Finished; }
    // The last run ended at a stop request.
    bool Stopped() const { return StoppedAtRequest; }
    // The problem shown is a repeated word.
    bool DuplicateMode() const { return CurrentProblem == TSpellProblem::DuplicateWord; }
    QString RemainingText() const { return Work.mid(Position); }
    QStringView RemainingView() const { return QStringView(Work).mid(Position); }

    // The word's suggestions, filled for WordNotFound.
    TSpellSuggestions Suggestions;

    // The text shown for a problem kind, "<none>" for None.
    static QString ProblemText(TSpellProblem problem);
    // The text shown as not found: the word, for a repeated word the previous word, a space and
    // the word; empty when no problem is shown.
    QString ShownText() const;
    // The text that accepting the problem appends: the shown text, for a repeated word the word
    // once.
    QString AcceptedText() const;
    // The replacement proposed for the problem.
    QString ProposedReplacement() const;
    // The word shown between the two parts of the context: the word with the problem, none
    // while no problem is shown (after a stop the last word examined is in CheckedText already).
    QString ContextWord() const;
    // The last 20 characters of CheckedText and the first 20 of RemainingText, the first "&"
    // doubled so that a label shows it.
    QString ContextBefore() const;
    QString ContextAfter() const;

    // The decisions. Each does nothing to the text while no problem is shown (after a stop).
    // "Replace": a repeated word is removed with the spaces before it; otherwise the replacement
    // is appended and, when in neither dictionary, learnt in the custom dictionary.
    void Replace(const QString& replacementText);
    // "Ignore": appends the accepted text.
    void Ignore();
    // "Ignore All": the shown text goes into the ignore list, then as Ignore.
    void IgnoreAll();
    // "Add": the shown text, trimmed, goes into the custom dictionary (for a repeated word the
    // pair as shown) and the accepted text is appended.
    void AddWord();
    // "Exit": appends the accepted text and the unchecked rest.
    void AcceptRest();

    // A token cut into the edge characters in front of it and the word; both empty when the token
    // holds nothing but edge characters.
    struct TSplit {
        QStringView Prefix;
        QStringView Word;
    };
    static TSplit SplitToken(QStringView token, bool ignoreNumbers);

private:
    TSpellProblem Examine(QStringView prefix);
    // CheckedText from keep on has been replaced by tail, which stands for the source text up to
    // the current position: records the change, merged with earlier ones it overlaps.
    void RecordEdit(qsizetype keep, const QString& tail);
    TSpellProblem CapitalProblem(QStringView prefix) const;
    void Decided() { CurrentProblem = TSpellProblem::None; }

    TSpellDictionaries& Dictionaries;
    QString Work;
    qsizetype Position = 0;
    bool Fresh = false;
    bool Finished = false;
    bool StoppedAtRequest = false;
    TSpellProblem CurrentProblem = TSpellProblem::None;
};
