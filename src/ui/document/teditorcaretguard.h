#pragma once

#include <QTextCursor>
#include <QTextEdit>

// Takes the editor's caret away while its whole text is replaced and gives it a caret at the
// start afterwards, on every exit: a caret or selection carried along to the end of a long text
// would make the editor lay out the whole text before drawing anything.
class TEditorCaretGuard {
public:
    explicit TEditorCaretGuard(QTextEdit* editor) : Editor(editor) {
        Editor->setTextCursor(QTextCursor());
    }
    ~TEditorCaretGuard() { Editor->setTextCursor(QTextCursor(Editor->document())); }
    TEditorCaretGuard(const TEditorCaretGuard&) = delete;
    TEditorCaretGuard& operator=(const TEditorCaretGuard&) = delete;

private:
    QTextEdit* Editor;
};
