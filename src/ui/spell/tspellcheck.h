#pragma once

#include "foundation/tdocumenthost.h"
#include "spell/tspellcorrections.h"
#include "spell/tspelldictionaries.h"
#include "spell/tspellengine.h"

#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;
class TSpellProgress;

// The spell checker window. The caller creates it (the dictionaries load), sets the text,
// calls PrepareCheck and shows it modally; checking starts once the window is on the screen.
// The window runs the engine to the next problem, shows it with its context and suggestions and
// goes on after the user's decision. Afterwards the caller reads CheckResult, TextChanged and
// the corrections, and destroys the window, which writes the dictionaries back.
//
// In DictionaryOnlyMode nothing is checked: the window serves to import words into the main
// dictionary and to show the dictionaries' status.
class TSpellCheck : public QDialog, public TDocumentHost {
    Q_OBJECT
public:
    // Loads the dictionaries the settings name; a file that cannot be read throws TPlatformError.
    explicit TSpellCheck(QWidget* parent = nullptr);
    // Writes back the dictionaries that changed; a failure is shown, never thrown.
    ~TSpellCheck() override;

    static QString Title() { return QStringLiteral("Quorvane Spell Checker"); }
    static QString DateText() { return QStringLiteral("20 June 2001"); }
    static constexpr int HelpContext = 601;

    // For the caller, in this order.
    void SetSourceText(const QString& text) { Engine.SourceText = text; }
    void PrepareCheck();
    // 0 aborted, 1 completed, 4 accepted with "Exit".
    int CheckResult = 0;
    bool TextChanged() const { return Engine.TextChanged; }
    QString CheckedText() const { return Engine.CheckedText; }
    TSpellCorrections Corrections() const { return TSpellCorrections::From(Engine, CheckResult); }

    // For looking after the dictionaries without checking.
    void DictionaryOnlyMode();
    bool InDictionaryOnlyMode() const { return DictionaryOnly; }

    // Runs the engine to the next problem (or the end) and shows what it found; the end of the
    // text closes the window.
    void ContinueCheck();
    // A run is going on (and yielding to pending events).
    bool Running() const { return RunDepth > 0; }

    // The decisions.
    void Replace();
    void Ignore();
    void IgnoreAllButtonClick();
    void AddClick();
    void SuggestionsClick(QListWidgetItem* item);
    void AcceptandExit();
    void Exit1Click();
    void StopCurrentCheck1Click();
    // The other menu items.
    void AddFileToMainDictionary1Click();
    void DictionaryStatus1Click();
    void Help2Click();
    void About1Click();
    void Options1Popup();

    // Writes the modified dictionaries back; a failure is shown in a message box.
    void FormDestroy();

    TSpellDictionaries Dictionaries;
    TSpellEngine Engine;
    bool ViewAnimation = true;
    int AnimationFrame = 0;

    // Controls.
    QMenuBar* MainMenu1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Context1 = nullptr;
    QLabel* Context2 = nullptr;
    QLabel* Context3 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* TextNotFound = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* ProblemDescription = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* ReplacementText = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* Suggestions = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* IgnoreButton = nullptr;
    QPushButton* IgnoreAllButton = nullptr;
    QPushButton* Add = nullptr;
    TSpellProgress* Progress = nullptr;
    QTimer* StartTimer = nullptr;
    // Menus.
    QMenu* File1 = nullptr;
    QAction* AddFileToMainDictionary1 = nullptr;
    QAction* Exit1 = nullptr;            // "Abort Spell Check"
    QAction* StopCurrentCheck1 = nullptr;
    QAction* N2 = nullptr;               // the separator after them
    QAction* AcceptandExit1 = nullptr;   // "Exit"
    QMenu* Options1 = nullptr;
    QAction* IgnoreNumbers1 = nullptr;
    QAction* IgnoreDuplicateWords1 = nullptr;
    QAction* IgnoreIrregularCapitals1 = nullptr;
    QAction* CapitalizeFirstLetterofSentence1 = nullptr;
    QAction* ViewAnimation1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* DictionaryStatus1 = nullptr;
    QAction* WebSite1 = nullptr;
    QAction* SalesDepartment1 = nullptr;
    QAction* TechnicalSupport1 = nullptr;
    QAction* About1 = nullptr;

    // TDocumentHost: the dictionaries' messages and hourglass.
    void ProcessEvents() override;
    void PushBusyCursor() override;
    void PopBusyCursor() override;
    TMessageResult ShowMessage(const QString& text, const QString& caption, TMessageIcon icon,
                               TMessageButtons buttons) override;

public slots:
    void reject() override;

protected:
    bool event(QEvent* event) override;

private:
    enum class TPendingClose { None, Exit, Abort };

    void CreateControls(QWidget* client);
    void CreateMenus();
    void ShowContext();
    void ShowProblem(TSpellProblem problem);
    void SetSuggestions(const QStringList& items);
    void SetDecisionsEnabled(bool enabled);
    void RunProgress(qint32 wordCount);
    void DrawProgress();
    void Decided();

    bool DictionaryOnly = false;
    bool StartPending = false;
    bool Prepared = false;
    int RunDepth = 0;
    int BusyCursorDepth = 0;
    TPendingClose PendingClose = TPendingClose::None;
    TSpellProblem ProblemShown = TSpellProblem::None;
};
