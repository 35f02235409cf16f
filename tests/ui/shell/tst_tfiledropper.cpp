#include "document/tbaseform.h"
#include "shell/tfiledropper.h"
#include "shell/tmainform.h"
#include "shell/tsettings.h"
#include "tscripteddialogs.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QUrl>

class TstTFileDropper : public QObject {
    Q_OBJECT

    QTemporaryDir Home;
    TMainForm* Frame = nullptr;
    TScriptedDialogs* Dialogs = nullptr;

    QString Path(const QString& name) const { return QDir(Home.path()).filePath(name); }
    QString MakeFile(const QString& name) const {
        QDir().mkpath(QFileInfo(Path(name)).path());
        QFile file(Path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write("text\r\n");
        return Path(name);
    }
    // Drags the paths onto the widget and drops them there, as the window system would.
    bool Drop(QWidget* target, const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }

private slots:
    void init() {
        QDir(Home.path()).removeRecursively();
        QDir().mkpath(Home.path());
        TSettings::SetLocation(Path(QStringLiteral("fastenex.ini")));
        Dialogs = new TScriptedDialogs;
        Frame = new TMainForm;
        Frame->show();
    }
    void cleanup() {
        delete Frame;
        delete Dialogs;
        TSettings::SetLocation(QString());
    }

    // A folder with a.rtf and a sub-folder with b.dat, dropped on the empty frame or on a
    // document's editor, which must not take it as text.
    void DroppedFolderOpensEachFile_data() {
        QTest::addColumn<bool>("onEditor");
        QTest::newRow("frame") << false;
        QTest::newRow("editor") << true;
    }
    void DroppedFolderOpensEachFile() {
        QFETCH(bool, onEditor);
        const QString rtf = MakeFile(QStringLiteral("drop/a.rtf"));
        const QString dat = MakeFile(QStringLiteral("drop/sub/b.dat"));
        MakeFile(QStringLiteral("drop/.hidden"));
        QWidget* target = Frame;
        if (onEditor) {
            target = Frame->TextEditFile1Click()->RichEdit1->viewport();
        }
        const int before = Frame->DocumentCount();
        Dialogs->OpenTypeAnswer = TDialogs::TOpenTool::TextEditor;
        QVERIFY(Drop(target, {Path(QStringLiteral("drop"))}));
        QCOMPARE(Frame->FileDropper1->DroppedFiles, (QStringList{rtf, dat}));
        QCOMPARE(Dialogs->OpenTypeFiles, QStringList{dat});
        QCOMPARE(Frame->DocumentCount(), before + 2);
        QCOMPARE(Frame->ActiveDocument()->FileName, dat);
        if (onEditor)
            QVERIFY(Frame->Documents().first()->RichEdit1->toPlainText().isEmpty());
    }

    void EmptyFoldersRaiseNoEvent() {
        QDir().mkpath(Path(QStringLiteral("empty/inner")));
        QSignalSpy drops(Frame->FileDropper1, &TFileDropper::OnDrop);
        QVERIFY(Drop(Frame, {Path(QStringLiteral("empty"))}));
        QCOMPARE(drops.count(), 0);
        QCOMPARE(Frame->DocumentCount(), 0);
    }

    // More than 20 files ask first, with the count in the question.
    void ManyFilesAsk_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("opened");
        QTest::newRow("20 open without a question") << 20 << -1 << 20;
        QTest::newRow("21 refused") << 21 << int(TMessageResult::No) << 0;
        QTest::newRow("21 accepted") << 21 << int(TMessageResult::Yes) << 21;
    }
    void ManyFilesAsk() {
        QFETCH(int, count);
        QFETCH(int, answer);
        QFETCH(int, opened);
        for (int i = 0; i < count; ++i)
            MakeFile(QStringLiteral("many/%1.txt").arg(i, 2, 10, QLatin1Char('0')));
        if (answer >= 0)
            Dialogs->MessageAnswers = {TMessageResult(answer)};
        QVERIFY(Drop(Frame, {Path(QStringLiteral("many"))}));
        QCOMPARE(Dialogs->Messages.size(), answer >= 0 ? 1 : 0);
        if (answer >= 0) {
            QVERIFY(Dialogs->Messages.first().Text.contains(QString::number(count)));
            QCOMPARE(Dialogs->Messages.first().Buttons, TMessageButtons::YesNo);
        }
        QCOMPARE(Frame->DocumentCount(), opened);
    }

    void DragWithoutFilesIsLeftToTheEditor() {
        QTextEdit* editor = Frame->TextEditFile1Click()->RichEdit1;
        QMimeData data;
        data.setText(QStringLiteral("words"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QSignalSpy drops(Frame->FileDropper1, &TFileDropper::OnDrop);
        QCoreApplication::sendEvent(editor->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QCOMPARE(drops.count(), 0);
    }
};

QTEST_MAIN(TstTFileDropper)
#include "tst_tfiledropper.moc"
