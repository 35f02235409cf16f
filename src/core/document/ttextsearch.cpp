#include "ttextsearch.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

QTextDocument::FindFlags Flags(TTextSearch::TOptions options) {
    QTextDocument::FindFlags flags;
    if (options.MatchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (options.WholeWord)
        flags |= QTextDocument::FindWholeWords;
    return flags;
}

// The next occurrence starting at or after the position, searched in the document.
QTextCursor Search(const QTextCursor& caret, const QString& text, int from,
                   TTextSearch::TOptions options) {
    if (text.isEmpty() || !caret.document())
        return QTextCursor();
    return caret.document()->find(text, from, Flags(options));
}

} // namespace

bool TTextSearch::FindNext(QTextCursor& caret, const QString& text, TOptions options) {
    const int from = caret.hasSelection() ? caret.selectionStart() + 1 : caret.position();
    const QTextCursor match = Search(caret, text, from, options);
    if (match.isNull()) {
        caret.setPosition(0);
        return false;
    }
    caret.setPosition(match.selectionStart());
    caret.setPosition(match.selectionEnd(), QTextCursor::KeepAnchor);
    return true;
}

bool TTextSearch::SelectionMatches(const QTextCursor& caret, const QString& text,
                                   TOptions options) {
    if (!caret.hasSelection())
        return false;
    const QTextCursor match = Search(caret, text, caret.selectionStart(), options);
    return !match.isNull() && match.selectionStart() == caret.selectionStart() &&
           match.selectionEnd() == caret.selectionEnd();
}

bool TTextSearch::ReplaceNext(QTextCursor& caret, const QString& text, const QString& replacement,
                              TOptions options) {
    if (SelectionMatches(caret, text, options))
        caret.insertText(replacement);
    return FindNext(caret, text, options);
}

int TTextSearch::ReplaceAll(QTextCursor& caret, const QString& text, const QString& replacement,
                            TOptions options) {
    int count = 0;
    caret.beginEditBlock();
    do {
        if (SelectionMatches(caret, text, options)) {
            caret.insertText(replacement);
            ++count;
        }
    } while (FindNext(caret, text, options));
    caret.endEditBlock();
    caret.setPosition(0);
    return count;
}
