#include <sys/stat.h>
#include "foundation/tplatformerror.h"
#include "document/tbaseform.h"
#include "document/tdocumentframe.h"
#include "document/tdocumentunits.h"
#include "document/tparagraphlayout.h"
#include "document/ttextlines.h"
#include "shell/tmakercontact.h"
#include "shell/tsettings.h"
#include "spell/tspelldictionaries.h"
#include "tscripteddialogs.h"
#include "tspelldecisions.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>
#include <sys/stat.h>

namespace {

QByteArray ReadAll(const QString& name) {
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& name, const QByteArray& bytes) {
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A frame of stand-alone text document windows, each activated as it opens and gone when it
// closes; the last one opened is the active one. Its commands do what the frame's do.
class TStubFrame : public TDocumentFrame {
public:
    QList<QPointer<TBaseForm>> Forms;

    ~TStubFrame() override { qDeleteAll(Documents()); }

    QList<TBaseForm*> Documents() const {
        QList<TBaseForm*> result;
        for (TBaseForm* form : Forms)
            if (form)
                result.append(form);
        return result;
    }
    int DocumentCount() const override { return int(Documents().size()); }
    bool InsertKeyToggled() const override { return false; }
    TBaseForm* OpenFileByType(const QString& fileName) override {
        TBaseForm* form = TextEditFile1Click();
        form->OpenDocument(fileName);
        return form;
    }
    void RepaintFrame() override {}
    void UpdateFrame() override {}

    TBaseForm* TextEditFile1Click() {
        auto* form = new TBaseForm(this);
        form->setAttribute(Qt::WA_DeleteOnClose);
        Forms.append(form);
        form->FormActivate();
        return form;
    }
    TBaseForm* Active() const {
        const QList<TBaseForm*> documents = Documents();
        return documents.isEmpty() ? nullptr : documents.constLast();
    }
    void Close1Click() {
        if (TBaseForm* form = Active())
            form->CloseDocument();
    }
    void Print1Click() {
        TBaseForm* form = Active();
        if (form && TDialogs::Current().Print(nullptr, TBaseForm::Printer()))
            form->PrintDocument();
    }
};

constexpr int LongFileLines = 20'000;

// Files of more than a kilobyte are read on a thread while the guard lasts.
struct TBackgroundReadGuard {
    qsizetype Saved = TBaseForm::BackgroundReadBytes;
    TBackgroundReadGuard() { TBaseForm::BackgroundReadBytes = 1024; }
    ~TBackgroundReadGuard() { TBaseForm::BackgroundReadBytes = Saved; }
};

} // namespace

class TstTBaseForm : public QObject {
    Q_OBJECT

    QTemporaryDir Home;
    QString OldHome;
    TStubFrame* Frame = nullptr;
    TScriptedDialogs* Dialogs = nullptr;

    QString Path(const QString& name) const { return QDir(Home.path()).filePath(name); }

private slots:
    void initTestCase() {
        OldHome = qEnvironmentVariable("HOME");
        qputenv("HOME", Home.path().toLocal8Bit());
    }
    void cleanupTestCase() { qputenv("HOME", OldHome.toLocal8Bit()); }

    void init() {
        QFile::remove(Path(QStringLiteral("fastenex.ini")));
        TSettings::SetLocation(Path(QStringLiteral("fastenex.ini")));
        TBaseForm::ResetFirstActivation();
        Dialogs = new TScriptedDialogs;
        Frame = new TStubFrame;
    }
    void cleanup() {
        // Nothing left modified, so that closing asks nothing.
        for (TBaseForm* form : Frame->Documents())
            form->RichEdit1->document()->setModified(false);
        delete Frame;
        Frame = nullptr;
        delete Dialogs;
        Dialogs = nullptr;
        TSettings::SetLocation(QString());
    }

    void FirstDocumentNamesAndSaveWithoutDialog() {
        TBaseForm* first = Frame->TextEditFile1Click();
        QCOMPARE(first->FileName, Path(QStringLiteral("Untitled 1.rtf")));
        QCOMPARE(first->windowTitle(),
                 QStringLiteral("Text Editor - ") + Path(QStringLiteral("Untitled 1.rtf")));
        TBaseForm* second = Frame->TextEditFile1Click();
        QCOMPARE(second->FileName, Path(QStringLiteral("Untitled 2.rtf")));

        first->RichEdit1->setPlainText(QStringLiteral("bolt loads"));
        first->SaveDocument();
        QVERIFY(Dialogs->AskedTitles.isEmpty());
        QVERIFY(ReadAll(first->FileName).startsWith("{\\rtf1"));
        QVERIFY(!first->IsModified());
        QCOMPARE(TSettings().QuickListFileName(1), first->FileName);
    }

