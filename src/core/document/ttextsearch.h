#pragma once

#include <QString>

class QTextCursor;

// Searching a document forward from its caret, and replacing what is found. The caret is a
// text cursor of the document; the steps leave the match selected in it, or it at the start of
// the text when nothing more is found, so that the next search starts again at the top.
class TTextSearch {
public:
    struct TOptions {
        bool MatchCase = false;
        bool WholeWord = false;
    };

    // From the caret, or one character into the selection when there is one (so the current
    // match is not found again), to the end. Found: the match is selected. Not found (an empty
    // text is never found): the caret goes to 0 and the result is false.
    static bool FindNext(QTextCursor& caret, const QString& text, TOptions options);
    // Whether the selection is an occurrence of the text under the options.
    static bool SelectionMatches(const QTextCursor& caret, const QString& text, TOptions options);
    // Replaces the selection by the replacement when it is an occurrence of the text, then
    // finds the next occurrence.
    static bool ReplaceNext(QTextCursor& caret, const QString& text, const QString& replacement,
                            TOptions options);
    // Replaces every occurrence from the caret (the selected one included) to the end, as one
    // undoable edit; the caret ends at 0. Returns the number of replacements.
    static int ReplaceAll(QTextCursor& caret, const QString& text, const QString& replacement,
                          TOptions options);
};
