#pragma once

#include "document/tbaseform.h"
#include "model/tboltgroupdocument.h"
#include "view/tcopymovevalues.h"

#include <QList>
#include <QPoint>

class QLabel;
class QScrollArea;
class QSplitter;

// The document window of a bolt group: a text document window whose text is the analysis report,
// with a pane on its left holding the plot of the bolts (Image1) and the rotation dial under it
// (Image2). The window owns the bolt group document, whose line buffers and host are the window
// itself; it opens and saves by file extension, edits the titles, and carries the view and image
// commands of the pane's context menu.
class TBoltGroupForm : public TBaseForm {
    Q_OBJECT
public:
    explicit TBoltGroupForm(TDocumentFrame* frame, QWidget* parent = nullptr);
    ~TBoltGroupForm() override;

    bool IsBoltGroupForm() const override { return true; }

    // Document operations this window does its own way.
    void OpenDocument(const QString& fileName) override;
    void SaveDocumentAs() override;
    void SaveDocument() override;
    void ToggleTitleStyle(int tag) override;
    void ToggleSubtitleStyle(int tag) override;
    void Open2Click() override;
    // Every activation; the first one also sets the window up.
    void FormActivate() override;

    // The titles dialog ("Analysis Titles").
    void EditTitles();
    // Plot, unit loads and actual loads with the report; the cursor, Busy and the line buffers
    // are restored on every exit, an error included.
    void RefreshAnalysis();
    void PlotBolts();
    // Writes the calculated bolt loads as a NISA load fragment.
    void ExportNisaLoads(const QString& fileName);

    // The most recent change of the window goes back or comes again: typing in the report when
    // that came after the last change of the model, otherwise the model's step, which reruns the
    // plot and the analysis.
    void Undo() override;
    void Redo() override;
    bool CanUndo() const override;
    bool CanRedo() const override;
    QString UndoName() const override;
    QString RedoName() const override;

    // View commands: a standard view by code (10 asks for the angles), a lens, the plot options;
    // each replots at once.
    void ViewingAngleChange(int code);
    void ChangeLens(int lens);
    void ChangeBoltLabels();
    void ChangeDepthShading();
    // Openings of the context menu's View and Perspective submenus: the check marks.
    void View1Click();
    void Perspective1Click();

    // The rotation dial, with positions in the dial's pixels.
    void Image2MouseDown(const QPoint& position);
    void Image2MouseMove(const QPoint& position);
    void Image2MouseUp();

    // The picture, with positions in picture pixels: a left click picks bolts (Shift for a
    // range, Ctrl to add, Alt to remove); a drag that starts on empty picture while nothing is
    // selected draws a band and selects the bolts inside it.
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                         const QPoint& position);
    void Image1MouseMove(const QPoint& position);
    void Image1MouseUp();
    // The picture lost the mouse: an area selection in progress ends without selecting.
    void CancelImage1Band();

    // The bolt commands of the context menu; each item's Tag is the bolt concerned, BoltCount
    // standing for the applied load. Properties of a bolt or of the applied load, a new bolt,
    // and the deletion of the bolt or of the selection.
    void BoltSelect(int tag);
    void AddBolt(int tag);
    void BoltDelete(int tag);
    // Copy and move of the bolt or of the selection.
    void BoltCopy(int tag);
    void BoltMove(int tag);

    // Image commands of the context menu.
    void CopyImage1Click();
    void SaveImage1Click();
    void SaveImageAs1Click();
    void AnalysisTitles1Click() { EditTitles(); }
    void SelectAllBolts1Click();
    // Opening of the context menu: its ten fixed items stay, everything after them is rebuilt
    // for the bolts under the pointer and the selection.
    void PopupMenu4Popup();
    // The same for a given point of the picture.
    void BuildBoltItems(const QPoint& position);

    // Shows the current picture in Image1.
    void RefreshImage1();

    // The data file a save writes for a report name: the part before " Bolt Group Loads.rtf"
    // followed by ".dat", or the name with its extension changed to ".dat".
    static QString DataFileName(const QString& fileName);

    // TDocumentHost: the questions the document asks of its window.
    void ClearText() override;
    bool EditNisaNodeNumbers(const QStringList& boltColumn, QStringList& nodeColumn) override;
    bool InputQuery(const QString& caption, const QString& prompt, QString& text) override;

    // The model, the analysis results and the view.
    TBoltGroupDocument Document;

    // Controls.
    QSplitter* Splitter1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QMenu* PopupMenu4 = nullptr;
    QAction* CopyImage1 = nullptr;
    QAction* SaveImage1 = nullptr;
    QAction* SaveImageAs1 = nullptr;
    QMenu* View1 = nullptr;
    QMenu* Perspective1 = nullptr;
    QList<QAction*> ViewItems;    // Front2 ... UserDefined2, by Tag
    QList<QAction*> LensItems;    // None2 ... TelephotoLens2, by Tag
    QAction* AnalysisTitles1 = nullptr;
    QAction* SelectAllBolts1 = nullptr;
    static constexpr int FixedPopupItems = 10;

    // The window's dialogs, as its first activation sets them.
    QString OpenDialogTitle = QStringLiteral("Open Text File");
    QString OpenDialogFilter;
    QString SaveDialogTitle = QStringLiteral("Save Document");
    QString SaveDialogFilter;
    static constexpr const char* SaveImageTitle = "Save Bolt Group Analysis Image";
    static constexpr const char* SaveImageFilter = "Windows Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*";
    static constexpr const char* SaveImageExtension = "emf";

    // Fields.
    QString DataExtension;
    // The values of the copy and move dialog, remembered for the next use while the window lives.
    TCopyMoveValues CopyMoveValues;
    bool FirstActivationPending = true;

    static constexpr int PaneWidth = 305;
    static constexpr int DialWidth = 122;
    static constexpr int DialHeight = 120;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreatePane();
    void CreatePopupMenu4();
    void FirstActivation();
    // Replaces the report's modified mark by the model's: a model that the data file on disk does
    // not hold counts as an unsaved change of the document.
    void MarkReportFromModel();
    void RebuildReport();
    // Records the change of the model since Document.History.Begin as one step; report typing
    // before it can no longer be undone, since the analysis rewrites the report.
    void CommitStep(const QString& name);
    // Reruns the analysis after an undo or redo of the model.
    void AfterHistoryStep();
    // The copy or move command after its checks: the dialog, the transform, the new analysis.
    void CopyOrMove(int example, const QString& caption, bool move);
};
