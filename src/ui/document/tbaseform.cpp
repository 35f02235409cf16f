#include "tbaseform.h"

#include "foundation/tsavefile.h"

#include "document/tdocumentfile.h"
#include "document/tdocumentload.h"
#include "document/tdocumentunits.h"
#include "document/tplaintext.h"
#include "document/tparagraphbullets.h"
#include "document/tparagraphlayout.h"
#include "document/treportformatter.h"
#include "document/treporttext.h"
#include "document/ttextcase.h"
#include "document/tlineindex.h"
#include "document/ttextlines.h"
#include "document/ttextsearch.h"
#include "foundation/tbusycursorguard.h"
#include "foundation/tfileidentity.h"
#include "foundation/tfilenames.h"
#include "foundation/tplatformerror.h"
#include "foundation/treadfile.h"
#include "shell/tdialogs.h"
#include "shell/tmenuitems.h"
#include "shell/tsettings.h"
#include "tdocumentframe.h"
#include "tdocumentmailer.h"
#include "tdocumentprinter.h"
#include "teditorcaretguard.h"
#include "tfinddialog.h"
#include "treportdisplay.h"
#include "treportview.h"
#include "trichedit.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QDesktopServices>
#include <QTextEdit>
#include <QUrl>
#include <QTextList>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <optional>

namespace {

bool FirstActivationDone = false;

// The keys of the window's own menu items are shown in the menus; the frame's items and the
// editor carry them.
constexpr Qt::ShortcutContext ShownKey = Qt::WidgetShortcut;

// The first page of a long text shown while the whole is read: its first bytes.
constexpr qsizetype FirstPageBytes = 64 << 10;

// Sees every event of the program while a window reads a long text: the window waits for the
// text before one that would do more than look at it.
class TLoadGate : public QObject {
public:
    explicit TLoadGate(std::function<void(QObject*, QEvent*)> sees) : Sees(std::move(sees)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        Sees(watched, event);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> Sees;
};

// Whether a key only types into the text: a character, a line end, a tab, or a deletion.
bool TypesText(const QKeyEvent& key) {
    if (key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier))
        return false;
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        return true;
    default:
        return !key.text().isEmpty() && key.text().at(0).isPrint();
    }
}

} // namespace

struct TBaseForm::TLoading {
    std::unique_ptr<TDocumentLoad> Load;
    QString FileName;
    // The first page, shown meanwhile; the document shown before, with its file's name.
    QTextDocument* FirstPage = nullptr;
    QTextDocument* Previous = nullptr;
    QString PreviousName;
    QObject* Gate = nullptr;
    // The first page's length before its last edit.
    int PageLength = 0;
};

TBaseForm::TBaseForm(TDocumentFrame* frame, QWidget* parent) : QWidget(parent), Frame(frame) {
    SetHost(this);
    setObjectName(QStringLiteral("BaseForm"));
    const int n = (Frame ? Frame->DocumentCount() : 0) + 1;
    FileName = QDir::home().filePath(QStringLiteral("Untitled %1.rtf").arg(n));
    FontDialogFont = TReportFormatter::DefaultFont();
    CreateControls();
    Report = new TReportDisplay(RichEdit1, *this, this);
    OutputAsTextFrom = LongReportLines;
    Lines = new TLineIndex(RichEdit1->document(), this);
    resize(845, 480);

    // BaseFormCreate.
    Printer().setPageOrientation(QPageLayout::Portrait);
    Paste1->setEnabled(QApplication::clipboard()->mimeData() &&
                       QApplication::clipboard()->mimeData()->hasText());
    InsertKeyAtStart = InsertKeyNow = Frame ? Frame->InsertKeyToggled() : false;
    TitleStyle = TFontStyles{TFontStyle::Bold};
    SubtitleStyle = TFontStyles{TFontStyle::Underline};
    setWindowTitle(DocumentType);
    SetCaption();
}

TBaseForm::~TBaseForm() {
    if (Loading) {
        qApp->removeEventFilter(Loading->Gate);
        delete Loading->Gate;
    }
    while (BusyCursorDepth > 0)
        PopBusyCursor();
}

void TBaseForm::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    CreateStatusPanel();
    layout->addWidget(CoolBar1);

    auto* richEdit = new TRichEdit(this);
    RichEdit1 = richEdit;
    // A link opens with Ctrl+click: an address through the desktop, a place in the document here.
    connect(richEdit, &TRichEdit::LinkActivated, this, [this](const QString& address) {
        if (address.startsWith(QLatin1Char('#')))
            RichEdit1->scrollToAnchor(address.mid(1));
        else
            QDesktopServices::openUrl(QUrl::fromUserInput(address));
    });
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setAcceptRichText(true);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setTabChangesFocus(false);
    RichEdit1->document()->setDefaultFont(QFont(QStringLiteral("Courier New"), 9));
    RichEdit1->setTextColor(Qt::black);
    // The selection stays visible when the editor loses the focus.
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    RichEdit1->setPalette(palette);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    // Dropped files go to the frame, which opens them.
    RichEdit1->viewport()->installEventFilter(this);
    layout->addWidget(RichEdit1, 1);
    setFocusProxy(RichEdit1);

    CreatePopupMenu1();
    connect(RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        MenuPopupAction();
        PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(pos));
    });
}

