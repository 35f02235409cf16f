#include "document/tbaseform.h"
#include "document/tfinddialog.h"
#include "tscripteddialogs.h"

#include <QLineEdit>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

// The find and replace dialogs driving a document window's Find and Replace.
class TstTFindDialog : public QObject {
    Q_OBJECT

    static QString Message(const TScriptedDialogs& dialogs, int i) {
        return dialogs.Messages.at(i).Caption + QLatin1Char('|') + dialogs.Messages.at(i).Text;
    }

private slots:
    void FindWalksThroughAndWraps() {
        TScriptedDialogs dialogs;
        TBaseForm form(nullptr);
        form.RichEdit1->setPlainText(QStringLiteral("cat cat"));
        QTextCursor caret = form.RichEdit1->textCursor();
        caret.setPosition(0);
        caret.setPosition(3, QTextCursor::KeepAnchor);
        form.RichEdit1->setTextCursor(caret);
        // The search text comes from the selection.
        form.Find1Click();
        QCOMPARE(form.FindDialog1->FindText(), QStringLiteral("cat"));
        QVERIFY(!form.ReplaceMode);
        emit form.FindDialog1->FindNext();
        QCOMPARE(form.RichEdit1->textCursor().selectionStart(), 4);
        QCOMPARE(form.RichEdit1->textCursor().selectedText(), QStringLiteral("cat"));
        QVERIFY(dialogs.Messages.isEmpty());
        emit form.FindDialog1->FindNext();
        QCOMPARE(dialogs.Messages.size(), 1);
        QCOMPARE(Message(dialogs, 0), QStringLiteral("Find|End of document reached."));
        QCOMPARE(form.RichEdit1->textCursor().position(), 0);
        QVERIFY(!form.RichEdit1->textCursor().hasSelection());
    }

    void ReplaceAllIsOneStepWithOneMessage() {
        TScriptedDialogs dialogs;
        TBaseForm form(nullptr);
        form.RichEdit1->setPlainText(QStringLiteral("a a"));
        form.Replace1Click();
        QVERIFY(form.ReplaceMode);
        form.ReplaceDialog1->FindEdit->setText(QStringLiteral("a"));
        form.ReplaceDialog1->ReplaceEdit->setText(QStringLiteral("aa"));
        emit form.ReplaceDialog1->ReplaceAll();
        QCOMPARE(form.RichEdit1->toPlainText(), QStringLiteral("aa aa"));
        QCOMPARE(dialogs.Messages.size(), 1);
        QCOMPARE(Message(dialogs, 0), QStringLiteral("Replace|End of document reached."));
        QCOMPARE(form.RichEdit1->textCursor().position(), 0);
        form.Undo();
        QCOMPARE(form.RichEdit1->toPlainText(), QStringLiteral("a a"));
    }

    // Replace replaces the selected match and selects the next one; a selection that is not a
    // match stays as it is.
    void ReplaceOnlyReplacesMatches() {
        TScriptedDialogs dialogs;
        TBaseForm form(nullptr);
        form.RichEdit1->setPlainText(QStringLiteral("xy a a"));
        QTextCursor caret = form.RichEdit1->textCursor();
        caret.setPosition(0);
        caret.setPosition(2, QTextCursor::KeepAnchor);
        form.RichEdit1->setTextCursor(caret);
        form.Replace1Click();
        form.ReplaceDialog1->FindEdit->setText(QStringLiteral("a"));
        form.ReplaceDialog1->ReplaceEdit->setText(QStringLiteral("b"));
        emit form.ReplaceDialog1->Replace();
        QCOMPARE(form.RichEdit1->toPlainText(), QStringLiteral("xy a a"));
        QCOMPARE(form.RichEdit1->textCursor().selectionStart(), 3);
        emit form.ReplaceDialog1->Replace();
        QCOMPARE(form.RichEdit1->toPlainText(), QStringLiteral("xy b a"));
        QCOMPARE(form.RichEdit1->textCursor().selectionStart(), 5);
    }

    void EventFromElsewhereIsRefused() {
        TScriptedDialogs dialogs;
        TBaseForm form(nullptr);
        form.RichEdit1->setPlainText(QStringLiteral("cat"));
        TFindDialog stranger(false);
        stranger.FindEdit->setText(QStringLiteral("cat"));
        form.Find(&stranger);
        form.Replace(&stranger, true);
        QCOMPARE(dialogs.Messages.size(), 2);
        QCOMPARE(Message(dialogs, 1), QStringLiteral("Find/Replace|Word Search Failed"));
        QCOMPARE(dialogs.Messages.at(0).Icon, TMessageIcon::Exclamation);
        QVERIFY(!form.RichEdit1->textCursor().hasSelection());
    }
};

QTEST_MAIN(TstTFindDialog)
#include "tst_tfinddialog.moc"
