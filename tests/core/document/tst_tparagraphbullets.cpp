#include "document/tparagraphbullets.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

class TstTParagraphBullets : public QObject {
    Q_OBJECT

    // Four paragraphs of different fonts: plain, bulleted with margins of its own, plain,
    // numbered.
    static void Fill(QTextDocument& document) {
        QTextCursor cursor(&document);
        auto paragraph = [&](const QString& text, const QString& family, int size) {
            if (cursor.position() > 0)
                cursor.insertBlock(QTextBlockFormat());
            QTextCharFormat format;
            format.setFont(QFont(family, size));
            cursor.setBlockCharFormat(format);
            cursor.insertText(text, format);
        };
        paragraph(QStringLiteral("plain one"), QStringLiteral("Courier New"), 8);
        paragraph(QStringLiteral("bulleted"), QStringLiteral("Arial"), 20);
        QTextBlockFormat margins;
        margins.setLeftMargin(24);
        margins.setTextIndent(-12);
        cursor.mergeBlockFormat(margins);
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(0);
        cursor.createList(bullets);
        paragraph(QStringLiteral("plain two"), QStringLiteral("Times New Roman"), 12);
        paragraph(QStringLiteral("numbered"), QStringLiteral("Arial"), 10);
        cursor.createList(QTextListFormat::ListDecimal);
        document.clearUndoRedoStacks();
    }

private slots:
    // The caret's paragraph decides: without a list every selected paragraph joins one bulleted
    // list looking as the caret's would; in a list every selected paragraph leaves it, keeping
    // its own margins. Either way one undo step.
    void Toggle_data() {
        QTest::addColumn<int>("caretBlock");
        QTest::addColumn<bool>("bulleted");
        QTest::newRow("caret in a plain paragraph") << 0 << true;
        QTest::newRow("caret in a bulleted paragraph") << 1 << false;
    }
    void Toggle() {
        QFETCH(int, caretBlock);
        QFETCH(bool, bulleted);
        QTextDocument document;
        Fill(document);
        const QTextBlock caret = document.findBlockByNumber(caretBlock);
        const QTextBlockFormat caretFormat = caret.blockFormat();
        const QFont caretFont = caret.begin().fragment().charFormat().font();
        QTextCursor selection(&document);
        selection.movePosition(QTextCursor::End);
        selection.setPosition(caret.position() + 1, QTextCursor::KeepAnchor);

        TParagraphBullets::Toggle(selection);

        QTextList* list = document.begin().textList();
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const QTextBlockFormat format = block.blockFormat();
            QCOMPARE(format.indent(), 0);
            if (!bulleted) {
                QVERIFY(!block.textList());
                continue;
            }
            QVERIFY(list);
            QCOMPARE(block.textList(), list);
            QCOMPARE(format.leftMargin(), caretFormat.leftMargin());
            QCOMPARE(format.textIndent(), caretFormat.textIndent());
            QCOMPARE(block.charFormat().font().family(), caretFont.family());
            QCOMPARE(block.charFormat().font().pointSize(), caretFont.pointSize());
        }
        if (bulleted) {
            QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
            QCOMPARE(list->count(), 4);
        } else {
            QCOMPARE(document.findBlockByNumber(1).blockFormat().leftMargin(), 24.0);
        }
        document.undo();
        QVERIFY(!document.isUndoAvailable());
        QVERIFY(document.findBlockByNumber(1).textList());
        QVERIFY(!document.findBlockByNumber(0).textList());
    }
};

QTEST_MAIN(TstTParagraphBullets)
#include "tst_tparagraphbullets.moc"