void TBaseForm::CreateStatusPanel() {
    CoolBar1 = new QFrame(this);
    CoolBar1->setObjectName(QStringLiteral("CoolBar1"));
    CoolBar1->setFrameShape(QFrame::StyledPanel);
    CoolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* row = new QHBoxLayout(CoolBar1);
    row->setContentsMargins(4, 2, 4, 2);
    auto* band = new QLabel(QStringLiteral("Status"), CoolBar1);
    row->addWidget(band);

    Label1 = new QLabel(QStringLiteral("Un-Verified"), CoolBar1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setToolTip(QStringLiteral("Information Panel"));
    Label1->setFrameShape(QFrame::Panel);
    Label1->setFrameShadow(QFrame::Sunken);
    Label1->setMinimumWidth(260);
    row->addWidget(Label1);

    Gauge1 = new QProgressBar(CoolBar1);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setToolTip(QStringLiteral("Progress"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setFixedWidth(200);
    QPalette gaugePalette = Gauge1->palette();
    gaugePalette.setColor(QPalette::Highlight, Qt::blue);
    Gauge1->setPalette(gaugePalette);
    row->addWidget(Gauge1);

    ToolBar1 = new QToolBar(CoolBar1);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    DecimalPlaces = new QToolButton(ToolBar1);
    DecimalPlaces->setObjectName(QStringLiteral("DecimalPlaces"));
    DecimalPlaces->setText(QStringLiteral("Output Number of Decimal Places"));
    DecimalPlaces->setToolTip(QStringLiteral("Output number of decimal places"));
    DecimalPlaces->setPopupMode(QToolButton::InstantPopup);
    ToolBar1->addWidget(DecimalPlaces);
    ToolBar1->hide();
    row->addWidget(ToolBar1);
    row->addStretch(1);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    auto* places = new QActionGroup(this);
    const char* names[] = {"N1DecimalPlace1", "N2DecimalPlaces1", "N3DecimalPlaces1",
                           "N4DecimalPlaces1"};
    QAction** items[] = {&N1DecimalPlace1, &N2DecimalPlaces1, &N3DecimalPlaces1, &N4DecimalPlaces1};
    for (int tag = 1; tag <= 4; ++tag) {
        const QString caption = tag == 1 ? QStringLiteral("1 Decimal Place")
                                         : QStringLiteral("%1 Decimal Places").arg(tag);
        const QString hint = tag == 1 ? QStringLiteral("Print Out to 1 Decimal Place")
                                      : QStringLiteral("Print Out to %1 Decimal Places").arg(tag);
        QAction* a = TMenuItems::AddItem(PopupMenu2, names[tag - 1], caption, 0, hint);
        a->setCheckable(true);
        a->setData(tag);
        places->addAction(a);
        connect(a, &QAction::triggered, this, [this, tag] { DecimalPlaceSet(tag); });
        *items[tag - 1] = a;
    }
    N2DecimalPlaces1->setChecked(true);
    DecimalPlaces->setMenu(PopupMenu2);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    StatusBar1 = TMenuItems::AddItem(PopupMenu3, "StatusBar1", QStringLiteral("Status Bar Visible"),
                                     0, QStringLiteral("Toggle Visibility of Status Bar"));
    InformationLabel1 =
        TMenuItems::AddItem(PopupMenu3, "InformationLabel1", QStringLiteral("Information Label"), 0,
                            QStringLiteral("Toggle Visibility of Information Label"));
    ProgressBar1 = TMenuItems::AddItem(PopupMenu3, "ProgressBar1", QStringLiteral("Progress Bar"),
                                       0, QStringLiteral("Toggle Visibility of Progress Bar"));
    DecimalPlaces1 =
        TMenuItems::AddItem(PopupMenu3, "DecimalPlaces1", QStringLiteral("Decimal Places"), 0,
                            QStringLiteral("Toggle Visibility of Decimal Places Menu"));
    DecimalPlaces1->setVisible(false);
    RestoreStatusBar =
        TMenuItems::AddItem(PopupMenu3, "RestoreStatusBar", QStringLiteral("Restore"), 0,
                            QStringLiteral("Restore Visibility of Status Bar Components"));
    for (QAction* a : {StatusBar1, InformationLabel1, ProgressBar1, DecimalPlaces1})
        a->setCheckable(true);
    connect(StatusBar1, &QAction::triggered, this, [this](bool checked) {
        CoolBar1->setVisible(checked);
        if (checked && Label1->isHidden() && Gauge1->isHidden() && ToolBar1->isHidden())
            Label1->show();
    });
    connect(InformationLabel1, &QAction::triggered, this, [this](bool checked) {
        Label1->setVisible(checked);
        UpdateStatusBarVisibility();
    });
    connect(ProgressBar1, &QAction::triggered, this, [this](bool checked) {
        Gauge1->setVisible(checked);
        UpdateStatusBarVisibility();
    });
    connect(DecimalPlaces1, &QAction::triggered, this, [this](bool checked) {
        ToolBar1->setVisible(checked);
        UpdateStatusBarVisibility();
    });
    connect(RestoreStatusBar, &QAction::triggered, this, [this] {
        // One row in the order label, gauge, decimal-places button.
        auto* row = static_cast<QHBoxLayout*>(CoolBar1->layout());
        row->removeWidget(Label1);
        row->removeWidget(Gauge1);
        row->removeWidget(ToolBar1);
        row->insertWidget(1, Label1);
        row->insertWidget(2, Gauge1);
        row->insertWidget(3, ToolBar1);
    });
    connect(PopupMenu3, &QMenu::aboutToShow, this, &TBaseForm::PopupMenu3Popup);
    connect(CoolBar1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu3->popup(CoolBar1->mapToGlobal(pos));
    });
    CoolBar1->hide();
}

void TBaseForm::CreatePopupMenu1() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* m = PopupMenu1;
    Undo1 = TMenuItems::AddItem(m, "Undo1", QStringLiteral("&Undo"), 0,
                                QStringLiteral("Undo Last Document Edit"),
                                QKeySequence(QStringLiteral("Ctrl+Z")), ShownKey);
    Redo1 = TMenuItems::AddItem(m, "Redo1", QStringLiteral("&Redo"), 0,
                                QStringLiteral("Redo Last Undone Document Edit"),
                                QKeySequence(QStringLiteral("Ctrl+Y")), ShownKey);
    m->addSeparator();
    Cut1 = TMenuItems::AddItem(m, "Cut1", QStringLiteral("Cu&t"), 0,
                               QStringLiteral("Cut Selected Text"),
                               QKeySequence(QStringLiteral("Ctrl+X")), ShownKey);
    Copy1 = TMenuItems::AddItem(m, "Copy1", QStringLiteral("&Copy"), 0,
                                QStringLiteral("Copy Selected Text to Clipboard"),
                                QKeySequence(QStringLiteral("Ctrl+C")), ShownKey);
    Paste1 = TMenuItems::AddItem(m, "Paste1", QStringLiteral("&Paste"), 0,
                                 QStringLiteral("Paste from Clipboard"),
                                 QKeySequence(QStringLiteral("Ctrl+V")), ShownKey);
    m->addSeparator();
    Font2 = TMenuItems::AddItem(m, "Font2", QStringLiteral("Font...."), 0,
                                QStringLiteral("Change Font"));
    TextStyle1 = m->addMenu(QStringLiteral("Text Style"));
    TextStyle1->setObjectName(QStringLiteral("TextStyle1"));
    TextStyle1->menuAction()->setStatusTip(QStringLiteral("Change Text Style"));
    Bold1 = TMenuItems::AddItem(TextStyle1, "Bold1", QStringLiteral("Bold"), 0,
                                QStringLiteral("Bold Text"), QKeySequence(QStringLiteral("Ctrl+B")),
                                ShownKey);
    Itallic1 = TMenuItems::AddItem(TextStyle1, "Itallic1", QStringLiteral("Itallic"), 0,
                                   QStringLiteral("Itallic Text"),
                                   QKeySequence(QStringLiteral("Ctrl+I")), ShownKey);
    Underline1 = TMenuItems::AddItem(TextStyle1, "Underline1", QStringLiteral("Underline"), 0,
                                     QStringLiteral("Underlined Text"),
                                     QKeySequence(QStringLiteral("Ctrl+U")), ShownKey);
    Strikeout1 = TMenuItems::AddItem(TextStyle1, "Strikeout1", QStringLiteral("Strikeout"), 0,
                                     QStringLiteral("Struckout Text"),
                                     QKeySequence(QStringLiteral("Ctrl+S")), ShownKey);
    TextAlignment1 = m->addMenu(QStringLiteral("Text Alignment"));
    TextAlignment1->setObjectName(QStringLiteral("TextAlignment1"));
    TextAlignment1->menuAction()->setStatusTip(QStringLiteral("Specify Text Alignment"));
    Left1 = TMenuItems::AddItem(TextAlignment1, "Left1", QStringLiteral("Left"), 0,
                                QStringLiteral("Left Justify"));
    Centre1 = TMenuItems::AddItem(TextAlignment1, "Centre1", QStringLiteral("Centre"), 0,
                                  QStringLiteral("Centre Justify"));
    Right1 = TMenuItems::AddItem(TextAlignment1, "Right1", QStringLiteral("Right"), 0,
                                 QStringLiteral("Right Justify"));
    m->addSeparator();
    SpellCheck1 = TMenuItems::AddItem(m, "SpellCheck1", QStringLiteral("Spell Check"), 0,
                                      QStringLiteral("Spell Check"));
    SpellCheckSeparator = m->addSeparator();
    SpellCheckSeparator->setVisible(false);
    StatusBarSeparator = m->addSeparator();
    StatusBarSeparator->setVisible(false);
    StatusBarVisible1 =
        TMenuItems::AddItem(m, "StatusBarVisible1", QStringLiteral("\"Status\" Bar Visible"), 0,
                            QStringLiteral("Toggle Visibility of Status Bar"));
    StatusBarVisible1->setCheckable(true);
    StatusBarVisible1->setVisible(false);
    m->addSeparator();
    Open2 = TMenuItems::AddItem(m, "Open2", QStringLiteral("&Open"), 0,
                                QStringLiteral("Open another Document"),
                                QKeySequence(QStringLiteral("Ctrl+O")), ShownKey);
    Save2 = TMenuItems::AddItem(m, "Save2", QStringLiteral("&Save"), 0,
                                QStringLiteral("Save Current Document"),
                                QKeySequence(QStringLiteral("Ctrl+S")), ShownKey);
    SaveAs2 = TMenuItems::AddItem(m, "SaveAs2", QStringLiteral("&Save As..."), 0,
                                  QStringLiteral("Save Current Document with a New Name"));
    m->addSeparator();
    Print2 = TMenuItems::AddItem(m, "Print2", QStringLiteral("&Print"), 0,
                                 QStringLiteral("Print Current Document"));

    // The style keys work in the editor itself; the other keys belong to the frame's menus.
    for (QAction* a : {Bold1, Itallic1, Underline1}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }

    const QList<QAction*> styles{Bold1, Itallic1, Underline1, Strikeout1};
    for (int tag = 0; tag < 4; ++tag) {
        styles.at(tag)->setData(tag);
        connect(styles.at(tag), &QAction::triggered, this, [this, tag] { Bold1Click(tag); });
    }
    Left1->setData(0);
    Centre1->setData(2);
    Right1->setData(1);
    for (QAction* a : {Left1, Centre1, Right1}) {
        const int tag = a->data().toInt();
        connect(a, &QAction::triggered, this, [this, tag] { Left1Click(tag); });
    }
    connect(Undo1, &QAction::triggered, this, &TBaseForm::Undo);
    connect(Redo1, &QAction::triggered, this, &TBaseForm::Redo);
    connect(Cut1, &QAction::triggered, this, &TBaseForm::Cut);
    connect(Copy1, &QAction::triggered, this, &TBaseForm::Copy);
    connect(Paste1, &QAction::triggered, this, &TBaseForm::Paste);
    connect(Font2, &QAction::triggered, this, &TBaseForm::ChooseFont);
    connect(SpellCheck1, &QAction::triggered, this, &TBaseForm::SpellCheckDocument);
    connect(StatusBarVisible1, &QAction::triggered, this, [this](bool checked) {
        CoolBar1->setVisible(checked);
    });
    connect(Open2, &QAction::triggered, this, &TBaseForm::Open2Click);
    connect(Save2, &QAction::triggered, this, &TBaseForm::SaveDocument);
    connect(SaveAs2, &QAction::triggered, this, &TBaseForm::SaveDocumentAs);
    connect(Print2, &QAction::triggered, this, &TBaseForm::PrintDocument);

    for (QAction* a : {Undo1, Redo1, Cut1, Copy1, Save2, SaveAs2, Print2})
        a->setEnabled(false);
    TextAlignment1->setEnabled(false);
    connect(TextStyle1, &QMenu::aboutToShow, this,
            [this] { TextStyle1Click({Bold1, Itallic1, Underline1, Strikeout1}); });
    connect(TextAlignment1, &QMenu::aboutToShow, this,
            [this] { TextAlignment1Click({Left1, Centre1, Right1}); });
}

void TBaseForm::MenuPopupAction() {
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    Paste1->setEnabled(clip && clip->hasText());
    Print2->setEnabled(HasText());
    SaveAs2->setEnabled(HasText());
    Cut1->setEnabled(HasSelection());
    Copy1->setEnabled(HasSelection());
    Undo1->setEnabled(CanUndo());
    Redo1->setEnabled(CanRedo());
    // The items say what they take back or repeat, as the Edit menu's do.
    Undo1->setText(UndoName().isEmpty() ? QStringLiteral("&Undo")
                                        : QStringLiteral("&Undo ") + UndoName());
    Redo1->setText(RedoName().isEmpty() ? QStringLiteral("&Redo")
                                        : QStringLiteral("&Redo ") + RedoName());
    Save2->setEnabled(IsModified());
    TextAlignment1->setEnabled(WordWrap());
    StatusBarVisible1->setChecked(CoolBar1->isVisible());
}

void TBaseForm::PopupMenu3Popup() {
    StatusBar1->setChecked(!CoolBar1->isHidden());
    InformationLabel1->setChecked(!Label1->isHidden());
    ProgressBar1->setChecked(!Gauge1->isHidden());
    DecimalPlaces1->setChecked(!ToolBar1->isHidden());
}

void TBaseForm::UpdateStatusBarVisibility() {
    CoolBar1->setVisible(!Label1->isHidden() || !Gauge1->isHidden() || !ToolBar1->isHidden());
}

void TBaseForm::DecimalPlaceSet(int tag) {
    for (QAction* a : {N1DecimalPlace1, N2DecimalPlaces1, N3DecimalPlaces1, N4DecimalPlaces1})
        a->setChecked(a->data().toInt() == tag);
    OutputDecimalPlaces = tag;
}

// ---------------------------------------------------------------------------------------------
// State

bool TBaseForm::IsModified() const { return RichEdit1->document()->isModified(); }

bool TBaseForm::HasText() const {
    return Report->LongReport() || !RichEdit1->document()->isEmpty();
}

bool TBaseForm::HasSelection() const {
    if (const TReportView* view = Report->LongReport())
        return view->HasSelection();
    return RichEdit1->textCursor().hasSelection();
}

bool TBaseForm::WordWrap() const { return RichEdit1->lineWrapMode() != QTextEdit::NoWrap; }

QPoint TBaseForm::CaretPosition() const {
    if (const TReportView* view = Report->LongReport())
        return QPoint(int(qMin<qsizetype>(view->Caret().Line + 1, INT_MAX)), view->Caret().Column + 1);
    // Lines as the area counts them, wrapped ones included; the column within that line.
    const QPoint caret = Lines->LineAndColumn(RichEdit1->textCursor().position());
    return caret + QPoint(1, 1);
}

void TBaseForm::TypeText(const QString& text) {
    ShowWholeReport();
    RichEdit1->textCursor().insertText(text);
    RichEdit1->setFocus();
}

void TBaseForm::FlipInsertKey() {
    InsertKeyNow = !InsertKeyNow;
    RichEdit1->setOverwriteMode(!InsertMode());
}

QString TBaseForm::Caption() const { return DocumentType + QStringLiteral(" - ") + FileName; }

void TBaseForm::SetCaption() { setWindowTitle(Caption()); }

QString TBaseForm::RichEditHint() const { return RichEdit1->statusTip(); }

void TBaseForm::ResetFirstActivation() { FirstActivationDone = false; }

void TBaseForm::FormActivate() {
    SetCaption();
    RichEdit1->setStatusTip(FileName);
    RichEdit1->setFocus();
    if (!FirstActivationDone) {
        FirstActivationDone = true;
        ApplyFirstActivationFont();
    }
}

void TBaseForm::ApplyFirstActivationFont() {
    const TPreferences p = TSettings().Preferences();
    QFont font(p.FontStyle, TSettings::ParseFontSize(p.FontSize));
    font.setBold(p.Bold);
    font.setUnderline(p.Underline);
    font.setItalic(p.Itallics);
    font.setStrikeOut(p.Strikeout);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(TSettings::ColourFromBgr(p.FontColour));
    // The default character format: what is typed and what has no format of its own.
    RichEdit1->document()->setDefaultFont(font);
    RichEdit1->mergeCurrentCharFormat(format);
}

// ---------------------------------------------------------------------------------------------
// TDocumentHost

void TBaseForm::ShowInformation(const QString& text) {
    Label1->setText(text);
    Label1->repaint();
}

void TBaseForm::ShowProgress(int percent) {
    Gauge1->setValue(qBound(0, percent, 100));
    Gauge1->repaint();
}

void TBaseForm::ProcessEvents() { QCoreApplication::processEvents(); }

void TBaseForm::PushBusyCursor() {
    ++BusyCursorDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TBaseForm::PopBusyCursor() {
    if (BusyCursorDepth == 0)
        return;
    --BusyCursorDepth;
    QApplication::restoreOverrideCursor();
}

TMessageResult TBaseForm::ShowMessage(const QString& text, const QString& caption,
                                      TMessageIcon icon, TMessageButtons buttons) {
    return TDialogs::Current().Message(this, text, caption, icon, buttons);
}

void TBaseForm::AddToQuickList(const QString& fileName) {
    // The recent-file list is a convenience: a settings file that cannot be written must not
    // stop a document from being opened or saved.
    try {
        TSettings().AddToQuickList(fileName);
    } catch (const TPlatformError&) {
    }
}

// ---------------------------------------------------------------------------------------------
// The window half of the line buffers

void TBaseForm::UpdateProgress() { TLineBuffers::UpdateProgress(); }

void TBaseForm::ShowOutput() {
    Report->ShowOutput(FontDialogFont);
}

void TBaseForm::FormatOutput() {
    Report->FormatOutput();
}

// ---------------------------------------------------------------------------------------------
// Reading and writing

qsizetype TBaseForm::BackgroundReadBytes = qsizetype(2) << 20;
qsizetype TBaseForm::LongReportLines = 1'000'000;

void TBaseForm::ReadText(const QString& fileName, bool richText) {
    FinishLoading();
    // A file that the memory cannot hold says so, whether it is read here or on the thread.
    QByteArray data;
    try {
        data = TDocumentFile::ReadBytes(fileName);
        if (data.size() < BackgroundReadBytes) {
            TRtfReadResult result;
            {
                TEditorCaretGuard caret(RichEdit1);
                result = TDocumentFile::Fill(QByteArrayView(data), *RichEdit1->document(), richText);
            }
            TakeReadResult(result, fileName);
            // A freshly read document has nothing to undo.
            RichEdit1->document()->clearUndoRedoStacks();
            return;
        }
    } catch (const std::bad_alloc&) {
        throw TReadFile::TooLargeForMemory(fileName);
    }
    // Qt fills a document at about two million paragraphs in five seconds, which the window
    // would spend deaf and blank: it shows the first page, and fills the whole on a thread.
    auto loading = std::make_unique<TLoading>();
    loading->FileName = fileName;
    const TDocumentLook look = TDocumentLook::Of(*RichEdit1->document());
    loading->FirstPage = new QTextDocument(this);
    look.ApplyTo(*loading->FirstPage);
    TDocumentFile::Fill(TDocumentFile::Start(QByteArrayView(data), FirstPageBytes),
                        *loading->FirstPage, richText);
    loading->Previous = RichEdit1->document();
    // The editor would delete its first document when it shows another.
    loading->Previous->setParent(this);
    loading->PreviousName = FileName;
    ShowDocument(loading->FirstPage);
    loading->PageLength = loading->FirstPage->characterCount();
    connect(loading->FirstPage, &QTextDocument::contentsChange, this, &TBaseForm::NoteFirstPageEdit);
    // The width is the one the editor gives the first page, and follows the editor's resizing.
    // What is typed into the first page is typed into the whole text once it is read.
    loading->Load = std::make_unique<TDocumentLoad>(
        std::move(data), richText, look, RichEdit1->ScrollingPageWidth(), *loading->FirstPage);
    connect(loading->Load.get(), &TDocumentLoad::Finished, this, &TBaseForm::FinishLoading);
    loading->Gate = new TLoadGate([this](QObject* watched, QEvent* event) {
        if (event->type() == QEvent::Resize && watched == RichEdit1->viewport())
            Loading->Load->SetPageWidth(RichEdit1->ScrollingPageWidth());
        else if (InterruptsLoading(watched, event))
            FinishLoading();
    });
    qApp->installEventFilter(loading->Gate);
    Loading = std::move(loading);
}

void TBaseForm::NoteFirstPageEdit(int from, int removed, int added) {
    if (!Loading)
        return;
    QTextDocument* page = Loading->FirstPage;
    // The page's last paragraph mark stands for the rest of the text: a change counted to it, as
    // Qt counts a change at the end, leaves it where it is.
    if (removed > 0 && from + removed >= Loading->PageLength) {
        --removed;
        --added;
    }
    Loading->PageLength = page->characterCount();
    QTextCursor put(page);
    put.setPosition(from);
    put.setPosition(qMin(from + added, Loading->PageLength - 1), QTextCursor::KeepAnchor);
    Loading->Load->AddEdit({from, removed, put.selectedText()});
}

void TBaseForm::TakeReadResult(const TRtfReadResult& result, const QString& fileName) {
    PlainTextFormat = result.RichText ? TPlainTextFormat() : result.PlainText;
    LeftOutOfFile = result.RichText ? result.LeftOut : QStringList();
    LeftOutFileName = fileName;
}

void TBaseForm::FinishLoading() {
    if (!Loading)
        return;
    const std::unique_ptr<TLoading> loading = std::move(Loading);
    // The gate may be what called: it goes once its event is through.
    qApp->removeEventFilter(loading->Gate);
    loading->Gate->deleteLater();
    std::optional<TBusyCursorGuard> cursor;
    if (!loading->Load->IsFinished())
        cursor.emplace(*this);
    RichEdit1->setReadOnly(false);
    // What was typed into the first page and finds no place in a text is put on the clipboard.
    const auto keepTyped = [&] {
        QString typed = loading->Load->TypedText();
        if (typed.isEmpty())
            return;
        typed.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
        QApplication::clipboard()->setText(typed);
        ShowMessage(QStringLiteral("What was typed while %1 was read could not be placed in its "
                                   "text. It is on the clipboard.")
                        .arg(loading->FileName),
                    QApplication::applicationDisplayName(), TMessageIcon::Warning,
                    TMessageButtons::Ok);
    };
    try {
        TRtfReadResult result;
        QTextDocument* document = loading->Load->Take(result).release();
        document->setParent(this);
        // What was typed into the first page is in the whole text, each edit to be undone on
        // its own, when the page is the start of the whole text. A rich text's page may end
        // inside a table read without its end, and a plain text's start may be read in another
        // encoding than the whole; then the edits have no place, and what they put in is left
        // on the clipboard.
        const bool edited = loading->Load->EditCount() > 0;
        const bool placed = loading->Load->EditsMade();
        ShowDocument(document);
        document->setModified(edited && placed);
        if (edited && !placed)
            keepTyped();
        TakeReadResult(result, loading->FileName);
        delete loading->Previous;
    } catch (const std::exception& error) {
        // The window goes back to what it showed, under its name.
        ShowDocument(loading->Previous);
        FileName = loading->PreviousName;
        SetCaption();
        const bool memory = dynamic_cast<const std::bad_alloc*>(&error);
        ShowMessage(memory ? TReadFile::TooLargeForMemory(loading->FileName).Text()
                           : TPlatformError::TextOf(error),
                    QApplication::applicationDisplayName(), TMessageIcon::Error,
                    TMessageButtons::Ok);
        keepTyped();
    }
    delete loading->FirstPage;
    RichEdit1->setStatusTip(FileName);
}

bool TBaseForm::InterruptsLoading(QObject* watched, QEvent* event) const {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::Drop:
        break;
    default:
        return false;
    }
    // Events reach the program's windows before its widgets.
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget)
        return false;
    // What is done in another document window is that window's.
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (const auto* form = qobject_cast<const TBaseForm*>(w)) {
            if (form != this)
                return false;
            break;
        }
    }
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (key && TypesText(*static_cast<const QKeyEvent*>(event))
        && (widget == RichEdit1 || RichEdit1->isAncestorOf(widget)))
        return false;
    // A key the text leaves goes on to the widgets around it.
    if (widget != RichEdit1 && !RichEdit1->isAncestorOf(widget)
        && !(key && widget->isAncestorOf(RichEdit1)))
        return true;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return static_cast<const QMouseEvent*>(event)->button() != Qt::LeftButton;
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        switch (key->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return false;
        case Qt::Key_End:
            // The end of the text is not in the first page.
            if (modifiers & Qt::ControlModifier)
                return true;
            Q_FALLTHROUGH();
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
            return (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier)) != 0;
        default:
            return true;
        }
    }
    default:
        return true;
    }
}

