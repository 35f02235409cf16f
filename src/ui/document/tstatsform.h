#pragma once

#include <QDialog>
#include <QPointer>

class QLineEdit;
class QPushButton;
class QTextEdit;
class QTimer;

// The "Document Statistics" dialog: the characters, words, paragraphs and lines of a document.
// The count starts just after the dialog shows and fills the fields as it goes; the dialog can
// be closed at any time, and closes once the count has noticed the request.
class TStatsForm : public QDialog {
    Q_OBJECT
public:
    explicit TStatsForm(QTextEdit* richEdit, QWidget* parent = nullptr);

    void SetFileName(const QString& fileName);
    // The count: the tick of the one-shot timer.
    void FormCreate();

    bool Counting = false;
    bool StopRequested = false;

    QLineEdit* Edit1 = nullptr; // characters
    QLineEdit* Edit2 = nullptr; // words
    QLineEdit* Edit3 = nullptr; // paragraphs
    QLineEdit* Edit4 = nullptr; // lines
    QPushButton* OKButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QTimer* Timer1 = nullptr;

    static constexpr int HelpContext = 770;

    // Every close request, OK and Escape included, asks the count to stop; the dialog only
    // closes while no count runs.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<QTextEdit> RichEdit;
};
