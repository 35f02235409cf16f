#include "tspellengine.h"

#include "tspellcharacters.h"
#include "tspelldictionaries.h"

namespace {

bool OnlySpaces(QStringView text) {
    for (QChar c : text)
        if (c != u' ')
            return false;
    return true;
}

QString DoubleFirstAmpersand(QString text) {
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at >= 0)
        text.insert(at, QLatin1Char('&'));
    return text;
}

} // namespace

TSpellEngine::TSpellEngine(TSpellDictionaries& dictionaries)
    : Suggestions(dictionaries), Dictionaries(dictionaries) {}

void TSpellEngine::PrepareCheck() {
    Work = SourceText;
    for (QChar& c : Work)
        if (c.unicode() < 32 || c.unicode() > 127)
            c = QLatin1Char(' ');
    Position = 0;
    CheckedText.clear();
    CheckedText.reserve(Work.size());
    CurrentProblem = TSpellProblem::None;
    Edits.clear();
    TextChanged = false;
    Fresh = true;
    Finished = false;
    StoppedAtRequest = false;
}

TSpellEngine::TSplit TSpellEngine::SplitToken(QStringView token, bool ignoreNumbers) {
    qsizetype first = 0;
    qsizetype last = token.size();
    while (first < last && TSpellCharacters::IsEdge(token[first], ignoreNumbers))
        ++first;
    while (last > first && TSpellCharacters::IsEdge(token[last - 1], ignoreNumbers))
        --last;
    if (first == last)
        return {};
    return {token.left(first), token.mid(first, last - first)};
}

TSpellProblem TSpellEngine::ContinueCheck() {
    if (Fresh) {
        PreviousWord = QStringLiteral(".");
        WordCount = 0;
        Fresh = false;
    }
    StopRequested = false;
    StoppedAtRequest = false;
    CurrentProblem = TSpellProblem::None;
    // Suggestions belong to one word not found; a run that stops elsewhere shows none.
    Suggestions.Clear();
    if (Finished)
        return CurrentProblem;
    const qsizetype length = Work.size();
    bool noFurtherWord = false;
    while (CurrentProblem == TSpellProblem::None && Position < length) {
        if (WordCount > 0)
            PreviousWord = CurrentWord;
        if (WordCount % 30 == 0 && Progress) {
            Progress(WordCount);
            if (StopRequested) {
                StoppedAtRequest = true;
                break;
            }
        }
        ++WordCount;

        // The token runs over anything that is not a letter, then to the next space.
        qsizetype end = Position;
        while (end < length && !TSpellCharacters::IsLetter(Work[end]))
            ++end;
        while (end < length && Work[end] != u' ')
            ++end;
        const TSplit split = SplitToken(QStringView(Work).mid(Position, end - Position), IgnoreNumbers);
        CurrentWord = split.Word.toString();
        if (split.Word.isEmpty()) {
            noFurtherWord = true;
            break;
        }
        CheckedText += split.Prefix;
        Position += split.Prefix.size() + split.Word.size();
        CurrentProblem = Examine(split.Prefix);
        if (CurrentProblem == TSpellProblem::None)
            CheckedText += CurrentWord;
    }
    if (CurrentProblem == TSpellProblem::None && (noFurtherWord || Position >= length) &&
        !StoppedAtRequest) {
        CheckedText += QStringView(Work).mid(Position);
        Position = length;
        Finished = true;
    }
    StopRequested = false;
    return CurrentProblem;
}

TSpellProblem TSpellEngine::Examine(QStringView prefix) {
    TSpellProblem problem = TSpellProblem::None;
    if (Dictionaries.CustomDictionary.Contains(CurrentWord)) {
        // A word of the user's own is taken as written.
    } else if (Dictionaries.MainDictionary.Contains(CurrentWord.toLower())) {
        problem = CapitalProblem(prefix);
    } else if (!Dictionaries.IgnoreAllList.Contains(CurrentWord)) {
        problem = TSpellProblem::WordNotFound;
    }
    if (!IgnoreDuplicateWords && CurrentWord == PreviousWord && OnlySpaces(prefix))
        problem = TSpellProblem::DuplicateWord;
    if (problem == TSpellProblem::WordNotFound)
        Suggestions.GenerateSuggestions(CurrentWord);
    return problem;
}

TSpellProblem TSpellEngine::CapitalProblem(QStringView prefix) const {
    if (!SentenceCapital && IgnoreIrregularCapitals)
        return TSpellProblem::None;
    const QString& word = CurrentWord;
    bool hasSmall = false;
    bool hasCapital = false;
    bool restHasCapital = false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i].isLower())
            hasSmall = true;
        else if (word[i].isUpper()) {
            hasCapital = true;
            if (i > 0)
                restHasCapital = true;
        }
    }
    if (!hasSmall)
        return TSpellProblem::None;
    if (!hasCapital) {
        return SentenceCapital && TSpellCharacters::ContainsSentenceEnd(prefix)
                   ? TSpellProblem::LowerCaseSentenceStart
                   : TSpellProblem::None;
    }
    if (word[0].isLower())
        return IgnoreIrregularCapitals ? TSpellProblem::None : TSpellProblem::IrregularCapitalization;
    const bool sentenceStart = TSpellCharacters::ContainsSentenceStart(PreviousWord) ||
                               TSpellCharacters::ContainsSentenceStart(prefix);
    if (sentenceStart)
        return !IgnoreIrregularCapitals && restHasCapital ? TSpellProblem::IrregularCapitalization
                                                           : TSpellProblem::None;
    if (IgnoreIrregularCapitals || !restHasCapital)
        return SentenceCapital && !IgnoreIrregularCapitals ? TSpellProblem::IrregularCapitalization
                                                           : TSpellProblem::None;
    return SentenceCapital ? TSpellProblem::IrregularCapitalization : TSpellProblem::None;
}