void TBaseForm::ShowDocument(QTextDocument* document) {
    RichEdit1->ReplaceDocument(document);
    delete Lines;
    Lines = new TLineIndex(document, this);
}

bool TBaseForm::WriteText(const QString& fileName, bool richText) {
    // What is written is the whole text, not the first page of one being read.
    FinishLoading();
    if (const TReportView* view = Report->LongReport(); view && richText) {
        // The report shown is written a part at a time, as the editor would write it whole.
        view->Report()->WriteRtf(fileName, RichEdit1->document()->defaultFont());
        return true;
    }
    ShowWholeReport();
    const QTextDocument& document = *RichEdit1->document();
    if (!richText && !TPlainText::CanEncode(document, PlainTextFormat)) {
        // Characters are never replaced on the way to the file.
        if (ShowMessage(QStringLiteral("The text holds characters that %1 cannot hold.\n\n"
                                       "Save it as UTF-8?")
                            .arg(PlainTextFormat.EncodingName()),
                        QStringLiteral("Warning"), TMessageIcon::Exclamation,
                        TMessageButtons::YesNo) != TMessageResult::Yes)
            return false;
        PlainTextFormat.Encoding = TPlainTextFormat::TEncoding::Utf8;
    }
    TDocumentFile::Save(fileName, document, richText, PlainTextFormat);
    return true;
}

