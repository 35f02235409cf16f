#include "document/tbaseform.h"
#include "shell/tframearea.h"
#include "shell/tframestatusbar.h"
#include "shell/tmainform.h"
#include "shell/tsettings.h"
#include "tscripteddialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>

namespace {

// A derived document window that counts as a bolt group window.
class TDerivedForm : public TBaseForm {
public:
    using TBaseForm::TBaseForm;
    bool IsBoltGroupForm() const override { return true; }
    QList<int> TitleToggles;
    void ToggleTitleStyle(int tag) override {
        TitleToggles.append(tag);
        TBaseForm::ToggleTitleStyle(tag);
    }
};

} // namespace

class TstTMainForm : public QObject {
    Q_OBJECT

    QTemporaryDir Home;
    QString OldHome;
    TMainForm* Frame = nullptr;
    TScriptedDialogs* Dialogs = nullptr;

    QString Path(const QString& name) const { return QDir(Home.path()).filePath(name); }
    QString MakeFile(const QString& name, const QByteArray& bytes = "text\r\n") const {
        QFile f(Path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return Path(name);
    }

private slots:
    void initTestCase() {
        OldHome = qEnvironmentVariable("HOME");
        qputenv("HOME", Home.path().toLocal8Bit());
    }
    void cleanupTestCase() { qputenv("HOME", OldHome.toLocal8Bit()); }

    void init() {
        QFile::remove(Path(QStringLiteral("fastenex.ini")));
        TSettings::SetLocation(Path(QStringLiteral("fastenex.ini")));
        Dialogs = new TScriptedDialogs;
        Frame = new TMainForm;
    }
    void cleanup() {
        for (TBaseForm* form : Frame->Documents())
            form->RichEdit1->document()->setModified(false);
        delete Frame;
        delete Dialogs;
        TSettings::SetLocation(QString());
    }

    void DatFileAsksForItsTool_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("documents");
        QTest::newRow("Cancel opens nothing") << int(TDialogs::TOpenTool::Cancelled) << 0;
        QTest::newRow("Text Editor") << int(TDialogs::TOpenTool::TextEditor) << 1;
    }
    void DatFileAsksForItsTool() {
        QFETCH(int, answer);
        QFETCH(int, documents);
        const QString file = MakeFile(QStringLiteral("X.DAT"), "[General]\r\n");
        Dialogs->OpenTypeAnswer = TDialogs::TOpenTool(answer);
        Frame->OpenFileByType(file);
        QCOMPARE(Dialogs->OpenTypeFiles, QStringList{file});
        QCOMPARE(Frame->DocumentCount(), documents);
        if (documents)
            QCOMPARE(Frame->ActiveDocument()->RichEdit1->toPlainText(), QStringLiteral("[General]\n"));
    }

