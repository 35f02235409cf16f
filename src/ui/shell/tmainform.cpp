#include "tmainform.h"

#include "document/tbaseform.h"
#include "document/tdocumentmailer.h"
#include "foundation/tplatformerror.h"
#include "model/tboltgroupform.h"
#include "shell/tsettings.h"
#include "tapplication.h"
#include "tdialogs.h"
#include "tfiledropper.h"
#include "tframearea.h"
#include "tframecommands.h"
#include "tframestatusbar.h"
#include "thelpviewer.h"
#include "timagelist.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

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

    TFrameCommands::CreateMenus(this);
    TFrameCommands::CreateToolBars(this);
    StatusBar1 = new TFrameStatusBar(this);
    StatusBar1->ActiveDocument = [this] { return ActiveDocument(); };
    setStatusBar(StatusBar1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TickInterval);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    // Files dropped anywhere on the frame, its document windows included, are opened.
    FileDropper1 = new TFileDropper(this);
    FileDropper1->setObjectName(QStringLiteral("FileDropper1"));
    FileDropper1->DropSite = this;
    connect(FileDropper1, &TFileDropper::OnDrop, this, &TMainForm::FileDropper1Drop);

    // FormCreate.
    // Each family once: a family several foundries make comes as "Name [Foundry]" for each.
    QStringList families;
    for (QString family : QFontDatabase::families()) {
        if (const qsizetype bracket = family.indexOf(QStringLiteral(" [")); bracket > 0)
            family.truncate(bracket);
        families.append(family);
    }
    families.removeDuplicates();
    ComboBox1->addItems(families);
    TDocumentMailer::DeleteMailCopies();
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
// Tool bars

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
    // A maximized document window shows no title bar of its own: its buttons are then the
    // frame's, at the right of the menu bar.
    connect(sub, &QMdiSubWindow::windowStateChanged, this, &TMainForm::SyncTitleBars);
    connect(sub, &QWidget::windowTitleChanged, this, &TMainForm::ShowFrameCaption);
    // Ctrl+F4 is the frame's Close; the same key on the window's own menu would make it ambiguous,
    // so that neither would close the window.
    if (QMenu* menu = sub->systemMenu()) {
        const QKeySequence closeKey(Qt::CTRL | Qt::Key_F4);
        for (QAction* a : menu->actions()) {
            QList<QKeySequence> keys = a->shortcuts();
            if (keys.removeAll(closeKey))
                a->setShortcuts(keys);
        }
    }
    const bool maximise = TSettings().ToolWindowMaximise();
    if (maximise)
        sub->showMaximized();
    else
        sub->show();
    ActivateDocument(form);
    ClientArea->viewport()->update();
}

void TMainForm::SyncTitleBars() {
    for (QMdiSubWindow* sub : ClientArea->subWindowList()) {
        const bool frameless = sub->isMaximized();
        if (bool(sub->windowFlags() & Qt::FramelessWindowHint) != frameless)
            sub->setWindowFlag(Qt::FramelessWindowHint, frameless);
    }
    ShowFrameCaption();
}

void TMainForm::ShowFrameCaption() {
    QString caption = QStringLiteral("Quorvane Fastenex");
    const QMdiSubWindow* sub = ClientArea->activeSubWindow();
    if (sub && sub->isMaximized() && !sub->windowTitle().isEmpty())
        caption += QStringLiteral(" - [") + sub->windowTitle() + QLatin1Char(']');
    if (windowTitle() != caption)
        setWindowTitle(caption);
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
    ShowFrameCaption();
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
    ShowFrameCaption();
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

TBaseForm* TMainForm::EditTextFile(const QString& fileName) {
    TBaseForm* form = TextEditFile1Click();
    form->OpenDocument(fileName);
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

int TMainForm::OpenFiles(const QStringList& files, const QStringList& boltGroupFiles) {
    int opened = 0;
    const auto openEach = [this, &opened](const QStringList& names, bool boltGroup) {
        for (const QString& name : names) {
            if (!QFileInfo(name).isFile()) {
                TDialogs::Current().Message(this, TBaseForm::CannotOpenText(name),
                                            QStringLiteral("Error"), TMessageIcon::Error,
                                            TMessageButtons::Ok);
                continue;
            }
            try {
                TBaseForm* form = nullptr;
                if (!boltGroup) {
                    form = OpenFileByType(name);
                } else if ((form = BoltGroupAnalysis1Click())) {
                    form->OpenDocument(name);
                }
                opened += form ? 1 : 0;
            } catch (...) {
                TApplication::ShowException(TApplication::CurrentExceptionMessage());
            }
        }
    };
    openEach(files, false);
    openEach(boltGroupFiles, true);
    return opened;
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

void TMainForm::Exit1Click() {
    CloseHelp();
    close();
}

THelpViewer* TMainForm::HelpViewer() {
    if (!HelpWindow)
        HelpWindow = new THelpViewer(this);
    return HelpWindow;
}

THelpViewer* TMainForm::Help() const { return HelpWindow; }

void TMainForm::CloseHelp() {
    if (HelpWindow)
        HelpWindow->close();
}

void TMainForm::ShowHelpContext(int helpContext) {
    // A modal dialog blocks every window but its own, so help asked for from one opens in a
    // help window of the dialog's own, which goes when the dialog does.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this) {
        auto* viewer = modal->findChild<THelpViewer*>(QString(), Qt::FindDirectChildrenOnly);
        if (!viewer)
            viewer = new THelpViewer(modal);
        viewer->ShowContext(helpContext);
        return;
    }
    HelpViewer()->ShowContext(helpContext);
}

int TMainForm::ContextHelpFor(QWidget* focus) const {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        if (QAction* item = menu->activeAction()) {
            bool ok = false;
            const int context = item->property("HelpContext").toInt(&ok);
            if (ok && context > 0)
                return context;
        }
        if (int context = THelpViewer::ContextOf(menu); context > 0)
            return context;
    }
    if (!focus || focus->window() == this) {
        if (TBaseForm* d = ActiveDocument())
            return THelpViewer::ContextOf(d);
        return HelpContext;
    }
    const int context = THelpViewer::ContextOf(focus);
    return context > 0 ? context : THelpViewer::ContentsContext;
}

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
        Undo1->setEnabled(d->CanUndo());
        Redo1->setEnabled(d->CanRedo());
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
    QuickListLength = p.QuickListLength;
    ClientArea->ShowCopyright = p.Copyright;
    ClientArea->ShowLogo = p.Logo;
    ClientArea->TopColour = quint32(p.TopColour) & 0xFFFFFF;
    ClientArea->BottomColour = quint32(p.BottomColour) & 0xFFFFFF;
    SelectFontName(p.FontStyle);
    ComboBox2->setEditText(p.FontSize);
    for (int i = 1; i <= 6; ++i)
        ToolBarByIndex(i)->setVisible(p.ToolBar[size_t(i - 1)]);
    ClientArea->viewport()->update();
}