QString TBaseForm::CannotOpenText(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString what = !info.exists() ? QStringLiteral("cannot be found.")
                         : info.isDir() ? QStringLiteral("is a folder.")
                                        : QStringLiteral("is not a regular file.");
    return QStringLiteral("File\n\"") + fileName + QStringLiteral("\"\n") + what;
}

void TBaseForm::OpenDocument(const QString& fileName) {
    TBusyCursorGuard cursor(*this);
    const QFileInfo info(fileName);
    if (info.exists() && info.isFile()) {
        // The file is read before the window takes its name: a file that cannot be read (or is
        // refused) leaves the window as it was.
        ReadText(fileName, TDocumentFile::IsRichTextName(fileName));
        FileName = fileName;
        SetCaption();
        RichEdit1->document()->setModified(false);
        AddToQuickList(FileName);
    } else {
        FileName = QDir::home().filePath(QStringLiteral("Error.rtf"));
        SetCaption();
        ShowMessage(CannotOpenText(fileName),
                    QStringLiteral("Error"), TMessageIcon::Error, TMessageButtons::Ok);
        const QString errorFile = TSettings().Folders.ProgramFolderFile(QStringLiteral("Error.rtf"));
        if (QFileInfo(errorFile).isFile()) {
            ReadText(errorFile, true);
            RichEdit1->document()->setModified(false);
        }
    }
    RichEdit1->setStatusTip(FileName);
}

