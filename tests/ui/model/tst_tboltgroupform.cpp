#include "foundation/tplatformerror.h"
#include "helper_boltdialogs.h"
#include "document/tfinddialog.h"
#include "document/treportview.h"
#include "document/trtfwriter.h"
#include "model/tboltgroupform.h"
#include "shell/tmainform.h"
#include "shell/tsettings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// A bolt group window that records every information-label text in its order.
class TRecordingBoltForm : public TBoltGroupForm {
public:
    using TBoltGroupForm::TBoltGroupForm;
    QStringList Information;
    void ShowInformation(const QString& text) override {
        Information.append(text);
        TBoltGroupForm::ShowInformation(text);
    }
};

// A bolt group window that keeps the lines it was given to show.
class TShowingBoltForm : public TBoltGroupForm {
public:
    using TBoltGroupForm::TBoltGroupForm;
    QStringList Lines;
    QStringList Titles;
    QStringList Subtitles;
    void ShowOutput() override {
        Lines = OutputLines();
        Titles = TitleLines();
        Subtitles = SubtitleLines();
        TBoltGroupForm::ShowOutput();
    }
};

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The character format at the first occurrence of the text in the document.
QTextCharFormat FormatOf(QTextDocument* document, const QString& text) {
    QTextCursor found = document->find(text, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor at(document);
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

} // namespace

class TstTBoltGroupForm : public QObject {
    Q_OBJECT

    QTemporaryDir Home;
    QString OldHome;
    TMainForm* Frame = nullptr;
    TBoltScriptedDialogs* Dialogs = nullptr;

    QString Path(const QString& name) const { return QDir(Home.path()).filePath(name); }
    QString Example(const QString& name, const QString& as) const {
        const QString target = Path(as);
        QFile::remove(target);
        QFile::copy(QStringLiteral(FASTENEX_EXAMPLES "/") + name, target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        return target;
    }
    QString WriteFile(const QString& name, const QByteArray& bytes) const {
        QFile f(Path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return Path(name);
    }
    TBoltGroupForm* NewForm() { return qobject_cast<TBoltGroupForm*>(Frame->BoltGroupAnalysis1Click()); }
    TBoltGroupForm* OpenExample(const QString& name, const QString& as) {
        TBoltGroupForm* form = NewForm();
        if (form)
            form->OpenDocument(Example(name, as));
        return form;
    }
    QAction* FrameItem(const char* name) const {
        return Frame->View1->findChild<QAction*>(QLatin1String(name));
    }

private slots:
    void initTestCase() {
        OldHome = qEnvironmentVariable("HOME");
        qputenv("HOME", Home.path().toLocal8Bit());
    }
    void cleanupTestCase() { qputenv("HOME", OldHome.toLocal8Bit()); }

    void init() {
        // Every test starts with an empty home folder.
        QDir(Home.path()).removeRecursively();
        QDir().mkpath(Home.path());
        TSettings::SetLocation(Path(QStringLiteral("fastenex.ini")));
        Dialogs = new TBoltScriptedDialogs;
        Frame = new TMainForm;
    }
    void cleanup() {
        for (TBaseForm* form : Frame->Documents())
            form->RichEdit1->document()->setModified(false);
        delete Frame;
        delete Dialogs;
        TSettings::SetLocation(QString());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // ---------------------------------------------------------------------------------------
    // Creation and first activation

    void NewWindowIsSetUpOnFirstActivation() {
        Frame->TextEditFile1Click();
        TBoltGroupForm* form = NewForm();
        QVERIFY(form);
        QVERIFY(form->IsBoltGroupForm());
        // The second document window of the frame.
        QCOMPARE(form->FileName, Path(QStringLiteral("Bolt Group Analysis 2.dat")));
        QCOMPARE(form->Caption(), QStringLiteral("Bolt Group Analysis - ") + form->FileName);
        QCOMPARE(form->windowTitle(), form->Caption());
        QCOMPARE(form->DefaultExtension, QStringLiteral(".rtf"));
        QCOMPARE(form->OpenExtension, QStringLiteral(".dat"));
        QCOMPARE(form->DataExtension, QStringLiteral(".dat"));
        QVERIFY(!form->WordWrap());
        QVERIFY(!form->CoolBar1->isHidden());
        QVERIFY(form->Gauge1->isHidden());
        QVERIFY(!form->ProgressBar1->isVisible());
        QVERIFY(form->StatusBarVisible1->isVisible());
        // The empty view has been drawn: the frame and the angle texts, no bolts.
        QCOMPARE(form->Label1->text(), QStringLiteral("Plotting Bolts Complete"));
        QVERIFY(form->Document.View.PlotComplete);
        QCOMPARE(form->Document.View.Picture.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(form->Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 form->Document.View.Picture);
        QCOMPARE(form->Image2->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(form->Image2->toolTip(), QStringLiteral("Rotate Angle of View"));
        // The model's creation values.
        QCOMPARE(form->Document.BoltCount(), 0);
        QCOMPARE(form->Document.AnalysisTitle, QStringLiteral("Untitled Model"));
        QVERIFY(form->Document.DataSaved);
        QVERIFY(!form->Document.LoadApplied);
        QVERIFY(!form->IsModified());
    }

    void LaterActivationsRepeatNothing() {
        TBoltGroupForm* first = NewForm();
        first->FileName = Path(QStringLiteral("Renamed.dat"));
        first->Document.View.RotatingView = true;
        Frame->TextEditFile1Click();
        Frame->ActivateDocument(first);
        QCOMPARE(first->FileName, Path(QStringLiteral("Renamed.dat")));
        QVERIFY(first->Document.View.RotatingView);
        QCOMPARE(first->Caption(), QStringLiteral("Bolt Group Analysis - ") + first->FileName);
    }

    // ---------------------------------------------------------------------------------------
    // Opening

    void OpeningFrameDat() {
        auto* form = new TRecordingBoltForm(Frame);
        Frame->AddDocument(form);
        form->Information.clear();
        const QString file = Example(QStringLiteral("plate-splice.dat"), QStringLiteral("Frame.dat"));
        form->OpenDocument(file);
        QCOMPARE(form->Caption(),
                 QStringLiteral("Bolt Group Analysis - ") + Path(QStringLiteral("Frame Bolt Group Loads.rtf")));
        QCOMPARE(form->windowTitle(), form->Caption());
        QCOMPARE(form->Document.BoltCount(), 8);
        QVERIFY(form->Document.ActualLoadsCalculated);
        // The stages of the information label, in their order.
        const QStringList stages{QStringLiteral("Data File Not Loaded"),
                                 QStringLiteral("Loading Data File"),
                                 QStringLiteral("Plotting Bolts"),
                                 QStringLiteral("Plotting Bolts Complete"),
                                 QStringLiteral("Calculating Unit Loads"),
                                 QStringLiteral("Unit Loads Calculated"),
                                 QStringLiteral("Calculating Actual Loads"),
                                 QStringLiteral("Formatting Output"),
                                 QStringLiteral("Analysis Complete"),
                                 QStringLiteral("Data File Loaded")};
        QStringList seen;
        for (const QString& text : std::as_const(form->Information))
            if (stages.contains(text))
                seen.append(text);
        QCOMPARE(seen, stages);
        QCOMPARE(form->Label1->text(), QStringLiteral("Data File Loaded"));
        // Plot and report side by side, the window back at rest.
        QVERIFY(form->RichEdit1->toPlainText().contains(QStringLiteral("Flat Plate Splice, 8 x M16")));
        QVERIFY(!form->Busy);
        QVERIFY(!form->LineBuffersExist());
        QVERIFY(form->RichEdit1->isEnabled());
        QVERIFY(!form->IsModified());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(Dialogs->Messages.isEmpty());
    }

    void OpeningNisaInput() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("bracket-six-bolts.nis"),
                                           QStringLiteral("Bracket.nis"));
        QCOMPARE(form->Document.BoltCount(), 6);
        QCOMPARE(form->FileName, Path(QStringLiteral("Bracket Bolt Group Loads.rtf")));
        QCOMPARE(form->Label1->text(), QStringLiteral("NISA File Loaded"));
        QVERIFY(form->Document.ActualLoadsCalculated);
    }

    void OpeningMissingFileKeepsTheGroup() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        const qint32 bolts = form->Document.BoltCount();
        form->OpenDocument(Path(QStringLiteral("Gone.DAT")));
        QCOMPARE(form->Document.BoltCount(), bolts);
        QCOMPARE(Dialogs->Messages.size(), 1);
        QVERIFY(Dialogs->Messages[0].Text.endsWith(QStringLiteral("cannot be found.")));
        QVERIFY(!form->Busy);
    }

    void OwnOpenOfRtfOpensTextWindow() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        const QString caption = form->Caption();
        const QString report = form->RichEdit1->toPlainText();
        const QString notes = WriteFile(QStringLiteral("notes.rtf"), "{\\rtf1 Some notes}");
        Dialogs->OpenNames = {notes};
        form->Open2Click();
        QCOMPARE(Dialogs->AskedTitles, QStringList{QStringLiteral("Open Data File")});
        // The proposal is the document's name with the data extension.
        QCOMPARE(Dialogs->ProposedNames, QStringList{Path(QStringLiteral("Plate Bolt Group Loads.dat"))});
        QCOMPARE(form->Caption(), caption);
        QCOMPARE(form->RichEdit1->toPlainText(), report);
        QCOMPARE(form->Document.BoltCount(), 8);
        QCOMPARE(Frame->DocumentCount(), 2);
        TBaseForm* text = Frame->Documents().last();
        QVERIFY(!text->IsBoltGroupForm());
        QCOMPARE(text->FileName, notes);
        QVERIFY(text->RichEdit1->toPlainText().contains(QStringLiteral("Some notes")));
    }

    void OwnOpenReadsFurtherFileIntoSameWindow() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        Dialogs->OpenNames = {Example(QStringLiteral("bracket-six-bolts.nis"), QStringLiteral("B.NIS"))};
        form->Open2Click();
        QCOMPARE(Frame->DocumentCount(), 1);
        QCOMPARE(form->Document.BoltCount(), 6);
        QCOMPARE(form->FileName, Path(QStringLiteral("B Bolt Group Loads.rtf")));
    }

    void FrameOpensDatWithBoltGroupTool() {
        Dialogs->OpenTypeAnswer = TDialogs::TOpenTool::BoltGroupAnalysis;
        TBaseForm* form = Frame->OpenFileByType(Example(QStringLiteral("bracket-3d.dat"), QStringLiteral("b.dat")));
        QVERIFY(form && form->IsBoltGroupForm());
        QVERIFY(static_cast<TBoltGroupForm*>(form)->Document.BoltCount() > 2);
        QCOMPARE(form->FileName, Path(QStringLiteral("b Bolt Group Loads.rtf")));
    }

    void AnalysisErrorLeavesWindowUsable() {
        // Zero stiffness everywhere: the centroids divide by zero.
        const QString bad = WriteFile(
            QStringLiteral("zero.dat"),
            "[General]\r\nAnalysis Type=Bolt Group\r\n[Analysis Data]\r\nNumber of Bolts=3\r\n"
            "Bolt 1=0,0,0,0,0,0,0,0\r\nBolt 2=1,0,0,0,0,0,0,0\r\nBolt 3=0,1,0,0,0,0,0,0\r\n"
            "Applied Load=0,0,0,1,0,0,0,0\r\n");
        TBoltGroupForm* form = NewForm();
        QVERIFY_THROWS_EXCEPTION(TPlatformError, form->OpenDocument(bad));
        QVERIFY(!form->Busy);
        QVERIFY(!form->LineBuffersExist());
        QVERIFY(form->RichEdit1->isEnabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(!form->Document.ActualLoadsCalculated);
        // The window goes on: the titles dialog and a good file work.
        Dialogs->TitleAnswers = {{QStringLiteral("M"), QStringLiteral("L")}};
        QVERIFY_THROWS_EXCEPTION(TPlatformError, form->EditTitles());
        QVERIFY(!form->Busy);
        QVERIFY(!form->LineBuffersExist());
        form->OpenDocument(Example(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat")));
        QVERIFY(form->Document.ActualLoadsCalculated);
        QCOMPARE(form->Label1->text(), QStringLiteral("Data File Loaded"));
    }

    // ---------------------------------------------------------------------------------------
    // Saving

    void SaveAsDispatchesOnExtension_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("kind");
        QTest::newRow("DAT in capitals") << QStringLiteral("Copy.DAT") << QStringLiteral("data");
        QTest::newRow("emf") << QStringLiteral("Plot.emf") << QStringLiteral("picture");
        QTest::newRow("WMF") << QStringLiteral("Plot.WMF") << QStringLiteral("picture");
    }
    void SaveAsDispatchesOnExtension() {
        QFETCH(QString, chosen);
        QFETCH(QString, kind);
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        const QString fileName = form->FileName;
        Dialogs->SaveNames = {Path(chosen)};
        QFile::remove(Path(chosen));
        form->SaveDocumentAs();
        QCOMPARE(Dialogs->AskedTitles, QStringList{QStringLiteral("Save File")});
        QCOMPARE(Dialogs->ProposedNames, QStringList{fileName});
        QCOMPARE(form->FileName, fileName);
        const QByteArray written = ReadAll(Path(chosen));
        if (kind == QLatin1String("data")) {
            QVERIFY(written.startsWith("[General]\r\nAnalysis Type=Bolt Group\r\n"));
            QCOMPARE(form->Label1->text(), QStringLiteral("Data File Saved"));
        } else {
            QVERIFY(written.startsWith("BM"));
            QCOMPARE(form->Document.ImageFileName, Path(chosen));
            QCOMPARE(form->Label1->text(), QStringLiteral("Picture File Saved"));
        }
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("Plate Bolt Group Loads.rtf"))));
    }

    void SaveAsTextNameAfterEditWritesAllThree() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        Dialogs->TitleAnswers = {{QStringLiteral("Edited Model"), QStringLiteral("Edited Case")}};
        form->EditTitles();
        QVERIFY(!form->Document.DataSaved);
        QVERIFY(form->IsModified());
        Dialogs->SaveNames = {Path(QStringLiteral("Report.txt"))};
        form->SaveDocumentAs();
        QVERIFY(ReadAll(Path(QStringLiteral("Report.dat"))).contains("Analysis Title=Edited Model\r\n"));
        QVERIFY(ReadAll(Path(QStringLiteral("Report.bmp"))).startsWith("BM"));
        QVERIFY(ReadAll(Path(QStringLiteral("Report.rtf"))).startsWith("{\\rtf"));
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("Report.txt"))));
        QCOMPARE(form->FileName, Path(QStringLiteral("Report.rtf")));
        QVERIFY(form->Document.DataSaved);
        QVERIFY(!form->IsModified());
        QCOMPARE(form->Caption(), QStringLiteral("Bolt Group Analysis - ") + form->FileName);
    }

    void FailedDataSaveKeepsWindowModified() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        Dialogs->TitleAnswers = {{QStringLiteral("Edited Model"), QStringLiteral("Edited Case")}};
        form->EditTitles();
        const QString name = form->FileName;
        QVERIFY(QDir().mkpath(Path(QStringLiteral("Blocked.dat"))));
        Dialogs->SaveNames = {Path(QStringLiteral("Blocked.rtf"))};
        Dialogs->MessageAnswers = {TMessageResult::Yes};
        QVERIFY_THROWS_EXCEPTION(TPlatformError, form->SaveDocumentAs());
        QVERIFY(!form->Document.DataSaved);
        QVERIFY(form->IsModified());
        // The window keeps the name it had, and Close asks.
        QCOMPARE(form->FileName, name);
        Dialogs->MessageAnswers = {TMessageResult::Cancel};
        QVERIFY(!form->ChangesResolved());
        QVERIFY(Dialogs->Messages.last().Text.startsWith(QStringLiteral("Save changes to ")));
        form->Document.DataSaved = true;
    }

    void OwnOpenOverUnsavedModelAsks() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        Dialogs->TitleAnswers = {{QStringLiteral("Edited Model"), QStringLiteral("Edited Case")}};
        form->EditTitles();
        Dialogs->OpenNames = {Example(QStringLiteral("bracket-six-bolts.nis"), QStringLiteral("B.NIS"))};
        Dialogs->MessageAnswers = {TMessageResult::Cancel};
        form->Open2Click();
        QCOMPARE(Dialogs->Messages.size(), 1);
        QVERIFY(Dialogs->Messages[0].Text.startsWith(QStringLiteral("Save changes to ")));
        QCOMPARE(form->Document.AnalysisTitle, QStringLiteral("Edited Model"));
        QVERIFY(form->IsModified());
        form->Document.DataSaved = true;
    }

    void RefusedOpenKeepsTheGroup_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a data file") << QStringLiteral("Notes.dat") << QByteArray("just words\n");
        QTest::newRow("NISA file without a group") << QStringLiteral("Empty.nis") << QByteArray("*ELTYPE\n");
        QTest::newRow("folder") << QStringLiteral("Folder.dat") << QByteArray();
        QTest::newRow("missing") << QStringLiteral("Missing.dat") << QByteArray();
    }

    // A refused Open leaves the window's group, name and unsaved state as they were, so that a
    // later Save cannot write an empty group over the group's own data file.
    void RefusedOpenKeepsTheGroup() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Kept.dat"));
        Dialogs->TitleAnswers = {{QStringLiteral("Edited Model"), QStringLiteral("Edited Case")}};
        form->EditTitles();
        const QString fileName = form->FileName;
        const qint32 bolts = form->Document.BoltCount();
        const QString target = Path(name);
        if (name == QLatin1String("Folder.dat"))
            QVERIFY(QDir().mkpath(target));
        else if (!content.isEmpty())
            WriteFile(name, content);
        Dialogs->OpenNames = {target};
        Dialogs->MessageAnswers = {TMessageResult::No, TMessageResult::Ok, TMessageResult::Ok};
        try {
            form->Open2Click();
        } catch (const TPlatformError&) {
        }
        QCOMPARE(form->FileName, fileName);
        QCOMPARE(form->Document.BoltCount(), bolts);
        QCOMPARE(form->Document.AnalysisTitle, QStringLiteral("Edited Model"));
        QVERIFY(!form->Document.DataSaved);
        QVERIFY(form->IsModified());
        form->Document.DataSaved = true;
    }

    void SaveAsksBeforeReplacingAnotherGroupsDataFile() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"),
                                           QStringLiteral("Frame Bolt Group Loads.dat"));
        const QString other = WriteFile(QStringLiteral("Frame.dat"), "another group\n");
        Dialogs->TitleAnswers = {{QStringLiteral("Edited"), QStringLiteral("Case")}};
        form->EditTitles();
        Dialogs->MessageAnswers = {TMessageResult::No};
        form->SaveDocument();
        QCOMPARE(Dialogs->Messages.size(), 1);
        QVERIFY(Dialogs->Messages[0].Text.contains(QStringLiteral("Overwrite?")));
        QCOMPARE(ReadAll(other), QByteArray("another group\n"));
        QVERIFY(form->IsModified());
        // Once saved there, the group's own data file is written without a question.
        Dialogs->MessageAnswers = {TMessageResult::Yes};
        form->SaveDocument();
        Dialogs->TitleAnswers = {{QStringLiteral("Again"), QStringLiteral("Case")}};
        form->EditTitles();
        form->SaveDocument();
        QCOMPARE(Dialogs->Messages.size(), 2);
        QVERIFY(!form->IsModified());
    }

    void SaveOfUnchangedModelWritesNoDataFile() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Frame.dat"));
        QFile::remove(Path(QStringLiteral("Frame.dat")));
        form->SaveDocument();
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("Frame.dat"))));
        QVERIFY(ReadAll(Path(QStringLiteral("Frame Bolt Group Loads.bmp"))).startsWith("BM"));
        QVERIFY(ReadAll(Path(QStringLiteral("Frame Bolt Group Loads.rtf"))).startsWith("{\\rtf"));
        // After a change, the next save writes the data file beside the report.
        Dialogs->TitleAnswers = {{QString(), QString()}};
        form->EditTitles();
        form->SaveDocument();
        const QByteArray data = ReadAll(Path(QStringLiteral("Frame.dat")));
        QVERIFY(data.contains("Analysis Title=\r\nLoad Case Title=\r\n"));
        // The saved files open again with the same bolts.
        TBoltGroupForm* again = NewForm();
        again->OpenDocument(Path(QStringLiteral("Frame.dat")));
        QCOMPARE(again->Document.Bolts, form->Document.Bolts);
        QCOMPARE(again->Document.AppliedLoad, form->Document.AppliedLoad);
    }

    void ClosingAfterModelEditAsksToSave() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        Dialogs->TitleAnswers = {{QStringLiteral("Edited"), QStringLiteral("Case")}};
        form->EditTitles();
        Dialogs->MessageAnswers = {TMessageResult::Cancel, TMessageResult::Yes};
        Frame->Close1Click();
        QCOMPARE(Frame->DocumentCount(), 1);
        QCOMPARE(Dialogs->Messages.last().Text,
                 QStringLiteral("Save changes to ") + form->FileName + QStringLiteral("?"));
        // Yes saves the model with the report, then the window goes.
        Frame->Close1Click();
        QTRY_COMPARE(Frame->DocumentCount(), 0);
        QVERIFY(ReadAll(Path(QStringLiteral("Plate.dat"))).contains("Analysis Title=Edited\r\n"));
    }

    void SaveAsDeclinedOrCancelledSavesNothing_data() {
        QTest::addColumn<bool>("exists");
        QTest::newRow("Cancel") << false;
        QTest::newRow("overwrite No") << true;
    }
    void SaveAsDeclinedOrCancelledSavesNothing() {
        QFETCH(bool, exists);
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        const QString target = Path(QStringLiteral("Old.dat"));
        if (exists) {
            WriteFile(QStringLiteral("Old.dat"), "keep");
            Dialogs->SaveNames = {target};
            Dialogs->MessageAnswers = {TMessageResult::No};
        }
        form->SaveDocumentAs();
        if (exists) {
            QCOMPARE(Dialogs->Messages.size(), 1);
            QCOMPARE(Dialogs->Messages.first().Text, QStringLiteral("The File Already Exists\n\n  Overwrite?"));
            QCOMPARE(ReadAll(target), QByteArray("keep"));
        }
        QCOMPARE(form->Label1->text(), QStringLiteral("Data File Loaded"));
    }

    void DataFileNameOfReport_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("dataFile");
        QTest::newRow("report") << "/j/Frame Bolt Group Loads.rtf" << "/j/Frame.dat";
        QTest::newRow("other name") << "/j/Report.txt" << "/j/Report.dat";
        QTest::newRow("letter case counts") << "/j/Frame bolt group loads.rtf" << "/j/Frame bolt group loads.dat";
        QTest::newRow("dot in folder") << "/j.k/Frame" << "/j.k/Frame.dat";
    }
    void DataFileNameOfReport() {
        QFETCH(QString, fileName);
        QFETCH(QString, dataFile);
        QCOMPARE(TBoltGroupForm::DataFileName(fileName), dataFile);
    }

    // ---------------------------------------------------------------------------------------
    // NISA export

    void NisaExportAsksUntilEveryNodeIsNumbered() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        const QString target = Path(QStringLiteral("Loads.nis"));
        // First round: one bolt left at 0, so the dialog comes back; the second round cancels.
        Dialogs->NodeAnswers = {[](QStringList& nodes) {
            for (int i = 0; i < nodes.size(); ++i)
                nodes[i] = i == 3 ? QStringLiteral("0") : QStringLiteral("  %1").arg(10 + i);
        }};
        Dialogs->SaveNames = {target};
        form->SaveDocumentAs();
        QCOMPARE(Dialogs->NodeBoltColumns.size(), 2);
        QCOMPARE(Dialogs->NodeBoltColumns.first().first(), QStringLiteral("   1"));
        QCOMPARE(Dialogs->NodeNodeColumns.first().first(), QStringLiteral("   0"));
        QCOMPARE(Dialogs->NodeNodeColumns.last().at(1), QStringLiteral("   11"));
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(Dialogs->InputQuestions.isEmpty());
        // The numbers of the accepted round stay, and they are an unsaved change.
        QCOMPARE(form->Document.Bolts.at(0).NodeNumber, 10);
        QVERIFY(!form->Document.DataSaved);
        QVERIFY(form->IsModified());
        QCOMPARE(form->FileName, Path(QStringLiteral("Plate Bolt Group Loads.rtf")));

        // Next time only the load case is asked; "07" becomes 7.
        Dialogs->NodeAnswers = {[](QStringList& nodes) { nodes[3] = QStringLiteral("13"); }};
        Dialogs->InputAnswers = {{true, QStringLiteral("07")}};
        Dialogs->SaveNames = {target};
        form->SaveDocumentAs();
        QCOMPARE(Dialogs->InputQuestions,
                 QStringList{QStringLiteral("Please Enter NISA Load Case Number|Load Case ID = |1")});
        const QByteArray fragment = ReadAll(target);
        QVERIFY(fragment.contains("\r\n*LDCASE, ID = 7\r\n"));
        QVERIFY(fragment.contains("\r\n    13,0,0,0, 7.50000E+01, 4.50000E+01, 0.00000E+00,0\r\n"));
        QVERIFY(fragment.endsWith("*ENDDATA\r\n"));
        QCOMPARE(form->Label1->text(), QStringLiteral("NISA File Saved"));
        QCOMPARE(form->FileName, Path(QStringLiteral("Plate Bolt Group Loads.rtf")));
    }

    void NisaExportCancelledAtLoadCase() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        for (TBolt& bolt : form->Document.Bolts)
            bolt.NodeNumber = 5;
        Dialogs->SaveNames = {Path(QStringLiteral("Loads.nis"))};
        form->SaveDocumentAs();
        QVERIFY(Dialogs->NodeBoltColumns.isEmpty());
        QCOMPARE(Dialogs->InputQuestions.size(), 1);
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("Loads.nis"))));
    }

    void NisaExportWithoutLoadsRefuses() {
        TBoltGroupForm* form = NewForm();
        Dialogs->SaveNames = {Path(QStringLiteral("Loads.nis"))};
        form->SaveDocumentAs();
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages.first().Text,
                 QStringLiteral("No Actual Loads Calculated\n\nCannot Save the NISA file."));
        QVERIFY(Dialogs->NodeBoltColumns.isEmpty());
        QVERIFY(!QFileInfo::exists(Path(QStringLiteral("Loads.nis"))));
    }

    // ---------------------------------------------------------------------------------------
    // Titles and title styles

    void TitlesDialog_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void TitlesDialog() {
        QFETCH(bool, accept);
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        if (accept)
            Dialogs->TitleAnswers = {{QStringLiteral("  Spaced  "), QString()}};
        form->AnalysisTitles1->trigger();
        QCOMPARE(Dialogs->TitleProposals,
                 (QList<QStringList>{{QStringLiteral("Flat Plate Splice, 8 x M16"),
                                      QStringLiteral("Eccentric Shear 20 kN")}}));
        if (accept) {
            QCOMPARE(form->Document.AnalysisTitle, QStringLiteral("  Spaced  "));
            QCOMPARE(form->Document.LoadCaseTitle, QString());
            QVERIFY(!form->Document.DataSaved);
            QVERIFY(form->RichEdit1->toPlainText().contains(QStringLiteral("Analysis Title =   Spaced  ")));
            QCOMPARE(form->Label1->text(), QStringLiteral("Analysis Complete"));
        } else {
            QCOMPARE(form->Document.AnalysisTitle, QStringLiteral("Flat Plate Splice, 8 x M16"));
            QVERIFY(form->Document.DataSaved);
            QCOMPARE(form->Label1->text(), QStringLiteral("Data File Loaded"));
        }
    }

    void TitleStyleChangeRebuildsReport() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        QTextDocument* document = form->RichEdit1->document();
        const QString title = QStringLiteral("Flat Plate Splice, 8 x M16");
        QCOMPARE(FormatOf(document, title).fontWeight(), int(QFont::Bold));
        QVERIFY(!FormatOf(document, title).fontItalic());
        // Through the frame's Options menu: Titles, "Itallics".
        Frame->Titles1->findChild<QAction*>(QStringLiteral("Itallics2"))->trigger();
        QVERIFY(form->TitleStyle.Has(TFontStyle::Italic));
        QVERIFY(FormatOf(document, title).fontItalic());
        QCOMPARE(FormatOf(document, title).fontWeight(), int(QFont::Bold));
        QCOMPARE(form->Label1->text(), QStringLiteral("Analysis Complete"));
        // Subtitles lose their underline.
        const QTextCharFormat before = FormatOf(document, QStringLiteral("Load Case"));
        QVERIFY(before.fontUnderline());
        form->ToggleSubtitleStyle(int(TFontStyle::Underline));
        QVERIFY(!FormatOf(document, QStringLiteral("Load Case")).fontUnderline());
        QVERIFY(!form->LineBuffersExist());
        QVERIFY(!form->IsModified());
    }

    // A group whose rows pass the event points and the progress steps many times: the window's
    // text is the report, every title in the title style and every subtitle underlined.
    void LargeGroupReportIsShownWhole_data() {
        QTest::addColumn<int>("bolts");
        QTest::addColumn<int>("orientations");
        QTest::newRow("150 bolts, no axial directions") << 150 << 1;
        QTest::newRow("1,200 bolts, mixed axial directions") << 1200 << 4;
    }
    void LargeGroupReportIsShownWhole() {
        QFETCH(int, bolts);
        QFETCH(int, orientations);
        QByteArray data = "[General]\r\nAnalysis Type=Bolt Group\r\n \r\n[Analysis Data]\r\n"
                          "Analysis Title=Large Group\r\nLoad Case Title=Case 1\r\n"
                          "Number of Bolts=" + QByteArray::number(bolts) + "\r\n";
        for (int i = 0; i < bolts; ++i)
            data += QStringLiteral("Bolt %1=%2,%3,%4,1,2,3,%5,0\r\n")
                        .arg(i + 1).arg(i % 37 * 10).arg(i / 37 * 10).arg(i * 7 % 11)
                        .arg(i % orientations).toLatin1();
        data += "Applied Load=500,-20,30,1000,-2000,500,0,0\r\n";
        auto* form = new TShowingBoltForm(Frame);
        Frame->AddDocument(form);
        form->OpenDocument(WriteFile(QStringLiteral("Large.dat"), data));
        QVERIFY(form->Document.ActualLoadsCalculated);
        QVERIFY(form->Lines.size() > 9 * bolts);
        QTextDocument* document = form->RichEdit1->document();
        QCOMPARE(document->toPlainText(), form->Lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        for (const QString& title : form->Titles)
            QCOMPARE(FormatOf(document, title).fontWeight(), int(QFont::Bold));
        for (const QString& subtitle : form->Subtitles)
            QVERIFY(FormatOf(document, subtitle).fontUnderline());
        const QTextCharFormat plain = FormatOf(document, QStringLiteral("Attachment       X"));
        QVERIFY(plain.fontWeight() <= QFont::Normal && !plain.fontUnderline());
        QCOMPARE(plain.fontFamilies().toStringList().value(0), QStringLiteral("Courier New"));
        QCOMPARE(form->RichEdit1->textCursor().position(), 0);
    }

    void ReportKeepsTheFocusThroughAnAnalysis() {
        // The report's editor takes no input while it is styled; the keys come back to it after.
        TBoltGroupForm* form = OpenExample(QStringLiteral("bracket-3d.dat"), QStringLiteral("f.dat"));
        QVERIFY(form);
        form->RichEdit1->setFocus();
        QCOMPARE(Frame->focusWidget(), form->RichEdit1);
        form->RefreshAnalysis();
        QCOMPARE(Frame->focusWidget(), form->RichEdit1);
    }

    void LongReportShownFromItsText() {
        // A long report is shown by a view over the editor, from which the caret, selection and
        // copy work; an edit or a save gives the editor the whole report as it would have shown
        // it, the edit at the caret.
        TBoltGroupForm* usual = OpenExample(QStringLiteral("bracket-3d.dat"), QStringLiteral("usual.dat"));
        const qsizetype lines = TBaseForm::LongReportLines;
        TBaseForm::LongReportLines = 10;
        TBoltGroupForm* form = OpenExample(QStringLiteral("bracket-3d.dat"), QStringLiteral("long.dat"));
        TBaseForm::LongReportLines = lines;
        QVERIFY(usual && form);
        auto* view = form->RichEdit1->findChild<TReportView*>();
        QVERIFY(view && !view->isHidden());
        QVERIFY(form->RichEdit1->document()->isEmpty() && form->HasText());
        form->SelectAllText();
        form->Copy();
        QCOMPARE(QApplication::clipboard()->text(), usual->RichEdit1->toPlainText());
        QVERIFY(form->WriteText(Path(QStringLiteral("long.rtf")), true));
        QVERIFY(usual->WriteText(Path(QStringLiteral("usual.rtf")), true));
        QCOMPARE(ReadAll(Path(QStringLiteral("long.rtf"))), ReadAll(Path(QStringLiteral("usual.rtf"))));
        QVERIFY(!view->isHidden());
        // Found and gone to as in the editor, in the report's own text.
        for (TBoltGroupForm* f : {form, usual}) {
            f->Find1Click();
            f->FindDialog1->FindEdit->setText(QStringLiteral("ATTACHMENT"));
            f->Find(f->FindDialog1);
            f->Find(f->FindDialog1);
        }
        QVERIFY(view->HasSelection());
        QCOMPARE(view->SelectedText(), usual->RichEdit1->textCursor().selectedText());
        QCOMPARE(form->CaretPosition(), usual->CaretPosition());
        Dialogs->LineAnswers = {7, 7};
        form->GotoLine();
        usual->GotoLine();
        QCOMPARE(Dialogs->LineMaxima.value(0), Dialogs->LineMaxima.value(1));
        QCOMPARE(form->CaretPosition(), usual->CaretPosition());
        QVERIFY(!view->isHidden());
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_End);
        const QString third = usual->RichEdit1->document()->findBlockByNumber(2).text();
        QCOMPARE(form->CaretPosition(), QPoint(3, int(third.size()) + 1));
        QTest::keyClicks(view, QStringLiteral("Z"));
        QVERIFY(view->isHidden());
        QCOMPARE(form->RichEdit1->document()->findBlockByNumber(2).text(), third + QLatin1Char('Z'));
        form->Undo();
        QCOMPARE(TRtfWriter::ToRtf(*form->RichEdit1->document()),
                 TRtfWriter::ToRtf(*usual->RichEdit1->document()));
        // The report made again is shown by the view again.
        form->RefreshAnalysis();
        QVERIFY(!view->isHidden() && form->RichEdit1->document()->isEmpty());
        // Text dropped on it lands where it was dropped, in the whole report.
        QMimeData dropped;
        dropped.setText(QStringLiteral("dropped"));
        const QPoint at = view->PlaceRect({1, 0}).center();
        QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &drop);
        QVERIFY(view->isHidden());
        QCOMPARE(form->RichEdit1->document()->findBlockByNumber(1).text(),
                 QStringLiteral("dropped") + usual->RichEdit1->document()->findBlockByNumber(1).text());
    }

    // ---------------------------------------------------------------------------------------
    // View commands

    void StandardViewsAndUserDefined_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<double>("rotX");
        QTest::addColumn<double>("rotY");
        QTest::addColumn<double>("rotZ");
        QTest::newRow("Top") << 4 << QStringList() << 0.0 << 0.0 << 0.0;
        QTest::newRow("Iso 3") << 8 << QStringList() << -45.0 << 0.0 << -135.0;
        QTest::newRow("user numbers") << 10 << QStringList{"12.5", "-3", "400"} << 12.5 << -3.0 << 400.0;
        QTest::newRow("user not numbers") << 10 << QStringList{"abc", "x", ""} << 90.0 << 0.0 << 0.0;
        QTest::newRow("user cancelled") << 10 << QStringList() << -45.0 << 0.0 << 45.0;
    }
    void StandardViewsAndUserDefined() {
        QFETCH(int, code);
        QFETCH(QStringList, typed);
        QFETCH(double, rotX);
        QFETCH(double, rotY);
        QFETCH(double, rotZ);
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        if (typed.size() == 3)
            Dialogs->AngleAnswers = {{typed.at(0), typed.at(1), typed.at(2)}};
        const QImage before = form->Document.View.Picture;
        form->ViewItems.at(code)->trigger();
        const TBoltView& view = form->Document.View;
        QCOMPARE(view.ViewingAngle, qint8(code));
        QCOMPARE(view.ViewRotX, rotX);
        QCOMPARE(view.ViewRotY, rotY);
        QCOMPARE(view.ViewRotZ, rotZ);
        if (code == 10)
            QCOMPARE(Dialogs->AngleProposals, (QList<QStringList>{{"-45", "0", "45"}}));
        // Replotted every time, also after a cancelled dialog; the view is not a change.
        QCOMPARE(form->Label1->text(), QStringLiteral("Plotting Bolts Complete"));
        QCOMPARE(form->Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32), view.Picture);
        if (typed.size() == 3 || code != 10)
            QVERIFY(view.Picture != before);
        QVERIFY(form->Document.DataSaved);
        form->View1Click();
        for (QAction* a : std::as_const(form->ViewItems))
            QCOMPARE(a->isChecked(), a->data().toInt() == code);
    }

    void PerspectiveCheckMarks_data() {
        QTest::addColumn<int>("lens");
        QTest::newRow("None") << 0;
        QTest::newRow("Telephoto") << 3;
        QTest::newRow("outside the menu") << 7;
    }
    void PerspectiveCheckMarks() {
        QFETCH(int, lens);
        TBoltGroupForm* form = NewForm();
        form->Document.View.Lens = qint8(lens);
        form->Perspective1Click();
        for (QAction* a : std::as_const(form->LensItems))
            QCOMPARE(a->isChecked(), a->data().toInt() == lens);
    }

    void LensOnFlatGroupSeenFaceOnAborts() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        form->ViewingAngleChange(4);
        const QImage top = form->Document.View.Picture;
        form->LensItems.at(2)->trigger();
        QCOMPARE(form->Document.View.Lens, qint8(2));
        QCOMPARE(form->Label1->text(), QStringLiteral("Plotting Bolts Aborted"));
        QCOMPARE(form->Document.View.Picture, top);
        QVERIFY(!form->Busy);
    }

    void RotationDialTurnsTheView() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        const QImage before = form->Document.View.Picture;
        auto send = [form](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
            QMouseEvent event(type, QPointF(at), form->Image2->mapToGlobal(QPointF(at)), button,
                              buttons, Qt::NoModifier);
            QApplication::sendEvent(form->Image2, &event);
        };
        send(QEvent::MouseButtonPress, {40, 40}, Qt::RightButton, Qt::RightButton);
        QCOMPARE(form->Document.View.ViewingAngle, qint8(10));
        QVERIFY(form->Document.View.RotatingView);
        // Three pixels down and two to the right.
        send(QEvent::MouseMove, {42, 43}, Qt::NoButton, Qt::RightButton);
        QCOMPARE(form->Document.View.ViewRotX, -45.0 + 15);
        QCOMPARE(form->Document.View.ViewRotZ, 45.0 - 10);
        QVERIFY(form->Document.View.Picture != before);
        QCOMPARE(form->Image1->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                 form->Document.View.Picture);
        send(QEvent::MouseButtonRelease, {42, 43}, Qt::RightButton, Qt::NoButton);
        QVERIFY(!form->Document.View.RotatingView);
        // Moving without the dial pressed turns nothing.
        send(QEvent::MouseMove, {60, 80}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(form->Document.View.ViewRotX, -30.0);
        QVERIFY(form->Document.DataSaved);
    }

    void FrameViewMenuForwardsToActiveWindow() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        QVERIFY(FrameItem("Front1"));
        QCOMPARE(FrameItem("Front1")->statusTip(), QStringLiteral("View the Front of the Model"));
        FrameItem("Right1")->trigger();
        QCOMPARE(form->Document.View.ViewingAngle, qint8(3));
        QCOMPARE(form->Document.View.ViewRotZ, 90.0);
        FrameItem("WideAngleLens1")->trigger();
        QCOMPARE(form->Document.View.Lens, qint8(1));
        FrameItem("ShowBoltLabels1")->trigger();
        QVERIFY(!form->Document.View.ShowBoltLabels);
        FrameItem("DepthShaded1")->trigger();
        QVERIFY(!form->Document.View.DepthShaded);
        // Opening the menus checks their items from the window.
        emit Frame->View1->aboutToShow();
        QVERIFY(FrameItem("Right1")->isChecked());
        QVERIFY(!FrameItem("Front1")->isChecked());
        QVERIFY(!FrameItem("ShowBoltLabels1")->isChecked());
        QMenu* perspective = Frame->View1->findChild<QMenu*>(QStringLiteral("Perspective1"));
        emit perspective->aboutToShow();
        QVERIFY(FrameItem("WideAngleLens1")->isChecked());
        QVERIFY(!FrameItem("None1")->isChecked());
        // With a text window active, the items do nothing.
        Frame->TextEditFile1Click();
        FrameItem("Top1")->trigger();
        QCOMPARE(form->Document.View.ViewingAngle, qint8(3));
    }

    // ---------------------------------------------------------------------------------------
    // Image commands and the context menu

    void SaveImageBeforeAndAfterSaveImageAs() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        const QString beside = Path(QStringLiteral("Plate Bolt Group Loads.bmp"));
        form->SaveImage1->trigger();
        QVERIFY(ReadAll(beside).startsWith("BM"));
        QCOMPARE(form->Label1->text(), QStringLiteral("Picture File Saved"));
        QVERIFY(form->Document.ImageFileName.isEmpty());

        // Save Image As... proposes the same name; Cancel does nothing.
        form->SaveImageAs1->trigger();
        QCOMPARE(Dialogs->AskedTitles, QStringList{QStringLiteral("Save Bolt Group Analysis Image")});
        QCOMPARE(Dialogs->ProposedNames, QStringList{beside});
        QVERIFY(form->Document.ImageFileName.isEmpty());

        const QString chosen = Path(QStringLiteral("Chosen.emf"));
        Dialogs->SaveNames = {chosen};
        form->SaveImageAs1->trigger();
        QCOMPARE(form->Document.ImageFileName, chosen);
        QVERIFY(ReadAll(chosen).startsWith("BM"));
        QFile::remove(chosen);
        QFile::remove(beside);
        form->SaveImage1->trigger();
        QVERIFY(ReadAll(chosen).startsWith("BM"));
        QVERIFY(!QFileInfo::exists(beside));
        // The next Save Image As... starts from the chosen name.
        form->SaveImageAs1->trigger();
        QCOMPARE(Dialogs->ProposedNames.last(), chosen);
        // Saving the document writes its picture there too.
        QFile::remove(chosen);
        form->SaveDocument();
        QVERIFY(ReadAll(chosen).startsWith("BM"));
        QVERIFY(!QFileInfo::exists(beside));
    }

    void SavedPictureIsThePlot() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        form->SaveImage1Click();
        QImage saved(Path(QStringLiteral("Plate Bolt Group Loads.bmp")), "BMP");
        QCOMPARE(saved.size(), QSize(300, 400));
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), form->Document.View.Picture);
    }

    void SaveImageToUnwritablePlace() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        const QString chosen = Path(QStringLiteral("missing/folder/p.bmp"));
        Dialogs->SaveNames = {chosen};
        QVERIFY_THROWS_EXCEPTION(TPlatformError, form->SaveImageAs1Click());
        QCOMPARE(form->Label1->text(), QStringLiteral("Data File Loaded"));
        // The failed name is not kept: a later Save writes the picture beside the report.
        QVERIFY(form->Document.ImageFileName.isEmpty());
        form->SaveDocument();
        QVERIFY(ReadAll(Path(QStringLiteral("Plate Bolt Group Loads.bmp"))).startsWith("BM"));
    }

    void CopyImagePutsWholePictureOnClipboard() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        form->CopyImage1->trigger();
        const QImage copied = QApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(300, 400));
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), form->Document.View.Picture);
    }

    void ContextMenuFixedItems() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("plate-splice.dat"), QStringLiteral("Plate.dat"));
        QStringList captions;
        for (QAction* a : form->PopupMenu4->actions())
            captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, (QStringList{"Copy Image", "-", "Save Image", "Save Image As...", "-", "View",
                                        "Perspective", "-", "Analysis Titles", "Select All Bolts"}));
        QStringList views;
        for (QAction* a : form->View1->actions())
            views.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(views, (QStringList{"Front", "Back", "Left", "Right", "Top", "Bottom", "-", "Iso 1",
                                     "Iso 2", "Iso 3", "Iso 4", "-", "User Defined"}));
        // Items added after the fixed ten go at the next opening, which over nothing adds only
        // "Add Bolt"; Select All Bolts shows only while some bolt is unselected.
        form->PopupMenu4->addAction(QStringLiteral("Bolt 1 Properties"));
        form->BuildBoltItems(QPoint(-50, -50));
        QCOMPARE(form->PopupMenu4->actions().size(), TBoltGroupForm::FixedPopupItems + 2);
        QCOMPARE(form->PopupMenu4->actions().constLast()->text(), QStringLiteral("Add Bolt"));
        QVERIFY(form->SelectAllBolts1->isVisible());
        form->SelectAllBolts1->trigger();
        QCOMPARE(form->Document.SelectedBolts, (QList<qint32>{0, 1, 2, 3, 4, 5, 6, 7}));
        form->BuildBoltItems(QPoint(-50, -50));
        QVERIFY(!form->SelectAllBolts1->isVisible());
        QVERIFY(form->Document.DataSaved);
    }

    // ---------------------------------------------------------------------------------------
    // Picking and editing bolts

    void ClicksAndBandOnThePicture() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("bracket-3d.dat"), QStringLiteral("B.dat"));
        const TProjectedPoint top = form->Document.ProjectedBolts.at(5);
        QTest::mouseClick(form->Image1, Qt::LeftButton, Qt::ControlModifier,
                          QPoint(int(top.PlotX) + 3, int(top.PlotY) + 4));
        QCOMPARE(form->Document.SelectedBolts, QList<qint32>{top.BoltIndex});
        QCOMPARE(QColor(form->Image1->pixmap().toImage().pixel(int(top.PlotX), int(top.PlotY))).red(), 255);
        // A plain click beside the bolts clears; then a drag over the whole picture takes all.
        QTest::mouseClick(form->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTest::mousePress(form->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        QTest::mouseMove(form->Image1, QPoint(297, 330));
        QTest::mouseRelease(form->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(297, 330));
        QCOMPARE(form->Document.SelectedBoltCount(), 6);
        QVERIFY(form->Document.DataSaved);
    }

    void DeleteAsksFirst_data() {
        QTest::addColumn<TMessageResult>("answer");
        QTest::addColumn<int>("boltsLeft");
        QTest::newRow("yes") << TMessageResult::Yes << 4;
        QTest::newRow("no") << TMessageResult::No << 6;
        QTest::newRow("cancel") << TMessageResult::Cancel << 6;
    }
    void DeleteAsksFirst() {
        QFETCH(TMessageResult, answer);
        QFETCH(int, boltsLeft);
        TBoltGroupForm* form = OpenExample(QStringLiteral("bracket-3d.dat"), QStringLiteral("B.dat"));
        form->Document.SelectBolt(1);
        form->Document.SelectBolt(4);
        Dialogs->MessageAnswers = {answer};
        form->BuildBoltItems(QPoint(-50, -50));
        QAction* item = form->PopupMenu4->actions().constLast();
        QCOMPARE(item->text(), QStringLiteral("Delete Selected Bolts"));
        item->trigger();
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages[0].Text + Dialogs->Messages[0].Caption,
                 QStringLiteral("Are you sure?Delete Bolts 2,5,"));
        QCOMPARE(Dialogs->Messages[0].Buttons, TMessageButtons::YesNoCancel);
        QCOMPARE(form->Document.BoltCount(), boltsLeft);
        QCOMPARE(form->Document.SelectedBoltCount(), boltsLeft == 6 ? 2 : 0);
        QCOMPARE(form->RichEdit1->document()->isModified(), boltsLeft != 6);
    }

    // Ctrl+Z in the report after a delete brings the bolts back with a new report; Ctrl+Y deletes
    // them again.
    void UndoAndRedoOfADelete() {
        TBoltGroupForm* form = OpenExample(QStringLiteral("bracket-3d.dat"), QStringLiteral("B.dat"));
        const QList<TBolt> bolts = form->Document.Bolts;
        form->Document.SelectBolt(1);
        form->Document.SelectBolt(4);
        Dialogs->MessageAnswers = {TMessageResult::Yes};
        form->BoltDelete(1);
        QCOMPARE(form->Document.BoltCount(), 4);
        QCOMPARE(form->UndoName(), QStringLiteral("Delete Bolts"));
        form->RichEdit1->clear();
        QTest::keyClick(form->RichEdit1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->Document.Bolts, bolts);
        QCOMPARE(form->Document.SelectedBolts, (QList<qint32>{1, 4}));
        QVERIFY(form->Document.DataSaved);
        QVERIFY(!form->RichEdit1->document()->isEmpty());
        QVERIFY(!form->RichEdit1->document()->isModified());
        QVERIFY(form->CanRedo());
        QTest::keyClick(form->RichEdit1, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(form->Document.BoltCount(), 4);
        QVERIFY(!form->Document.DataSaved);
        // Typing in the report after an undo is a new change: the delete cannot be redone.
        QTest::keyClick(form->RichEdit1, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(form->CanRedo());
        QTest::keyClicks(form->RichEdit1, QStringLiteral("note"));
        QVERIFY(!form->Document.History.CanRedo());
        QCOMPARE(form->Document.BoltCount(), 6);
    }

    // A new window is given a load and bolts, each proposed from the last, until the analysis runs.
    void AddingBoltsToAnEmptyWindow() {
        TBoltGroupForm* form = NewForm();
        form->BuildBoltItems(QPoint(150, 150));
        QCOMPARE(form->PopupMenu4->actions().at(TBoltGroupForm::FixedPopupItems + 1)->text(),
                 QStringLiteral("Add Applied Load"));
        using TProps = TBoltEditing::TProperties;
        Dialogs->PropertiesAnswers = {[](TProps& v) { v.FZ = QStringLiteral("-500"); },
                                      [](TProps& v) { v.Node = QStringLiteral("7"); },
                                      [](TProps& v) { v.X = QStringLiteral("100"); },
                                      [](TProps& v) { v.Y = QStringLiteral("80"); }};
        form->BoltSelect(0);
        for (int i = 0; i < 3; ++i)
            form->AddBolt(form->Document.BoltCount());
        QStringList shown;
        for (const TProps& v : Dialogs->PropertiesShown)
            shown << QStringList{v.Caption, v.X, v.Y, v.FX, v.FZ, v.Node}.join(QLatin1Char(' '));
        QCOMPARE(shown, (QStringList{"Applied Load Properties 0 0 0 0 0", "Add Bolt Number1 0 0 1 1 0",
                                     "Add Bolt Number2 0 0 1 1 0", "Add Bolt Number3 100 0 1 1 0"}));
        QVERIFY(form->Document.ActualLoadsCalculated);
        QVERIFY(!form->Document.DataSaved);
    }
};

QTEST_MAIN(TstTBoltGroupForm)
#include "tst_tboltgroupform.moc"
