#include "document/tbaseform.h"
#include "document/tlineform.h"
#include "document/ttextlines.h"
#include "tscripteddialogs.h"

#include <QAbstractTextDocumentLayout>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

class TstTLineForm : public QObject {
    Q_OBJECT

private slots:
    void Typing_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a line") << "7" << 7 << "7";
        QTest::newRow("zero") << "0" << 0 << "0";
        QTest::newRow("letters undone") << "4x" << 5 << "5";
        QTest::newRow("beyond the last undone") << "11" << 5 << "5";
        QTest::newRow("negative undone") << "-1" << 5 << "5";
        QTest::newRow("leading zero dropped") << "03" << 3 << "3";
        QTest::newRow("emptied") << "" << 0 << "";
    }
    void Typing() {
        QFETCH(QString, typed);
        TLineForm form;
        form.SetLines(10, 5);
        form.Edit1->setText(typed);
        form.Edit1Change();
        QTEST(form.ChosenLine, "chosen");
        QTEST(form.Edit1->text(), "shown");
    }

    void Spin_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("chosen");
        QTest::newRow("up at the last line") << 10 << true << 10;
        QTest::newRow("up from 0") << 0 << true << 1;
        QTest::newRow("up from below 0") << -3 << true << 1;
        QTest::newRow("down at line 1") << 1 << false << 1;
        QTest::newRow("down from 0") << 0 << false << 0;
        QTest::newRow("down from beyond") << 15 << false << 9;
    }
    void Spin() {
        QFETCH(int, start);
        QFETCH(bool, up);
        TLineForm form;
        form.SetLines(10, start);
        up ? form.CSpinButton1UpClick() : form.CSpinButton1DownClick();
        QTEST(form.ChosenLine, "chosen");
    }

    // The document window proposes the caret's line and goes to the chosen line's start, with
    // line 0 meaning line 1.
    void GotoLineMovesTheCaret_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("block");
        QTest::newRow("line 3") << 3 << 2;
        QTest::newRow("line 0") << 0 << 0;
    }
    void GotoLineMovesTheCaret() {
        QFETCH(int, answer);
        QFETCH(int, block);
        TScriptedDialogs dialogs;
        dialogs.LineAnswers = {answer};
        TBaseForm form(nullptr);
        form.RichEdit1->setLineWrapMode(QTextEdit::NoWrap);
        form.RichEdit1->setPlainText(QStringLiteral("one\ntwo\nthree\nfour"));
        QTextCursor caret = form.RichEdit1->textCursor();
        caret.setPosition(5);
        form.RichEdit1->setTextCursor(caret);
        form.GotoLine();
        QCOMPARE(dialogs.LineMaxima, QList<int>{4});
        QCOMPARE(dialogs.LineProposals, QList<int>{2});
        const QTextCursor moved = form.RichEdit1->textCursor();
        QCOMPARE(moved.blockNumber(), block);
        QCOMPARE(moved.positionInBlock(), 0);
    }

    // With word wrap the caret's line counts wrapped lines, as Goto Line does, and the column
    // counts from the start of the wrapped line.
    void CaretLineCountsWrappedLines() {
        TScriptedDialogs dialogs;
        dialogs.LineAnswers = {1};
        TBaseForm form(nullptr);
        form.RichEdit1->setLineWrapMode(QTextEdit::FixedPixelWidth);
        form.RichEdit1->setLineWrapColumnOrWidth(80);
        form.RichEdit1->setPlainText(QStringLiteral("bolt ").repeated(40) + QStringLiteral("\nlast"));
        form.RichEdit1->moveCursor(QTextCursor::End);
        QTextDocument* document = form.RichEdit1->document();
        document->documentLayout()->documentSize();
        const QPoint caret = form.CaretPosition();
        QVERIFY(caret.x() > 2);
        QCOMPARE(caret, QPoint(TTextLines::Count(*document), 5));
        form.GotoLine();
        QCOMPARE(dialogs.LineProposals, QList<int>{caret.x()});
    }
};

QTEST_MAIN(TstTLineForm)
#include "tst_tlineform.moc"