void TBaseForm::Open2Click() {
    QString proposed = FileName;
    if (typeid(*this) != typeid(TBaseForm))
        proposed = TFileNames::ChangeExtension(proposed, OpenExtension);
    const QString chosen = TDialogs::Current().OpenFileName(
        this, QStringLiteral("Open Text File"), proposed,
        QStringLiteral("RichText & Text Files (*.rtf & *.txt)|*.rtf;*.txt|All Files|*.*"));
    if (chosen.isEmpty() || !OpenableOrTold(chosen) || !ChangesResolved())
        return;
    if (Frame)
        Frame->UpdateFrame();
    OpenDocument(chosen);
}

bool TBaseForm::OpenableOrTold(const QString& fileName) {
    if (QFileInfo(fileName).isFile())
        return true;
    ShowMessage(CannotOpenText(fileName), QStringLiteral("Error"), TMessageIcon::Error,
                TMessageButtons::Ok);
    return false;
}

void TBaseForm::CloseDocument() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void TBaseForm::SaveDocument() {
    // The whole text, and what its file held that the editor does not keep, are known once it
    // is read.
    FinishLoading();
    if (!LeftOutOfFile.isEmpty() && TFileIdentity::Same(FileName, LeftOutFileName)) {
        // Content the editor did not keep would go with the file it came from.
        const TMessageResult answer = ShowMessage(
            QStringLiteral("This document held content that this editor does not keep (%1). "
                           "Saving over it loses that content. Save anyway?\n\n"
                           "Yes saves over it; No saves it under another name.")
                .arg(LeftOutOfFile.join(QStringLiteral(", "))),
            QStringLiteral("Warning"), TMessageIcon::Exclamation, TMessageButtons::YesNoCancel);
        if (answer == TMessageResult::Cancel)
            return;
        if (answer == TMessageResult::No) {
            SaveDocumentAs();
            return;
        }
        LeftOutOfFile.clear();
    }
    if (!WriteText(FileName, TDocumentFile::IsRichTextName(FileName)))
        return;
    RichEdit1->document()->setModified(false);
    SetCaption();
    AddToQuickList(FileName);
}