    void ExtensionChoosesPlainOrRichText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("rich");
        QTest::newRow("notes.TXT") << QStringLiteral("notes.TXT") << false;
        QTest::newRow("x.rtf") << QStringLiteral("x.rtf") << true;
        QTest::newRow("Y.RTF") << QStringLiteral("Y.RTF") << true;
        QTest::newRow("frame.nis") << QStringLiteral("frame.nis") << false;
    }
    void ExtensionChoosesPlainOrRichText() {
        QFETCH(QString, name);
        QFETCH(bool, rich);
        const QString file = Path(name);
        // Rich text in a plain-text file stays its literal text.
        const QByteArray rtf = "{\\rtf1\\ansi {\\b Bold} plain\\par}";
        WriteAll(file, rich ? rtf : QByteArray("line one\r\n{\\b not rtf}\r\n"));
        TBaseForm* form = Frame->OpenFileByType(file);
        QVERIFY(form);
        QCOMPARE(form->FileName, file);
        if (rich) {
            QCOMPARE(form->RichEdit1->toPlainText().trimmed(), QStringLiteral("Bold plain"));
        } else {
            QCOMPARE(form->RichEdit1->toPlainText(),
                     QStringLiteral("line one\n{\\b not rtf}\n"));
        }
        QVERIFY(!form->IsModified());
        QVERIFY(!form->RichEdit1->document()->isUndoAvailable());

        form->RichEdit1->textCursor().insertText(QStringLiteral("new "));
        form->SaveDocument();
        const QByteArray saved = ReadAll(file);
        QCOMPARE(saved.startsWith("{\\rtf1"), rich);
        if (!rich)
            QCOMPARE(saved, QByteArray("new line one\r\n{\\b not rtf}\r\n")); // line ends kept
    }

    // A settings file that cannot be written costs the recent-file entry, never the document.
    void UnwritableSettingsDoNotStopOpenOrSave() {
        const QString folder = Path(QStringLiteral("settings-folder"));
        QDir().mkpath(folder);
        TSettings::SetLocation(folder);
        const QString file = Path(QStringLiteral("kept.txt"));
        WriteAll(file, QByteArray("text\r\n"));
        TBaseForm* form = Frame->OpenFileByType(file);
        QVERIFY(form);
        QCOMPARE(form->RichEdit1->toPlainText(), QStringLiteral("text\n"));
        form->RichEdit1->textCursor().insertText(QStringLiteral("more "));
        form->SaveDocument();
        QCOMPARE(ReadAll(file), QByteArray("more text\r\n"));
        QVERIFY(!form->IsModified());
    }

