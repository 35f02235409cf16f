#include "document/tbaseform.h"
#include "shell/taboutbox.h"
#include "shell/thelpviewer.h"
#include "shell/tmainform.h"
#include "shell/tsettings.h"
#include "tscripteddialogs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QUrl>

namespace {

class TBoltLikeForm : public TBaseForm {
public:
    using TBaseForm::TBaseForm;
    bool IsBoltGroupForm() const override { return true; }
};

QString PageText(const QString& page) {
    QFile f(QStringLiteral(":/help/") + page);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool HasAnchor(const QString& html, const QString& anchor) {
    return html.contains(QStringLiteral("name=\"%1\"").arg(anchor));
}

// Every href of a page.
QStringList Links(const QString& html) {
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
    QStringList links;
    for (auto it = href.globalMatch(html); it.hasNext();)
        links << it.next().captured(1);
    return links;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TstTHelpViewer : public QObject {
    Q_OBJECT
    QTemporaryDir Home;
    QString OldHome;

    QString Path(const QString& name) const { return QDir(Home.path()).filePath(name); }

private slots:
    void initTestCase() {
        OldHome = qEnvironmentVariable("HOME");
        qputenv("HOME", Home.path().toLocal8Bit());
        // Makes the help resources known before the static table is read.
        THelpViewer warmUp;
    }
    void cleanupTestCase() { qputenv("HOME", OldHome.toLocal8Bit()); }

    void ContextPages_data() {
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("place");
        QTest::newRow("frame") << 101 << "contents.html" << "";
        QTest::newRow("text editor window") << 102 << "editor.html" << "";
        QTest::newRow("bolt group window") << 103 << "boltgroup.html" << "";
        QTest::newRow("tool type dialog") << 114 << "gettingstarted.html" << "tooltype";
        QTest::newRow("File menu") << 301 << "gettingstarted.html" << "new";
        QTest::newRow("Open") << 302 << "gettingstarted.html" << "open";
        QTest::newRow("Close") << 303 << "files.html" << "file";
        QTest::newRow("Send") << 308 << "files.html" << "file";
        QTest::newRow("Exit") << 309 << "files.html" << "exit";
        QTest::newRow("recent file") << 310 << "files.html" << "recent";
        QTest::newRow("Undo") << 350 << "editor.html" << "edit";
        QTest::newRow("Replace") << 362 << "editor.html" << "edit";
        QTest::newRow("Tool Bars") << 363 << "files.html" << "toolbars";
        QTest::newRow("Titles") << 401 << "report.html" << "styles";
        QTest::newRow("Subtitles") << 402 << "report.html" << "styles";
        QTest::newRow("Cascade") << 451 << "files.html" << "window";
        QTest::newRow("window list") << 458 << "files.html" << "window";
        QTest::newRow("Help") << 501 << "contents.html" << "";
        QTest::newRow("Help On Help") << 502 << "helponhelp.html" << "";
        QTest::newRow("About") << 506 << "about.html" << "";
        QTest::newRow("Preferences") << 760 << "files.html" << "settings";
        QTest::newRow("Goto Line") << 771 << "editor.html" << "tools";
        QTest::newRow("unknown zero") << 0 << "contents.html" << "";
        QTest::newRow("unknown negative") << -5 << "contents.html" << "";
        QTest::newRow("just below File") << 300 << "contents.html" << "";
        QTest::newRow("just above Help") << 507 << "contents.html" << "";
        QTest::newRow("huge") << 2147483647 << "contents.html" << "";
    }
    void ContextPages() {
        QFETCH(int, context);
        QFETCH(QString, page);
        QFETCH(QString, place);
        const QUrl url = THelpViewer::PageForContext(context);
        QCOMPARE(url.scheme(), QStringLiteral("qrc"));
        QCOMPARE(url.fileName(), page);
        QCOMPARE(url.fragment(), place);

        THelpViewer viewer;
        viewer.ShowContext(context);
        QCOMPARE(viewer.CurrentPage(), page);
        QVERIFY(viewer.isVisible());
        QVERIFY(viewer.Browser->document()->toPlainText().size() > 200);
    }

    void EveryTablePageExists() {
        const QStringList pages = THelpViewer::Pages();
        for (int context : THelpViewer::KnownContexts()) {
            const QUrl url = THelpViewer::PageForContext(context);
            const QString html = PageText(url.fileName());
            QVERIFY2(!html.isEmpty(), qPrintable(QString::number(context)));
            QVERIFY2(pages.contains(url.fileName()), qPrintable(url.fileName()));
            if (!url.fragment().isEmpty())
                QVERIFY2(HasAnchor(html, url.fragment()), qPrintable(url.toString()));
        }
    }

    // Every link between pages leads to a page and place that exist, and every page can be
    // reached from the contents.
    void LinksResolve() {
        QSet<QString> reached{QStringLiteral("contents.html")};
        QStringList queue{QStringLiteral("contents.html")};
        while (!queue.isEmpty()) {
            const QString page = queue.takeFirst();
            const QString html = PageText(page);
            QVERIFY2(!html.isEmpty(), qPrintable(page));
            for (const QString& link : Links(html)) {
                const QUrl url(link);
                if (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("mailto"))
                    continue;
                QVERIFY2(url.isRelative(), qPrintable(page + QStringLiteral(": ") + link));
                const QString target = url.path().isEmpty() ? page : url.path();
                const QString targetHtml = PageText(target);
                QVERIFY2(!targetHtml.isEmpty(), qPrintable(page + QStringLiteral(": ") + link));
                if (!url.fragment().isEmpty())
                    QVERIFY2(HasAnchor(targetHtml, url.fragment()),
                             qPrintable(page + QStringLiteral(": ") + link));
                if (!reached.contains(target)) {
                    reached.insert(target);
                    queue.append(target);
                }
            }
        }
        for (const QString& page : THelpViewer::Pages())
            QVERIFY2(reached.contains(page), qPrintable(page));
    }

    void ContextOfWidgets() {
        QWidget window;
        window.setProperty("HelpContext", 114);
        auto* inner = new QWidget(&window);
        auto* own = new QWidget(inner);
        own->setProperty("HelpContext", 771);
        QCOMPARE(THelpViewer::ContextOf(inner), 114);
        QCOMPARE(THelpViewer::ContextOf(own), 771);
        QCOMPARE(THelpViewer::ContextOf(nullptr), 0);
        QWidget bare;
        QCOMPARE(THelpViewer::ContextOf(&bare), 0);
    }

    void FrameHelp_data() {
        QTest::addColumn<int>("documentKind");   // 0 none, 1 text editor, 2 bolt group
        QTest::addColumn<QString>("page");
        QTest::newRow("empty frame") << 0 << "contents.html";
        QTest::newRow("text editor") << 1 << "editor.html";
        QTest::newRow("bolt group") << 2 << "boltgroup.html";
    }
    // F1 in the frame shows the active document window's topic; the Help menu's items open
    // the contents and the help on help; Exit closes the help window.
    void FrameHelp() {
        QFETCH(int, documentKind);
        QFETCH(QString, page);
        TSettings::SetLocation(Path(QStringLiteral("fastenex.ini")));
        TScriptedDialogs dialogs;
        {
            TMainForm frame;
            frame.show();
            TBaseForm* form = nullptr;
            if (documentKind == 1)
                form = frame.TextEditFile1Click();
            else if (documentKind == 2) {
                form = new TBoltLikeForm(&frame);
                frame.AddDocument(form);
            }
            QWidget* target = form ? static_cast<QWidget*>(form->RichEdit1) : &frame;
            QVERIFY(frame.Help() == nullptr);
            QTest::keyClick(target, Qt::Key_F1);
            QVERIFY(frame.Help() != nullptr);
            QCOMPARE(frame.Help()->CurrentPage(), page);
            QVERIFY(frame.Help()->isVisible());
            // F1 in the help window is help on help.
            QTest::keyClick(frame.Help()->Browser, Qt::Key_F1);
            QCOMPARE(frame.Help()->CurrentPage(), QStringLiteral("helponhelp.html"));

            frame.findChild<QAction*>(QStringLiteral("Help2"))->trigger();
            QCOMPARE(frame.Help()->CurrentPage(), QStringLiteral("contents.html"));
            frame.findChild<QAction*>(QStringLiteral("HelpOnHelp1"))->trigger();
            QCOMPARE(frame.Help()->CurrentPage(), QStringLiteral("helponhelp.html"));
            frame.Help()->BackAction->trigger();
            QCOMPARE(frame.Help()->CurrentPage(), QStringLiteral("contents.html"));

            if (form)
                form->RichEdit1->document()->setModified(false);
            frame.Exit1Click();
            QVERIFY(frame.Help() == nullptr || !frame.Help()->isVisible());
        }
        TSettings::SetLocation(QString());
    }

    void DialogHelp_data() {
        QTest::addColumn<bool>("modal");
        QTest::newRow("non-modal dialog") << false;
        QTest::newRow("modal dialog") << true;
    }
    // A dialog's F1 shows its own topic. A modal dialog blocks the frame's help window, so its
    // help opens in a help window of the dialog's own.
    void DialogHelp() {
        QFETCH(bool, modal);
        TSettings::SetLocation(Path(QStringLiteral("fastenex.ini")));
        TScriptedDialogs dialogs;
        {
            TMainForm frame;
            QWidget dialog(&frame, Qt::Dialog);
            if (modal)
                dialog.setWindowModality(Qt::ApplicationModal);
            dialog.setProperty("HelpContext", 771);
            auto* field = new QWidget(&dialog);
            field->setFocusPolicy(Qt::StrongFocus);
            dialog.show();
            QCOMPARE(frame.ContextHelpFor(field), 771);
            QTest::keyClick(field, Qt::Key_F1);
            THelpViewer* viewer =
                modal ? dialog.findChild<THelpViewer*>(QString(), Qt::FindDirectChildrenOnly)
                      : frame.Help();
            QVERIFY(viewer != nullptr);
            QCOMPARE(frame.Help() == nullptr, modal);
            QCOMPARE(viewer->CurrentPage(), QStringLiteral("editor.html"));
            QVERIFY(viewer->isVisible());
        }
        TSettings::SetLocation(QString());
    }

    void PagesHaveTitles() {
        for (const QString& page : THelpViewer::Pages())
            QVERIFY2(PageText(page).contains(QStringLiteral("<title>")), qPrintable(page));
    }

    void AboutBlurb_data() {
        QTest::addColumn<QString>("sharedText");   // "-" for no file in the maker's folder
        QTest::addColumn<QString>("besideText");   // "-" for no file beside the program
        QTest::addColumn<QString>("expected");     // "*" for the built-in text
        QTest::newRow("neither") << "-" << "-" << "*";
        QTest::newRow("beside the program") << "-" << "Made in Quorvane.\r\nLine two"
                                            << "Made in Quorvane.\nLine two";
        QTest::newRow("shared folder first") << "Shared text" << "Beside text" << "Shared text";
        QTest::newRow("empty file") << "-" << "  \r\n " << "*";
        QTest::newRow("control characters left out") << QString::fromUtf8("a\x01" "b\x07" "c\tend")
                                                     << "-" << "abc\tend";
    }
    void AboutBlurb() {
        QFETCH(QString, sharedText);
        QFETCH(QString, besideText);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        const QString program = dir.filePath(QStringLiteral("bin/fastenex"));
        QDir().mkpath(dir.filePath(QStringLiteral("bin")));
        const TSharedFolders folders({data}, program);
        if (sharedText != QLatin1String("-"))
            WriteFile(folders.MakerFile(TAboutBox::BlurbFileName()), sharedText.toUtf8());
        if (besideText != QLatin1String("-"))
            WriteFile(folders.ProgramFolderFile(TAboutBox::BlurbFileName()), besideText.toUtf8());
        const QString want = expected == QLatin1String("*") ? TAboutBox::BuiltInBlurb() : expected;
        QCOMPARE(TAboutBox::BlurbText(folders), want);

        TAboutBox box(folders);
        QCOMPARE(box.BlurbShown, want);
        QVERIFY(box.Movie == nullptr);
        QVERIFY(box.windowTitle().contains(TAboutBox::Title()));
        QVERIFY(box.Logo->pixmap().width() > 0);
    }

    // A huge blurb is read only in part, and an "About.gif" that is no picture leaves the logo.
    void AboutHostileFiles() {
        QTemporaryDir dir;
        const TSharedFolders folders({dir.filePath(QStringLiteral("data"))},
                                     dir.filePath(QStringLiteral("fastenex")));
        WriteFile(folders.MakerFile(TAboutBox::BlurbFileName()), QByteArray(3 * 1024 * 1024, 'x'));
        WriteFile(folders.ProgramFolderFile(TAboutBox::AnimationFileName()),
                  QByteArray("GIF89a\xff\xff\xff\xff garbage", 20));
        QCOMPARE(TAboutBox::BlurbText(folders).size(), 64 * 1024);
        QCOMPARE(TAboutBox::FindFile(folders, TAboutBox::AnimationFileName()),
                 folders.ProgramFolderFile(TAboutBox::AnimationFileName()));
        TAboutBox box(folders);
        QVERIFY(box.Movie == nullptr);
        QVERIFY(box.Logo->pixmap().width() > 0);
    }
};

QTEST_MAIN(TstTHelpViewer)
#include "tst_thelpviewer.moc"
