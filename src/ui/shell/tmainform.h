#pragma once

#include "document/tdocumentframe.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QComboBox;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QTimer;
class QToolBar;
class QToolButton;
class TBaseForm;
class TFileDropper;
class TFrameArea;
class TFrameStatusBar;
class THelpViewer;

// The application's frame window. It hosts the document windows, owns the menus, the tool bars
// and the status bar, forwards every document command to the active document window, chooses
// by extension which kind of window opens a file, keeps the recent-file list in the File menu
// and the open windows in the Window menu, and paints its background while it is empty. Its
// timer keeps menus, buttons and the status bar in step with the active document.
class TMainForm : public QMainWindow, public TDocumentFrame {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Document windows.
    QList<TBaseForm*> Documents() const;
    int DocumentCount() const override;
    TBaseForm* ActiveDocument() const;
    QMdiSubWindow* SubWindowOf(const TBaseForm* form) const;
    // Puts a new document window into the frame and shows it as its settings say.
    void AddDocument(TBaseForm* form);
    void ActivateDocument(TBaseForm* form);
    // A maximized document window shows no title bar of its own: its buttons are then the
    // frame's, at the right of the menu bar.
    void SyncTitleBars();
    // The frame's caption: the program's name, followed by the active document window's caption
    // in brackets while that window is maximized.
    void ShowFrameCaption();

    TBaseForm* TextEditFile1Click();
    // A text editor window with the file (the preferences dialog's dictionaries).
    TBaseForm* EditTextFile(const QString& fileName);
    TBaseForm* BoltGroupAnalysis1Click();
    void Open1Click();
    // Opens a file in the kind of window its extension asks for; nullptr when none opened.
    TBaseForm* OpenFileByType(const QString& fileName) override;
    // Opens the files the program was started with: each by type, then each bolt group file in
    // a bolt group window without the question. A file that cannot be found or read is told in
    // a message box and the others still open. Returns how many windows opened.
    int OpenFiles(const QStringList& files, const QStringList& boltGroupFiles);
    void Close1Click();
    void Print1Click();
    void PrinterSetup1Click();
    void Exit1Click();
    void One1Click(int tag);
    void Restore1Click();
    void ApplyPreferences();
    // Edit > "Preferences...": the dialog, then the preferences re-read whatever it did.
    void Preferences1Click();
    // Opens every file of the last drop; asks first when there are more than DropQuestionLimit.
    void FileDropper1Drop();
    void SetWindowState(int tag);   // 0 normal, 1 minimized, 2 maximized
    void TileDocuments(int mode);

    // Menu openings, run every time the menu is about to show.
    void File1Click();
    void Edit1Click();
    void Window1Click();
    void Options1Click();

    // The tick: the frame's timer keeps the status bar and the commands in step with the active
    // document.
    void Timer1Timer();
    void FontNameChosen();
    // The Insert key was pressed: flip the typing mode of the active document.
    void InsertKeyPressed();
    bool InsertKeyToggled() const override { return InsertToggled; }
    void RepaintFrame() override { repaint(); }
    void UpdateFrame() override { update(); }

    // Caption of entry k (from 1) of the File menu's recent list or the Window menu's list.
    static QString NumberedCaption(int k, const QString& caption);

    // The help window, made the first time it is asked for; Help() is nullptr until then.
    THelpViewer* HelpViewer();
    THelpViewer* Help() const;
    // The help for F1: the highlighted menu item's context while a menu is open, the active
    // document window's context when the key goes to the frame, and otherwise the context of
    // the window or dialog that has the key.
    int ContextHelpFor(QWidget* focus) const;
    void ShowHelpContext(int helpContext);
    // Closes the help window (the frame's shut-down and Exit).
    void CloseHelp();

    // Creates the bolt group window; nullptr while this build has none.
    virtual TBaseForm* CreateBoltGroupForm();

    // Fields.
    int QuickListLength = 4;
    QString FontSampleText = QStringLiteral("Aa");
    int FontSampleWidth = 0;

    // Tick state.
    bool InsertToggled = false;
    bool LastInsertKeyState = false;
    bool LastInsertKeyKnown = false;
    bool ControlsDisabled = true;
    bool FileMenuPictureHidden = true;
    int TickCount = 0;

    static constexpr int HelpContext = 101;
    static constexpr int TickInterval = 100;
    static constexpr int MinimizedTickInterval = 2000;
    static constexpr int DropQuestionLimit = 20;

