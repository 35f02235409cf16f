#pragma once

#include "foundation/tdocumenthost.h"
#include "document/tlinebuffers.h"
#include "document/tplaintextformat.h"
#include "document/trichedit.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <memory>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QPrinter;
class QProgressBar;
class QToolBar;
class QToolButton;
class TDocumentFrame;
class TFindDialog;
class TLineIndex;
class TReportDisplay;
class TReportView;
struct TRtfReadResult;

// The text document window: a rich-text editor for ".rtf" and ".txt" files inside the main
// frame, and the base of the bolt group window. Besides the editor it carries the four line
// buffers with the information label and progress gauge that the analysis reports through, the
// decimal-places menu and the title and subtitle styles of report lines.
//
// The line-buffer operations are its first 23 virtual operations; the document operations
// follow in their fixed order, and a derived window overrides what it does differently.
class TBaseForm : public QWidget, public TLineBuffers, public TDocumentHost {
    Q_OBJECT
    // The help topic of the window and of everything inside it.
    Q_PROPERTY(int HelpContext READ WindowHelpContext)
public:
    explicit TBaseForm(TDocumentFrame* frame, QWidget* parent = nullptr);
    ~TBaseForm() override;

    // The window half of the line buffers.
    void FormatOutput() override;                            // 3
    void UpdateProgress() override;                          // 4
    void ShowOutput() override;                              // 9

    virtual void OpenDocument(const QString& fileName);      // 24
    virtual void CloseDocument();                            // 25
    virtual void SaveDocumentAs();                           // 26
    virtual void PrintDocument();                            // 27
    virtual void SendDocument();                             // 28
    virtual void SelectAllText();                            // 29
    virtual void ChooseFont();                               // 30
    virtual void ToggleWordWrap();                           // 31
    virtual void SaveDocument();                             // 32
    virtual void ToggleBullets();                            // 33
    virtual void StepParagraphIndent(int step);              // 34
    virtual void StepFirstLineIndent(int step);              // 35
    virtual void StepRightIndent(int step);                  // 36
    virtual void SetFontName(const QString& name);           // 37
    virtual void SetFontSize(int size);                      // 38
    virtual void SetFontNameAndSize(const QString& name, int size); // 39
    virtual void SpellCheckDocument();                       // 40
    virtual void ToggleTitleStyle(int tag);                  // 41
    virtual void ToggleSubtitleStyle(int tag);               // 42

    // Commands the frame forwards to the active document window.
    virtual void Undo();
    virtual void Redo();
    // Whether Undo / Redo has something to do, and what ("Delete Bolts"; empty for text edits).
    virtual bool CanUndo() const;
    virtual bool CanRedo() const;
    virtual QString UndoName() const { return {}; }
    virtual QString RedoName() const { return {}; }
    virtual void Cut();
    virtual void Copy();
    virtual void Paste();
    virtual void Bold1Click(int tag);       // font style by bit number
    virtual void Left1Click(int tag);       // alignment: 0 left, 1 right, 2 centre
    virtual void Open2Click();
    virtual void Find1Click();
    virtual void Replace1Click();
    virtual void ChangeTextCase(int tag);   // 0 upper, 1 lower, 2 initial capitals
    virtual void ShowStatistics();
    virtual void GotoLine();
    // Find-next of either find dialog; replace and replace-all of the replace dialog. An event
    // from anything else is refused with a message.
    void Find(QObject* sender);
    void Replace(QObject* sender, bool all);
    // Opening a Text Style or Text Alignment submenu checks its items (tagged by style bit or
    // alignment) as the selection's style and the paragraph's alignment are.
    void TextStyle1Click(const QList<QAction*>& items) const;
    void TextAlignment1Click(const QList<QAction*>& items) const;
    void UpdateStatusBarVisibility();
    void DecimalPlaceSet(int tag);

    // The window that derives from this one shows bolt groups.
    virtual bool IsBoltGroupForm() const { return false; }

