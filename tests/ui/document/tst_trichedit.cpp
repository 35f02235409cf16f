#include "document/tdocumentpictures.h"
#include "document/tparagraphlayout.h"
#include "document/trichedit.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextDocument>
#include <QTextList>
#include <QScopedValueRollback>
#include <limits>

class TstTRichEdit : public QObject {
    Q_OBJECT

private slots:
    void CtrlClickOpensLink() {
        TRichEdit edit;
        edit.resize(400, 200);
        edit.setHtml(QStringLiteral("<p>see <a href=\"https://example.com/x\">this</a> page</p>"));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTextCursor cursor(edit.document());
        cursor.setPosition(6);
        const QPoint link = edit.cursorRect(cursor).center();
        QSignalSpy spy(&edit, &TRichEdit::LinkActivated);
        QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, link);
        QCOMPARE(spy.count(), 0);
        QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::ControlModifier, link);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("https://example.com/x"));
    }

    // A picture copied in one window pastes into another with its file form.
    void PictureCopiedToAnotherWindow() {
        TRichEdit from;
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QTextCursor cursor(from.document());
        cursor.insertText(QStringLiteral("a"));
        cursor.insertImage(TDocumentPictures::AddImage(*from.document(), image));
        cursor.insertText(QStringLiteral("b"));
        from.selectAll();
        from.copy();
        QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(QLatin1String(TRichEdit::PictureMimeType)));
        TRichEdit to;
        to.paste();
        const QStringList names = TDocumentPictures::Names(*to.document());
        QCOMPARE(names.size(), 1);
        QCOMPARE(TDocumentPictures::Image(*to.document(), names.first()).size(), QSize(6, 4));
        QCOMPARE(to.toPlainText().size(), 3);
    }

    // The editor takes the layout of the rest of a long text over from Qt, in slices: the text is
    // still laid out to its end, and an edit meanwhile does not stop it.
    void LongTextLaidOutToItsEnd() {
        TRichEdit edit;
        edit.resize(400, 200);
        QString text;
        for (int i = 0; i < 60000; ++i)
            text += QStringLiteral("line %1\n").arg(i);
        edit.setPlainText(text);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const int paragraphs = edit.document()->blockCount();
        QVERIFY(edit.LaidOutParagraphs() < paragraphs);
        QTextCursor(edit.document()).insertText(QStringLiteral("x"));
        QTRY_COMPARE_WITH_TIMEOUT(edit.LaidOutParagraphs(), paragraphs, 60000);
    }

    // While a long operation shows the busy cursor and lets events run, the rest of a text is
    // not laid out; it is once the operation ends.
    void LayoutWaitsForBusyOperation() {
        TRichEdit edit;
        edit.resize(400, 200);
        edit.setPlainText(QStringLiteral("line\n").repeated(60000));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const int laidOut = edit.LaidOutParagraphs();
        QVERIFY(laidOut < edit.document()->blockCount());
        QApplication::setOverrideCursor(Qt::WaitCursor);
        for (int i = 0; i < 50; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(edit.LaidOutParagraphs(), laidOut);
        QApplication::restoreOverrideCursor();
        QTRY_COMPARE_WITH_TIMEOUT(edit.LaidOutParagraphs(), edit.document()->blockCount(), 60000);
    }

    // A long text of paragraphs takes the editor's paragraph layout; a table brings Qt's layout
    // back, which still lays the text out to its end.
    void TableBringsQtLayoutBack() {
        TRichEdit edit;
        edit.resize(400, 200);
        edit.setPlainText(QStringLiteral("line\n").repeated(TRichEdit::LargeTextParagraphs));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTRY_VERIFY(qobject_cast<TParagraphLayout*>(edit.document()->documentLayout()));
        QTextCursor(edit.document()->findBlockByNumber(100)).insertTable(2, 2);
        QTRY_VERIFY(!qobject_cast<TParagraphLayout*>(edit.document()->documentLayout()));
        QTRY_COMPARE_WITH_TIMEOUT(edit.LaidOutParagraphs(), edit.document()->blockCount(), 60000);
    }

    // In a long paragraph the editor finds the end of the caret's line itself, as Qt's End
    // would find it: before the space the line was wrapped at, and selecting with Shift.
    void EndOfLineInALongParagraph_data() {
        QTest::addColumn<QString>("word");
        QTest::newRow("words") << QStringLiteral("abcdefgh ");
        QTest::newRow("no space") << QStringLiteral("x");
        QTest::newRow("two spaces") << QStringLiteral("ab  ");
    }
    void EndOfLineInALongParagraph() {
        QFETCH(QString, word);
        TRichEdit edit;
        edit.resize(400, 200);
        edit.setPlainText(word.repeated(TParagraphLayout::LongParagraph / word.size() + 1));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTRY_VERIFY(qobject_cast<TParagraphLayout*>(edit.document()->documentLayout()));
        const QTextLayout* layout = edit.document()->begin().layout();
        QTRY_VERIFY(layout->lineCount() > 2);
        for (const int line : {0, layout->lineCount() / 2, layout->lineCount() - 1}) {
            QTextCursor caret(edit.document());
            caret.setPosition(layout->lineAt(line).textStart() + 1);
            edit.setTextCursor(caret);
            QTextCursor expected = caret;
            expected.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
            QTest::keyClick(&edit, Qt::Key_End, Qt::ShiftModifier);
            QCOMPARE(edit.textCursor().position(), expected.position());
            QCOMPARE(edit.textCursor().anchor(), caret.position());
        }
    }

    // A text taller than Qt's text area can count in its scroll range: the view still goes to
    // the caret at the end.
    void TallTextScrollsToItsEnd_data() {
        QTest::addColumn<int>("largeText");   // the paragraphs from which the editor's layout is taken
        QTest::newRow("Qt's layout") << std::numeric_limits<int>::max();
        QTest::newRow("paragraph layout") << 1000;
    }
    void TallTextScrollsToItsEnd() {
        QFETCH(int, largeText);
        const QScopedValueRollback<int> threshold(TRichEdit::LargeTextParagraphs, largeText);
        TRichEdit edit;
        edit.resize(400, 200);
        QTextBlockFormat tall;
        tall.setTopMargin(1200);
        QTextCursor cursor(edit.document());
        cursor.setBlockFormat(tall);
        for (int i = 0; i < 20000; ++i) {
            cursor.insertText(QStringLiteral("x"));
            cursor.insertBlock(tall);
        }
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QTRY_COMPARE_WITH_TIMEOUT(edit.LaidOutParagraphs(), edit.document()->blockCount(), 60000);
        QCoreApplication::processEvents();
        edit.moveCursor(QTextCursor::End);
        QScrollBar* bar = edit.verticalScrollBar();
        QVERIFY(bar->maximum() > 20'000'000);
        QVERIFY(bar->value() > bar->maximum() - edit.viewport()->height());
    }
};

QTEST_MAIN(TstTRichEdit)
#include "tst_trichedit.moc"
