#pragma once

#include "tspellengine.h"

#include <QString>
#include <vector>

class QTextDocument;

// What a spell check hands back to the window whose text it checked: how it ended, whether
// anything was replaced, the corrected text, and each correction with its place in the checked
// text, so that the window can write the corrections into its rich text one by one and leave
// every other word, with its format, as it was.
class TSpellCorrections {
public:
    // 0 aborted, 1 completed, 4 accepted with "Exit".
    int CheckResult = 0;
    bool TextChanged = false;
    QString CheckedText;
    std::vector<TSpellEdit> Edits;

    bool Aborted() const { return CheckResult == 0; }
    // The outcome of the engine's check.
    static TSpellCorrections From(const TSpellEngine& engine, int checkResult);

    // Writes the corrections into the document, whose text from position start on is the text
    // that was checked: from the last to the first, so that each keeps its place, each
    // replacement in the character format of the first character it replaces, all as one
    // undoable edit. Returns the change in the document's length.
    qsizetype Apply(QTextDocument& document, qsizetype start) const;
    // Where a position of the checked text lies after the corrections.
    qsizetype MapPosition(qsizetype position) const;
};