void TBaseForm::SaveDocumentAs() {
    FinishLoading();
    const QString chosen = TDialogs::Current().SaveFileName(
        this, QStringLiteral("Save Document"), FileName,
        QStringLiteral("Rich Text and Text Files (*.rtf & *.txt)|*.rtf;*.txt|All Files (*.*)|*.*"),
        QStringLiteral("rtf"));
    if (chosen.isEmpty())
        return;
    if (!OverwriteAllowed(chosen))
        return;
    SaveUnderName(chosen);
}

void TBaseForm::SaveUnderName(const QString& fileName) {
    // The window takes the new name only when the document was written under it.
    const QString previous = FileName;
    FileName = fileName;
    try {
        SaveDocument();
    } catch (...) {
        FileName = previous;
        SetCaption();
        throw;
    }
    if (IsModified()) {
        FileName = previous;
        SetCaption();
    }
}

bool TBaseForm::OverwriteAllowed(const QString& fileName) {
    // A device, pipe or socket is never saved over; the user is told before anything is asked.
    if (TSaveFile::IsSpecialFile(fileName)) {
        ShowMessage(TSaveFile::SpecialFileRefusal(fileName), QStringLiteral("Error"),
                    TMessageIcon::Error, TMessageButtons::Ok);
        return false;
    }
    return !QFileInfo::exists(fileName) ||
           ShowMessage(QStringLiteral("The File Already Exists\n\n  Overwrite?"),
                       QStringLiteral("Warning"), TMessageIcon::Information,
                       TMessageButtons::YesNo) == TMessageResult::Yes;
}

QPrinter& TBaseForm::Printer() {
    return TDocumentPrinter::Printer();
}

void TBaseForm::PrintDocument() {
    ShowWholeReport();
    TBusyCursorGuard cursor(*this);
    TDocumentPrinter::Print(*RichEdit1->document(), Caption());
}

void TBaseForm::SendDocument() {
    ShowWholeReport();
    if (!TDocumentMailer::Send(*RichEdit1->document(), FileName, Caption()))
        ShowMessage(QStringLiteral("Error sending mail"), QStringLiteral("Error"),
                    TMessageIcon::Error, TMessageButtons::Ok);
}

// ---------------------------------------------------------------------------------------------
// Editing and formatting

void TBaseForm::Undo() {
    if (RichEdit1)
        RichEdit1->undo();
}

void TBaseForm::Redo() {
    if (RichEdit1)
        RichEdit1->redo();
}

bool TBaseForm::CanUndo() const { return RichEdit1 && RichEdit1->document()->isUndoAvailable(); }

bool TBaseForm::CanRedo() const { return RichEdit1 && RichEdit1->document()->isRedoAvailable(); }

void TBaseForm::Cut() {
    ShowWholeReport();
    RichEdit1->cut();
}

void TBaseForm::Copy() {
    if (const TReportView* view = Report->LongReport())
        view->CopySelection();
    else
        RichEdit1->copy();
}

void TBaseForm::Paste() {
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    if (!clip || !clip->hasText())
        return;
    ShowWholeReport();
    RichEdit1->paste();
    RichEdit1->update();
}

void TBaseForm::SelectAllText() {
    if (TReportView* view = Report->LongReport())
        view->SelectAll();
    else
        RichEdit1->selectAll();
}

void TBaseForm::ShowWholeReport() { Report->ShowWholeReport(); }

void TBaseForm::DropLongReport() { Report->DropLongReport(); }

void TBaseForm::ChooseFont() {
    ShowWholeReport();
    const QFont shown = RichEdit1->currentFont();
    const QColor shownColour = RichEdit1->textColor();
    QFont font = shown;
    QColor colour = shownColour;
    if (!TDialogs::Current().ChooseFont(this, font, colour))
        return;
    FontDialogFont = font;
    // Only what was changed in the dialog is applied, so that OK without a change leaves the
    // text, a selection of mixed fonts too, as it was.
    QTextCharFormat format;
    if (font != shown) {
        // An empty document takes the font as its base font too, so all it will hold starts in it.
        if (!HasText())
            RichEdit1->document()->setDefaultFont(font);
        format.setFont(font);
    }
    if (colour.isValid() && colour != shownColour)
        format.setForeground(colour);
    if (!format.properties().isEmpty())
        RichEdit1->mergeCurrentCharFormat(format);
}

void TBaseForm::ToggleWordWrap() {
    ShowWholeReport();
    RichEdit1->SetLineWrapMode(WordWrap() ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
}

void TBaseForm::Bold1Click(int tag) {
    ShowWholeReport();
    const QTextCharFormat current = RichEdit1->currentCharFormat();
    QTextCharFormat format;
    switch (tag) {
    case int(TFontStyle::Bold):
        format.setFontWeight(current.fontWeight() > QFont::Normal ? QFont::Normal : QFont::Bold);
        break;
    case int(TFontStyle::Italic):
        format.setFontItalic(!current.fontItalic());
        break;
    case int(TFontStyle::Underline):
        format.setFontUnderline(!current.fontUnderline());
        break;
    case int(TFontStyle::StrikeOut):
        format.setFontStrikeOut(!current.fontStrikeOut());
        break;
    default:
        return;
    }
    RichEdit1->mergeCurrentCharFormat(format);
}

void TBaseForm::Left1Click(int tag) {
    ShowWholeReport();
    switch (tag) {
    case 0:
        RichEdit1->SetAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        break;
    case 1:
        RichEdit1->SetAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        break;
    case 2:
        RichEdit1->SetAlignment(Qt::AlignHCenter);
        break;
    default:
        break;
    }
}

void TBaseForm::ToggleBullets() {
    ShowWholeReport();
    TParagraphBullets::Toggle(RichEdit1->textCursor());
}

// Moves one indent of every selected paragraph by its own amount (the steps are in points, the
// document holds indents in its pixels); each paragraph keeps the rest
// of its format (alignment, list membership, other indents). A paragraph the change refuses
// (returns false for) is left as it is.
static void StepSelectedBlocks(QTextEdit* edit,
                               const std::function<bool(QTextBlockFormat&)>& change) {
    QTextCursor cursor = edit->textCursor();
    QTextDocument* document = edit->document();
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    cursor.beginEditBlock();
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        if (change(format))
            QTextCursor(block).setBlockFormat(format);
        if (block == last)
            break;
    }
    cursor.endEditBlock();
}

void TBaseForm::StepParagraphIndent(int step) {
    ShowWholeReport();
    StepSelectedBlocks(RichEdit1, [step](QTextBlockFormat& format) {
        format.setLeftMargin(
            qMax(0.0, format.leftMargin() + TDocumentUnits::PointsToPixels(step)));
        return true;
    });
}

