#include "document/tlineindex.h"
#include "document/tparagraphlayout.h"
#include "document/ttextlines.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

class TstTLineIndex : public QObject {
    Q_OBJECT

    // The line and column as the whole walk finds them.
    static QPoint Walked(const QTextDocument& document, int position) {
        const QTextBlock block = document.findBlock(position);
        const int line = TTextLines::LineOf(document, position);
        const int start = TTextLines::LineStart(document, line);
        return QPoint(line, position - qMax(start, block.position()));
    }

private slots:
    // The remembered paragraph's line stays right after changes before it, in it and after it,
    // and after the text width changes; positions before and after it are found too.
    void AgreesWithTheWholeWalk_data() {
        QTest::addColumn<int>("paragraph");   // where the text is changed; -1: the width
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<int>("removed");
        QTest::newRow("paragraphs added before") << 3 << "x\ny\nz" << 0;
        // Two line breaks for two letters: more lines, and no position moves.
        QTest::newRow("line breaks before") << 5 << QStringLiteral("\u2028\u2028") << 2;
        QTest::newRow("paragraph break removed before") << 8 << "" << 41;
        QTest::newRow("in the remembered paragraph") << 20 << "\nnew" << 3;
        QTest::newRow("after it") << 25 << "more words to wrap here and there" << 0;
        QTest::newRow("narrower text") << -1 << "" << 0;
    }
    void AgreesWithTheWholeWalk() {
        QFETCH(int, paragraph);
        QFETCH(QString, inserted);
        QFETCH(int, removed);
        QTextDocument document;
        QStringList paragraphs;
        for (int i = 0; i < 30; ++i)
            paragraphs << QStringLiteral("%1 alpha beta gamma delta epsilon zeta eta theta").arg(i);
        document.setPlainText(paragraphs.join(QLatin1Char('\n')));
        document.setTextWidth(150);
        document.documentLayout()->documentSize();
        TLineIndex index(&document);
        const int remembered = document.findBlockByNumber(20).position() + 12;
        QCOMPARE(index.LineAndColumn(remembered), Walked(document, remembered));

        if (paragraph < 0) {
            document.setTextWidth(90);
        } else {
            QTextCursor cursor(document.findBlockByNumber(paragraph));
            cursor.setPosition(cursor.position() + 2);
            cursor.setPosition(cursor.position() + removed, QTextCursor::KeepAnchor);
            cursor.insertText(inserted);
        }
        document.documentLayout()->documentSize();
        const int end = document.characterCount() - 1;
        for (int position : {remembered, remembered + 40, 7, end, remembered - 1})
            QCOMPARE(index.LineAndColumn(position), Walked(document, position));
    }

    // Without word wrap a text known to have no line breaks counts a line a paragraph before it
    // is laid out; a line break typed into it is counted again.
    void ParagraphsAreLinesWithoutWrap() {
        QTextDocument document;
        QStringList paragraphs;
        for (int i = 0; i < 300; ++i)
            paragraphs << QStringLiteral("%1 alpha beta").arg(i);
        document.setPlainText(paragraphs.join(QLatin1Char('\n')));
        document.setDocumentLayout(new TParagraphLayout(&document));
        TTextLines::NoteLineBreaks(document);
        QVERIFY(TTextLines::KnownWithoutLineBreaks(document));
        TLineIndex index(&document);
        const int position = document.findBlockByNumber(250).position() + 3;
        QCOMPARE(index.LineAndColumn(position), QPoint(250, 3));
        QTextCursor cursor(document.findBlockByNumber(10));
        cursor.insertText(QStringLiteral("a\u2028b"));
        QVERIFY(!TTextLines::KnownWithoutLineBreaks(document));
        QCOMPARE(index.LineAndColumn(position + 3), Walked(document, position + 3));
        QCOMPARE(index.LineAndColumn(position + 3), QPoint(251, 3));
    }
};

QTEST_MAIN(TstTLineIndex)
#include "tst_tlineindex.moc"