    void OtherExtensionsOpenAsText_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("nis") << QStringLiteral("frame.nis");
        QTest::newRow("txt") << QStringLiteral("notes.txt");
        QTest::newRow("no extension") << QStringLiteral("README");
        QTest::newRow("dat inside the name") << QStringLiteral("x.dat.bak");
    }
    void OtherExtensionsOpenAsText() {
        QFETCH(QString, name);
        const QString file = MakeFile(name);
        TBaseForm* form = Frame->OpenFileByType(file);
        QVERIFY(form);
        QVERIFY(Dialogs->OpenTypeFiles.isEmpty());
        QVERIFY(!form->IsBoltGroupForm());
        QCOMPARE(form->DocumentType, QStringLiteral("Text Editor"));
        QCOMPARE(form->FileName, file);
    }

    void CommandLineFilesOpenPastAMissingOne() {
        const QString notes = MakeFile(QStringLiteral("notes.txt"));
        const QString missing = Path(QStringLiteral("missing.txt"));
        const QString data = QStringLiteral(FASTENEX_EXAMPLES "/plate-splice.dat");
        Dialogs->OpenTypeAnswer = TDialogs::TOpenTool::TextEditor;
        QCOMPARE(Frame->OpenFiles({notes, missing, data}, {data}), 3);
        QCOMPARE(Dialogs->Messages.size(), 1);
        QVERIFY(Dialogs->Messages.first().Text.contains(missing));
        // The ".dat" given as a file asked its tool; the one given as a bolt group did not.
        QCOMPARE(Dialogs->OpenTypeFiles, QStringList{data});
        const QList<TBaseForm*> documents = Frame->Documents();
        QCOMPARE(documents.size(), 3);
        QVERIFY(documents.last()->FileName.contains(QLatin1String("plate-splice")));
        QVERIFY(documents.last()->IsBoltGroupForm());
        QVERIFY(!documents.first()->IsBoltGroupForm());
    }

    void FrameOpenWithoutAndWithDocument() {
        const QString file = MakeFile(QStringLiteral("a.txt"));
        Dialogs->OpenNames = {file};
        Frame->Open1Click();
        QCOMPARE(Dialogs->AskedTitles, QStringList{QStringLiteral("Open File.")});
        QCOMPARE(Frame->DocumentCount(), 1);
        // With a document open, Open is that window's own: the file replaces its text.
        const QString other = MakeFile(QStringLiteral("b.txt"), "bee");
        Dialogs->OpenNames = {other};
        Frame->Open1Click();
        QCOMPARE(Dialogs->AskedTitles.last(), QStringLiteral("Open Text File"));
        QCOMPARE(Dialogs->ProposedNames.last(), file);
        QCOMPARE(Frame->DocumentCount(), 1);
        QCOMPARE(Frame->ActiveDocument()->FileName, other);
    }

    void WindowMenuWithOneDocument() {
        Frame->TextEditFile1Click();
        Frame->Window1Click();
        for (QAction* a : {Frame->Cascade1, Frame->TileHorizontal1, Frame->TileVertical1,
                           Frame->NextWindow1, Frame->PreviousWindow1, Frame->ArrangeIcons1})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        // Opened maximized: Maximize is the one state not offered.
        QVERIFY(Frame->SubWindowOf(Frame->ActiveDocument())->isMaximized());
        QVERIFY(!Frame->Maximise1->isEnabled());
        QVERIFY(Frame->Restore3->isEnabled());
        QVERIFY(Frame->Minimize1->isEnabled());
        QCOMPARE(Frame->WindowListItems.size(), 2);
        QCOMPARE(Frame->WindowListItems[1]->text(), QStringLiteral("&1  Untitled 1.rtf"));
        QVERIFY(Frame->WindowListItems[1]->isChecked());

        Frame->TextEditFile1Click();
        Frame->Window1Click();
        QVERIFY(Frame->Cascade1->isEnabled());
        QVERIFY(Frame->ArrangeIcons1->isEnabled());
    }

    void WindowMenuWithoutDocuments() {
        Frame->Window1Click();
        QVERIFY(Frame->WindowListItems.isEmpty());
        QCOMPARE(Frame->TileHorizontal1->statusTip(), QStringLiteral("Tile Documents Horizontally"));
        QCOMPARE(Frame->TileVertical1->statusTip(), QStringLiteral("Tile Documents Vertically"));
        QVERIFY(!Frame->Maximise1->isEnabled());
        QVERIFY(!Frame->Restore3->isEnabled());
        QVERIFY(!Frame->Minimize1->isEnabled());
    }

    void WindowListAccelerators() {
        for (int i = 0; i < 10; ++i)
            Frame->TextEditFile1Click();
        Frame->Window1Click();
        QCOMPARE(Frame->WindowListItems.size(), 11);
        QCOMPARE(Frame->WindowListItems[9]->text(), QStringLiteral("&9  Untitled 9.rtf"));
        QCOMPARE(Frame->WindowListItems[10]->text(), QStringLiteral("10  Untitled 10.rtf"));
        QVERIFY(Frame->WindowListItems[10]->isChecked());
        QVERIFY(!Frame->WindowListItems[9]->isChecked());
        // Choosing an entry brings its window to the front.
        Frame->WindowListItems[3]->trigger();
        QCOMPARE(Frame->ActiveDocument()->FileName, Path(QStringLiteral("Untitled 3.rtf")));
    }

    void WindowStatesAndTiling() {
        Frame->TextEditFile1Click();
        Frame->TextEditFile1Click();
        Frame->SetWindowState(0);
        QVERIFY(!Frame->SubWindowOf(Frame->ActiveDocument())->isMaximized());
        Frame->TileDocuments(1);
        const QList<TBaseForm*> docs = Frame->Documents();
        const QRect a = Frame->SubWindowOf(docs[0])->geometry();
        const QRect b = Frame->SubWindowOf(docs[1])->geometry();
        QCOMPARE(a.top(), b.top());
        QVERIFY(a.right() < b.left());
        Frame->TileDocuments(0);
        QVERIFY(Frame->SubWindowOf(docs[0])->geometry().bottom() <
                Frame->SubWindowOf(docs[1])->geometry().top());
        Frame->SetWindowState(1);
        Frame->Window1Click();
        QVERIFY(!Frame->Minimize1->isEnabled());
        QVERIFY(Frame->Restore3->isEnabled());
    }

    void RecentFileAlreadyOpenIsBroughtForward() {
        const QString file = MakeFile(QStringLiteral("recent.txt"));
        Frame->OpenFileByType(file);
        Frame->TextEditFile1Click();
        QCOMPARE(TSettings().QuickListFileName(1), file);
        Frame->One1Click(1);
        QCOMPARE(Frame->DocumentCount(), 2);
        QCOMPARE(Frame->ActiveDocument()->FileName, file);
    }

    void RecentFileNotOpenIsOpened() {
        const QString file = MakeFile(QStringLiteral("later.txt"));
        TSettings().AddToQuickList(file);
        Frame->One1Click(1);
        QCOMPARE(Frame->DocumentCount(), 1);
        QCOMPARE(Frame->ActiveDocument()->FileName, file);
    }

    void FileMenuRecentList_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("items");
        QTest::newRow("QuickListLength 0: no entries, no separator") << 0 << 0;
        QTest::newRow("QuickListLength 2 of 3 stored") << 2 << 3;
        QTest::newRow("QuickListLength 4") << 4 << 4;
    }
    void FileMenuRecentList() {
        QFETCH(int, length);
        QFETCH(int, items);
        TSettings settings;
        for (const char* name : {"one.txt", "two.txt", "three.txt"})
            settings.AddToQuickList(Path(QLatin1String(name)));
        settings.SetQuickListLength(length);
        Frame->ApplyPreferences();
        Frame->File1Click();
        QCOMPARE(Frame->QuickListItems.size(), items);
        if (items) {
            QVERIFY(Frame->QuickListItems[0]->isSeparator());
            QCOMPARE(Frame->QuickListItems[1]->text(), QStringLiteral("&1  Three.txt"));
            QCOMPARE(Frame->QuickListItems[1]->statusTip(),
                     QStringLiteral("Open \"") + Path(QStringLiteral("three.txt")) +
                         QStringLiteral("\""));
        }
        // Built afresh at each opening, never doubled.
        Frame->File1Click();
        QCOMPARE(Frame->QuickListItems.size(), items);
    }

    void FileMenuEnabling() {
        Frame->File1Click();
        for (QAction* a : {Frame->Close1, Frame->Save1, Frame->SaveAs1, Frame->Print1, Frame->Send1})
            QVERIFY2(!a->isVisible(), qPrintable(a->objectName()));
        TBaseForm* form = Frame->TextEditFile1Click();
        Frame->File1Click();
        QVERIFY(Frame->Close1->isVisible());
        QVERIFY(!Frame->Save1->isEnabled());
        QVERIFY(!Frame->SaveAs1->isEnabled());
        form->TypeText(QStringLiteral("x"));
        Frame->File1Click();
        QVERIFY(Frame->Save1->isEnabled());
        QVERIFY(Frame->SaveAs1->isEnabled());
        QVERIFY(Frame->Print1->isEnabled());
    }

    void EditMenuEnabling() {
        Frame->Edit1Click();
        QVERIFY(!Frame->Undo1->isVisible());
        QVERIFY(!Frame->Find1->isVisible());
        QVERIFY(!Frame->Paste1->isEnabled());
        QVERIFY(Frame->Preferences1->isVisible());
        TBaseForm* form = Frame->TextEditFile1Click();
        Frame->Edit1Click();
        QVERIFY(Frame->Undo1->isVisible());
        QVERIFY(!Frame->Undo1->isEnabled());
        QVERIFY(!Frame->Cut1->isEnabled());
        QVERIFY(Frame->WordWrap1->isChecked());
        form->TypeText(QStringLiteral("abc"));
        form->RichEdit1->selectAll();
        Frame->Edit1Click();
        QVERIFY(Frame->Undo1->isEnabled());
        QVERIFY(Frame->Cut1->isEnabled());
    }

    // The list drops down as a list of 12 rows (not as a menu of every font), each family once.
    void FontNameListDropsTwelveFamilies() {
        QComboBox* box = Frame->ComboBox1;
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        QVERIFY(!box->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, box));
        QCOMPARE(box->maxVisibleItems(), 12);
        QStringList names;
        for (int i = 0; i < box->count(); ++i)
            names << box->itemText(i);
        QVERIFY(!names.join(QLatin1Char('|')).contains(QLatin1Char('[')));
        QCOMPARE(names.removeDuplicates(), 0);
    }

    void LastDocumentClosedBringsBackTheBackground() {
        Frame->resize(800, 600);
        Frame->Timer1Timer();
        QVERIFY(!Frame->File1->menuAction()->icon().isNull());
        Frame->TextEditFile1Click();
        Frame->Timer1Timer();
        QVERIFY(Frame->File1->menuAction()->icon().isNull());
        QVERIFY(Frame->LeftButton->isChecked());
        Frame->Close1Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QCOMPARE(Frame->DocumentCount(), 0);
        Frame->Timer1Timer();
        QCOMPARE(Frame->StatusBar1->Panels[0]->text(), QStringLiteral(" No Document "));
        QVERIFY(!Frame->LeftButton->isChecked());
        QVERIFY(!Frame->WindowMenuAction->isVisible());
        QVERIFY(!Frame->CloseButton->isEnabled());
        QVERIFY(!Frame->File1->menuAction()->icon().isNull());
        const QImage picture = Frame->ClientArea->viewport()->grab().toImage();
        QCOMPARE(picture.pixelColor(2, 2), QColor(0, 0, 255));
        const QColor low = picture.pixelColor(2, picture.height() / 2);
        QVERIFY(low.blue() < 255 && low.blue() > 66);
    }

    void GradientBands_data() {
        QTest::addColumn<quint32>("top");
        QTest::addColumn<quint32>("bottom");
        QTest::addColumn<int>("band");
        QTest::addColumn<quint32>("colour");
        QTest::newRow("blue to black, first") << 0xFF0000u << 0u << 0 << 0xFF0000u;
        QTest::newRow("blue to black, last") << 0xFF0000u << 0u << 63 << (66u << 16);
        QTest::newRow("black to red, last") << 0u << 0xFFu << 63 << 189u;
        QTest::newRow("small fall truncates to no step") << 0x10u << 0u << 63 << 0x10u;
        QTest::newRow("every channel") << 0x000000u << 0x808080u << 10 << 0x141414u;
    }
    void GradientBands() {
        QFETCH(quint32, top);
        QFETCH(quint32, bottom);
        QFETCH(int, band);
        QFETCH(quint32, colour);
        QCOMPARE(TFrameArea::BandColour(top, bottom, band), colour);
    }

    void BandHeight() {
        QCOMPARE(TFrameArea::BandHeight(640), 10);
        QCOMPARE(TFrameArea::BandHeight(641), 11);
        QCOMPARE(TFrameArea::BandHeight(1), 1);
    }

    void MissingLogoOnlyBeeps() {
        // The logo is a resource of the program, so it is found; with it hidden nothing beeps.
        QVERIFY(!TFrameArea::Logo().isNull());
        Frame->ClientArea->ShowLogo = false;
        Frame->ClientArea->viewport()->grab();
        QCOMPARE(Dialogs->Beeps, 0);
    }

    void InsertKeyTogglesTypeover() {
        TBaseForm* first = Frame->TextEditFile1Click();
        Frame->Timer1Timer();
        QCOMPARE(Frame->StatusBar1->Panels[4]->text(), QStringLiteral(" Insert"));
        QTest::keyClick(first->RichEdit1, Qt::Key_Insert);
        Frame->Timer1Timer();
        QCOMPARE(Frame->StatusBar1->Panels[4]->text(), QStringLiteral(" Typeover"));
        QVERIFY(first->RichEdit1->overwriteMode());
        // A second document opened meanwhile starts in insert mode.
        TBaseForm* second = Frame->TextEditFile1Click();
        Frame->Timer1Timer();
        QCOMPARE(Frame->StatusBar1->Panels[4]->text(), QStringLiteral(" Insert"));
        QVERIFY(!second->RichEdit1->overwriteMode());
        Frame->ActivateDocument(first);
        QTest::keyClick(first->RichEdit1, Qt::Key_Insert);
        Frame->Timer1Timer();
        QCOMPARE(Frame->StatusBar1->Panels[4]->text(), QStringLiteral(" Insert"));
        QVERIFY(!first->RichEdit1->overwriteMode());
    }

    void TickLeavesTheRestOfALargeTextUnread() {
        // The tick reads only what is around the caret: the end of a long text it has not
        // reached stays as the editor left it, not laid out.
        TBaseForm* form = Frame->TextEditFile1Click();
        Frame->show();
        QString text;
        for (int i = 0; i < 20000; ++i)
            text += QStringLiteral("%1\n").arg(i, 4, 10, QLatin1Char('0'));
        form->RichEdit1->setPlainText(text);
        Frame->Timer1Timer();
        Frame->Timer1Timer();
        QCOMPARE(Frame->StatusBar1->Panels[0]->text(), QStringLiteral(" Line 1  Column 1"));
        QCOMPARE(form->RichEdit1->document()->lastBlock().layout()->lineCount(), 0);
    }

    void CaretPanelAndClickTypesIt() {
        TBaseForm* form = Frame->TextEditFile1Click();
        Frame->show();
        Frame->Timer1Timer();
        QCOMPARE(Frame->StatusBar1->Panels[0]->text(), QStringLiteral(" Line 1  Column 1"));
        const QPoint inPanel0 = Frame->StatusBar1->Panels[0]->geometry().topLeft() + QPoint(3, 3);
        Frame->StatusBar1->StatusBar1MouseDown(inPanel0);
        QCOMPARE(form->RichEdit1->toPlainText(), QStringLiteral("Line 1  Column 1 "));
        QVERIFY(form->RichEdit1->document()->isUndoAvailable());
        Frame->Timer1Timer();
        QCOMPARE(Frame->StatusBar1->Panels[0]->text(), QStringLiteral(" Line 1  Column 18"));
        // A click in the insert panel types its word.
        const QPoint inPanel4 = Frame->StatusBar1->Panels[4]->geometry().topLeft() + QPoint(3, 3);
        Frame->StatusBar1->StatusBar1MouseDown(inPanel4);
        QVERIFY(form->RichEdit1->toPlainText().endsWith(QStringLiteral("Insert ")));
    }

    void ClickWithoutDocumentTypesNothing() {
        Frame->StatusBar1->StatusBar1MouseDown(QPoint(5, 5));
        QCOMPARE(Frame->DocumentCount(), 0);
    }

    void HintsGoToTheLastPanel() {
        Frame->StatusBar1->ShowHint(QStringLiteral("Open | Open File"));
        QCOMPARE(Frame->StatusBar1->Panels[5]->text(), QStringLiteral("  Open File"));
        Frame->StatusBar1->ShowHint(QStringLiteral("Exit, Closing all Documents"));
        QCOMPARE(Frame->StatusBar1->Panels[5]->text(),
                 QStringLiteral(" Exit, Closing all Documents"));
        // With no hint and no document the panel keeps its text.
        Frame->StatusBar1->ShowHint(QString());
        QCOMPARE(Frame->StatusBar1->Panels[5]->text(),
                 QStringLiteral(" Exit, Closing all Documents"));
        TBaseForm* form = Frame->TextEditFile1Click();
        Frame->StatusBar1->ShowHint(QString());
        QCOMPARE(Frame->StatusBar1->Panels[5]->text(), QStringLiteral(" ") + form->FileName);
    }

    void TickEnablesDocumentControls() {
        Frame->Timer1Timer();
        for (QAction* a : {Frame->SaveButton, Frame->CloseButton, Frame->CutButton, Frame->FindButton})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        TBaseForm* form = Frame->TextEditFile1Click();
        Frame->Timer1Timer();
        QVERIFY(Frame->CloseButton->isEnabled());
        QVERIFY(Frame->FindButton->isEnabled());
        QVERIFY(!Frame->SaveButton->isEnabled());
        QVERIFY(!Frame->PrintButton->isEnabled());
        QVERIFY(!Frame->OptionsMenuAction->isVisible());
        QVERIFY(Frame->WindowMenuAction->isVisible());
        QVERIFY(!Frame->ToolBar8->isHidden());
        QVERIFY(!Frame->MaximizeButton->isVisible());
        form->TypeText(QStringLiteral("text"));
        form->RichEdit1->selectAll();
        form->Bold1Click(0);
        Frame->Timer1Timer();
        QVERIFY(Frame->SaveButton->isEnabled());
        QVERIFY(Frame->PrintButton->isEnabled());
        QVERIFY(Frame->CutButton->isEnabled());
        QVERIFY(Frame->StyleButtons[0]->isChecked());
        QVERIFY(!Frame->StyleButtons[1]->isChecked());
        Frame->SetWindowState(0);
        Frame->Timer1Timer();
        QVERIFY(Frame->ToolBar8->isHidden());
    }

    void ToolBarsFollowSettingsAndRestore() {
        TSettings().SetToolBar(3, false);
        Frame->ApplyPreferences();
        QVERIFY(Frame->ToolBar3->isHidden());
        QVERIFY(!Frame->ToolBar1->isHidden());
        Frame->ToolBars1->aboutToShow();
        QVERIFY(!Frame->ToolBarItems[3]->isChecked());   // "Text Format Toolbar"
        QVERIFY(Frame->ToolBarItems[0]->isChecked());
        Frame->ToolBarItems[0]->trigger();
        QVERIFY(Frame->ToolBar1->isHidden());
        TSettings().SetToolBar(3, true);
        Frame->Restore1Click();
        QVERIFY(!Frame->ToolBar1->isHidden());
        QVERIFY(!Frame->ToolBar3->isHidden());
    }

    void ExitRunsEveryCloseQuery() {
        Frame->show();
        TBaseForm* form = Frame->TextEditFile1Click();
        form->TypeText(QStringLiteral("unsaved"));
        Dialogs->MessageAnswers = {TMessageResult::Cancel};
        QVERIFY(!Frame->close());
        QCOMPARE(Frame->DocumentCount(), 1);
        Dialogs->MessageAnswers = {TMessageResult::No};
        QVERIFY(Frame->close());
    }

    void CtrlF4ClosesTheDocument_data() {
        QTest::addColumn<bool>("maximized");
        QTest::newRow("maximized, without a title bar of its own") << true;
        QTest::newRow("restored") << false;
    }
    void CtrlF4ClosesTheDocument() {
        QFETCH(bool, maximized);
        Frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(Frame));
        Frame->activateWindow();
        TBaseForm* form = Frame->TextEditFile1Click();
        QMdiSubWindow* sub = Frame->SubWindowOf(form);
        if (!maximized)
            sub->showNormal();
        QCOMPARE(sub->isMaximized(), maximized);
        QCOMPARE(bool(sub->windowFlags() & Qt::FramelessWindowHint), maximized);
        form->RichEdit1->setFocus();
        QPointer<TBaseForm> guard(form);
        Frame->Timer1Timer();
        QTest::keyClick(form->RichEdit1, Qt::Key_F4, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
        QCOMPARE(Frame->DocumentCount(), 0);
    }

    void MinimizedFrameTicksSlowly() {
        Frame->show();
        Frame->showMinimized();
        Frame->Timer1Timer();
        QCOMPARE(Frame->Timer1->interval(), TMainForm::MinimizedTickInterval);
        Frame->showNormal();
        Frame->Timer1Timer();
        QCOMPARE(Frame->Timer1->interval(), TMainForm::TickInterval);
        QVERIFY(Frame->Timer1->isActive());
    }

    void OptionsMenuFollowsTheBoltGroupWindow() {
        Frame->TextEditFile1Click();
        Frame->Options1Click();
        QVERIFY(!Frame->Titles1->menuAction()->isVisible());
        QVERIFY(!Frame->Subtitles1->menuAction()->isVisible());
        auto* form = new TDerivedForm(Frame);
        Frame->AddDocument(form);
        Frame->Timer1Timer();
        QVERIFY(Frame->OptionsMenuAction->isVisible());
        QVERIFY(Frame->ViewMenuAction->isVisible());
        Frame->Options1Click();
        QVERIFY(Frame->Titles1->menuAction()->isVisible());
        QVERIFY(Frame->Titles1->menuAction()->isEnabled());
        Frame->Titles1->aboutToShow();
        const QList<QAction*> titles = Frame->Titles1->actions();
        QVERIFY(titles[0]->isChecked());    // bold
        QVERIFY(!titles[2]->isChecked());   // underline
        Frame->Subtitles1->aboutToShow();
        QVERIFY(Frame->Subtitles1->actions()[2]->isChecked());
        titles[1]->trigger();
        QCOMPARE(form->TitleToggles, QList<int>{1});
        QVERIFY(form->TitleStyle.Has(TFontStyle::Italic));
    }

    void WindowPlacementIsStoredAndRestored() {
        delete Frame;
        TSettings settings;
        settings.SetWindowSize(true);
        TWindowPlacement place;
        place.Left = 40;
        place.Top = 50;
        place.Width = 760;
        place.Height = 500;
        settings.SetWindowPlacement(place);
        Frame = new TMainForm;
        Frame->show();
        QCOMPARE(Frame->geometry().size(), QSize(760, 500));
        QCOMPARE(Frame->ComboBox1->currentText(), QStringLiteral("Courier New"));
        Frame->resize(800, 520);
        delete Frame;
        QCOMPARE(TSettings().WindowPlacement().Width, 800);
        TSettings().SetWindowSize(false);
        Frame = new TMainForm;
        delete Frame;
        QVERIFY(!TSettings().Ini().SectionExists(QStringLiteral("Size")));
        Frame = new TMainForm;
    }

    void MailCopiesOfThePreviousRunAreDeleted() {
        delete Frame;
        TSettings settings;
        const QString copy = settings.Folders.ProgramFolderFile(QStringLiteral("Meshwright Message 2.rtf"));
        {
            QFile f(copy);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        settings.IncrementMessageCount();
        settings.IncrementMessageCount();
        Frame = new TMainForm;
        QVERIFY(!QFile::exists(copy));
        QCOMPARE(TSettings().MessageCount(), 0);
    }
};

QTEST_MAIN(TstTMainForm)
#include "tst_tmainform.moc"