void TBaseForm::StepFirstLineIndent(int step) {
    ShowWholeReport();
    StepSelectedBlocks(RichEdit1, [step](QTextBlockFormat& format) {
        format.setTextIndent(format.textIndent() + TDocumentUnits::PointsToPixels(step));
        return true;
    });
}

void TBaseForm::StepRightIndent(int step) {
    ShowWholeReport();
    StepSelectedBlocks(RichEdit1, [step](QTextBlockFormat& format) {
        // A step that would take the right indent below 0 is refused.
        const qreal right = format.rightMargin() + TDocumentUnits::PointsToPixels(step);
        if (right < 0)
            return false;
        format.setRightMargin(right);
        return true;
    });
}

void TBaseForm::SetFontName(const QString& name) {
    ShowWholeReport();
    QTextCharFormat format;
    format.setFontFamilies({name});
    RichEdit1->mergeCurrentCharFormat(format);
}

void TBaseForm::SetFontSize(int size) {
    ShowWholeReport();
    if (size <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(size);
    RichEdit1->mergeCurrentCharFormat(format);
}

void TBaseForm::SetFontNameAndSize(const QString& name, int size) {
    ShowWholeReport();
    SetFontName(name);
    SetFontSize(size);
}

void TBaseForm::ChangeTextCase(int tag) {
    ShowWholeReport();
    QTextCursor cursor = RichEdit1->textCursor();
    if (!cursor.hasSelection() || tag < 0 || tag > 2)
        return;
    TTextCase::Apply(cursor, tag);
    RichEdit1->setTextCursor(cursor);
}

void TBaseForm::TextStyle1Click(const QList<QAction*>& items) const {
    const QTextCharFormat format = RichEdit1->currentCharFormat();
    const bool styles[] = {format.fontWeight() > QFont::Normal, format.fontItalic(),
                           format.fontUnderline(), format.fontStrikeOut()};
    for (QAction* item : items) {
        const int tag = item->data().toInt();
        item->setCheckable(true);
        item->setChecked(tag >= 0 && tag < 4 && styles[tag]);
    }
}

void TBaseForm::TextAlignment1Click(const QList<QAction*>& items) const {
    const Qt::Alignment align = RichEdit1->alignment();
    const int current = (align & Qt::AlignRight) ? 1 : (align & Qt::AlignHCenter) ? 2 : 0;
    for (QAction* item : items) {
        item->setCheckable(true);
        item->setChecked(item->data().toInt() == current);
    }
}

void TBaseForm::ToggleTitleStyle(int tag) {
    if (tag >= 0 && tag <= 3)
        TitleStyle.Toggle(TFontStyle(tag));
}

void TBaseForm::ToggleSubtitleStyle(int tag) {
    if (tag >= 0 && tag <= 3)
        SubtitleStyle.Toggle(TFontStyle(tag));
}

// Commands whose windows come with the find, statistics and spelling tools.
void TBaseForm::SpellCheckDocument() {
    ShowWholeReport();
    QTextDocument* document = RichEdit1->document();
    if (document->isEmpty())
        return;
    const QTextCursor cursor = RichEdit1->textCursor();
    const bool whole = !cursor.hasSelection();
    const qsizetype start = whole ? 0 : cursor.selectionStart();
    // One character of the text for every position of the document, so that the checker's
    // corrections keep their places.
    const QString text = whole ? document->toPlainText() : cursor.selectedText();
    if (text.size() > 65535 &&
        ShowMessage(QStringLiteral("The text to check exceeds 64K characters,\nand will take some "
                                   "time.\n\nDo you wish to continue?"),
                    QStringLiteral("Warning"), TMessageIcon::Exclamation,
                    TMessageButtons::YesNoCancel) != TMessageResult::Yes)
        return;
    const qsizetype anchor = cursor.anchor();
    const qsizetype position = cursor.position();
    if (whole)
        RichEdit1->moveCursor(QTextCursor::Start);
    TSpellCorrections result;
    bool written = false;
    try {
        result = TDialogs::Current().SpellCheck(this, text);
        if (result.Aborted()) {
            ShowMessage(QStringLiteral("Spell Checking Aborted.\n\nChanges Abandoned"),
                        QStringLiteral("Warning"), TMessageIcon::Error, TMessageButtons::Ok);
        } else if (result.TextChanged && !result.Edits.empty()) {
            RichEdit1->setStatusTip(QStringLiteral("Updating Checked Text"));
            repaint();
            if (Frame)
                Frame->RepaintFrame();
            struct TUpdatesGuard {
                QTextEdit* Edit;
                ~TUpdatesGuard() { Edit->setUpdatesEnabled(true); }
            } updates{RichEdit1};
            RichEdit1->setUpdatesEnabled(false);
            TBusyCursorGuard busy(*this);
            // Each correction replaces only its own stretch of text, so every other word keeps
            // its format, and a correction of another length moves nothing out of place.
            result.Apply(*document, start);
            written = true;
            RichEdit1->setStatusTip(FileName);
        }
    } catch (const std::exception& error) {
        const auto* platform = dynamic_cast<const TPlatformError*>(&error);
        ShowMessage(QStringLiteral("The Spell Checker has thrown a wobbly\ncausing the following "
                                   "error:-\n\n\"") +
                        (platform ? platform->Text() : QString::fromLocal8Bit(error.what())) +
                        QStringLiteral("\"\n\nDon't worry about it!"),
                    QStringLiteral("Warning"), TMessageIcon::Error, TMessageButtons::Ok);
    }
    // The caret and the selection come back, moved with the corrections before them; a selection
    // covers the corrected text.
    const auto mapped = [&](qsizetype at) {
        return !written || at < start ? at : start + result.MapPosition(at - start);
    };
    const int end = document->characterCount() - 1;
    QTextCursor restored(document);
    restored.setPosition(qBound(0, int(mapped(anchor)), end));
    restored.setPosition(qBound(0, int(mapped(position)), end), QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(restored);
}

// ---------------------------------------------------------------------------------------------
// Find, replace, goto line and statistics

void TBaseForm::Find1Click() {
    if (!FindDialog1) {
        FindDialog1 = TDialogs::Current().CreateFindDialog(this, false);
        connect(FindDialog1, &TFindDialog::FindNext, this, [this] { Find(FindDialog1); });
    }
    FindDialog1->SetFindTextFromSelection(SelectionToFind());
    ReplaceMode = false;
    FindDialog1->ShowBeside(this);
}

void TBaseForm::Replace1Click() {
    ShowWholeReport();
    if (!ReplaceDialog1) {
        ReplaceDialog1 = TDialogs::Current().CreateFindDialog(this, true);
        connect(ReplaceDialog1, &TFindDialog::FindNext, this, [this] { Find(ReplaceDialog1); });
        connect(ReplaceDialog1, &TFindDialog::Replace, this,
                [this] { Replace(ReplaceDialog1, false); });
        connect(ReplaceDialog1, &TFindDialog::ReplaceAll, this,
                [this] { Replace(ReplaceDialog1, true); });
    }
    ReplaceDialog1->SetFindTextFromSelection(RichEdit1->textCursor().selectedText());
    ReplaceMode = true;
    ReplaceDialog1->ShowBeside(this);
}

void TBaseForm::Find(QObject* sender) {
    auto* dialog = qobject_cast<TFindDialog*>(sender);
    if (!dialog || (dialog != FindDialog1 && dialog != ReplaceDialog1)) {
        ShowMessage(QStringLiteral("Word Search Failed"), QStringLiteral("Find/Replace"),
                    TMessageIcon::Exclamation, TMessageButtons::Ok);
        return;
    }
    // A long report is searched in its own text; replacing needs the editor.
    if (TReportView* view = Report->LongReport(); view && dialog == FindDialog1) {
        FindInLongReport(*view, *dialog);
        return;
    }
    ShowWholeReport();
    QTextCursor caret = RichEdit1->textCursor();
    const bool found = TTextSearch::FindNext(caret, dialog->FindText(), dialog->Options());
    if (!found)
        ShowMessage(QStringLiteral("End of document reached."),
                    ReplaceMode ? QStringLiteral("Replace") : QStringLiteral("Find"),
                    TMessageIcon::Information, TMessageButtons::Ok);
    RichEdit1->setTextCursor(caret);
    if (found) {
        QTextCursor start = caret;
        start.setPosition(caret.selectionStart());
        const QRect match = RichEdit1->cursorRect(start).united(RichEdit1->cursorRect(caret));
        dialog->KeepClear(
            QRect(RichEdit1->viewport()->mapToGlobal(match.topLeft()), match.size()));
    }
}

void TBaseForm::FindInLongReport(TReportView& view, TFindDialog& dialog) {
    using TPlace = TReportView::TPlace;
    const TTextSearch::TOptions options = dialog.Options();
    TReportText::TMatch match;
    {
        TBusyCursorGuard busy(*this);
        // One character into a selection, so that the match selected is not found again.
        const TPlace from = view.HasSelection() ? std::min(view.Caret(), view.Anchor()) : view.Caret();
        match = view.Report()->Find(from.Line, from.Column + (view.HasSelection() ? 1 : 0),
                                    dialog.FindText(), options.MatchCase, options.WholeWord);
    }
    if (match.Line < 0) {
        ShowMessage(QStringLiteral("End of document reached."),
                    ReplaceMode ? QStringLiteral("Replace") : QStringLiteral("Find"),
                    TMessageIcon::Information, TMessageButtons::Ok);
        view.SetCaret({});
        return;
    }
    view.SetCaret({match.Line, match.Column});
    view.SetCaret({match.Line, match.Column + match.Length}, true);
    const QRect area = view.PlaceRect(view.Anchor()).united(view.PlaceRect(view.Caret()));
    dialog.KeepClear(QRect(view.viewport()->mapToGlobal(area.topLeft()), area.size()));
}

QString TBaseForm::SelectionToFind() const {
    const TReportView* view = Report->LongReport();
    if (!view)
        return RichEdit1->textCursor().selectedText();
    if (!view->HasSelection())
        return {};
    // Only the selection's first line is wanted, not a copy of all it may span.
    const auto from = std::min(view->Caret(), view->Anchor());
    const auto to = std::max(view->Caret(), view->Anchor());
    return view->Report()->Text(from.Line, from.Column, from.Line,
                                to.Line == from.Line ? to.Column : INT_MAX);
}

void TBaseForm::Replace(QObject* sender, bool all) {
    ShowWholeReport();
    if (!ReplaceDialog1 || sender != ReplaceDialog1) {
        ShowMessage(QStringLiteral("Word Search Failed"), QStringLiteral("Find/Replace"),
                    TMessageIcon::Exclamation, TMessageButtons::Ok);
        return;
    }
    const QString text = ReplaceDialog1->FindText();
    const QString replacement = ReplaceDialog1->ReplaceText();
    const TTextSearch::TOptions options = ReplaceDialog1->Options();
    QTextCursor caret = RichEdit1->textCursor();
    if (!all) {
        // Only an occurrence of the search text is replaced, never some other selection.
        if (TTextSearch::SelectionMatches(caret, text, options)) {
            caret.insertText(replacement);
            RichEdit1->setTextCursor(caret);
        }
        Find(ReplaceDialog1);
        return;
    }
    {
        TBusyCursorGuard busy(*this);
        TTextSearch::ReplaceAll(caret, text, replacement, options);
    }
    ShowMessage(QStringLiteral("End of document reached."),
                ReplaceMode ? QStringLiteral("Replace") : QStringLiteral("Find"),
                TMessageIcon::Information, TMessageButtons::Ok);
    RichEdit1->setTextCursor(caret);
}

void TBaseForm::GotoLine() {
    // A long report counts its own lines; they do not wrap.
    TReportView* view = Report->LongReport();
    QTextDocument* document = RichEdit1->document();
    if (!view && WordWrap()) {
        // Wrapped lines count as the area shows them, so the whole text is laid out first.
        TBusyCursorGuard busy(*this);
        TParagraphLayout::LayOutForLines(*document);
    }
    const int maxLine = view ? int(qMin<qsizetype>(view->Report()->LineCount(), INT_MAX))
                             : TTextLines::Count(*document);
    int chosenLine = CaretPosition().x();
    if (!TDialogs::Current().GotoLine(this, FileName, maxLine, chosenLine))
        return;
    // Line 0 is the first line; the dialog allows no line beyond the last.
    chosenLine = qBound(1, chosenLine, maxLine);
    // The line comes to the top of the view, where the eye looks for it.
    if (view) {
        view->SetCaret({chosenLine - 1, 0});
        view->verticalScrollBar()->setValue(chosenLine - 1);
        return;
    }
    QTextCursor caret(document);
    caret.setPosition(TTextLines::LineStart(*document, chosenLine - 1));
    RichEdit1->setTextCursor(caret);
    QScrollBar* bar = RichEdit1->verticalScrollBar();
    bar->setValue(bar->value() + RichEdit1->cursorRect().top());
    RichEdit1->ensureCursorVisible();
}

void TBaseForm::ShowStatistics() {
    // A long report is counted from its own text.
    TDialogs::Current().Statistics(this, RichEdit1, FileName);
}

// ---------------------------------------------------------------------------------------------
// Closing

bool TBaseForm::ChangesResolved() {
    if (!IsModified())
        return true;
    const TMessageResult answer =
        ShowMessage(QStringLiteral("Save changes to ") + FileName + QStringLiteral("?"),
                    QStringLiteral("Confirm"), TMessageIcon::Question,
                    TMessageButtons::YesNoCancel);
    if (answer == TMessageResult::Cancel)
        return false;
    if (answer == TMessageResult::Yes) {
        try {
            SaveDocument();
        } catch (const TPlatformError& error) {
            // A failed save keeps the window and its unsaved text.
            ShowMessage(error.Text(), QStringLiteral("Error"), TMessageIcon::Error,
                        TMessageButtons::Ok);
            return false;
        }
        // So does a save the user declined (a text its encoding cannot hold).
        if (IsModified())
            return false;
    }
    return true;
}

void TBaseForm::closeEvent(QCloseEvent* event) {
    if (Busy) {
        event->ignore();
        return;
    }
    if (!ChangesResolved()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool TBaseForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RichEdit1->viewport() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->mimeData() && drop->mimeData()->hasUrls()) {
            // File drops are the frame's: the editor lets them through.
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