    // State the frame reads.
    bool IsModified() const;
    bool HasText() const;
    bool HasSelection() const;
    bool WordWrap() const;
    // Caret line and column, both from 1.
    QPoint CaretPosition() const;
    // Replaces the selection by the text as one undoable edit and gives the editor the focus.
    void TypeText(const QString& text);
    // The insert/typeover indicator: insert while the two flags are equal.
    bool InsertMode() const { return InsertKeyNow == InsertKeyAtStart; }
    void FlipInsertKey();
    // The caption rule: DocumentType + " - " + FileName.
    void SetCaption();
    QString Caption() const;
    // The hint of the rich text: the document's file name.
    QString RichEditHint() const;

    // Activation by the frame, and the one-time default font of the first window in a run.
    virtual void FormActivate();
    static void ResetFirstActivation();

    // TDocumentHost: this window is the host of its own line buffers.
    void ShowInformation(const QString& text) override;
    void ShowProgress(int percent) override;
    void ProcessEvents() override;
    void PushBusyCursor() override;
    void PopBusyCursor() override;
    TMessageResult ShowMessage(const QString& text, const QString& caption, TMessageIcon icon,
                               TMessageButtons buttons) override;
    void AddToQuickList(const QString& fileName) override;

    // The Save As question for a chosen name: true when no such file exists or the user agrees
    // to overwrite it.
    bool OverwriteAllowed(const QString& fileName);
    // Unsaved changes asked about ("Save changes to ...?"): false when the user cancelled or
    // the save failed (told), so that what was to replace the window's work does not happen.
    bool ChangesResolved();

    // Writes the text to a file, as rich text or plain text, through a save file; plain text in
    // PlainTextFormat. When that encoding cannot hold every character, asks whether to save as
    // UTF-8 instead; false, with nothing written, when the user declines.
    bool WriteText(const QString& fileName, bool richText);
    // Reads a file into the rich text, as rich text or plain text, and remembers the plain
    // text's format. A file of BackgroundReadBytes or more shows its first page at once and is
    // read whole on another thread meanwhile (IsLoading).
    void ReadText(const QString& fileName, bool richText);
    static qsizetype BackgroundReadBytes;
    // While a long text is being read, the window shows its start: the view can be scrolled,
    // the caret moved and text selected in it, and it can be typed into (characters, line ends,
    // tabs, deletions); what is typed is typed into the whole text once it is read. Anything
    // else done in the window or the frame (another key that edits, a menu, a tool button)
    // first waits for the whole text.
    bool IsLoading() const { return bool(Loading); }
    // Waits for the text being read, and shows it; the error is told when it could not be read,
    // and the window then shows what it showed before.
    void FinishLoading();
    // A report of this many lines or more is kept and shown compactly: a view over the editor
    // lays out only the lines in sight, and the editor is given the whole report only when a
    // command needs it there (ShowWholeReport), as every command that works on the text does.
    static qsizetype LongReportLines;
    void ShowWholeReport();
    // Takes the view of a long report away, for the editor's own text.
    void DropLongReport();
    // How the document's plain text is written: as the plain-text file it was read from was
    // encoded, UTF-8 with LF line ends for any other document.
    TPlainTextFormat PlainTextFormat;
    // What the last rich-text file read held that the editor does not keep ("pictures", ...), and
    // that file: the first save over it asks before that content is lost.
    QStringList LeftOutOfFile;
    QString LeftOutFileName;

    // The printer shared by every document window and the frame's printer dialogs.
    static QPrinter& Printer();
    // The message for a name that cannot be opened as a document, by what is there:
    // "File\n\"name\"\ncannot be found.", "... is a folder." or "... is not a regular file."
    static QString CannotOpenText(const QString& fileName);
    // True for a regular file; anything else is told with CannotOpenText and false returned,
    // before a window's own Open asks about its unsaved work or changes anything.
    bool OpenableOrTold(const QString& fileName);
    // Save As after its questions: saves under the name, which the window keeps only when the
    // save wrote the document (not when it failed or was declined).
    void SaveUnderName(const QString& fileName);

