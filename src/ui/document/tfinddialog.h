#pragma once

#include "document/ttextsearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTextCursor;

// The modeless find dialog, or with a replacement field the replace dialog, that stays beside
// the document while the user searches. It searches down only: it has no direction buttons.
// Its buttons only signal; the document window does the searching.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(bool replace, QWidget* parent = nullptr);

    bool IsReplaceDialog() const { return ReplaceEdit != nullptr; }
    QString FindText() const;
    void SetFindText(const QString& text);
    // The search text a selection gives: its first line, all that the one-line field holds.
    void SetFindTextFromSelection(const QString& selected);
    QString ReplaceText() const;
    bool MatchCase() const;
    bool WholeWord() const;
    TTextSearch::TOptions Options() const { return {MatchCase(), WholeWord()}; }

    // Shows the dialog, the first time at the top right of the document window so that it
    // covers as little of the text as it can, and brings it to the front.
    void ShowBeside(QWidget* document);
    // Moves the shown dialog off the area, in global co-ordinates, when it covers it, so that a
    // match it has found can be seen.
    void KeepClear(const QRect& area);

    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr; // none in the find dialog
    QCheckBox* WholeWordBox = nullptr;
    QCheckBox* MatchCaseBox = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
    QPushButton* CancelButton = nullptr;

signals:
    void FindNext();
    void Replace();
    void ReplaceAll();

private:
    void UpdateButtons();
    bool Placed = false;
};
