#include "tmainform.h"

#include "document/tbaseform.h"
#include "document/tplatformerror.h"
#include "model/tboltgroupform.h"
#include "tdialogs.h"
#include "tframearea.h"
#include "timagelist.h"
#include "tlockkeys.h"
#include "shell/tsettings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

namespace {

const QString WebSite = QStringLiteral("https://www.quorvane.example");
const QString SalesAddress = QStringLiteral("sales@quorvane.example");
const QString SupportAddress = QStringLiteral("support@quorvane.example");

// A hint "tip |status text": the tool tip is the part before the bar, the status text the part
// after it; a hint without a bar is both.
void SetHint(QAction* action, const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    } else {
        action->setToolTip(hint.left(bar).trimmed());
        action->setStatusTip(hint.mid(bar + 1).trimmed());
    }
}

QAction* AddItem(QMenu* menu, const char* name, const QString& caption, int helpContext,
                 const QString& hint, const QKeySequence& shortcut = QKeySequence()) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setProperty("HelpContext", helpContext);
    action->setStatusTip(hint);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QMenu* AddSubmenu(QMenu* menu, const char* name, const QString& caption, int helpContext,
                  const QString& hint) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QLatin1String(name));
    sub->menuAction()->setObjectName(QLatin1String(name));
    sub->menuAction()->setProperty("HelpContext", helpContext);
    sub->menuAction()->setStatusTip(hint);
    return sub;
}

QAction* AddButton(QToolBar* bar, const char* name, TImageList::TImage image, const QString& hint) {
    auto* action = bar->addAction(TImageList::Icon(image), QString());
    action->setObjectName(QLatin1String(name));
    SetHint(action, hint);
    if (action->toolTip().isEmpty())
        action->setToolTip(QLatin1String(name));
    action->setText(action->toolTip());
    return action;
}

QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

// The font-name box's items: the sample "Aa" in the item's font, then the name in the box's own.
class TFontNameDelegate : public QStyledItemDelegate {
public:
    TFontNameDelegate(TMainForm* form, QObject* parent) : QStyledItemDelegate(parent), Form(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight
                                                                     : QPalette::Base));
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QString name = index.data().toString();
        QFont sample(name);
        sample.setPointSizeF(option.font.pointSizeF());
        painter->setFont(sample);
        QRect r = option.rect.adjusted(5, 0, 0, 0);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, Form->FontSampleText);
        painter->setFont(option.font);
        r = option.rect.adjusted(Form->FontSampleWidth + 10, 0, 0, 0);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, name);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QFont sample(index.data().toString());
        sample.setPointSizeF(option.font.pointSizeF());
        QFont sans(QStringLiteral("MS Sans Serif"));
        sans.setPointSizeF(option.font.pointSizeF());
        const int h = qMax(QFontMetrics(sample).height() + 2, QFontMetrics(sans).height() + 2);
        return QSize(Form->FontSampleWidth + 10 +
                         QFontMetrics(option.font).horizontalAdvance(index.data().toString()) + 4,
                     h);
    }

private:
    TMainForm* Form;
};

// The font-name box stops the frame's timer while its list is dropped down.
class TFontNameBox : public QComboBox {
public:
    TFontNameBox(TMainForm* form, QWidget* parent) : QComboBox(parent), Form(form) {}
    void showPopup() override {
        Form->Timer1->stop();
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (!Form->Timer1->isActive())
            Form->Timer1->start();
    }

private:
    TMainForm* Form;
};

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quorvane Fastenex"));
    setProperty("HelpContext", HelpContext);
    setToolTip(QString());
    setMinimumSize(720, 450);
    resize(889, 700);
    move(126, 131);
    // The program's fonts by their classic names.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));

    ClientArea = new TFrameArea(this);
    setCentralWidget(ClientArea);
    connect(ClientArea, &QMdiArea::subWindowActivated, this, &TMainForm::SubWindowActivated);

    CreateMenus();
    CreateToolBars();
    CreateStatusBar();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TickInterval);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);

    // FormCreate.
    const QStringList families = QFontDatabase::families();
    ComboBox1->addItems(families);
    DeleteMailCopies();
    qApp->installEventFilter(this);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableSize();
        if (available.width() < width() || available.height() < height())
            setWindowState(windowState() | Qt::WindowMaximized);
        else
            move(screen->availableGeometry().center() - rect().center());
    }
    ApplyPreferences();
    Timer1Timer();
    Timer1->start();
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    FormDestroy();
}

// ---------------------------------------------------------------------------------------------
// Construction of the menus, tool bars and status bar

void TMainForm::CreateMenus() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    CreateFileMenu();
    CreateEditMenu();
    CreateOptionsMenu();
    View1 = MainMenu1->addMenu(QStringLiteral("&View"));
    View1->setObjectName(QStringLiteral("View1"));
    ViewMenuAction = View1->menuAction();
    CreateWindowMenu();
    CreateHelpMenu();
}