    // The frame that holds the window; nullptr for a window on its own.
    TDocumentFrame* Frame;

    // Controls.
    TRichEdit* RichEdit1 = nullptr;
    QFrame* CoolBar1 = nullptr;
    QLabel* Label1 = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QToolButton* DecimalPlaces = nullptr;
    TFindDialog* FindDialog1 = nullptr;    // made on first use, then kept
    TFindDialog* ReplaceDialog1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QMenu* PopupMenu3 = nullptr;
    // PopupMenu1
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* Font2 = nullptr;
    QMenu* TextStyle1 = nullptr;
    QAction* Bold1 = nullptr;
    QAction* Itallic1 = nullptr;
    QAction* Underline1 = nullptr;
    QAction* Strikeout1 = nullptr;
    QMenu* TextAlignment1 = nullptr;
    QAction* Left1 = nullptr;
    QAction* Centre1 = nullptr;
    QAction* Right1 = nullptr;
    QAction* SpellCheck1 = nullptr;
    QAction* SpellCheckSeparator = nullptr;
    QAction* StatusBarVisible1 = nullptr;
    QAction* StatusBarSeparator = nullptr;
    QAction* Open2 = nullptr;
    QAction* Save2 = nullptr;
    QAction* SaveAs2 = nullptr;
    QAction* Print2 = nullptr;
    // PopupMenu2
    QAction* N1DecimalPlace1 = nullptr;
    QAction* N2DecimalPlaces1 = nullptr;
    QAction* N3DecimalPlaces1 = nullptr;
    QAction* N4DecimalPlaces1 = nullptr;
    // PopupMenu3
    QAction* StatusBar1 = nullptr;
    QAction* InformationLabel1 = nullptr;
    QAction* ProgressBar1 = nullptr;
    QAction* DecimalPlaces1 = nullptr;
    QAction* RestoreStatusBar = nullptr;

    // Fields.
    QString DocumentType = QStringLiteral("Text Editor");
    QString OpenExtension = QStringLiteral(".rtf");
    qint32 OutputDecimalPlaces = 0;
    bool InsertKeyAtStart = false;
    bool InsertKeyNow = false;
    bool ReplaceMode = false;
    // The font of the window's font dialog, which shown output takes.
    QFont FontDialogFont;
    QColor FontDialogColour = Qt::black;

    static constexpr int HelpContext = 102;
    // The bolt group window's own topic: it is a text document window that carries a plot.
    static constexpr int BoltGroupHelpContext = 103;
    int WindowHelpContext() const { return IsBoltGroupForm() ? BoltGroupHelpContext : HelpContext; }

    void MenuPopupAction();
    void PopupMenu3Popup();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreatePopupMenu1();
    void CreateStatusPanel();
    void ApplyFirstActivationFont();

    int BusyCursorDepth = 0;
    // The report of the line buffers in the editor.
    TReportDisplay* Report = nullptr;
    // The caret's line and column for the status bar, read at every tick of the frame.
    TLineIndex* Lines = nullptr;
    // Shows the document in the editor.
    void ShowDocument(QTextDocument* document);
    // Remembers how a file just read was encoded, and what the editor left out of it.
    void TakeReadResult(const TRtfReadResult& result, const QString& fileName);
    // A long text being read, and what the window showed before.
    struct TLoading;
    std::unique_ptr<TLoading> Loading;
    bool InterruptsLoading(QObject* watched, QEvent* event) const;
    // Notes an edit of a plain text's first page, to be made again in the whole text.
    void NoteFirstPageEdit(int from, int removed, int added);
    // Find-next in a long report's own text; the selection's first line, which a find dialog
    // starts with.
    void FindInLongReport(TReportView& view, TFindDialog& dialog);
    QString SelectionToFind() const;
};