    // Controls.
    TFrameArea* ClientArea = nullptr;
    TFrameStatusBar* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    TFileDropper* FileDropper1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QToolBar* ToolBar1 = nullptr;   // File
    QToolBar* ToolBar2 = nullptr;   // Edit
    QToolBar* ToolBar3 = nullptr;   // Text formatting
    QToolBar* ToolBar4 = nullptr;   // Help
    QToolBar* ToolBar5 = nullptr;   // Paragraph formatting
    QToolBar* ToolBar6 = nullptr;   // Word tools
    QToolBar* ToolBar7 = nullptr;   // the menu
    QToolBar* ToolBar8 = nullptr;   // document window buttons
    QComboBox* ComboBox1 = nullptr; // font name
    QComboBox* ComboBox2 = nullptr; // font size

    QMenu* File1 = nullptr;
    QMenu* New1 = nullptr;
    QAction* TextEditFile1 = nullptr;
    QAction* BoltGroupAnalysis1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* SaveAs1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrinterSetup1 = nullptr;
    QAction* Send1 = nullptr;
    QAction* SendSeparator = nullptr;
    QAction* Exit1 = nullptr;
    QList<QAction*> QuickListItems;

    QMenu* Edit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* Font1 = nullptr;
    QAction* WordWrap1 = nullptr;
    QMenu* TextStyle1 = nullptr;
    QMenu* TextAlignment2 = nullptr;
    QMenu* TextCase1 = nullptr;
    QAction* SpellCheck1 = nullptr;
    QAction* Find1 = nullptr;
    QAction* Replace1 = nullptr;
    QAction* Statistics1 = nullptr;
    QAction* GotoLine1 = nullptr;
    QAction* Preferences1 = nullptr;
    QMenu* ToolBars1 = nullptr;
    QList<QAction*> DocumentEditItems;   // hidden with no document

    QMenu* Options1 = nullptr;
    QMenu* Titles1 = nullptr;
    QMenu* Subtitles1 = nullptr;
    QAction* N9 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Window1 = nullptr;
    QAction* Cascade1 = nullptr;
    QAction* TileHorizontal1 = nullptr;
    QAction* TileVertical1 = nullptr;
    QAction* NextWindow1 = nullptr;
    QAction* PreviousWindow1 = nullptr;
    QAction* ArrangeIcons1 = nullptr;
    QAction* Maximise1 = nullptr;
    QAction* Restore3 = nullptr;
    QAction* Minimize1 = nullptr;
    QList<QAction*> WindowListItems;
    QMenu* Help1 = nullptr;

    // Tool buttons.
    QAction* NewButton = nullptr;
    QAction* OpenButton = nullptr;
    QAction* CloseButton = nullptr;
    QAction* SaveButton = nullptr;
    QAction* SaveAsButton = nullptr;
    QAction* PrintButton = nullptr;
    QAction* ExitButton = nullptr;
    QAction* CutButton = nullptr;
    QAction* CopyButton = nullptr;
    QAction* PasteButton = nullptr;
    QAction* UndoButton = nullptr;
    QAction* HelpButton = nullptr;
    QAction* AboutButton = nullptr;
    QAction* SpellCheckButton = nullptr;
    QAction* FindButton = nullptr;
    QAction* ReplaceButton = nullptr;
    QAction* FontButton = nullptr;
    QAction* StyleButtons[4] = {};    // Bold, Itallics, Underline, Strikeout
    QAction* Bullets1 = nullptr;
    QAction* FLIIncrease = nullptr;
    QAction* FLIDecrease = nullptr;
    QAction* IndentIncrease = nullptr;
    QAction* IndentDecrease = nullptr;
    QAction* LeftButton = nullptr;
    QAction* CentreButton = nullptr;
    QAction* RightButton = nullptr;
    QAction* RightIndentIncrease = nullptr;
    QAction* RightIndentDecrease = nullptr;
    QAction* MinimizeButton = nullptr;
    QAction* MaximizeButton = nullptr;
    QAction* RestoreButton = nullptr;
    QAction* CloseWindowButton = nullptr;
    QAction* OptionsMenuAction = nullptr;
    QAction* ViewMenuAction = nullptr;
    QAction* WindowMenuAction = nullptr;
    QList<QAction*> TextStyleItems;     // Edit > Text Style
    QList<QAction*> ToolBarItems;       // Edit > Tool Bars
    QList<QAction*> ToolBarPopupItems;  // PopupMenu2

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TFrameCommands;
    void PlaceToolBars();
    void FormShow();
    void FormDestroy();
    void SubWindowActivated(QMdiSubWindow* window);
    void DocumentClosed();
    void UpdateToolBarChecks(const QList<QAction*>& items);
    void ToggleToolBar(int index);
    QToolBar* ToolBarByIndex(int index) const;
    void ComputeFontSampleWidth();
    void SelectFontName(const QString& name);
    void AddQuickListItems();

    QPointer<TBaseForm> LastActive;
    QPointer<THelpViewer> HelpWindow;
    bool Shown = false;
    bool DestroyDone = false;
};