void TMainForm::CreateFileMenu() {
    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    File1->menuAction()->setProperty("HelpContext", 301);
    New1 = AddSubmenu(File1, "New1", QStringLiteral("&New"), 301,
                      QStringLiteral("Choose New Document Type"));
    New1->menuAction()->setIcon(TImageList::Icon(TImageList::New));
    TextEditFile1 = AddItem(New1, "TextEditFile1", QStringLiteral("Text Editor"), 301,
                            QStringLiteral("New Text Editor Document"));
    New1->addSeparator();
    BoltGroupAnalysis1 = AddItem(New1, "BoltGroupAnalysis1", QStringLiteral("Bolt Group Analysis"),
                                 301, QStringLiteral("New Bolt Group Analysis"));
    Open1 = AddItem(File1, "Open1", QStringLiteral("&Open"), 302,
                    QStringLiteral("Open Existing Document"), QKeySequence(QStringLiteral("Ctrl+O")));
    Close1 = AddItem(File1, "Close1", QStringLiteral("&Close"), 303, QStringLiteral("Close Document"),
                     QKeySequence(QStringLiteral("Ctrl+F4")));
    Save1 = AddItem(File1, "Save1", QStringLiteral("Save"), 304, QStringLiteral("Save Document"),
                    QKeySequence(QStringLiteral("Ctrl+S")));
    SaveAs1 = AddItem(File1, "SaveAs1", QStringLiteral("Save &As..."), 305,
                      QStringLiteral("Save Document with a New Name"));
    File1->addSeparator();
    Print1 = AddItem(File1, "Print1", QStringLiteral("&Print"), 306, QStringLiteral("Print Document"),
                     QKeySequence(QStringLiteral("Ctrl+P")));
    PrinterSetup1 = AddItem(File1, "PrinterSetup1", QStringLiteral("Printer Setup"), 307,
                            QStringLiteral("Select Printer and Printer Settings"));
    File1->addSeparator();
    Send1 = AddItem(File1, "Send1", QStringLiteral("Send..."), 308,
                    QStringLiteral("Send Document as an E-Mail Attachment"));
    SendSeparator = File1->addSeparator();
    Exit1 = AddItem(File1, "Exit1", QStringLiteral("&Exit"), 309,
                    QStringLiteral("Exit, Closing all Documents"));
    Open1->setIcon(TImageList::Icon(TImageList::Open));
    Close1->setIcon(TImageList::Icon(TImageList::Close));
    Save1->setIcon(TImageList::Icon(TImageList::Save));
    SaveAs1->setIcon(TImageList::Icon(TImageList::SaveAs));
    Print1->setIcon(TImageList::Icon(TImageList::Print));
    Exit1->setIcon(TImageList::Icon(TImageList::Exit));

    connect(TextEditFile1, &QAction::triggered, this, &TMainForm::TextEditFile1Click);
    connect(BoltGroupAnalysis1, &QAction::triggered, this, &TMainForm::BoltGroupAnalysis1Click);
    connect(Open1, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(Close1, &QAction::triggered, this, &TMainForm::Close1Click);
    connect(Save1, &QAction::triggered, this, [this] {
        if (TBaseForm* d = ActiveDocument())
            d->SaveDocument();
    });
    connect(SaveAs1, &QAction::triggered, this, [this] {
        if (TBaseForm* d = ActiveDocument())
            d->SaveDocumentAs();
    });
    connect(Print1, &QAction::triggered, this, &TMainForm::Print1Click);
    connect(PrinterSetup1, &QAction::triggered, this, &TMainForm::PrinterSetup1Click);
    connect(Send1, &QAction::triggered, this, [this] {
        if (TBaseForm* d = ActiveDocument())
            d->SendDocument();
    });
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(File1, &QMenu::aboutToShow, this, &TMainForm::File1Click);
}

void TMainForm::CreateEditMenu() {
    Edit1 = MainMenu1->addMenu(QStringLiteral("&Edit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    QMenu* m = Edit1;
    Undo1 = AddItem(m, "Undo1", QStringLiteral("&Undo"), 350, QStringLiteral("Undo Last Action"),
                    QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction* s1 = m->addSeparator();
    Cut1 = AddItem(m, "Cut1", QStringLiteral("Cu&t"), 351, QStringLiteral("Cut Selection to Clipboard"),
                   QKeySequence(QStringLiteral("Ctrl+X")));
    Copy1 = AddItem(m, "Copy1", QStringLiteral("&Copy"), 352,
                    QStringLiteral("Copy Selection to Clipboard"),
                    QKeySequence(QStringLiteral("Ctrl+C")));
    Paste1 = AddItem(m, "Paste1", QStringLiteral("&Paste"), 353, QStringLiteral("Paste from Clipboard"),
                     QKeySequence(QStringLiteral("Ctrl+V")));
    QAction* s2 = m->addSeparator();
    SelectAll1 = AddItem(m, "SelectAll1", QStringLiteral("Se&lect All"), 354,
                         QStringLiteral("Select All text in Document"));
    QAction* s3 = m->addSeparator();
    Font1 = AddItem(m, "Font1", QStringLiteral("Font ..."), 355, QStringLiteral("Change Font Details"));
    WordWrap1 = AddItem(m, "WordWrap1", QStringLiteral("Word Wrap"), 356,
                        QStringLiteral("Wrap Text to fit within window"));
    WordWrap1->setCheckable(true);
    TextStyle1 = AddSubmenu(m, "TextStyle1", QStringLiteral("Text Style"), 357,
                            QStringLiteral("Change Text Style"));
    const char* styleNames[] = {"Bold2", "Itallics1", "Underline2", "Strikeout2"};
    const QString styleCaptions[] = {QStringLiteral("Bold"), QStringLiteral("Itallics"),
                                     QStringLiteral("Underline"), QStringLiteral("Strikeout")};
    for (int tag = 0; tag < 4; ++tag) {
        QAction* a = AddItem(TextStyle1, styleNames[tag], styleCaptions[tag], 357,
                             QStringLiteral("Change Text Style"));
        a->setData(tag);
        TextStyleItems.append(a);
        connect(a, &QAction::triggered, this, [this, tag] {
            if (TBaseForm* d = ActiveDocument())
                d->Bold1Click(tag);
        });
    }
    TextAlignment2 = AddSubmenu(m, "TextAlignment2", QStringLiteral("Text Alignment"), 358,
                                QStringLiteral("Change Text Alignment"));
    const struct {
        const char* name;
        const char* caption;
        int tag;
    } alignments[] = {{"Left2", "Left", 0}, {"Centre2", "Centre", 2}, {"Right2", "Right", 1}};
    for (const auto& a : alignments) {
        QAction* item = AddItem(TextAlignment2, a.name, QLatin1String(a.caption), 358,
                                QStringLiteral("Change Text Alignment"));
        const int tag = a.tag;
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag] {
            if (TBaseForm* d = ActiveDocument())
                d->Left1Click(tag);
        });
    }
    TextCase1 = AddSubmenu(m, "TextCase1", QStringLiteral("Text Case"), 359,
                           QStringLiteral("Change Text Case"));
    const struct {
        const char* name;
        const char* caption;
    } cases[] = {{"UPPERCASE1", "&UPPER CASE"}, {"lowercase1", "&Lower case"},
                 {"InitialCapitals1", "&Initial Capitals"}};
    for (int tag = 0; tag < 3; ++tag) {
        QAction* item = AddItem(TextCase1, cases[tag].name, QLatin1String(cases[tag].caption), 359,
                                QStringLiteral("Change Text Case"));
        item->setData(tag);
        connect(item, &QAction::triggered, this, [this, tag] {
            if (TBaseForm* d = ActiveDocument())
                d->ChangeTextCase(tag);
        });
    }
    QAction* s4 = m->addSeparator();
    SpellCheck1 = AddItem(m, "SpellCheck1", QStringLiteral("Spell Check"), 360,
                          QStringLiteral("Spell Check Document"));
    Find1 = AddItem(m, "Find1", QStringLiteral("Find..."), 361, QStringLiteral("Find Text in Document"));
    Replace1 = AddItem(m, "Replace1", QStringLiteral("Replace..."), 362,
                       QStringLiteral("Find & Replace Text in Document"));
    Statistics1 = AddItem(m, "Statistics1", QStringLiteral("Statistics..."), 770,
                          QStringLiteral("Document Statistics"));
    GotoLine1 = AddItem(m, "GotoLine1", QStringLiteral("Goto Line..."), 771,
                        QStringLiteral("Goto a specified line in the document"));
    QAction* s5 = m->addSeparator();
    Preferences1 = AddItem(m, "Preferences1", QStringLiteral("Preferences..."), 760,
                           QStringLiteral("Environment Preferences"));
    m->addSeparator();
    ToolBars1 = AddSubmenu(m, "ToolBars1", QStringLiteral("Tool Bars"), 363,
                           QStringLiteral("Tool Bar Options"));
    const struct {
        const char* name;
        const char* caption;
        int help;
        const char* hint;
    } bars[] = {
        {"File2", "File Toolbar", 201, "Toolbar with File Handling Operations"},
        {"Clipboard1", "Editing Toolbar", 202, "Toolbar with Clipboard & Editing Options"},
        {"Help3", "Help Toolbar", 204, "Toolbar with Help Options"},
        {"TextFormat1", "Text Format Toolbar", 203, "Toolbar with Text Format Options"},
        {"ParagraphFormat1", "Paragraph Format Toolbar", 205, "Toolbar with Paragraph Format Options"},
        {"WordTools2", "Word Tools", 206, "Toolbar with Spell Checker & Find/ Replace"},
    };
    // Menu order File, Editing, Help, Text Format, Paragraph Format, Word: tool bars 1, 2, 4, 3,
    // 5, 6.
    const int barIndex[] = {1, 2, 4, 3, 5, 6};
    for (int i = 0; i < 6; ++i) {
        QAction* a = AddItem(ToolBars1, bars[i].name, QLatin1String(bars[i].caption), bars[i].help,
                             QLatin1String(bars[i].hint));
        a->setCheckable(true);
        a->setData(barIndex[i]);
        ToolBarItems.append(a);
        const int index = barIndex[i];
        connect(a, &QAction::triggered, this, [this, index] { ToggleToolBar(index); });
    }
    ToolBars1->addSeparator();
    QAction* restore = AddItem(ToolBars1, "Restore2", QStringLiteral("Restore Toolbars"), 363,
                               QStringLiteral("Restore all toolbars to their default settings"));
    connect(restore, &QAction::triggered, this, &TMainForm::Restore1Click);
    connect(ToolBars1, &QMenu::aboutToShow, this, [this] { UpdateToolBarChecks(ToolBarItems); });

    Undo1->setIcon(TImageList::Icon(TImageList::Undo));
    Cut1->setIcon(TImageList::Icon(TImageList::Cut));
    Copy1->setIcon(TImageList::Icon(TImageList::Copy));
    Paste1->setIcon(TImageList::Icon(TImageList::Paste));
    Font1->setIcon(TImageList::Icon(TImageList::Font));
    SpellCheck1->setIcon(TImageList::Icon(TImageList::SpellCheck));
    Find1->setIcon(TImageList::Icon(TImageList::Find));
    Replace1->setIcon(TImageList::Icon(TImageList::Replace));

    DocumentEditItems = {Undo1, s1, Cut1, Copy1, Paste1, s2, SelectAll1, s3, Font1, WordWrap1,
                         TextStyle1->menuAction(), TextAlignment2->menuAction(),
                         TextCase1->menuAction(), s4, SpellCheck1, Find1, Replace1, Statistics1,
                         GotoLine1, s5};

    auto forward = [this](QAction* a, void (TBaseForm::*op)()) {
        connect(a, &QAction::triggered, this, [this, op] {
            if (TBaseForm* d = ActiveDocument())
                (d->*op)();
        });
    };
    forward(Undo1, &TBaseForm::Undo);
    forward(Cut1, &TBaseForm::Cut);
    forward(Copy1, &TBaseForm::Copy);
    forward(Paste1, &TBaseForm::Paste);
    forward(SelectAll1, &TBaseForm::SelectAllText);
    forward(Font1, &TBaseForm::ChooseFont);
    forward(WordWrap1, &TBaseForm::ToggleWordWrap);
    forward(SpellCheck1, &TBaseForm::SpellCheckDocument);
    forward(Find1, &TBaseForm::Find1Click);
    forward(Replace1, &TBaseForm::Replace1Click);
    forward(Statistics1, &TBaseForm::ShowStatistics);
    forward(GotoLine1, &TBaseForm::GotoLine);
    // The preferences dialog comes with its own window; its settings are re-read regardless.
    connect(Preferences1, &QAction::triggered, this, [this] {
        ApplyPreferences();
        update();
        ClientArea->viewport()->update();
    });
    connect(Edit1, &QMenu::aboutToShow, this, &TMainForm::Edit1Click);
}

void TMainForm::CreateOptionsMenu() {
    Options1 = MainMenu1->addMenu(QStringLiteral("&Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    OptionsMenuAction = Options1->menuAction();
    Titles1 = AddSubmenu(Options1, "Titles1", QStringLiteral("Titles"), 401,
                         QStringLiteral("Change Auto Format settings for Titles"));
    N9 = Options1->addSeparator();
    N9->setObjectName(QStringLiteral("N9"));
    Subtitles1 = AddSubmenu(Options1, "Subtitles1", QStringLiteral("Subtitles"), 402,
                            QStringLiteral("Change Auto Format settings for Subtitles"));
    const QString captions[] = {QStringLiteral("&Bold"), QStringLiteral("&Itallics"),
                                QStringLiteral("&Underline"), QStringLiteral("&Strikeout")};
    const char* titleNames[] = {"Bold3", "Itallics2", "Underline3", "Strikeout3"};
    const char* subtitleNames[] = {"Bold4", "Itallics3", "Underline4", "Strikeout4"};
    for (int tag = 0; tag < 4; ++tag) {
        QAction* t = AddItem(Titles1, titleNames[tag], captions[tag], 401,
                             QStringLiteral("Change Auto Format settings for Titles"));
        QAction* s = AddItem(Subtitles1, subtitleNames[tag], captions[tag], 402,
                             QStringLiteral("Change Auto Format settings for Subtitles"));
        for (QAction* a : {t, s}) {
            a->setCheckable(true);
            a->setData(tag);
        }
        connect(t, &QAction::triggered, this, [this, tag] {
            if (TBaseForm* d = ActiveDocument())
                d->ToggleTitleStyle(tag);
        });
        connect(s, &QAction::triggered, this, [this, tag] {
            if (TBaseForm* d = ActiveDocument())
                d->ToggleSubtitleStyle(tag);
        });
    }
    connect(Titles1, &QMenu::aboutToShow, this, [this] {
        const TBaseForm* d = ActiveDocument();
        for (QAction* a : Titles1->actions())
            a->setChecked(d && d->TitleStyle.Has(TFontStyle(a->data().toInt())));
    });
    connect(Subtitles1, &QMenu::aboutToShow, this, [this] {
        const TBaseForm* d = ActiveDocument();
        for (QAction* a : Subtitles1->actions())
            a->setChecked(d && d->SubtitleStyle.Has(TFontStyle(a->data().toInt())));
    });
    connect(Options1, &QMenu::aboutToShow, this, &TMainForm::Options1Click);
}

void TMainForm::CreateWindowMenu() {
    Window1 = MainMenu1->addMenu(QStringLiteral("&Window"));
    Window1->setObjectName(QStringLiteral("Window1"));
    WindowMenuAction = Window1->menuAction();
    Cascade1 = AddItem(Window1, "Cascade1", QStringLiteral("&Cascade"), 451,
                       QStringLiteral("Cascade Documents"));
    TileHorizontal1 = AddItem(Window1, "TileHorizontal1", QStringLiteral("Tile &Horizontal"), 452,
                              QStringLiteral("Tile Documents Horizontally"));
    TileHorizontal1->setData(0);
    TileVertical1 = AddItem(Window1, "TileVertical1", QStringLiteral("Tile &Vertical"), 453,
                            QStringLiteral("Tile Documents Vertically"));
    TileVertical1->setData(1);
    NextWindow1 = AddItem(Window1, "NextWindow1", QStringLiteral("&Next Window"), 454,
                          QStringLiteral("Change to Next Document"));
    PreviousWindow1 = AddItem(Window1, "PreviousWindow1", QStringLiteral("&Previous Window"), 455,
                              QStringLiteral("Change to Previous Document"));
    ArrangeIcons1 = AddItem(Window1, "ArrangeIcons1", QStringLiteral("&Arrange Icons"), 456,
                            QStringLiteral("Arrange Document Icons"));
    Window1->addSeparator();
    Maximise1 = AddItem(Window1, "Maximise1", QStringLiteral("Maximize Window"), 457,
                        QStringLiteral("Maximize Document Window"));
    Maximise1->setData(2);
    Restore3 = AddItem(Window1, "Restore3", QStringLiteral("Restore Window"), 457,
                       QStringLiteral("Restore Document Window Size"));
    Restore3->setData(0);
    Minimize1 = AddItem(Window1, "Minimize1", QStringLiteral("Minimize Window"), 457,
                        QStringLiteral("Minimize Document Window"));
    Minimize1->setData(1);
    connect(Cascade1, &QAction::triggered, ClientArea, &QMdiArea::cascadeSubWindows);
    connect(TileHorizontal1, &QAction::triggered, this, [this] { TileDocuments(0); });
    connect(TileVertical1, &QAction::triggered, this, [this] { TileDocuments(1); });
    connect(NextWindow1, &QAction::triggered, ClientArea, &QMdiArea::activateNextSubWindow);
    connect(PreviousWindow1, &QAction::triggered, ClientArea, &QMdiArea::activatePreviousSubWindow);
    connect(ArrangeIcons1, &QAction::triggered, ClientArea, &TFrameArea::ArrangeIcons);
    for (QAction* a : {Maximise1, Restore3, Minimize1}) {
        const int tag = a->data().toInt();
        connect(a, &QAction::triggered, this, [this, tag] { SetWindowState(tag); });
    }
    connect(Window1, &QMenu::aboutToShow, this, &TMainForm::Window1Click);
}

void TMainForm::CreateHelpMenu() {
    Help1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    QAction* help = AddItem(Help1, "Help2", QStringLiteral("&Help"), 501,
                            QStringLiteral("Open the Help File"), QKeySequence(Qt::Key_F1));
    help->setIcon(TImageList::Icon(TImageList::Help));
    QAction* helpOnHelp = AddItem(Help1, "HelpOnHelp1", QStringLiteral("Help &On Help"), 502,
                                  QStringLiteral("How to use Help Files"));
    Help1->addSeparator();
    QAction* web = AddItem(Help1, "QuorvaneWebSite1", QStringLiteral("Quorvane &Web Site"), 503,
                           QStringLiteral("Visit ") + WebSite);
    QAction* sales = AddItem(Help1, "SalesDepartment1", QStringLiteral("Quorvane &Sales Department"),
                             504, QStringLiteral("E-Mail The Quorvane Sales Department"));
    Help1->addSeparator();
    QAction* support = AddItem(Help1, "TechnicalSupport1", QStringLiteral("&Technical Support"), 505,
                               QStringLiteral("E-Mail Technical Support"));
    Help1->addSeparator();
    QAction* about = AddItem(Help1, "About1", QStringLiteral("&About"), 506,
                             QStringLiteral("Information about Quorvane"));
    about->setIcon(TImageList::Icon(TImageList::About));
    auto showHelp = [this] {
        TDialogs::Current().Message(
            this,
            QStringLiteral("Quorvane Fastenex analyses bolt groups and edits rich-text and plain-text "
                           "documents.\n\nNew, Open and Save are in the File menu; every open "
                           "document is listed in the Window menu."),
            QStringLiteral("Quorvane Fastenex Help"), TMessageIcon::Information, TMessageButtons::Ok);
    };
    connect(help, &QAction::triggered, this, showHelp);
    connect(helpOnHelp, &QAction::triggered, this, showHelp);
    connect(web, &QAction::triggered, this, [] { QDesktopServices::openUrl(QUrl(WebSite)); });
    auto mail = [](const QString& address, const QString& subject) {
        QProcess::startDetached(TBaseForm::MailProgram,
                                {QStringLiteral("--subject"), subject, address});
    };
    connect(sales, &QAction::triggered, this,
            [mail] { mail(SalesAddress, QStringLiteral("Quorvane Fastenex enquiry")); });
    connect(support, &QAction::triggered, this,
            [mail] { mail(SupportAddress, QStringLiteral("Quorvane Fastenex support request")); });
    connect(about, &QAction::triggered, this, [this] { TDialogs::Current().About(this); });
}

void TMainForm::CreateToolBars() {
    auto makeBar = [this](const char* name, const QString& caption) {
        auto* bar = new QToolBar(caption, this);
        bar->setObjectName(QLatin1String(name));
        bar->setIconSize(QSize(16, 16));
        bar->setMovable(true);
        bar->setFloatable(true);
        bar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea | Qt::LeftToolBarArea |
                             Qt::RightToolBarArea);
        return bar;
    };
    ToolBar7 = makeBar("ToolBar7", QString());
    ToolBar7->setMovable(false);
    ToolBar7->setFloatable(false);
    ToolBar7->addWidget(MainMenu1);
    ToolBar8 = makeBar("ToolBar8", QString());
    ToolBar8->setMovable(false);
    MinimizeButton = AddButton(ToolBar8, "MinimizeButton", TImageList::Minimize,
                               QStringLiteral("Minimize Document Window"));
    MaximizeButton = AddButton(ToolBar8, "MaximizeButton", TImageList::Maximize,
                               QStringLiteral("Maximize Document Window"));
    RestoreButton = AddButton(ToolBar8, "RestoreButton", TImageList::Restore,
                              QStringLiteral("Restore Document Window Size"));
    CloseWindowButton = AddButton(ToolBar8, "CloseWindowButton", TImageList::Close,
                                  QStringLiteral("Close |Close Document"));
    MinimizeButton->setData(1);
    MaximizeButton->setData(2);
    RestoreButton->setData(0);
    for (QAction* a : {MinimizeButton, MaximizeButton, RestoreButton}) {
        const int tag = a->data().toInt();
        connect(a, &QAction::triggered, this, [this, tag] { SetWindowState(tag); });
    }
    connect(CloseWindowButton, &QAction::triggered, this, &TMainForm::Close1Click);
    // The document window buttons sit at the right end of the menu's row.
    MainMenu1->setCornerWidget(ToolBar8, Qt::TopRightCorner);
    ToolBar8->hide();

    ToolBar1 = makeBar("ToolBar1", QStringLiteral("File Toolbar"));
    NewButton = AddButton(ToolBar1, "NewButton", TImageList::New,
                          QStringLiteral("New Text Editor |New Text Editor Document"));
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* textEditor = PopupMenu1->addAction(QStringLiteral("Text Editor"));
    textEditor->setObjectName(QStringLiteral("TextEditor1"));
    PopupMenu1->addSeparator();
    QAction* boltGroup = PopupMenu1->addAction(QStringLiteral("Bolt Group Analysis"));
    boltGroup->setObjectName(QStringLiteral("BoltGroupAnalysis2"));
    NewButton->setMenu(PopupMenu1);
    if (auto* button = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(NewButton)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    connect(NewButton, &QAction::triggered, this, &TMainForm::TextEditFile1Click);
    connect(textEditor, &QAction::triggered, this, &TMainForm::TextEditFile1Click);
    connect(boltGroup, &QAction::triggered, this, &TMainForm::BoltGroupAnalysis1Click);
    OpenButton = AddButton(ToolBar1, "OpenButton", TImageList::Open, QStringLiteral("Open | Open File"));
    CloseButton = AddButton(ToolBar1, "CloseButton", TImageList::Close,
                            QStringLiteral("Close |Close Document"));
    SaveButton = AddButton(ToolBar1, "SaveButton", TImageList::Save,
                           QStringLiteral("Save |Save Document"));
    SaveAsButton = AddButton(ToolBar1, "SaveAsButton", TImageList::SaveAs,
                             QStringLiteral("Save As... |Save Document with a New Name"));
    PrintButton = AddButton(ToolBar1, "PrintButton", TImageList::Print,
                            QStringLiteral("Print |Print Document"));
    ToolBar1->addSeparator();
    ExitButton = AddButton(ToolBar1, "ExitButton", TImageList::Exit,
                           QStringLiteral("Exit |Exit Program, Closing all Documents"));
    connect(OpenButton, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(CloseButton, &QAction::triggered, this, &TMainForm::Close1Click);
    connect(SaveButton, &QAction::triggered, Save1, &QAction::trigger);
    connect(SaveAsButton, &QAction::triggered, SaveAs1, &QAction::trigger);
    connect(PrintButton, &QAction::triggered, this, &TMainForm::Print1Click);
    connect(ExitButton, &QAction::triggered, this, &TMainForm::Exit1Click);

    ToolBar2 = makeBar("ToolBar2", QStringLiteral("Edit Toolbar"));
    CutButton = AddButton(ToolBar2, "CutButton", TImageList::Cut, QStringLiteral("Cut |Cut Selected Text"));
    CopyButton = AddButton(ToolBar2, "CopyButton", TImageList::Copy,
                           QStringLiteral("Copy |Copy Selected Text"));
    PasteButton = AddButton(ToolBar2, "PasteButton", TImageList::Paste,
                            QStringLiteral("Paste |Paste from Clipboard to document"));
    ToolBar2->addSeparator();
    UndoButton = AddButton(ToolBar2, "UndoButton", TImageList::Undo,
                           QStringLiteral("Undo |Undo last action"));
    connect(CutButton, &QAction::triggered, Cut1, &QAction::trigger);
    connect(CopyButton, &QAction::triggered, Copy1, &QAction::trigger);
    connect(PasteButton, &QAction::triggered, Paste1, &QAction::trigger);
    connect(UndoButton, &QAction::triggered, Undo1, &QAction::trigger);

    ToolBar4 = makeBar("ToolBar4", QStringLiteral("Help"));
    HelpButton = AddButton(ToolBar4, "HelpButton", TImageList::Help,
                           QStringLiteral("Help |Open Help File"));
    AboutButton = AddButton(ToolBar4, "AboutButton", TImageList::About,
                            QStringLiteral("About |About Quorvane Fastenex, from Quorvane"));
    connect(HelpButton, &QAction::triggered, Help1->actions().constFirst(), &QAction::trigger);
    connect(AboutButton, &QAction::triggered, this, [this] { TDialogs::Current().About(this); });

    ToolBar6 = makeBar("ToolBar6", QStringLiteral("Word"));
    ToolBar6->setToolTip(QStringLiteral("Word Tools"));
    SpellCheckButton = AddButton(ToolBar6, "SpellCheckButton", TImageList::SpellCheck,
                                 QStringLiteral("Spell Check |Spell Check Document"));
    FindButton = AddButton(ToolBar6, "FindButton", TImageList::Find,
                           QStringLiteral("Find |Find text in document"));
    ReplaceButton = AddButton(ToolBar6, "ReplaceButton", TImageList::Replace,
                              QStringLiteral("Replace |Find & Replace text in document"));
    connect(SpellCheckButton, &QAction::triggered, SpellCheck1, &QAction::trigger);
    connect(FindButton, &QAction::triggered, Find1, &QAction::trigger);
    connect(ReplaceButton, &QAction::triggered, Replace1, &QAction::trigger);

    ToolBar3 = makeBar("ToolBar3", QStringLiteral("Text Formatting Toolbar"));
    FontButton = AddButton(ToolBar3, "FontButton", TImageList::Font, QStringLiteral("Font |Change Font"));
    connect(FontButton, &QAction::triggered, Font1, &QAction::trigger);
    ComboBox1 = new TFontNameBox(this, ToolBar3);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setToolTip(QStringLiteral("Font Name"));
    ComboBox1->setStatusTip(QStringLiteral("Change Font Name"));
    ComboBox1->setEditable(false);
    ComboBox1->setMaxVisibleItems(12);
    ComboBox1->setMinimumContentsLength(18);
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox1->setItemDelegate(new TFontNameDelegate(this, ComboBox1));
    ToolBar3->addWidget(ComboBox1);
    ComboBox2 = new QComboBox(ToolBar3);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setToolTip(QStringLiteral("Font Size"));
    ComboBox2->setStatusTip(QStringLiteral("Change Font Size"));
    ComboBox2->setEditable(true);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        ComboBox2->addItem(QString::number(size));
    ComboBox2->setEditText(QStringLiteral("8"));
    ComboBox2->setMinimumContentsLength(3);
    ToolBar3->addWidget(ComboBox2);
    connect(ComboBox1, &QComboBox::activated, this, &TMainForm::FontNameChosen);
    connect(ComboBox2, &QComboBox::activated, this, &TMainForm::FontNameChosen);
    connect(ComboBox2->lineEdit(), &QLineEdit::returnPressed, this, &TMainForm::FontNameChosen);
    const char* styleNames[] = {"BoldButton", "ItallicsButton", "UnderlineButton", "StrikeoutButton"};
    const QString styleHints[] = {QStringLiteral("Bold "), QStringLiteral("Itallics "),
                                  QStringLiteral("Underline "), QStringLiteral("Strike Out ")};
    const TImageList::TImage styleImages[] = {TImageList::Bold, TImageList::Italic,
                                              TImageList::Underline, TImageList::StrikeOut};
    for (int tag = 0; tag < 4; ++tag) {
        StyleButtons[tag] = AddButton(ToolBar3, styleNames[tag], styleImages[tag], styleHints[tag]);
        StyleButtons[tag]->setCheckable(true);
        StyleButtons[tag]->setData(tag);
        connect(StyleButtons[tag], &QAction::triggered, this, [this, tag] {
            if (TBaseForm* d = ActiveDocument())
                d->Bold1Click(tag);
        });
    }

    ToolBar5 = makeBar("ToolBar5", QStringLiteral("Paragraph Formatting Toolbar"));
    Bullets1 = AddButton(ToolBar5, "Bullets1", TImageList::Bullets,
                         QStringLiteral("Bullet Points |Toggle Paragraph Bullet Points On/Off"));
    Bullets1->setCheckable(true);
    connect(Bullets1, &QAction::triggered, this, [this] {
        if (TBaseForm* d = ActiveDocument())
            d->ToggleBullets();
    });
    ToolBar5->addSeparator();
    auto stepButton = [this](const char* name, TImageList::TImage image, const QString& hint,
                             int tag, void (TBaseForm::*op)(int)) {
        QAction* a = AddButton(ToolBar5, name, image, hint);
        a->setData(tag);
        connect(a, &QAction::triggered, this, [this, tag, op] {
            if (TBaseForm* d = ActiveDocument())
                (d->*op)(tag);
        });
        return a;
    };
    FLIIncrease = stepButton("FLIIncrease", TImageList::FirstIndentMore,
                             QStringLiteral("Increase First Line Indent"), 25,
                             &TBaseForm::StepFirstLineIndent);
    FLIDecrease = stepButton("FLIDecrease", TImageList::FirstIndentLess,
                             QStringLiteral("Decrease First Line Indent"), -25,
                             &TBaseForm::StepFirstLineIndent);
    IndentIncrease = stepButton("IndentIncrease", TImageList::IndentMore,
                                QStringLiteral("Increase Left Margin "), 25,
                                &TBaseForm::StepParagraphIndent);
    IndentDecrease = stepButton("IndentDecrease", TImageList::IndentLess,
                                QStringLiteral("Decrease Left Margin "), -25,
                                &TBaseForm::StepParagraphIndent);
    ToolBar5->addSeparator();
    LeftButton = stepButton("LeftButton", TImageList::AlignLeft, QStringLiteral("Left Justify "), 0,
                            &TBaseForm::Left1Click);
    CentreButton = stepButton("CentreButton", TImageList::AlignCentre,
                              QStringLiteral("Centre Justify "), 2, &TBaseForm::Left1Click);
    RightButton = stepButton("RightButton", TImageList::AlignRight, QStringLiteral("Right Justify "),
                             1, &TBaseForm::Left1Click);
    for (QAction* a : {LeftButton, CentreButton, RightButton})
        a->setCheckable(true);
    ToolBar5->addSeparator();
    RightIndentIncrease = stepButton("RightIndentIncrease", TImageList::RightIndentMore,
                                     QStringLiteral("Increase Right Margin "), 25,
                                     &TBaseForm::StepRightIndent);
    RightIndentDecrease = stepButton("RightIndentDecrease", TImageList::RightIndentLess,
                                     QStringLiteral("Decrease Right Margin "), -25,
                                     &TBaseForm::StepRightIndent);

    // The control bar's context menu: the tool bars and "Restore Toolbars".
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    const QString popupCaptions[] = {QStringLiteral("File Toolbar"), QStringLiteral("Editing Toolbar"),
                                     QStringLiteral("Help Toolbar"),
                                     QStringLiteral("Text Formatting Toolbar"),
                                     QStringLiteral("Paragraph Formatting Toolbar"),
                                     QStringLiteral("Word Tools")};
    const int barIndex[] = {1, 2, 4, 3, 5, 6};
    for (int i = 0; i < 6; ++i) {
        QAction* a = PopupMenu2->addAction(popupCaptions[i]);
        a->setCheckable(true);
        a->setData(barIndex[i]);
        a->setStatusTip(ToolBarItems.at(i)->statusTip());
        ToolBarPopupItems.append(a);
        const int index = barIndex[i];
        connect(a, &QAction::triggered, this, [this, index] { ToggleToolBar(index); });
    }
    PopupMenu2->addSeparator();
    QAction* restore = PopupMenu2->addAction(QStringLiteral("Restore Toolbars"));
    restore->setStatusTip(QStringLiteral("Restore Toolbars to their Default Settings"));
    connect(restore, &QAction::triggered, this, &TMainForm::Restore1Click);
    connect(PopupMenu2, &QMenu::aboutToShow, this, [this] { UpdateToolBarChecks(ToolBarPopupItems); });
    setContextMenuPolicy(Qt::NoContextMenu);
    for (QToolBar* bar : {ToolBar1, ToolBar2, ToolBar3, ToolBar4, ToolBar5, ToolBar6, ToolBar7}) {
        bar->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(bar, &QWidget::customContextMenuRequested, this,
                [this, bar](const QPoint& pos) { PopupMenu2->popup(bar->mapToGlobal(pos)); });
    }
    PlaceToolBars();
}

void TMainForm::PlaceToolBars() {
    // Three rows: the menu; File, Edit, Help and Word; Text and Paragraph formatting.
    for (QToolBar* bar : {ToolBar7, ToolBar1, ToolBar2, ToolBar4, ToolBar6, ToolBar3, ToolBar5})
        removeToolBar(bar);
    addToolBar(Qt::TopToolBarArea, ToolBar7);
    addToolBarBreak(Qt::TopToolBarArea);
    for (QToolBar* bar : {ToolBar1, ToolBar2, ToolBar4, ToolBar6})
        addToolBar(Qt::TopToolBarArea, bar);
    addToolBarBreak(Qt::TopToolBarArea);
    for (QToolBar* bar : {ToolBar3, ToolBar5})
        addToolBar(Qt::TopToolBarArea, bar);
    for (QToolBar* bar : {ToolBar7, ToolBar1, ToolBar2, ToolBar4, ToolBar6, ToolBar3, ToolBar5})
        bar->show();
}

void TMainForm::CreateStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    setStatusBar(StatusBar1);
    const QFontMetrics metrics(StatusBar1->font());
    const QString widths[] = {QStringLiteral(" No Document"), QStringLiteral("   NUM  CAPS  SCROLL  "),
                              QStringLiteral("  12.00 PM  "),
                              QStringLiteral("   ") + DateText(QDate::currentDate()),
                              QStringLiteral("   Typeover  "), QString()};
    for (int i = 0; i < 6; ++i) {
        auto* panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 5) {
            // The label's frame and margins come on top of the text.
            const int frame = 2 * panel->frameWidth() + 2;
            panel->setFixedWidth(metrics.horizontalAdvance(widths[i]) + frame + (i == 0 ? 5 : 0));
            StatusBar1->addWidget(panel);
        } else {
            panel->setMinimumWidth(20);
            StatusBar1->addWidget(panel, 1);
        }
        panel->installEventFilter(this);
        Panels[i] = panel;
    }
    PanelZeroWidth = Panels[0]->width();
    Panels[0]->setText(QStringLiteral(" No Document"));
    Panels[4]->setText(QStringLiteral(" "));
    StatusBar1->installEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// Documents

QList<TBaseForm*> TMainForm::Documents() const {
    QList<TBaseForm*> result;
    for (QMdiSubWindow* sub : ClientArea->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* form = qobject_cast<TBaseForm*>(sub->widget()))
            result.append(form);
    }
    return result;
}

int TMainForm::DocumentCount() const { return int(Documents().size()); }

TBaseForm* TMainForm::ActiveDocument() const {
    if (QMdiSubWindow* sub = ClientArea->currentSubWindow()) {
        if (auto* form = qobject_cast<TBaseForm*>(sub->widget()))
            return form;
    }
    // Without an active application (another program in front, the offscreen platform) the
    // last activated window is still the frame's active document.
    if (LastActive && SubWindowOf(LastActive))
        return LastActive;
    const QList<TBaseForm*> documents = Documents();
    return documents.isEmpty() ? nullptr : documents.constLast();
}

QMdiSubWindow* TMainForm::SubWindowOf(const TBaseForm* form) const {
    for (QMdiSubWindow* sub : ClientArea->subWindowList()) {
        if (sub->widget() == form)
            return sub;
    }
    return nullptr;
}

void TMainForm::AddDocument(TBaseForm* form) {
    QMdiSubWindow* sub = ClientArea->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(TImageList::Icon(TImageList::FileMenu));
    sub->resize(845, 480);
    connect(sub, &QObject::destroyed, this, &TMainForm::DocumentClosed, Qt::QueuedConnection);
    const bool maximise = TSettings().ToolWindowMaximise();
    if (maximise)
        sub->showMaximized();
    else
        sub->show();
    ActivateDocument(form);
    ClientArea->viewport()->update();
}

void TMainForm::ActivateDocument(TBaseForm* form) {
    QMdiSubWindow* sub = SubWindowOf(form);
    if (!sub)
        return;
    if (sub->isHidden())
        sub->show();
    if (sub->isMinimized())
        sub->showNormal();
    ClientArea->setActiveSubWindow(sub);
    if (LastActive != form) {
        LastActive = form;
        form->FormActivate();
    }
}

void TMainForm::SubWindowActivated(QMdiSubWindow* window) {
    if (!window)
        return;
    if (auto* form = qobject_cast<TBaseForm*>(window->widget())) {
        if (form != LastActive) {
            LastActive = form;
            form->FormActivate();
        }
    }
}

void TMainForm::DocumentClosed() {
    if (ClientArea->subWindowList().isEmpty()) {
        ClientArea->viewport()->update();
        update();
    }
    Timer1Timer();
}

TBaseForm* TMainForm::TextEditFile1Click() {
    auto* form = new TBaseForm(this);
    AddDocument(form);
    return form;
}

TBaseForm* TMainForm::CreateBoltGroupForm() { return new TBoltGroupForm(this); }

TBaseForm* TMainForm::BoltGroupAnalysis1Click() {
    TBaseForm* form = CreateBoltGroupForm();
    if (!form) {
        TDialogs::Current().Message(this, QStringLiteral("Bolt group analysis windows are not "
                                                         "available in this version."),
                                    QStringLiteral("Warning"), TMessageIcon::Warning,
                                    TMessageButtons::Ok);
        return nullptr;
    }
    AddDocument(form);
    return form;
}

void TMainForm::Open1Click() {
    if (TBaseForm* d = ActiveDocument()) {
        d->Open2Click();
        return;
    }
    const QString chosen = TDialogs::Current().OpenFileName(
        this, QStringLiteral("Open File."), QDir::homePath() + QLatin1Char('/'),
        QStringLiteral("Fastenex Files|*.dat;*.rtf;*.txt|Bolt Group Analysis Data Files "
                       "(*.dat)|*.dat|Rich Text & Text Files (*.rtf & *.txt)|*.rtf;*.txt|All "
                       "Files (*.*)|*.*"));
    if (!chosen.isEmpty())
        OpenFileByType(chosen);
}

TBaseForm* TMainForm::OpenFileByType(const QString& fileName) {
    TBaseForm* form = nullptr;
    if (QFileInfo(fileName).suffix().toLower() == QLatin1String("dat")) {
        switch (TDialogs::Current().OpenType(this, fileName)) {
        case TDialogs::TOpenTool::Cancelled:
            return nullptr;
        case TDialogs::TOpenTool::BoltGroupAnalysis:
            form = CreateBoltGroupForm();
            if (!form) {
                TDialogs::Current().Message(this, QStringLiteral("Bolt group analysis windows are "
                                                                 "not available in this version."),
                                            QStringLiteral("Warning"), TMessageIcon::Warning,
                                            TMessageButtons::Ok);
                return nullptr;
            }
            break;
        case TDialogs::TOpenTool::TextEditor:
            form = new TBaseForm(this);
            break;
        }
    } else {
        form = new TBaseForm(this);
    }
    AddDocument(form);
    form->OpenDocument(fileName);
    return form;
}

void TMainForm::Close1Click() {
    if (TBaseForm* d = ActiveDocument())
        d->CloseDocument();
    if (ClientArea->subWindowList().isEmpty()) {
        ClientArea->viewport()->update();
        update();
    }
}

void TMainForm::Print1Click() {
    TBaseForm* d = ActiveDocument();
    if (!d)
        return;
    if (TDialogs::Current().Print(this, TBaseForm::Printer()))
        d->PrintDocument();
}

void TMainForm::PrinterSetup1Click() { TDialogs::Current().PrinterSetup(this, TBaseForm::Printer()); }

void TMainForm::Exit1Click() { close(); }

void TMainForm::SetWindowState(int tag) {
    TBaseForm* d = ActiveDocument();
    QMdiSubWindow* sub = d ? SubWindowOf(d) : nullptr;
    if (!sub)
        return;
    switch (tag) {
    case 0:
        sub->showNormal();
        break;
    case 1:
        sub->showMinimized();
        break;
    case 2:
        sub->showMaximized();
        break;
    default:
        break;
    }
    ClientArea->viewport()->update();
}

void TMainForm::TileDocuments(int mode) { ClientArea->TileDocuments(mode); }

void TMainForm::One1Click(int tag) {
    const QString fileName = TSettings().QuickListFileName(tag);
    bool found = false;
    for (TBaseForm* form : Documents()) {
        if (form->FileName == fileName) {
            ActivateDocument(form);
            found = true;
        }
    }
    if (!found)
        OpenFileByType(fileName);
}

// ---------------------------------------------------------------------------------------------
// Menu openings

QString TMainForm::NumberedCaption(int k, const QString& caption) {
    if (k <= 9)
        return QStringLiteral("&%1  %2").arg(k).arg(caption);
    return QStringLiteral("%1  %2").arg(k).arg(caption);
}

void TMainForm::File1Click() {
    TBaseForm* d = ActiveDocument();
    const bool open = d != nullptr;
    Save1->setEnabled(open && d->IsModified());
    const bool text = open && d->HasText();
    SaveAs1->setEnabled(text);
    Print1->setEnabled(text);
    Send1->setEnabled(text);
    for (QAction* a : {Close1, Save1, SaveAs1, Print1, Send1, SendSeparator})
        a->setVisible(open);
    AddQuickListItems();
}

void TMainForm::AddQuickListItems() {
    for (QAction* a : QuickListItems) {
        File1->removeAction(a);
        a->deleteLater();
    }
    QuickListItems.clear();
    const TSettings settings;
    const QList<TQuickListEntry> entries = settings.QuickListMenuEntries();
    if (entries.isEmpty() || QuickListLength == 0)
        return;
    QuickListItems.append(File1->addSeparator());
    int k = 0;
    for (const TQuickListEntry& entry : entries) {
        ++k;
        if (k > QuickListLength)
            break;
        QAction* a = File1->addAction(NumberedCaption(k, entry.Caption));
        a->setObjectName(QStringLiteral("QuickList%1").arg(k));
        a->setData(k);
        a->setProperty("HelpContext", 310);
        a->setStatusTip(QStringLiteral("Open \"") + settings.Ini().ReadString(
                            QStringLiteral("FileList"), QStringLiteral("File%1FileName").arg(k),
                            QStringLiteral("Error.rtf")) +
                        QStringLiteral("\""));
        const int tag = k;
        connect(a, &QAction::triggered, this, [this, tag] { One1Click(tag); });
        QuickListItems.append(a);
    }
}

void TMainForm::Edit1Click() {
    TBaseForm* d = ActiveDocument();
    const bool open = d != nullptr;
    for (QAction* a : DocumentEditItems)
        a->setVisible(open);
    if (!open) {
        WordWrap1->setChecked(false);
        TextAlignment2->setEnabled(false);
    } else {
        for (QAction* a : {SelectAll1, Font1, WordWrap1, TextStyle1->menuAction(), SpellCheck1,
                           Find1, Replace1})
            a->setEnabled(true);
        Undo1->setEnabled(d->IsModified());
        Cut1->setEnabled(d->HasSelection());
        Copy1->setEnabled(d->HasSelection());
        WordWrap1->setChecked(d->WordWrap());
        TextAlignment2->setEnabled(d->WordWrap());
    }
    const QMimeData* clip = QApplication::clipboard()->mimeData();
    Paste1->setEnabled(open && clip && clip->hasText());
}

void TMainForm::Window1Click() {
    const QList<TBaseForm*> documents = Documents();
    const bool several = documents.size() > 1;
    for (QAction* a : {Cascade1, TileHorizontal1, TileVertical1, NextWindow1, PreviousWindow1,
                       ArrangeIcons1})
        a->setEnabled(several);
    TBaseForm* active = ActiveDocument();
    QMdiSubWindow* sub = active ? SubWindowOf(active) : nullptr;
    const bool open = sub != nullptr;
    const bool maximized = open && sub->isMaximized();
    const bool minimized = open && sub->isMinimized();
    Maximise1->setEnabled(open && !maximized);
    Minimize1->setEnabled(open && !minimized);
    Restore3->setEnabled(open && (maximized || minimized));

    for (QAction* a : WindowListItems) {
        Window1->removeAction(a);
        a->deleteLater();
    }
    WindowListItems.clear();
    if (documents.isEmpty())
        return;
    WindowListItems.append(Window1->addSeparator());
    int i = 0;
    for (TBaseForm* form : documents) {
        ++i;
        QAction* a = Window1->addAction(NumberedCaption(i, QFileInfo(form->FileName).fileName()));
        a->setObjectName(QStringLiteral("WindowItem%1").arg(i));
        a->setProperty("HelpContext", 458);
        a->setCheckable(true);
        a->setChecked(form == active);
        QPointer<TBaseForm> target(form);
        connect(a, &QAction::triggered, this, [this, target] {
            if (target)
                ActivateDocument(target);
        });
        WindowListItems.append(a);
    }
}

void TMainForm::Options1Click() {
    const TBaseForm* d = ActiveDocument();
    const bool boltGroup = d && d->IsBoltGroupForm();
    for (QAction* a : {Titles1->menuAction(), N9, Subtitles1->menuAction()}) {
        a->setVisible(boltGroup);
        a->setEnabled(boltGroup);
    }
}

void TMainForm::UpdateToolBarChecks(const QList<QAction*>& items) {
    for (QAction* a : items)
        a->setChecked(!ToolBarByIndex(a->data().toInt())->isHidden());
}

void TMainForm::ToggleToolBar(int index) {
    QToolBar* bar = ToolBarByIndex(index);
    bar->setVisible(bar->isHidden());
}

QToolBar* TMainForm::ToolBarByIndex(int index) const {
    switch (index) {
    case 1:
        return ToolBar1;
    case 2:
        return ToolBar2;
    case 3:
        return ToolBar3;
    case 4:
        return ToolBar4;
    case 5:
        return ToolBar5;
    case 6:
        return ToolBar6;
    default:
        return ToolBar7;
    }
}

void TMainForm::Restore1Click() {
    PlaceToolBars();
    const TSettings settings;
    for (int i = 1; i <= 6; ++i)
        ToolBarByIndex(i)->setVisible(settings.ToolBar(i));
}

// ---------------------------------------------------------------------------------------------
// Preferences, start-up and shut-down

void TMainForm::ApplyPreferences() {
    const TPreferences p = TSettings().Preferences();
    ShowCopyright = p.Copyright;
    ShowLogo = p.Logo;
    TopColour = quint32(p.TopColour) & 0xFFFFFF;
    BottomColour = quint32(p.BottomColour) & 0xFFFFFF;
    MaximiseOnStart = p.WindowMaximise;
    SaveWindowSize = p.WindowSize;
    QuickListLength = p.QuickListLength;
    ClientArea->ShowCopyright = ShowCopyright;
    ClientArea->ShowLogo = ShowLogo;
    ClientArea->TopColour = TopColour;
    ClientArea->BottomColour = BottomColour;
    SelectFontName(p.FontStyle);
    ComboBox2->setEditText(p.FontSize);
    for (int i = 1; i <= 6; ++i)
        ToolBarByIndex(i)->setVisible(p.ToolBar[size_t(i - 1)]);
    ClientArea->viewport()->update();
}

void TMainForm::DeleteMailCopies() {
    TSettings settings;
    int count = 0;
    try {
        count = settings.TakeMessageCount();
    } catch (const TPlatformError&) {
        // A settings file that cannot be written leaves the copies for the next start.
        return;
    }
    for (int k = 1; k <= count; ++k) {
        const QString name =
            settings.Folders.ProgramFolderFile(QStringLiteral("Meshwright Message %1.rtf").arg(k));
        if (QFileInfo::exists(name))
            QFile::remove(name);
    }
}

void TMainForm::FormShow() {
    const TSettings settings;
    if (settings.WindowMaximise()) {
        if (!isMaximized())
            showMaximized();
    } else if (settings.WindowSize()) {
        const TWindowPlacement place = settings.WindowPlacement();
        if (isMaximized())
            showNormal();
        setGeometry(place.Left, place.Top, place.Width, place.Height);
    }
    if (FontSampleWidth == 0)
        ComputeFontSampleWidth();
    SelectFontName(QStringLiteral("Courier New"));
}

void TMainForm::SelectFontName(const QString& name) {
    if (name.isEmpty())
        return;
    int index = ComboBox1->findText(name, Qt::MatchFixedString);
    if (index < 0) {
        // A name fontconfig knows only as an alias ("Courier New", "Arial") is still a name the
        // documents use; it joins the list in its sorted place.
        index = 0;
        while (index < ComboBox1->count() &&
               ComboBox1->itemText(index).compare(name, Qt::CaseInsensitive) < 0)
            ++index;
        ComboBox1->insertItem(index, name);
    }
    if (index != ComboBox1->currentIndex())
        ComboBox1->setCurrentIndex(index);
}

void TMainForm::ComputeFontSampleWidth() {
    const qreal size = ComboBox1->font().pointSizeF();
    int widest = 0;
    for (int i = 0; i < ComboBox1->count(); ++i) {
        QFont font(ComboBox1->itemText(i));
        font.setPointSizeF(size);
        widest = qMax(widest, QFontMetrics(font).horizontalAdvance(FontSampleText));
    }
    FontSampleWidth = widest;
}

void TMainForm::FormDestroy() {
    if (DestroyDone)
        return;
    DestroyDone = true;
    try {
        TSettings settings;
        if (settings.WindowSize()) {
            const QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
            TWindowPlacement place;
            place.Left = g.left();
            place.Top = g.top();
            place.Width = g.width();
            place.Height = g.height();
            settings.SetWindowPlacement(place);
        } else {
            settings.EraseWindowPlacement();
        }
    } catch (const TPlatformError&) {
        // The placement is not kept when the settings file cannot be written.
    }
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && Shown)
        FormShow();
    if (event->type() == QEvent::WindowStateChange) {
        Timer1->setInterval(isMinimized() ? MinimizedTickInterval : TickInterval);
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Every document runs its close query; one refusal stops the exit.
    for (TBaseForm* form : Documents()) {
        QMdiSubWindow* sub = SubWindowOf(form);
        if (sub && !sub->close()) {
            event->ignore();
            return;
        }
    }
    if (!ClientArea->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    FormDestroy();
    event->accept();
}

// ---------------------------------------------------------------------------------------------
// The tick, hints and the status bar

QString TMainForm::LockKeysText(bool caps, bool num, bool scroll) {
    QString text = QStringLiteral(" ");
    if (caps)
        text += QStringLiteral("CAPS  ");
    if (num)
        text += QStringLiteral("NUM  ");
    if (scroll)
        text += QStringLiteral("SCROLL");
    return text;
}

QString TMainForm::TimeText(const QTime& time) {
    return QLocale::system().toString(time, QStringLiteral(" h:mm AP "));
}

QString TMainForm::DateText(const QDate& date) {
    return QLocale::system().toString(date, QStringLiteral(" dddd, d MMMM yyyy."));
}

void TMainForm::SetDocumentControlsEnabled(bool enabled) {
    for (QAction* a : {Close1, CloseButton, CutButton, CopyButton, Cut1, Copy1, Undo1, FontButton,
                       Bullets1, IndentIncrease, IndentDecrease, FLIIncrease, FLIDecrease,
                       SpellCheckButton, FindButton, ReplaceButton, TextCase1->menuAction()})
        a->setEnabled(enabled);
    for (QAction* a : TextStyleItems)
        a->setEnabled(enabled);
    for (QAction* a : StyleButtons)
        a->setEnabled(enabled);
    ComboBox1->setEnabled(enabled);
    ComboBox2->setEnabled(enabled);
    if (!enabled) {
        for (QAction* a : {Save1, SaveButton, SaveAs1, SaveAsButton, Print1, PrintButton, Send1,
                           UndoButton, LeftButton, CentreButton, RightButton, RightIndentIncrease,
                           RightIndentDecrease})
            a->setEnabled(false);
    }
}

void TMainForm::InsertKeyPressed() {
    InsertKeyToggled = !InsertKeyToggled;
    if (TBaseForm* d = ActiveDocument()) {
        LastInsertKeyState = InsertKeyToggled;
        d->FlipInsertKey();
        Panels[4]->setText(d->InsertMode() ? QStringLiteral(" Insert") : QStringLiteral(" Typeover"));
    }
}

void TMainForm::Timer1Timer() {
    if (isMinimized()) {
        Timer1->setInterval(MinimizedTickInterval);
        return;
    }
    const bool running = Timer1->isActive();
    Timer1->stop();
    Timer1->setInterval(TickInterval);

    // Lock keys.
    const std::optional<TLockKeyStates> locks = TLockKeys::Read();
    Panels[1]->setText(locks ? LockKeysText(locks->Caps, locks->Num, locks->Scroll) : QString());

    TBaseForm* d = ActiveDocument();
    // Insert and typeover.
    if (!LastInsertKeyKnown) {
        LastInsertKeyKnown = true;
        LastInsertKeyState = InsertKeyToggled;
    }
    if (d) {
        if (InsertKeyToggled != LastInsertKeyState) {
            LastInsertKeyState = InsertKeyToggled;
            d->FlipInsertKey();
        }
        Panels[4]->setText(d->InsertMode() ? QStringLiteral(" Insert") : QStringLiteral(" Typeover"));
    }

    // Once a second: time, date and the widths.
    if (TickCount % 10 == 0) {
        const QDateTime now = QDateTime::currentDateTime();
        Panels[2]->setText(TimeText(now.time()));
        Panels[3]->setText(DateText(now.date()));
    }
    ++TickCount;

    const QMimeData* clip = QApplication::clipboard()->mimeData();
    PasteButton->setEnabled(d && clip && clip->hasText());

    // Caret.
    if (d) {
        const QPoint caret = d->CaretPosition();
        Panels[0]->setText(QStringLiteral(" Line %1  Column %2").arg(caret.x()).arg(caret.y()));
    } else {
        Panels[0]->setText(QStringLiteral(" No Document "));
    }
    const int needed = QFontMetrics(Panels[0]->font()).horizontalAdvance(Panels[0]->text()) + 5 +
                       2 * Panels[0]->frameWidth() + 2;
    if (needed > Panels[0]->width())
        Panels[0]->setFixedWidth(needed);

    if (d) {
        if (ControlsDisabled) {
            SetDocumentControlsEnabled(true);
            WindowMenuAction->setVisible(true);
            ControlsDisabled = false;
        }
        QMdiSubWindow* sub = SubWindowOf(d);
        const bool maximized = sub && sub->isMaximized();
        ToolBar8->setVisible(maximized);
        MaximizeButton->setVisible(!maximized);
        MinimizeButton->setVisible(true);
        RestoreButton->setVisible(true);
        OptionsMenuAction->setVisible(d->IsBoltGroupForm());
        ViewMenuAction->setVisible(d->IsBoltGroupForm());
        const bool text = d->HasText();
        PrintButton->setEnabled(text);
        SaveAsButton->setEnabled(text);
        Print1->setEnabled(text);
        SaveAs1->setEnabled(text);
        Send1->setEnabled(text);
        const bool modified = d->IsModified();
        if (modified != LastModified) {
            LastModified = modified;
        }
        SaveButton->setEnabled(modified);
        Save1->setEnabled(modified);
        UndoButton->setEnabled(d->RichEdit1->document()->isUndoAvailable());
        Undo1->setEnabled(modified);
        const QTextCharFormat format = d->RichEdit1->currentCharFormat();
        StyleButtons[0]->setChecked(format.fontWeight() > QFont::Normal);
        StyleButtons[1]->setChecked(format.fontItalic());
        StyleButtons[2]->setChecked(format.fontUnderline());
        StyleButtons[3]->setChecked(format.fontStrikeOut());
        const bool selection = d->HasSelection();
        for (QAction* a : {CutButton, CopyButton, Cut1, Copy1}) {
            if (a->isEnabled() != selection)
                a->setEnabled(selection);
        }
        const bool wrap = d->WordWrap();
        if (wrap != LastWordWrap)
            LastWordWrap = wrap;
        for (QAction* a : {LeftButton, CentreButton, RightButton, RightIndentIncrease,
                           RightIndentDecrease})
            a->setEnabled(wrap);
        WordWrap1->setChecked(wrap);
        TextAlignment2->setEnabled(wrap);
        if (wrap) {
            const Qt::Alignment align = d->RichEdit1->alignment();
            const bool right = align & Qt::AlignRight;
            const bool centre = align & Qt::AlignHCenter;
            LeftButton->setChecked(!right && !centre);
            CentreButton->setChecked(centre);
            RightButton->setChecked(right);
        }
        Bullets1->setChecked(d->RichEdit1->textCursor().currentList() != nullptr);
        const QFont font = d->RichEdit1->currentFont();
        const QString family = font.families().isEmpty() ? font.family() : font.families().first();
        CurrentFontName = family;
        CurrentFontSize = qRound(font.pointSizeF());
        if (!ComboBox1->view()->isVisible())
            SelectFontName(CurrentFontName);
        if (!ComboBox2->hasFocus() && ComboBox2->currentText() != QString::number(CurrentFontSize))
            ComboBox2->setEditText(QString::number(CurrentFontSize));
        StatusBar1->setStatusTip(d->RichEditHint());
        if (CurrentHint.isEmpty())
            Panels[5]->setText(QStringLiteral(" ") + LongHint(d->RichEditHint()));
        FileMenuPictureHidden = true;
    } else {
        SetDocumentControlsEnabled(false);
        ControlsDisabled = true;
        if (FileMenuPictureHidden) {
            ClientArea->viewport()->update();
            FileMenuPictureHidden = false;
        }
        OptionsMenuAction->setVisible(false);
        ViewMenuAction->setVisible(false);
        ToolBar8->setVisible(false);
        Panels[4]->setText(QStringLiteral(" "));
        StatusBar1->setStatusTip(windowTitle());
        TextCase1->menuAction()->setEnabled(false);
        WindowMenuAction->setVisible(false);
    }
    if (running || !Timer1->isActive())
        Timer1->start();
}

void TMainForm::ShowHint(const QString& hint) {
    const QString longPart = LongHint(hint);
    CurrentHint = longPart;
    if (!longPart.isEmpty()) {
        Panels[5]->setText(QStringLiteral(" ") + longPart);
    } else if (TBaseForm* d = ActiveDocument()) {
        Panels[5]->setText(QStringLiteral(" ") + LongHint(d->RichEditHint()));
    }
}

void TMainForm::StatusBar1MouseDown(const QPoint& pos) {
    TBaseForm* d = ActiveDocument();
    if (!d)
        return;
    QLabel* clicked = nullptr;
    for (QLabel* panel : Panels) {
        if (panel->isVisible() && panel->geometry().left() < pos.x())
            clicked = panel;
    }
    if (!clicked)
        return;
    d->TypeText(clicked->text().trimmed() + QLatin1Char(' '));
}

void TMainForm::FontNameChosen() {
    TBaseForm* d = ActiveDocument();
    if (d) {
        bool ok = false;
        int size = ComboBox2->currentText().trimmed().toInt(&ok);
        if (!ok)
            size = 8;
        d->SetFontNameAndSize(ComboBox1->currentText(), size);
        d->RichEdit1->setFocus();
    }
    if (!Timer1->isActive())
        Timer1->start();
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Hints go to the last panel, not over the panels.
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier &&
            !key->isAutoRepeat()) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == this) {
                InsertKeyPressed();
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == StatusBar1 || (widget && widget->parentWidget() == StatusBar1 &&
                                     qobject_cast<QLabel*>(widget))) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint pos = widget->mapTo(StatusBar1, mouse->position().toPoint());
            StatusBar1MouseDown(pos);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
