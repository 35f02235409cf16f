#include "tspellcorrections.h"

#include <QTextCursor>
#include <QTextDocument>

TSpellCorrections TSpellCorrections::From(const TSpellEngine& engine, int checkResult) {
    TSpellCorrections corrections;
    corrections.CheckResult = checkResult;
    corrections.TextChanged = engine.TextChanged;
    corrections.CheckedText = engine.CheckedText;
    corrections.Edits = engine.Edits;
    return corrections;
}

qsizetype TSpellCorrections::Apply(QTextDocument& document, qsizetype start) const {
    const qsizetype end = document.characterCount() - 1;
    qsizetype change = 0;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (auto edit = Edits.rbegin(); edit != Edits.rend(); ++edit) {
        const qsizetype from = start + edit->Start;
        const qsizetype to = from + edit->Length;
        if (from < 0 || to > end || edit->Length < 0)
            continue;
        cursor.setPosition(int(from));
        QTextCharFormat format = cursor.charFormat();
        if (edit->Length > 0) {
            // The format of the first character replaced, not of the one before it.
            QTextCursor first(&document);
            first.setPosition(int(from) + 1);
            format = first.charFormat();
        }
        cursor.setPosition(int(to), QTextCursor::KeepAnchor);
        if (edit->Text.isEmpty())
            cursor.removeSelectedText();
        else
            cursor.insertText(edit->Text, format);
        change += edit->Text.size() - edit->Length;
    }
    cursor.endEditBlock();
    return change;
}

qsizetype TSpellCorrections::MapPosition(qsizetype position) const {
    qsizetype mapped = position;
    for (const TSpellEdit& edit : Edits) {
        if (edit.Start + edit.Length > position)
            break;
        mapped += edit.Text.size() - edit.Length;
    }
    return mapped;
}