void TMainForm::Preferences1Click() {
    TDialogs::Current().Preferences(this,
                                    [this](const QString& fileName) { EditTextFile(fileName); });
    ApplyPreferences();
    update();
}

void TMainForm::FileDropper1Drop() {
    const QStringList files = FileDropper1->DroppedFiles;
    if (files.size() > DropQuestionLimit) {
        const QString count = FileDropper1->DropTruncated
                                  ? QStringLiteral("more than %1").arg(files.size())
                                  : QString::number(files.size());
        const TMessageResult answer = TDialogs::Current().Message(
            this, QStringLiteral("The dropped items hold %1 files.\nOpen all of them?").arg(count),
            QStringLiteral("Warning"), TMessageIcon::Question, TMessageButtons::YesNo);
        if (answer != TMessageResult::Yes)
            return;
    }
    // Each by type; one that cannot be opened does not keep the others from opening.
    OpenFiles(files, {});
    FileDropper1->Update();
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
    CloseHelp();
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
// The tick and the Insert key

void TMainForm::InsertKeyPressed() {
    InsertToggled = !InsertToggled;
    if (TBaseForm* d = ActiveDocument()) {
        LastInsertKeyState = InsertToggled;
        d->FlipInsertKey();
        StatusBar1->ShowInsertMode(d);
    }
}

void TMainForm::Timer1Timer() {
    FileDropper1->Update();
    if (isMinimized()) {
        Timer1->setInterval(MinimizedTickInterval);
        return;
    }
    const bool running = Timer1->isActive();
    Timer1->stop();
    Timer1->setInterval(TickInterval);

    TBaseForm* d = ActiveDocument();
    // The Insert key's toggle reaches the active document.
    if (!LastInsertKeyKnown) {
        LastInsertKeyKnown = true;
        LastInsertKeyState = InsertToggled;
    }
    if (d && InsertToggled != LastInsertKeyState) {
        LastInsertKeyState = InsertToggled;
        d->FlipInsertKey();
    }
    // The clock and the tool-bar widths once a second: every tenth tick, the first included.
    const bool everySecond = TickCount % 10 == 0;
    ++TickCount;
    StatusBar1->Tick(d, everySecond);
    TFrameCommands::UpdateCommands(this, d, everySecond);
    // The File menu shows its picture only while no document is open; the empty frame's
    // background is drawn again once the last document has gone.
    if (d) {
        if (!FileMenuPictureHidden)
            File1->menuAction()->setIcon(QIcon());
        FileMenuPictureHidden = true;
    } else if (FileMenuPictureHidden) {
        File1->menuAction()->setIcon(TImageList::Icon(TImageList::FileMenu));
        ClientArea->viewport()->update();
        FileMenuPictureHidden = false;
    }
    if (running || !Timer1->isActive())
        Timer1->start();
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
        StatusBar1->ShowStatusTip(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // The editor's hint is its document's file name, which the tick keeps up to date.
    if (event->type() == QEvent::StatusTip && qobject_cast<QTextEdit*>(watched))
        StatusBar1->EditorStatusTip();
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock
            || key->key() == Qt::Key_ScrollLock)
            StatusBar1->LockKeyPressed();
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier &&
            !key->isAutoRepeat()) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == this) {
                InsertKeyPressed();
                return true;
            }
        }
    }
    // F1 is context help in every window of the program, also in its dialogs; the Help item's
    // F1 shortcut therefore never fires from the key (the item itself opens the contents).
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && widget) {
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            if (!key->isAutoRepeat()) {
                if (HelpWindow && widget->window() == HelpWindow)
                    HelpWindow->ShowHelpOnHelp();
                else
                    ShowHelpContext(ContextHelpFor(widget));
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
