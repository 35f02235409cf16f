#include "thelpviewer.h"

#include <QAction>
#include <QFile>
#include <QKeySequence>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

static void InitHelpResources() { Q_INIT_RESOURCE(fastenex); }

namespace {

struct TContextRange {
    int First;
    int Last;
    const char* Page;   // page and place, relative to ":/help/"
};

// Help context number to page. Ranges are inclusive; the first range that holds a number wins.
const TContextRange ContextTable[] = {
    {101, 101, "contents.html"},
    {102, 102, "editor.html"},
    {103, 103, "boltgroup.html"},
    {114, 114, "gettingstarted.html#tooltype"},
    {120, 120, "boltgroup.html#pick"},
    {121, 121, "boltgroup.html#copy"},
    {201, 206, "files.html#toolbars"},
    {301, 301, "gettingstarted.html#new"},
    {302, 302, "gettingstarted.html#open"},
    {303, 308, "files.html#file"},
    {309, 309, "files.html#exit"},
    {310, 310, "files.html#recent"},
    {350, 362, "editor.html#edit"},
    {363, 363, "files.html#toolbars"},
    {401, 402, "report.html#styles"},
    {451, 458, "files.html#window"},
    {501, 501, "contents.html"},
    {502, 502, "helponhelp.html"},
    {503, 506, "about.html"},
    {601, 601, "speller.html"},
    {750, 760, "files.html#settings"},
    {770, 771, "editor.html#tools"},
};

const char* const PageNames[] = {
    "contents.html", "helponhelp.html", "gettingstarted.html", "boltgroup.html",
    "datafile.html", "report.html", "nisa.html", "editor.html", "files.html", "about.html",
    "speller.html",
};

QUrl HelpUrl(const QString& page) { return QUrl(QStringLiteral("qrc:/help/") + page); }

} // namespace

THelpViewer::THelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    InitHelpResources();
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Quorvane Fastenex Help"));
    setProperty("HelpContext", HelpOnHelpContext);
    resize(720, 600);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("HelpToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ContentsAction = bar->addAction(QStringLiteral("&Contents"));
    ContentsAction->setShortcut(QKeySequence(QStringLiteral("Alt+Home")));
    BackAction = bar->addAction(QStringLiteral("&Back"));
    BackAction->setShortcut(QKeySequence::Back);
    BackAction->setEnabled(false);
    ForwardAction = bar->addAction(QStringLiteral("&Forward"));
    ForwardAction->setShortcut(QKeySequence::Forward);
    ForwardAction->setEnabled(false);
    QAction* helpOnHelp = bar->addAction(QStringLiteral("&Help On Help"));

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("HelpBrowser"));
    // Links to the web site and mail addresses go to the system's browser and mail program.
    Browser->setOpenExternalLinks(true);
    Browser->document()->setDocumentMargin(14);
    QFile css(QStringLiteral(":/help/help.css"));
    if (css.open(QIODevice::ReadOnly))
        Browser->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(Browser);

    connect(ContentsAction, &QAction::triggered, this, &THelpViewer::ShowContents);
    connect(helpOnHelp, &QAction::triggered, this, &THelpViewer::ShowHelpOnHelp);
    connect(BackAction, &QAction::triggered, Browser, &QTextBrowser::backward);
    connect(ForwardAction, &QAction::triggered, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, BackAction, &QAction::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardAction, &QAction::setEnabled);
    connect(Browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = Browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Quorvane Fastenex Help")
                                       : QStringLiteral("Quorvane Fastenex Help - ") + title);
    });
    Browser->setSource(PageForContext(ContentsContext));
}

QUrl THelpViewer::PageForContext(int helpContext) {
    for (const TContextRange& range : ContextTable) {
        if (helpContext >= range.First && helpContext <= range.Last)
            return HelpUrl(QLatin1String(range.Page));
    }
    return HelpUrl(QStringLiteral("contents.html"));
}

QList<int> THelpViewer::KnownContexts() {
    QList<int> contexts;
    for (const TContextRange& range : ContextTable) {
        for (int c = range.First; c <= range.Last; ++c)
            contexts.append(c);
    }
    return contexts;
}

QStringList THelpViewer::Pages() {
    QStringList pages;
    for (const char* name : PageNames)
        pages.append(QLatin1String(name));
    return pages;
}

int THelpViewer::ContextOf(const QWidget* widget) {
    // The nearest topic: a dialog's own, whichever window opened it, and a document window's
    // for everything inside it.
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        bool ok = false;
        const int context = w->property("HelpContext").toInt(&ok);
        if (ok && context > 0)
            return context;
    }
    return 0;
}

void THelpViewer::ShowUrl(const QUrl& url) {
    // A place on the page already shown only scrolls; either way it joins the history.
    Browser->setSource(url);
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void THelpViewer::ShowContents() { ShowUrl(PageForContext(ContentsContext)); }

void THelpViewer::ShowHelpOnHelp() { ShowUrl(PageForContext(HelpOnHelpContext)); }

void THelpViewer::ShowContext(int helpContext) { ShowUrl(PageForContext(helpContext)); }

QString THelpViewer::CurrentPage() const {
    return Browser->source().adjusted(QUrl::RemoveFragment).fileName();
}
