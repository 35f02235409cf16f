#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

// The "Goto Line Number" dialog: a line number between 1 and the document's line count, typed
// or stepped with the spin button beside the field. Invalid input is undone as it is typed.
class TLineForm : public QDialog {
    Q_OBJECT
public:
    explicit TLineForm(QWidget* parent = nullptr);

    // The caption names the document's file without its folder.
    void SetFileName(const QString& fileName);
    // The line count and the line the field starts with.
    void SetLines(int maxLine, int chosenLine);

    void Edit1Change();
    void CSpinButton1UpClick();
    void CSpinButton1DownClick();

    int MaxLine = 0;
    int ChosenLine = 0;

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QWidget* CSpinButton1 = nullptr;
    QToolButton* UpButton = nullptr;
    QToolButton* DownButton = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

    static constexpr int HelpContext = 771;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowChosenLine();
};