QString TSpellEngine::ProblemText(TSpellProblem problem) {
    switch (problem) {
    case TSpellProblem::WordNotFound:
        return QStringLiteral("Word Not Found");
    case TSpellProblem::DuplicateWord:
        return QStringLiteral("Duplicate Word Found");
    case TSpellProblem::LowerCaseSentenceStart:
        return QStringLiteral("Lower Case First Letter - should be upper case");
    case TSpellProblem::IrregularCapitalization:
        return QStringLiteral("Irregular Capitalization");
    case TSpellProblem::None:
        break;
    }
    return QStringLiteral("<none>");
}

QString TSpellEngine::ShownText() const {
    switch (CurrentProblem) {
    case TSpellProblem::None:
        return QString();
    case TSpellProblem::DuplicateWord:
        return PreviousWord + QLatin1Char(' ') + CurrentWord;
    default:
        return CurrentWord;
    }
}

QString TSpellEngine::AcceptedText() const {
    return DuplicateMode() ? CurrentWord : ShownText();
}

QString TSpellEngine::ProposedReplacement() const {
    switch (CurrentProblem) {
    case TSpellProblem::WordNotFound:
        return Suggestions.ReplacementText;
    case TSpellProblem::DuplicateWord:
        return CurrentWord;
    case TSpellProblem::LowerCaseSentenceStart:
        return CurrentWord.left(1).toUpper() + CurrentWord.mid(1);
    case TSpellProblem::IrregularCapitalization:
        return CurrentWord.toLower();
    case TSpellProblem::None:
        break;
    }
    return QStringLiteral("<none>");
}

QString TSpellEngine::ContextWord() const {
    return CurrentProblem == TSpellProblem::None ? QString() : CurrentWord;
}

QString TSpellEngine::ContextBefore() const { return DoubleFirstAmpersand(CheckedText.right(20)); }

QString TSpellEngine::ContextAfter() const {
    return DoubleFirstAmpersand(RemainingView().left(20).toString());
}

void TSpellEngine::RecordEdit(qsizetype keep, const QString& tail) {
    qsizetype checkedStart = keep;
    qsizetype sourceStart = -1;
    QString text = tail;
    while (!Edits.empty()) {
        const TSpellEdit& last = Edits.back();
        const qsizetype lastEnd = last.CheckedStart + last.Text.size();
        if (checkedStart >= lastEnd) {
            // Past the last correction the checked and the source text run in step.
            sourceStart = last.Start + last.Length + (checkedStart - lastEnd);
            break;
        }
        if (checkedStart >= last.CheckedStart) {
            // The change cuts into the last correction: what is left of it joins this one.
            text = CheckedText.mid(last.CheckedStart, checkedStart - last.CheckedStart) + text;
            checkedStart = last.CheckedStart;
            sourceStart = last.Start;
            Edits.pop_back();
            break;
        }
        // The change swallows the last correction whole.
        Edits.pop_back();
    }
    if (sourceStart < 0)
        sourceStart = checkedStart;
    const qsizetype length = Position - sourceStart;
    if (text == QStringView(SourceText).mid(sourceStart, length))
        return;
    Edits.push_back({sourceStart, length, text, checkedStart});
}

void TSpellEngine::Replace(const QString& replacementText) {
    if (CurrentProblem == TSpellProblem::None)
        return;
    if (DuplicateMode()) {
        qsizetype keep = CheckedText.size();
        while (keep > 0 && CheckedText[keep - 1] == u' ')
            --keep;
        CheckedText.truncate(keep);
        RecordEdit(keep, QString());
        TextChanged = true;
    } else if (replacementText == QLatin1String("<none>")) {
        // Nothing was proposed or typed: the word stays as it is.
        CheckedText += CurrentWord;
    } else {
        RecordEdit(CheckedText.size(), replacementText);
        CheckedText += replacementText;
        if (!replacementText.trimmed().isEmpty() &&
            !Dictionaries.MainDictionary.Contains(replacementText.toLower()) &&
            !Dictionaries.CustomDictionary.Contains(replacementText))
            Dictionaries.AddToCustomDictionary(replacementText);
        TextChanged = true;
    }
    Decided();
}

void TSpellEngine::Ignore() {
    CheckedText += AcceptedText();
    Decided();
}

void TSpellEngine::IgnoreAll() {
    if (CurrentProblem != TSpellProblem::None)
        Dictionaries.AddToIgnoreAllList(ShownText());
    Ignore();
}

void TSpellEngine::AddWord() {
    if (CurrentProblem == TSpellProblem::None)
        return;
    // The shown text is learnt as it stands, for a repeated word the pair; the word is appended
    // once.
    const QString text = ShownText().trimmed();
    if (!text.isEmpty())
        Dictionaries.AddToCustomDictionary(text);
    CheckedText += DuplicateMode() ? CurrentWord : text;
    Decided();
}

void TSpellEngine::AcceptRest() {
    CheckedText += AcceptedText();
    CheckedText += RemainingView();
    Position = Work.size();
    Finished = true;
    Decided();
}