    // A name that cannot be opened is told by what is there.
    void MissingFileMessageAndCaption_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said");
        QTest::newRow("missing") << QStringLiteral("gone.rtf") << QStringLiteral("cannot be found.");
        QTest::newRow("folder") << QStringLiteral("folder.txt") << QStringLiteral("is a folder.");
        QTest::newRow("FIFO") << QStringLiteral("fifo.txt") << QStringLiteral("is not a regular file.");
    }
    void MissingFileMessageAndCaption() {
        QFETCH(QString, name);
        QFETCH(QString, said);
        const QString missing = Path(name);
        if (name.startsWith(QStringLiteral("folder")))
            QDir().mkpath(missing);
        else if (name.startsWith(QStringLiteral("fifo")))
            QCOMPARE(::mkfifo(QFile::encodeName(missing).constData(), 0600), 0);
        TBaseForm* form = Frame->OpenFileByType(missing);
        QVERIFY(form);
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages[0].Text,
                 QStringLiteral("File\n\"") + missing + QStringLiteral("\"\n") + said);
        QCOMPARE(Dialogs->Messages[0].Caption, QStringLiteral("Error"));
        QCOMPARE(Dialogs->Messages[0].Icon, TMessageIcon::Error);
        QVERIFY(form->windowTitle().endsWith(QStringLiteral("Error.rtf")));
        QCOMPARE(Frame->DocumentCount(), 1);
        QCOMPARE(TSettings().FileCount(), 0);
    }

    // A plain-text file is saved in the encoding and with the line ends it was read with; a
    // character its code page cannot hold makes the window ask before saving as UTF-8.
    void PlainTextSavedAsRead_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("code page kept") << QStringLiteral("\u20ac ") << int(TMessageResult::Ok)
                                        << QByteArray("\x80 caf\xe9\nend");
        QTest::newRow("beyond the code page, declined")
            << QStringLiteral("\u03a9 ") << int(TMessageResult::No) << QByteArray("caf\xe9\nend");
        QTest::newRow("beyond the code page, as UTF-8")
            << QStringLiteral("\u03a9 ") << int(TMessageResult::Yes)
            << QByteArray("\xce\xa9 caf\xc3\xa9\nend");
    }
    void PlainTextSavedAsRead() {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QByteArray, saved);
        const QString file = Path(QStringLiteral("cp1252.txt"));
        WriteAll(file, QByteArray("caf\xe9\nend"));
        TBaseForm* form = Frame->OpenFileByType(file);
        form->RichEdit1->textCursor().insertText(typed);
        Dialogs->MessageAnswers = {TMessageResult(answer)};
        form->SaveDocument();
        QCOMPARE(Dialogs->Messages.size(), answer == int(TMessageResult::Ok) ? 0 : 1);
        QCOMPARE(ReadAll(file), saved);
        QCOMPARE(form->IsModified(), answer == int(TMessageResult::No));
    }

    // A long file shows its start at once, and is read whole on a thread; once read it is the
    // file's whole text, unmodified, with nothing to undo, and saves back as it was read.
    void LongFileReadInBackground_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray cp1252;
        QString text;
        QByteArray rtf("{\\rtf1\\ansi ");
        for (int i = 0; i < LongFileLines; ++i) {
            cp1252 += "line " + QByteArray::number(i) + " caf\xe9\r\n";
            text += QStringLiteral("line %1 caf\u00e9\n").arg(i);
            rtf += "line " + QByteArray::number(i) + " caf\\'e9\\par\n";
        }
        QByteArray utf16("\xFF\xFE");
        utf16 += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        QTest::newRow("code page, CR LF") << QStringLiteral("long.txt") << cp1252;
        QTest::newRow("UTF-16") << QStringLiteral("long16.txt") << utf16;
        QTest::newRow("rich text") << QStringLiteral("long.rtf") << rtf + "}";
    }
    void LongFileReadInBackground() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const TBackgroundReadGuard small;
        const QString file = Path(name);
        WriteAll(file, bytes);
        TBaseForm* form = Frame->OpenFileByType(file);
        QTextEdit* edit = form->RichEdit1;
        QVERIFY(form->IsLoading());
        QVERIFY(edit->document()->blockCount() < LongFileLines);
        QCOMPARE(edit->document()->begin().text(), QStringLiteral("line 0 caf\u00e9"));
        const QString page = edit->toPlainText();
        QTRY_VERIFY(!form->IsLoading());
        QVERIFY(!edit->isReadOnly());
        QVERIFY(edit->toPlainText().startsWith(page));
        QCOMPARE(edit->document()->findBlockByNumber(LongFileLines - 1).text(),
                 QStringLiteral("line %1 caf\u00e9").arg(LongFileLines - 1));
        QVERIFY(!form->IsModified());
        QVERIFY(!edit->document()->isUndoAvailable());
        QVERIFY(form->windowTitle().contains(name));
        if (name.endsWith(QLatin1String(".txt"))) {
            edit->document()->setModified(true);
            form->SaveDocument();
            QCOMPARE(ReadAll(file), bytes);
        }
    }

    // A paragraph that Qt would lay out in one long call is laid out while the file is read, at
    // the window's width: the window shows it with nothing left to lay out.
    void LongParagraphLaidOutWhileRead() {
        const TBackgroundReadGuard small;
        const QString file = Path(QStringLiteral("paragraph.txt"));
        WriteAll(file, QByteArray("word ").repeated(TParagraphLayout::LongParagraph / 5 + 1));
        TBaseForm* form = Frame->OpenFileByType(file);
        QVERIFY(form->IsLoading());
        form->FinishLoading();
        const QTextDocument* document = form->RichEdit1->document();
        const auto* layout = qobject_cast<const TParagraphLayout*>(document->documentLayout());
        QVERIFY(layout);
        QVERIFY(layout->Finished());
        const QTextLayout* lines = document->begin().layout();
        QVERIFY(lines->lineCount() > 1);
        QVERIFY(lines->lineAt(0).naturalTextWidth() < document->pageSize().width());
    }

    // While a long file is read, the caret can move and the view scroll, and what is typed into
    // its start is typed into the whole text once it is read; anything else waits for the
    // whole text first, and then happens to it where the caret was.
    void WhatWaitsForTheWholeText_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain text") << QStringLiteral("long.txt");
        QTest::newRow("rich text") << QStringLiteral("long.rtf");
    }
    void WhatWaitsForTheWholeText() {
        QFETCH(QString, name);
        const TBackgroundReadGuard small;
        const QString file = Path(name);
        QString text;
        for (int i = 0; i < LongFileLines; ++i)
            text += QStringLiteral("line %1\n").arg(i);
        WriteAll(file, name.endsWith(QLatin1String(".rtf"))
                           ? "{\\rtf1\\ansi " + text.toUtf8().replace("\n", "\\par\n") + "}"
                           : text.toUtf8());
        // Sent straight, so that no event runs meanwhile and the load cannot end of itself.
        const auto click = [](QWidget* widget) {
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
                QMouseEvent event(type, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(widget, &event);
            }
        };
        TBaseForm* form = Frame->OpenFileByType(file);
        QTextEdit* edit = form->RichEdit1;
        click(edit->viewport());
        edit->moveCursor(QTextCursor::Start);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClick(edit, Qt::Key_Down);
        QTest::keyClicks(edit, QStringLiteral("xy"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Return);
        // The first page's end is where the rest of the text goes on.
        const QTextBlock pageEnd = edit->document()->lastBlock();
        const int endNumber = pageEnd.blockNumber();
        const QString endText = pageEnd.text() + QLatin1Char('z') + QChar::LineSeparator;
        edit->moveCursor(QTextCursor::End);
        QTest::keyClick(edit, Qt::Key_Z);
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(form->IsLoading());
        QCOMPARE(edit->document()->lastBlock().text(), endText);
        QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
        QVERIFY(!form->IsLoading());
        const QTextDocument* whole = edit->document();
        QCOMPARE(whole->findBlockByNumber(2).text(), QStringLiteral("x"));
        QCOMPARE(whole->findBlockByNumber(3).text(), QStringLiteral("line 2"));
        QVERIFY(whole->findBlockByNumber(endNumber).text().startsWith(endText));
        // Without word wrap, a line break typed meanwhile counts one more line.
        QVERIFY(!TTextLines::KnownWithoutLineBreaks(*whole));
        QVERIFY(form->IsModified());
        while (whole->isUndoAvailable())
            edit->undo();
        // The rich text's last paragraph mark ends its last line, where the plain text's last
        // line end starts an empty line.
        QCOMPARE(whole->toPlainText(), text.chopped(whole->lastBlock().text().isEmpty() ? 0 : 1));

        // A click outside the text waits too; a window closed meanwhile goes at once.
        form = Frame->OpenFileByType(file);
        click(form->CoolBar1);
        QVERIFY(!form->IsLoading());
        form = Frame->OpenFileByType(file);
        QPointer<TBaseForm> closed(form);
        form->CloseDocument();
        QTRY_VERIFY(!closed);
    }

    // Saved while it is read, a text typed into is saved whole, with what was typed.
    void SavedWhileReadWhole() {
        const TBackgroundReadGuard small;
        const QString file = Path(QStringLiteral("saved.txt"));
        QByteArray bytes;
        for (int i = 0; i < LongFileLines; ++i)
            bytes += "line " + QByteArray::number(i) + "\n";
        WriteAll(file, bytes);
        TBaseForm* form = Frame->OpenFileByType(file);
        form->RichEdit1->moveCursor(QTextCursor::Start);
        QTest::keyClick(form->RichEdit1, Qt::Key_X);
        QVERIFY(form->IsLoading());
        QVERIFY(form->IsModified());
        form->SaveDocument();
        QCOMPARE(ReadAll(file), "x" + bytes);
    }

    // A first page that is not the start of the whole text, read in full: what was typed into
    // it is left on the clipboard, and the user is told.
    void TypingWithoutAPlaceGoesToTheClipboard_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QByteArray rtf("{\\rtf1\\ansi ");
        for (int i = 0; i < 3000; ++i)
            rtf += "line " + QByteArray::number(i) + "\\par ";
        // On one line, so that the page ends inside a row.
        for (int i = 0; i < 2000; ++i)
            rtf += "\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row ";
        QTest::newRow("rich text cut in a table") << QStringLiteral("table.rtf") << rtf + "}";
        // UTF-8 in its first page, code page 1252 in whole.
        QByteArray text;
        for (int i = 0; i < LongFileLines; ++i)
            text += "line " + QByteArray::number(i) + " caf\xc3\xa9\n";
        QTest::newRow("plain text of two encodings") << QStringLiteral("mixed.txt") << text + "\xff\n";
    }
    void TypingWithoutAPlaceGoesToTheClipboard() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const TBackgroundReadGuard small;
        const QString file = Path(name);
        WriteAll(file, bytes);
        TBaseForm* form = Frame->OpenFileByType(file);
        QTextEdit* edit = form->RichEdit1;
        edit->moveCursor(QTextCursor::Start);
        QTest::keyClicks(edit, QStringLiteral("typed"));
        QVERIFY(form->IsLoading());
        QApplication::clipboard()->clear();
        form->FinishLoading();
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages[0].Text,
                 QStringLiteral("What was typed while %1 was read could not be placed in its text. "
                                "It is on the clipboard.").arg(file));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("typed"));
        QVERIFY(edit->document()->begin().text().startsWith(QStringLiteral("line 0")));
        QVERIFY(!form->IsModified());
    }

    void CloseQuery_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Cancel keeps it") << int(TMessageResult::Cancel) << false << false;
        QTest::newRow("No closes unsaved") << int(TMessageResult::No) << true << false;
        QTest::newRow("Yes saves and closes") << int(TMessageResult::Yes) << true << true;
    }
    void CloseQuery() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        TBaseForm* form = Frame->TextEditFile1Click();
        form->FileName = Path(QStringLiteral("close.txt"));
        form->TypeText(QStringLiteral("changed"));
        QVERIFY(form->IsModified());
        Dialogs->MessageAnswers = {TMessageResult(answer)};
        QPointer<TBaseForm> guard(form);
        Frame->Close1Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages[0].Text,
                 QStringLiteral("Save changes to ") + Path(QStringLiteral("close.txt")) +
                     QStringLiteral("?"));
        QCOMPARE(Dialogs->Messages[0].Buttons, TMessageButtons::YesNoCancel);
        QCOMPARE(guard.isNull(), closed);
        if (!closed)
            QVERIFY(form->IsModified());
        QCOMPARE(QFile::exists(Path(QStringLiteral("close.txt"))), saved);
    }

    void FailedSaveInCloseQueryKeepsWindow() {
        TBaseForm* form = Frame->TextEditFile1Click();
        form->FileName = Path(QStringLiteral("no such folder/close.txt"));
        form->TypeText(QStringLiteral("precious"));
        Dialogs->MessageAnswers = {TMessageResult::Yes};
        QPointer<TBaseForm> guard(form);
        Frame->Close1Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!guard.isNull());
        QVERIFY(form->IsModified());
        QCOMPARE(Dialogs->Messages.size(), 2);
        QCOMPARE(Dialogs->Messages[1].Caption, QStringLiteral("Error"));
    }

    void BusyWindowRefusesToClose() {
        TBaseForm* form = Frame->TextEditFile1Click();
        form->Busy = true;
        QPointer<TBaseForm> guard(form);
        Frame->Close1Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!guard.isNull());
        QVERIFY(Dialogs->Messages.isEmpty());
        form->Busy = false;
    }

    void SaveAsOverwriteQuestion_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("No keeps the file") << int(TMessageResult::No) << QByteArray("old");
        QTest::newRow("Yes overwrites") << int(TMessageResult::Yes) << QByteArray("new");
    }
    void SaveAsOverwriteQuestion() {
        QFETCH(int, answer);
        QFETCH(QByteArray, expected);
        const QString target = Path(QStringLiteral("exists.txt"));
        WriteAll(target, "old");
        TBaseForm* form = Frame->TextEditFile1Click();
        form->RichEdit1->setPlainText(QStringLiteral("new"));
        Dialogs->SaveNames = {target};
        Dialogs->MessageAnswers = {TMessageResult(answer)};
        form->SaveDocumentAs();
        QCOMPARE(Dialogs->AskedTitles, QStringList{QStringLiteral("Save Document")});
        QCOMPARE(Dialogs->ProposedNames, QStringList{Path(QStringLiteral("Untitled 1.rtf"))});
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages[0].Text, QStringLiteral("The File Already Exists\n\n  Overwrite?"));
        QCOMPARE(ReadAll(target), expected);
        QCOMPARE(form->FileName == target, answer == int(TMessageResult::Yes));
    }

    void RefusedOpenLeavesWindowAsItWas() {
        const QString huge = Path(QStringLiteral("huge.rtf"));
        {
            QFile file(huge);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(600LL << 20));
        }
        TBaseForm* form = Frame->TextEditFile1Click();
        const QString before = form->FileName;
        form->RichEdit1->setPlainText(QStringLiteral("typed"));
        form->RichEdit1->document()->setModified(true);
        QVERIFY_THROWS_EXCEPTION(TPlatformError, form->OpenDocument(huge));
        QCOMPARE(form->FileName, before);
        QCOMPARE(form->RichEdit1->toPlainText(), QStringLiteral("typed"));
        QVERIFY(form->IsModified());
        QFile::remove(huge);
    }

    // The first save over a rich-text file whose content the editor left out asks first; Cancel
    // keeps the file, Yes saves and is not asked again.
    void SaveOverLeftOutContentAsks() {
        const QString name = Path(QStringLiteral("hidden.rtf"));
        const QByteArray original = "{\\rtf1\\ansi Shown {\\v hidden} text.\\par}";
        WriteAll(name, original);
        TBaseForm* form = Frame->TextEditFile1Click();
        form->OpenDocument(name);
        form->RichEdit1->textCursor().insertText(QStringLiteral("More. "));
        Dialogs->MessageAnswers = {TMessageResult::Cancel};
        form->SaveDocument();
        QCOMPARE(Dialogs->Messages.size(), 1);
        QVERIFY(Dialogs->Messages[0].Text.contains(QStringLiteral("(hidden text)")));
        QCOMPARE(ReadAll(name), original);
        QVERIFY(form->IsModified());
        Dialogs->MessageAnswers = {TMessageResult::Yes};
        form->SaveDocument();
        QVERIFY(!form->IsModified());
        form->RichEdit1->textCursor().insertText(QStringLiteral("Again. "));
        form->SaveDocument();
        QCOMPARE(Dialogs->Messages.size(), 2);
        QVERIFY(!form->IsModified());
    }

    void OpenOverUnsavedWorkAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Cancel opens nothing") << int(TMessageResult::Cancel) << false << false;
        QTest::newRow("No discards") << int(TMessageResult::No) << true << false;
        QTest::newRow("Yes saves first") << int(TMessageResult::Yes) << true << true;
    }
    void OpenOverUnsavedWorkAsks() {
        QFETCH(int, answer);
        QFETCH(bool, opened);
        QFETCH(bool, saved);
        const QString other = Path(QStringLiteral("other.txt"));
        WriteAll(other, "other text");
        TBaseForm* form = Frame->TextEditFile1Click();
        const QString before = form->FileName;
        QFile::remove(before);
        form->RichEdit1->setPlainText(QStringLiteral("unsaved"));
        form->RichEdit1->document()->setModified(true);
        Dialogs->OpenNames = {other};
        Dialogs->MessageAnswers = {TMessageResult(answer)};
        form->Open2Click();
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages[0].Text, QStringLiteral("Save changes to ") + before + QStringLiteral("?"));
        QCOMPARE(form->FileName == other, opened);
        QCOMPARE(form->RichEdit1->toPlainText() == QStringLiteral("other text"), opened);
        QCOMPARE(QFile::exists(before), saved);
    }

    void SaveAsRefusesSpecialFile() {
        const QString fifo = Path(QStringLiteral("pipe.txt"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        TBaseForm* form = Frame->TextEditFile1Click();
        form->RichEdit1->setPlainText(QStringLiteral("new"));
        Dialogs->SaveNames = {fifo};
        form->SaveDocumentAs();
        QCOMPARE(Dialogs->Messages.size(), 1);
        QVERIFY(Dialogs->Messages[0].Text.contains(QStringLiteral("not a regular file")));
        QVERIFY(QFileInfo(fifo).isFile() == false && QFileInfo::exists(fifo));
        QVERIFY(form->FileName != fifo);
        QFile::remove(fifo);
    }

    void ShowOutputTemporaryNames() {
        TBaseForm* form = Frame->TextEditFile1Click();
        const QString folder = Path(QStringLiteral("a"));
        QDir().mkpath(folder);
        WriteAll(folder + QStringLiteral("/r.tmp"), "someone else's");
        form->FileName = folder + QStringLiteral("/r.dat");
        form->CreateLineBuffers();
        form->AddOutputLine(QStringLiteral("Report"));
        form->AddOutputLine(QStringLiteral("  Bolt 1"));
        form->ShowOutput();
        QCOMPARE(form->FileName, folder + QStringLiteral("/r.rtf"));
        QCOMPARE(form->RichEdit1->toPlainText(), QStringLiteral("Report\n  Bolt 1\n"));
        QCOMPARE(ReadAll(folder + QStringLiteral("/r.tmp")), QByteArray("someone else's"));
        // Nothing of the report is left beside the document.
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("r.tmp")});
        QCOMPARE(form->RichEdit1->document()->defaultFont().family(), QStringLiteral("Courier New"));
        form->FreeLineBuffers();
    }

    void ShowOutputWhereTheFolderCannotBeWritten() {
        TBaseForm* form = Frame->TextEditFile1Click();
        form->FileName = Path(QStringLiteral("missing folder/r.dat"));
        form->CreateLineBuffers();
        form->AddOutputLine(QStringLiteral("Shown anyway"));
        form->ShowOutput();
        QCOMPARE(form->RichEdit1->toPlainText(), QStringLiteral("Shown anyway\n"));
        QCOMPARE(form->FileName, Path(QStringLiteral("missing folder/r.rtf")));
        form->FreeLineBuffers();
    }

    void ShowOutputWithoutBuffersDoesNothing() {
        TBaseForm* form = Frame->TextEditFile1Click();
        form->RichEdit1->setPlainText(QStringLiteral("kept"));
        form->ShowOutput();
        QCOMPARE(form->RichEdit1->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(form->FileName, Path(QStringLiteral("Untitled 1.rtf")));
    }

    void FormatOutputStylesTitlesAndLeavesEditorUsable() {
        TBaseForm* form = Frame->TextEditFile1Click();
        form->CreateLineBuffers();
        form->AddOutputLine(QStringLiteral("Bolt Group Analysis"));
        form->AddOutputLine(QStringLiteral("Loads"));
        form->AddTitleLine(QStringLiteral("  Bolt Group Analysis  "));
        form->AddSubtitleLine(QStringLiteral("Loads"));
        form->ShowOutput();
        form->FormatOutput();
        QCOMPARE(form->Label1->text(), QStringLiteral("Formatting Output"));
        QVERIFY(form->RichEdit1->isEnabled());
        QVERIFY(form->RichEdit1->updatesEnabled());
        const QTextBlock first = form->RichEdit1->document()->firstBlock();
        QTextCursor cursor(first);
        cursor.setPosition(first.position() + 1);
        QVERIFY(cursor.charFormat().fontWeight() > QFont::Normal);
        QTextCursor second(first.next());
        second.setPosition(first.next().position() + 1);
        QVERIFY(second.charFormat().fontUnderline());
        QVERIFY(second.charFormat().fontWeight() <= QFont::Normal);
        form->FreeLineBuffers();
    }

    // ShowOutput styles the lines with the text; a change of the styles or of the text before
    // FormatOutput runs must still end in the styles of the buffers.
    void FormatOutputAfterAChange_data() {
        QTest::addColumn<bool>("changeStyle");
        QTest::newRow("title style changed") << true;
        QTest::newRow("text formatting cleared") << false;
    }
    void FormatOutputAfterAChange() {
        QFETCH(bool, changeStyle);
        TBaseForm* form = Frame->TextEditFile1Click();
        form->CreateLineBuffers();
        form->AddOutputLine(QStringLiteral("Results"));
        form->AddOutputLine(QStringLiteral("Loads"));
        form->AddTitleLine(QStringLiteral("Results"));
        form->AddSubtitleLine(QStringLiteral("Loads"));
        form->ShowOutput();
        QTextDocument* document = form->RichEdit1->document();
        if (changeStyle) {
            form->TitleStyle = TFontStyles{TFontStyle::Italic};
        } else {
            QTextCursor all(document);
            all.select(QTextCursor::Document);
            all.setCharFormat(QTextCharFormat());
        }
        form->FormatOutput();
        QTextCursor title(document);
        title.setPosition(1);
        QCOMPARE(title.charFormat().fontItalic(), changeStyle);
        QCOMPARE(title.charFormat().fontWeight() > QFont::Normal, !changeStyle);
        QTextCursor subtitle(document->firstBlock().next());
        subtitle.setPosition(subtitle.position() + 1);
        QVERIFY(subtitle.charFormat().fontUnderline());
        form->FreeLineBuffers();
    }

    void ProgressRedrawsOnlyAfterMoreThanHundredUnits_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("gauge");
        QTest::newRow("100 units: no redraw") << 100 << 0;
        QTest::newRow("101 units: redraw") << 101 << 50;
    }
    void ProgressRedrawsOnlyAfterMoreThanHundredUnits() {
        QFETCH(int, position);
        QFETCH(int, gauge);
        TBaseForm* form = Frame->TextEditFile1Click();
        form->ProgressTotal = 202;
        form->ProgressShown = 0;
        form->ProgressPosition = position;
        form->UpdateProgress();
        QCOMPARE(form->Gauge1->value(), gauge);
    }

    void ContextMenuEnabling() {
        TBaseForm* form = Frame->TextEditFile1Click();
        form->MenuPopupAction();
        for (QAction* a : {form->Print2, form->SaveAs2, form->Cut1, form->Copy1, form->Undo1,
                           form->Save2})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        QVERIFY(form->TextAlignment1->isEnabled());
        form->TypeText(QStringLiteral("some text"));
        form->RichEdit1->selectAll();
        form->ToggleWordWrap();
        form->MenuPopupAction();
        for (QAction* a : {form->Print2, form->SaveAs2, form->Cut1, form->Copy1, form->Save2})
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        QVERIFY(!form->TextAlignment1->isEnabled());
    }

    // A text taller than 8,388,607 pixels, the limit of the layout's fixed-point numbers, is
    // laid out to its end once shown and after a change of wrap, width or alignment made while
    // the view is far down in it.
    void TallTextIsLaidOutToItsEnd_data() {
        QTest::addColumn<int>("change");
        QTest::newRow("shown") << 0;
        QTest::newRow("word wrap toggled") << 1;
        QTest::newRow("narrower") << 2;
        QTest::newRow("aligned") << 3;
    }
    void TallTextIsLaidOutToItsEnd() {
        QFETCH(int, change);
        TBaseForm* form = Frame->TextEditFile1Click();
        QTextEdit* edit = form->RichEdit1;
        edit->setPlainText(QStringLiteral("x\n").repeated(3500));
        QFont font = edit->document()->defaultFont();
        font.setPixelSize(3000);
        QTextCharFormat tall;
        tall.setFont(font);
        QTextCursor all(edit->document());
        all.select(QTextCursor::Document);
        all.mergeCharFormat(tall);
        form->resize(600, 400);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QTextDocument* document = edit->document();
        edit->moveCursor(QTextCursor::End);
        if (change == 1)
            form->ToggleWordWrap();
        else if (change == 2)
            form->resize(500, 400);
        else if (change == 3)
            form->Left1Click(2);
        QCoreApplication::processEvents();
        QVERIFY(document->documentLayout()->documentSize().height() > 8'388'607);
        QVERIFY(document->lastBlock().layout()->lineCount() > 0);
    }

    void IndentStepsMoveEachSelectedParagraphOnly() {
        TBaseForm* form = Frame->TextEditFile1Click();
        form->RichEdit1->setHtml(QStringLiteral(
            "<p align=right>right</p><p style='margin-left:20px;margin-right:30px'>indented</p>"
            "<ul><li>bullet</li></ul><ol><li>numbered</li></ol>"));
        form->RichEdit1->selectAll();
        form->StepParagraphIndent(10);
        form->StepFirstLineIndent(5);
        form->StepRightIndent(-20);
        QTextDocument* document = form->RichEdit1->document();
        const QTextBlock right = document->firstBlock();
        const QTextBlock indented = right.next();
        const QTextBlock bullet = indented.next();
        const QTextBlock numbered = bullet.next();
        QVERIFY(right.blockFormat().alignment() & Qt::AlignRight);
        // The steps are in points, the document's indents in its pixels.
        const auto px = [](qreal points) { return TDocumentUnits::PointsToPixels(points); };
        QCOMPARE(right.blockFormat().leftMargin(), px(10));
        QCOMPARE(right.blockFormat().rightMargin(), 0.0);
        QCOMPARE(indented.blockFormat().leftMargin(), 20 + px(10));
        QCOMPARE(indented.blockFormat().textIndent(), px(5));
        QCOMPARE(indented.blockFormat().rightMargin(), 30 - px(20));
        QVERIFY(bullet.textList() && numbered.textList());
        QVERIFY(bullet.textList() != numbered.textList());
        QCOMPARE(bullet.textList()->format().style(), QTextListFormat::ListDisc);
    }

    void StatusPanelVisibility() {
        TBaseForm* form = Frame->TextEditFile1Click();
        QVERIFY(form->CoolBar1->isHidden());
        QVERIFY(form->ToolBar1->isHidden());
        // Each item is checked as the menu opens, as a user sees it.
        form->PopupMenu3Popup();
        form->StatusBar1->trigger();
        QVERIFY(!form->CoolBar1->isHidden());
        form->PopupMenu3Popup();
        form->InformationLabel1->trigger();
        QVERIFY(!form->CoolBar1->isHidden());   // the gauge is still shown
        form->PopupMenu3Popup();
        form->ProgressBar1->trigger();
        QVERIFY(form->CoolBar1->isHidden());    // nothing left to show
        // Showing the panel again with every part hidden brings the label back.
        form->PopupMenu3Popup();
        form->StatusBar1->trigger();
        QVERIFY(!form->CoolBar1->isHidden());
        QVERIFY(!form->Label1->isHidden());
    }

    void DecimalPlaces() {
        TBaseForm* form = Frame->TextEditFile1Click();
        QVERIFY(form->N2DecimalPlaces1->isChecked());
        QCOMPARE(form->OutputDecimalPlaces, 0);
        form->N3DecimalPlaces1->trigger();
        QCOMPARE(form->OutputDecimalPlaces, 3);
        QVERIFY(form->N3DecimalPlaces1->isChecked());
        QVERIFY(!form->N2DecimalPlaces1->isChecked());
    }

    void FirstActivationTakesTheSettingsFontOnce() {
        TSettings settings;
        settings.SetFontStyle(QStringLiteral("Liberation Serif"));
        settings.SetFontSize(QStringLiteral("twelve"));
        settings.SetBold(true);
        TBaseForm* first = Frame->TextEditFile1Click();
        QCOMPARE(first->RichEdit1->currentCharFormat().font().family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(first->RichEdit1->currentFont().pointSize(), 8);
        QVERIFY(first->RichEdit1->currentCharFormat().fontWeight() > QFont::Normal);
        TBaseForm* second = Frame->TextEditFile1Click();
        QCOMPARE(second->RichEdit1->currentFont().family(), QStringLiteral("Courier New"));
    }

    void PrintsToPdfWithCaptionAsTitle() {
        TBaseForm* form = Frame->TextEditFile1Click();
        form->RichEdit1->setPlainText(QStringLiteral("Printed page"));
        QPrinter& printer = TBaseForm::Printer();
        const QString pdf = Path(QStringLiteral("print.pdf"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        Frame->Print1Click();
        QCOMPARE(Dialogs->PrintAsked, 1);
        QVERIFY(ReadAll(pdf).startsWith("%PDF"));
        QCOMPARE(printer.docName(), form->Caption());
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        const QRect paint = printer.pageLayout().paintRectPixels(printer.resolution());
        const QRect full = printer.pageLayout().fullRectPixels(printer.resolution());
        // The page layout keeps whole points, so 40 device units come out within one point.
        const int point = printer.resolution() / 72 + 1;
        QVERIFY(qAbs(paint.left() - full.left() - 40) <= point);
        QVERIFY(qAbs(full.bottom() - paint.bottom() - 40) <= point);
        printer.setOutputFileName(QString());
        // Cancelled printer dialog: nothing printed.
        QFile::remove(pdf);
        Dialogs->PrintAnswer = false;
        Frame->Print1Click();
        QVERIFY(!QFile::exists(pdf));
    }

    void SendReportsAFailedMailStart_data() {
        QTest::addColumn<QString>("mailer");
        QTest::newRow("not started") << Path(QStringLiteral("no-such-mailer"));
        QTest::newRow("failure exit status") << QStringLiteral("false");
    }
    void SendReportsAFailedMailStart() {
        QFETCH(QString, mailer);
        TBaseForm* form = Frame->TextEditFile1Click();
        form->RichEdit1->setPlainText(QStringLiteral("mail me"));
        const QString program = TMakerContact::MailProgram;
        TMakerContact::MailProgram = mailer;
        form->SendDocument();
        TMakerContact::MailProgram = program;
        QCOMPARE(TSettings().MessageCount(), 1);
        const QString copy = TSettings().Folders.ProgramFolderFile(
            QStringLiteral("Meshwright Message 1.rtf"));
        QVERIFY(QFile::exists(copy));
        QFile::remove(copy);
        QCOMPARE(Dialogs->Messages.size(), 1);
        QCOMPARE(Dialogs->Messages[0].Text, QStringLiteral("Error sending mail"));
    }

    void TypedTextAndCaret() {
        TBaseForm* form = Frame->TextEditFile1Click();
        QCOMPARE(form->CaretPosition(), QPoint(1, 1));
        form->TypeText(QStringLiteral("ab\ncd"));
        QCOMPARE(form->CaretPosition(), QPoint(2, 3));
        QVERIFY(form->IsModified());
        form->Undo();
        QCOMPARE(form->RichEdit1->toPlainText(), QString());
    }

    // The checker's corrections go into the rich text word by word: a replacement of another
    // number of words or a removed repeat moves nothing out of place, every other word keeps its
    // format, and a checked selection stays selected over the corrected text.
    void SpellCheckWritesCorrectionsBack_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("selectFrom");   // -1: nothing selected
        QTest::addColumn<int>("selectTo");
        QTest::addColumn<QStringList>("decisions");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("selected");
        QTest::newRow("one word becomes two")
            << "i have alot of <b>bold</b> words here" << -1 << 0 << QStringList{"R:a lot"}
            << "i have a lot of bold words here" << "";
        QTest::newRow("repeat removed") << "the the <b>bold</b> words" << -1 << 0
                                        << QStringList{"R"} << "the bold words" << "";
        QTest::newRow("selection only") << "alot <b>bold</b> alot words" << 5 << 14
                                        << QStringList{"R:a lot"} << "alot bold a lot words"
                                        << "bold a lot";
        QTest::newRow("aborted") << "alot <b>bold</b> words" << -1 << 0
                                 << QStringList{"R:a lot", "B"} << "alot bold words" << "";
    }
    void SpellCheckWritesCorrectionsBack() {
        QFETCH(QString, html);
        QFETCH(int, selectFrom);
        QFETCH(int, selectTo);
        QFETCH(QStringList, decisions);
        QFETCH(QString, expected);
        QFETCH(QString, selected);
        TSpellDictionaries dictionaries;
        dictionaries.MainDictionary.Assign(
            {"a", "lot", "of", "the", "bold", "words", "here", "i", "have"});
        TSpellEngine engine(dictionaries);
        Dialogs->SpellCheckAnswer = [&](const QString& text) {
            const bool abort = decisions.endsWith(QStringLiteral("B"));
            TSpellCorrections result = RunSpellDecisions(engine, text, decisions.mid(0, decisions.size() - abort));
            if (abort)
                result.CheckResult = 0;
            return result;
        };
        TBaseForm* form = Frame->TextEditFile1Click();
        form->RichEdit1->setHtml(html);
        if (selectFrom >= 0) {
            QTextCursor cursor(form->RichEdit1->document());
            cursor.setPosition(selectFrom);
            cursor.setPosition(selectTo, QTextCursor::KeepAnchor);
            form->RichEdit1->setTextCursor(cursor);
        }
        form->SpellCheckDocument();
        QCOMPARE(form->RichEdit1->toPlainText(), expected);
        QCOMPARE(form->RichEdit1->textCursor().selectedText(), selected);
        const bool aborted = decisions.endsWith(QStringLiteral("B"));
        QCOMPARE(Dialogs->Messages.size(), aborted ? 1 : 0);
        if (aborted)
            QCOMPARE(Dialogs->Messages.first().Text,
                     QStringLiteral("Spell Checking Aborted.\n\nChanges Abandoned"));
        // Only "bold" is bold.
        for (QTextBlock block = form->RichEdit1->document()->begin(); block.isValid();
             block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                QCOMPARE(it.fragment().charFormat().fontWeight() > QFont::Normal,
                         it.fragment().text() == QLatin1String("bold"));
    }
};

QTEST_MAIN(TstTBaseForm)
#include "tst_tbaseform.moc"
