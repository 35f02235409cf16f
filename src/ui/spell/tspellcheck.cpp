#include "tspellcheck.h"

#include "foundation/tplatformerror.h"
#include "shell/tdialogs.h"
#include "shell/tmakercontact.h"
#include "shell/tmenuitems.h"
#include "shell/tsettings.h"
#include "tspellprogress.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The folder the next "Add File to Main Dictionary" opens in: the home folder at first, then the
// folder of the last source file.
QString LastSourceFolder;

QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, int x, int y) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& caption,
                       const QString& hint, int y) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setGeometry(512, y, 112, 28);
    return button;
}

} // namespace

TSpellCheck::TSpellCheck(QWidget* parent)
    : QDialog(parent), Dictionaries(this), Engine(Dictionaries) {
    setObjectName(QStringLiteral("SpellCheck"));
    setWindowTitle(Title());
    setProperty("HelpContext", HelpContext);
    // A fixed border with the minimise button and the system menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateMenus();
    layout->setMenuBar(MainMenu1);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(640, 288);
    layout->addWidget(client);
    CreateControls(client);
    setFixedSize(640, 288 + MainMenu1->sizeHint().height());
    if (const QScreen* screen = parent ? parent->screen() : QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    StartTimer = new QTimer(this);
    StartTimer->setObjectName(QStringLiteral("StartTimer"));
    StartTimer->setSingleShot(true);
    StartTimer->setInterval(100);
    connect(StartTimer, &QTimer::timeout, this, &TSpellCheck::ContinueCheck);

    Engine.Progress = [this](qint32 wordCount) { RunProgress(wordCount); };
    Dictionaries.ImportProgress = [this](const QString& word) {
        if (ViewAnimation) {
            Progress->ShowFrame(AnimationFrame);
            AnimationFrame = (AnimationFrame + 1) % TSpellProgress::FrameCount;
        }
        Progress->ShowCounter(word + QStringLiteral("   "));
    };

    // FormCreate: the dictionaries the settings name, or where they are found instead.
    const TSettings settings;
    Dictionaries.LoadDictionaries(settings.SpellCheckerDictionary(), settings.SpellCheckerCustom(),
                                  settings.Folders);
}

TSpellCheck::~TSpellCheck() {
    FormDestroy();
    while (BusyCursorDepth > 0)
        PopBusyCursor();
}

void TSpellCheck::CreateMenus() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);

    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    AddFileToMainDictionary1 = TMenuItems::AddItem(
        File1, "AddFileToMainDictionary1", QStringLiteral("&Add File to Main Dictionary"), 0,
        QStringLiteral("Expand Main Dictionary with a new set of words."));
    File1->addSeparator();
    Exit1 = TMenuItems::AddItem(File1, "Exit1", QStringLiteral("A&bort Spell Check"), 0,
                                QStringLiteral("Abort Spell Checker"));
    StopCurrentCheck1 =
        TMenuItems::AddItem(File1, "StopCurrentCheck1", QStringLiteral("Stop Current Check"), 0,
                            QStringLiteral("Stop Current Spell Checking"));
    StopCurrentCheck1->setEnabled(false);
    N2 = File1->addSeparator();
    AcceptandExit1 = TMenuItems::AddItem(File1, "AcceptandExit1", QStringLiteral("E&xit"), 0,
                                         QStringLiteral("Exit and Accept Checked Text"));

    Options1 = MainMenu1->addMenu(QStringLiteral("&Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    IgnoreNumbers1 =
        TMenuItems::AddItem(Options1, "IgnoreNumbers1", QStringLiteral("Ignore &Numbers"));
    IgnoreDuplicateWords1 = TMenuItems::AddItem(Options1, "IgnoreDuplicateWords1",
                                                QStringLiteral("Ignore &Duplicate Words"));
    IgnoreIrregularCapitals1 = TMenuItems::AddItem(Options1, "IgnoreIrregularCapitals1",
                                                   QStringLiteral("Ignore &Irregular Capitals"));
    CapitalizeFirstLetterofSentence1 =
        TMenuItems::AddItem(Options1, "CapitalizeFirstLetterofSentence1",
                            QStringLiteral("Capitalize First Letter of Sentence"));
    ViewAnimation1 =
        TMenuItems::AddItem(Options1, "ViewAnimation1", QStringLiteral("View Animation"));
    struct TOption {
        QAction* Item;
        bool* Flag;
    };
    for (const TOption option : {TOption{IgnoreNumbers1, &Engine.IgnoreNumbers},
                                 TOption{IgnoreDuplicateWords1, &Engine.IgnoreDuplicateWords},
                                 TOption{IgnoreIrregularCapitals1, &Engine.IgnoreIrregularCapitals},
                                 TOption{CapitalizeFirstLetterofSentence1, &Engine.SentenceCapital},
                                 TOption{ViewAnimation1, &ViewAnimation}}) {
        option.Item->setCheckable(true);
        bool* flag = option.Flag;
        connect(option.Item, &QAction::triggered, this, [this, flag] {
            *flag = !*flag;
            if (flag == &ViewAnimation)
                DrawProgress();
        });
    }
    connect(Options1, &QMenu::aboutToShow, this, &TSpellCheck::Options1Popup);
    Options1Popup();

    Help1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help2 = TMenuItems::AddItem(Help1, "Help2", QStringLiteral("&Help"), 0,
                                QStringLiteral("Spell Checker Help"));
    DictionaryStatus1 =
        TMenuItems::AddItem(Help1, "DictionaryStatus1", QStringLiteral("Dictionary Status"), 0,
                            QStringLiteral("Show the Dictionary Files and their Sizes"));
    Help1->addSeparator();
    WebSite1 = TMenuItems::AddItem(Help1, "WebSite1", QStringLiteral("Quorvane &Web Site"), 0,
                                   QStringLiteral("Visit ") + TMakerContact::WebSiteAddress());
    SalesDepartment1 =
        TMenuItems::AddItem(Help1, "SalesDepartment1", QStringLiteral("Quorvane &Sales Department"),
                            0, QStringLiteral("E-Mail The Quorvane Sales Department"));
    TechnicalSupport1 =
        TMenuItems::AddItem(Help1, "TechnicalSupport1", QStringLiteral("&Technical Support"), 0,
                            QStringLiteral("E-Mail Technical Support"));
    Help1->addSeparator();
    About1 = TMenuItems::AddItem(Help1, "About1", QStringLiteral("&About"), 0,
                                 QStringLiteral("Information about the Spell Checker"));

    connect(AddFileToMainDictionary1, &QAction::triggered, this,
            &TSpellCheck::AddFileToMainDictionary1Click);
    connect(Exit1, &QAction::triggered, this, &TSpellCheck::Exit1Click);
    connect(StopCurrentCheck1, &QAction::triggered, this, &TSpellCheck::StopCurrentCheck1Click);
    connect(AcceptandExit1, &QAction::triggered, this, &TSpellCheck::AcceptandExit);
    connect(Help2, &QAction::triggered, this, &TSpellCheck::Help2Click);
    connect(DictionaryStatus1, &QAction::triggered, this, &TSpellCheck::DictionaryStatus1Click);
    connect(WebSite1, &QAction::triggered, this, [] { TMakerContact::OpenWebSite(); });
    connect(SalesDepartment1, &QAction::triggered, this, [] {
        TMakerContact::MailSales(QStringLiteral("Quorvane Spell Checker enquiry"),
                                 QStringLiteral("Dear Sales Department,\n\n"));
    });
    connect(TechnicalSupport1, &QAction::triggered, this, [] {
        TMakerContact::MailSupport(QStringLiteral("Quorvane Spell Checker support request"),
                                   QStringLiteral("Dear Technical Support,\n\n"));
    });
    connect(About1, &QAction::triggered, this, &TSpellCheck::About1Click);
}

void TSpellCheck::CreateControls(QWidget* client) {
    QFont bold = font();
    bold.setBold(true);

    Label4 = AddLabel(client, "Label4", QStringLiteral("Context"), 16, 14);
    Context1 = AddLabel(client, "Context1", QStringLiteral("<none>"), 120, 14);
    Context2 = AddLabel(client, "Context2", QStringLiteral(" "), 120, 14);
    Context3 = AddLabel(client, "Context3", QStringLiteral(" "), 120, 14);
    Context1->setToolTip(QStringLiteral("Characters Before Word Not Found"));
    Context2->setToolTip(QStringLiteral("Word Not Found"));
    Context3->setToolTip(QStringLiteral("Characters After Word Not Found"));
    for (QLabel* label : {Context1, Context2, Context3}) {
        label->setFont(bold);
        label->setTextFormat(Qt::PlainText);
    }
    QPalette red = Context2->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Context2->setPalette(red);

    Label2 = AddLabel(client, "Label2", QStringLiteral("Text Not Found"), 16, 50);
    TextNotFound = new QLineEdit(QStringLiteral("<none>"), client);
    TextNotFound->setObjectName(QStringLiteral("TextNotFound"));
    TextNotFound->setReadOnly(true);
    TextNotFound->setToolTip(QStringLiteral("Text Not Found"));
    TextNotFound->setGeometry(120, 46, 370, 24);

    Label5 = AddLabel(client, "Label5", QStringLiteral("Problem"), 16, 84);
    ProblemDescription = AddLabel(client, "ProblemDescription", QStringLiteral("<none>"), 120, 84);
    ProblemDescription->setFixedWidth(370);

    Label3 = AddLabel(client, "Label3", QStringLiteral("Replace With"), 16, 116);
    ReplacementText = new QLineEdit(QStringLiteral("<none>"), client);
    ReplacementText->setObjectName(QStringLiteral("ReplacementText"));
    ReplacementText->setToolTip(QStringLiteral("Replacement Text"));
    ReplacementText->setGeometry(120, 112, 370, 24);

    Label1 = AddLabel(client, "Label1", QStringLiteral("Suggestions"), 16, 148);
    Suggestions = new QListWidget(client);
    Suggestions->setObjectName(QStringLiteral("Suggestions"));
    Suggestions->setToolTip(QStringLiteral("List of Suggested Replacement Words"));
    Suggestions->setGeometry(120, 146, 370, 130);
    Suggestions->addItem(QStringLiteral("<none>"));
    connect(Suggestions, &QListWidget::itemClicked, this, &TSpellCheck::SuggestionsClick);
    connect(Suggestions, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { SuggestionsClick(item); });

    ReplaceButton = AddButton(client, "ReplaceButton", QStringLiteral("Replace"),
                              QStringLiteral("Replace This Word"), 44);
    IgnoreButton = AddButton(client, "IgnoreButton", QStringLiteral("Ignore"),
                             QStringLiteral("Ignore This Word"), 84);
    IgnoreAllButton = AddButton(client, "IgnoreAllButton", QStringLiteral("Ignore All"),
                                QStringLiteral("Continue to Ignore This Word"), 124);
    Add = AddButton(client, "Add", QStringLiteral("Add"),
                    QStringLiteral("Add to Custom Dictionary"), 164);
    ReplaceButton->setDefault(true);
    connect(ReplaceButton, &QPushButton::clicked, this, &TSpellCheck::Replace);
    connect(IgnoreButton, &QPushButton::clicked, this, &TSpellCheck::Ignore);
    connect(IgnoreAllButton, &QPushButton::clicked, this, &TSpellCheck::IgnoreAllButtonClick);
    connect(Add, &QPushButton::clicked, this, &TSpellCheck::AddClick);

    Progress = new TSpellProgress(client);
    Progress->move(40, 175);
    Progress->lower();
    DrawProgress();
}

// ---------------------------------------------------------------------------------------------
// For the caller

void TSpellCheck::PrepareCheck() {
    Engine.PrepareCheck();
    CheckResult = 0;
    Prepared = true;
    StartPending = true;
}

void TSpellCheck::DictionaryOnlyMode() {
    DictionaryOnly = true;
    SetDecisionsEnabled(false);
    Exit1->setVisible(false);
    StopCurrentCheck1->setVisible(false);
    N2->setVisible(false);
    Options1->menuAction()->setVisible(false);
    ViewAnimation = false;
    StartPending = false;
    // No words are counted; the counter shows only the words of an import.
    Progress->ShowCounter(QString());
    DrawProgress();
}

bool TSpellCheck::event(QEvent* event) {
    // The first showing or activation starts the check after 100 ms, so that the window is drawn
    // before checking begins.
    if (StartPending && (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)) {
        StartPending = false;
        StartTimer->start();
    }
    // The menus' hints show in the status bar of the window the checker was opened from.
    if (event->type() == QEvent::StatusTip && parentWidget())
        return QCoreApplication::sendEvent(parentWidget()->window(), event);
    return QDialog::event(event);
}

// ---------------------------------------------------------------------------------------------
// Checking

void TSpellCheck::ContinueCheck() {
    if (!Prepared || DictionaryOnly || Running())
        return;
    ++RunDepth;
    PushBusyCursor();
    StopCurrentCheck1->setEnabled(true);
    // Decisions wait until the run has stopped at a problem.
    SetDecisionsEnabled(false);
    TextNotFound->clear();
    ReplacementText->setText(QStringLiteral("<none>"));
    SetSuggestions({QStringLiteral("<none>")});

    TSpellProblem problem = TSpellProblem::None;
    try {
        problem = Engine.ContinueCheck();
    } catch (...) {
        --RunDepth;
        PopBusyCursor();
        StopCurrentCheck1->setEnabled(false);
        SetDecisionsEnabled(true);
        throw;
    }
    --RunDepth;

    ShowContext();
    ShowProblem(problem);
    DrawProgress();
    PopBusyCursor();
    StopCurrentCheck1->setEnabled(false);
    SetDecisionsEnabled(true);

    // A way out chosen during the run is taken now that the run has stopped.
    if (PendingClose == TPendingClose::Exit) {
        AcceptandExit();
        return;
    }
    if (PendingClose == TPendingClose::Abort) {
        Exit1Click();
        return;
    }
    if (Engine.Complete()) {
        CheckResult = 1;
        done(QDialog::Accepted);
    }
}

void TSpellCheck::RunProgress(qint32 wordCount) {
    if (ViewAnimation)
        Progress->ShowFrame(AnimationFrame);
    AnimationFrame = (AnimationFrame + 1) % TSpellProgress::FrameCount;
    Progress->ShowCounter(QString::number(wordCount) + QStringLiteral("   "));
    ProcessEvents();
    if (PendingClose != TPendingClose::None)
        Engine.StopRequested = true;
}

void TSpellCheck::DrawProgress() {
    if (ViewAnimation)
        Progress->ShowFrame(AnimationFrame);
    else
        Progress->HideFrame();
    if (!DictionaryOnly)
        Progress->ShowCounter(QString::number(Engine.WordCount) + QStringLiteral("   "));
}

void TSpellCheck::ShowContext() {
    // The last 20 characters before the word and the first 20 after it. These labels have no
    // accelerator, so an "&" in the text is shown as it stands without being doubled.
    Context1->setText(Engine.CheckedText.right(20));
    Context2->setText(Engine.ContextWord());
    Context3->setText(Engine.RemainingView().left(20).toString());
    // Each part right after the one before; a long context is cut at the window's edge.
    int x = Context1->x();
    for (QLabel* label : {Context1, Context2, Context3}) {
        label->adjustSize();
        label->move(x, label->y());
        x += label->width();
    }
}

void TSpellCheck::ShowProblem(TSpellProblem problem) {
    ProblemShown = problem;
    if (problem == TSpellProblem::None) {
        ProblemDescription->setText(QStringLiteral("<none>"));
        return;
    }
    TextNotFound->setText(Engine.ShownText());
    TextNotFound->setToolTip(TSpellEngine::ProblemText(problem));
    ReplacementText->setText(Engine.ProposedReplacement());
    if (problem == TSpellProblem::WordNotFound)
        SetSuggestions(Engine.Suggestions.Suggestions());
    ProblemDescription->setText(TSpellEngine::ProblemText(problem));
}

void TSpellCheck::SetSuggestions(const QStringList& items) {
    // Filling the list is no choice of the user's.
    const QSignalBlocker blocker(Suggestions);
    Suggestions->clear();
    Suggestions->addItems(items);
}

void TSpellCheck::SetDecisionsEnabled(bool enabled) {
    enabled = enabled && !DictionaryOnly;
    for (QPushButton* button : {ReplaceButton, IgnoreButton, IgnoreAllButton, Add})
        button->setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------------
// Decisions

void TSpellCheck::Decided() {
    ProblemShown = TSpellProblem::None;
    ContinueCheck();
}

void TSpellCheck::Replace() {
    if (Running() || DictionaryOnly)
        return;
    Engine.Replace(ReplacementText->text());
    Decided();
}

void TSpellCheck::Ignore() {
    if (Running() || DictionaryOnly)
        return;
    Engine.Ignore();
    Decided();
}

void TSpellCheck::IgnoreAllButtonClick() {
    if (Running() || DictionaryOnly)
        return;
    Engine.IgnoreAll();
    Decided();
}

void TSpellCheck::AddClick() {
    if (Running() || DictionaryOnly)
        return;
    Engine.AddWord();
    Decided();
}

void TSpellCheck::SuggestionsClick(QListWidgetItem* item) {
    if (item && ProblemShown == TSpellProblem::WordNotFound)
        ReplacementText->setText(item->text());
}

void TSpellCheck::AcceptandExit() {
    if (Running()) {
        PendingClose = TPendingClose::Exit;
        Engine.StopRequested = true;
        return;
    }
    PendingClose = TPendingClose::None;
    Engine.AcceptRest();
    CheckResult = 4;
    done(QDialog::Accepted);
}

void TSpellCheck::Exit1Click() {
    if (Running()) {
        PendingClose = TPendingClose::Abort;
        Engine.StopRequested = true;
        return;
    }
    PendingClose = TPendingClose::None;
    CheckResult = 0;
    QDialog::reject();
}

void TSpellCheck::reject() {
    // Escape and the window's close button abort, as "Abort Spell Check" does.
    Exit1Click();
}

void TSpellCheck::StopCurrentCheck1Click() {
    if (Running())
        Engine.StopRequested = true;
}

// ---------------------------------------------------------------------------------------------
// Menus

void TSpellCheck::Options1Popup() {
    IgnoreNumbers1->setChecked(Engine.IgnoreNumbers);
    IgnoreDuplicateWords1->setChecked(Engine.IgnoreDuplicateWords);
    IgnoreIrregularCapitals1->setChecked(Engine.IgnoreIrregularCapitals);
    CapitalizeFirstLetterofSentence1->setChecked(Engine.SentenceCapital);
    ViewAnimation1->setChecked(ViewAnimation);
}

void TSpellCheck::AddFileToMainDictionary1Click() {
    if (Running())
        return;
    const QString folder = LastSourceFolder.isEmpty() ? QDir::homePath() : LastSourceFolder;
    const QString source = TDialogs::Current().OpenFileName(
        this, QStringLiteral("Open Source File for Dictionary's Words"), folder,
        QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    if (source.isEmpty())
        return;
    LastSourceFolder = QFileInfo(source).absolutePath();
    try {
        Dictionaries.AddFileToMainDictionary(source);
    } catch (const TPlatformError& error) {
        ShowMessage(error.Text(), QStringLiteral("Error"), TMessageIcon::Error,
                    TMessageButtons::Ok);
    }
    DrawProgress();
}

void TSpellCheck::DictionaryStatus1Click() { Dictionaries.ShowDictionaryStatus(); }

void TSpellCheck::Help2Click() {
    // The program's context help answers F1 with the checker's page.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &press);
}

void TSpellCheck::About1Click() {
    TDialogs::Current().AboutTitled(this, Title() + QStringLiteral(" - ") + DateText());
}

// ---------------------------------------------------------------------------------------------
// Dictionaries and the host

void TSpellCheck::FormDestroy() {
    try {
        Dictionaries.WriteBackDictionaries();
    } catch (const TPlatformError& error) {
        TDialogs::Current().Message(parentWidget(), error.Text(), QStringLiteral("Error"),
                                    TMessageIcon::Error, TMessageButtons::Ok);
    }
}

void TSpellCheck::ProcessEvents() { QCoreApplication::processEvents(); }

void TSpellCheck::PushBusyCursor() {
    ++BusyCursorDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TSpellCheck::PopBusyCursor() {
    if (BusyCursorDepth == 0)
        return;
    --BusyCursorDepth;
    QApplication::restoreOverrideCursor();
}

TMessageResult TSpellCheck::ShowMessage(const QString& text, const QString& caption,
                                        TMessageIcon icon, TMessageButtons buttons) {
    // A question is answered with the normal pointer, also while the hourglass shows.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const TMessageResult result = TDialogs::Current().Message(
        isVisible() ? this : parentWidget(), text, caption, icon, buttons);
    if (busy)
        QApplication::restoreOverrideCursor();
    return result;
}
