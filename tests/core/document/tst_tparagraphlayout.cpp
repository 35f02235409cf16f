#include "document/tparagraphlayout.h"
#include "document/ttextlines.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

class TstTParagraphLayout : public QObject {
    Q_OBJECT

    static void Fill(QTextDocument& document, int paragraphs, const QString& words) {
        QString text;
        for (int i = 0; i < paragraphs; ++i) {
            // Every seventh paragraph holds a line break.
            const QString lineBreak = i % 7 == 3 ? QString(QChar::LineSeparator) : QString();
            text += QStringLiteral("%1 %2%3%2\n").arg(i).arg(words.repeated(1 + i % 4), lineBreak);
        }
        document.setPlainText(text);
    }

private slots:
    // Paragraphs stand where Qt's own layout puts them.
    void PlacesParagraphsAsQtDoes_data() {
        QTest::addColumn<qreal>("width");   // 0: no wrap
        QTest::addColumn<QString>("style"); // what the second quarter of the paragraphs gets
        QTest::newRow("short lines, no wrap") << 0.0 << "";
        QTest::newRow("wrapped") << 180.0 << "";
        QTest::newRow("bold, large") << 180.0 << "bold";
        // Most paragraphs then fit on a line whatever their letters.
        QTest::newRow("wide, bold, large") << 1000.0 << "bold";
        QTest::newRow("centred, indented") << 180.0 << "indent";
        QTest::newRow("spaced") << 180.0 << "spaced";
        QTest::newRow("bulleted and numbered") << 180.0 << "lists";
    }
    void PlacesParagraphsAsQtDoes() {
        QFETCH(qreal, width);
        QFETCH(QString, style);
        QTextDocument qt;
        Fill(qt, 200, QStringLiteral("words to wrap "));
        QTextCursor cursor(qt.findBlockByNumber(50));
        cursor.setPosition(qt.findBlockByNumber(99).position(), QTextCursor::KeepAnchor);
        if (style == QLatin1String("bold")) {
            QTextCharFormat format;
            format.setFontWeight(QFont::Bold);
            format.setFontPointSize(20);
            cursor.mergeCharFormat(format);
        } else if (style == QLatin1String("indent")) {
            QTextBlockFormat format;
            format.setAlignment(Qt::AlignHCenter);
            format.setIndent(2);
            format.setTextIndent(30);
            cursor.mergeBlockFormat(format);
        } else if (style == QLatin1String("lists")) {
            cursor.createList(QTextListFormat::ListDisc);
            QTextCursor(qt.findBlockByNumber(120)).createList(QTextListFormat::ListDecimal);
        } else if (style == QLatin1String("spaced")) {
            QTextBlockFormat format;
            format.setTopMargin(6);
            format.setBottomMargin(10);
            cursor.mergeBlockFormat(format);
            QTextBlockFormat above;
            above.setTopMargin(14);
            QTextCursor(qt.findBlockByNumber(77)).mergeBlockFormat(above);
        }
        if (width == 0) {
            QTextOption option = qt.defaultTextOption();
            option.setWrapMode(QTextOption::NoWrap);
            qt.setDefaultTextOption(option);
        }
        QScopedPointer<QTextDocument> own(qt.clone());
        own->setDocumentLayout(new TParagraphLayout(own.data()));
        qt.setPageSize(QSizeF(width, -1));
        own->setPageSize(QSizeF(width, -1));
        // Lines count alike, without wrapping even before anything is laid out.
        if (width == 0) {
            QCOMPARE(TTextLines::Count(*own), TTextLines::Count(qt));
            // Without wrapping, what is not laid out yet counts one line until it is.
            TParagraphLayout::LayOutAll(*own);
        }
        for (int n : {0, 49, 50, 77, 99, 100, 120, 199, 200}) {
            const QRectF expected = qt.documentLayout()->blockBoundingRect(qt.findBlockByNumber(n));
            const QRectF actual = own->documentLayout()->blockBoundingRect(own->findBlockByNumber(n));
            QCOMPARE(actual.topLeft(), expected.topLeft());
            QCOMPARE(actual.height(), expected.height());
            QCOMPARE(own->findBlockByNumber(n).layout()->lineCount(), qt.findBlockByNumber(n).layout()->lineCount());
        }
        QCOMPARE(own->documentLayout()->documentSize().height(), qt.documentLayout()->documentSize().height());
        // Lines count alike, although most paragraphs were measured without keeping lines.
        TParagraphLayout::LayOutAll(*own);
        QCOMPARE(TTextLines::Count(*own), TTextLines::Count(qt));
        QCOMPARE(TTextLines::LineOf(*own, own->characterCount() - 1), TTextLines::LineOf(qt, qt.characterCount() - 1));
    }

    // A long paragraph edited keeps its place and height, and is laid out again once, when it
    // is next asked for, however many edits came before.
    void LongParagraphLaidOutAgainWhenAsked() {
        QTextDocument document;
        document.setPlainText(QStringLiteral("word ").repeated(TParagraphLayout::LongParagraph / 5 + 1)
                              + QStringLiteral("\nafter"));
        auto* layout = new TParagraphLayout(&document);
        document.setDocumentLayout(layout);
        document.setPageSize(QSizeF(300, -1));
        TParagraphLayout::LayOutAll(document);
        const qreal height = layout->documentSize().height();
        QTextCursor cursor(&document);
        cursor.setPosition(10);
        cursor.insertText(QStringLiteral("x"));
        cursor.insertText(QStringLiteral("y"));
        QVERIFY(!layout->Finished());
        QCOMPARE(layout->documentSize().height(), height);
        layout->blockBoundingRect(document.lastBlock());
        QVERIFY(layout->Finished());
        QVERIFY(document.begin().layout()->lineCount() > 1);
    }

    // An edit moves what follows it by what it changed, and a point in a paragraph hits it.
    void EditMovesWhatFollows() {
        QTextDocument document;
        Fill(document, 5000, QStringLiteral("a"));
        auto* layout = new TParagraphLayout(&document);
        document.setDocumentLayout(layout);
        layout->LayOutAll();
        QCOMPARE(layout->LaidOutParagraphs(), document.blockCount());
        const qreal line = layout->blockBoundingRect(document.firstBlock()).height();
        const qreal before = layout->blockBoundingRect(document.findBlockByNumber(4000)).top();

        QTextCursor(document.findBlockByNumber(10)).insertText(QStringLiteral("new\n"));
        QCOMPARE(layout->blockBoundingRect(document.findBlockByNumber(4001)).top(), before + line);
        QTextCursor(document.findBlockByNumber(20)).insertText(QStringLiteral("x"));
        QCOMPARE(layout->blockBoundingRect(document.findBlockByNumber(4001)).top(), before + line);
        document.undo();
        document.undo();
        QCOMPARE(layout->blockBoundingRect(document.findBlockByNumber(4000)).top(), before);
        QCOMPARE(layout->documentSize().height(), TTextLines::Count(document) * line + 2 * document.documentMargin());

        const QTextBlock block = document.findBlockByNumber(3000);
        const QRectF rect = layout->blockBoundingRect(block);
        QCOMPARE(document.findBlock(layout->hitTest(rect.center(), Qt::FuzzyHit)).blockNumber(), 3000);
        QCOMPARE(layout->hitTest(QPointF(rect.left() + 1, rect.center().y()), Qt::FuzzyHit), block.position());

        // Inside an edit block the layout hears of new paragraphs only at its end; asked before,
        // it answers nothing rather than about paragraphs it does not know.
        QTextCursor editing(&document);
        editing.beginEditBlock();
        editing.movePosition(QTextCursor::End);
        editing.insertText(QStringLiteral("a\nb\nc"));
        QVERIFY(layout->blockBoundingRect(document.lastBlock()).isNull());
        QVERIFY(!editing.movePosition(QTextCursor::Down));
        editing.endEditBlock();
        QVERIFY(!layout->blockBoundingRect(document.lastBlock()).isNull());
    }

    // Random edits, undone and redone, leave every paragraph where a fresh layout of the same
    // text puts it; a wrapping text at once, one without wrapping once both are laid out.
    void EditsAgreeWithAFreshLayout_data() {
        QTest::addColumn<qreal>("width");
        QTest::newRow("wrapped") << 200.0;
        QTest::newRow("no wrap") << 0.0;
    }
    void EditsAgreeWithAFreshLayout() {
        QFETCH(qreal, width);
        QTextDocument document;
        Fill(document, 3000, QStringLiteral("words "));
        document.setPageSize(QSizeF(width, -1));
        auto* layout = new TParagraphLayout(&document);
        document.setDocumentLayout(layout);
        QRandomGenerator random(7);
        for (int round = 0; round < 200; ++round) {
            QTextCursor cursor(&document);
            cursor.setPosition(random.bounded(document.characterCount()));
            switch (random.bounded(6)) {
            case 0:
                cursor.insertText(QStringLiteral("a\nb ").repeated(random.bounded(1, 1500)));
                break;
            case 1:
                cursor.setPosition(qMin(document.characterCount() - 1, cursor.position() + random.bounded(4000)),
                                   QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                break;
            case 2: {
                QTextBlockFormat format;
                format.setTopMargin(random.bounded(12));
                format.setBottomMargin(random.bounded(12));
                cursor.mergeBlockFormat(format);
                break;
            }
            case 3:
                document.undo();
                break;
            case 4:
                document.redo();
                break;
            default:
                cursor.insertText(QStringLiteral("x"));
            }
            if (round % 3 == 0)
                layout->LayOutFor(200'000);
            if (round % 20 != 19)
                continue;
            QScopedPointer<QTextDocument> fresh(document.clone());
            fresh->setPageSize(document.pageSize());
            fresh->setDocumentLayout(new TParagraphLayout(fresh.data()));
            if (width == 0) {
                layout->LayOutAll();
                TParagraphLayout::LayOutAll(*fresh);
            }
            for (int i = 0; i < 10; ++i) {
                const int n = random.bounded(document.blockCount());
                QCOMPARE(layout->blockBoundingRect(document.findBlockByNumber(n)),
                         fresh->documentLayout()->blockBoundingRect(fresh->findBlockByNumber(n)));
            }
            layout->LayOutAll();
            TParagraphLayout::LayOutAll(*fresh);
            QCOMPARE(layout->documentSize().height(), fresh->documentLayout()->documentSize().height());
            // The lines added up without a walk are the lines counted with one.
            const int n = random.bounded(document.blockCount());
            QCOMPARE(layout->LinesAbove(n),
                     qint64(TTextLines::LineOf(document, document.findBlockByNumber(n).position())));
        }
    }

    // A table, a picture or a check-box item is what it cannot lay out.
    void SaysWhenUnsuited_data() {
        QTest::addColumn<QString>("added");
        QTest::newRow("check box") << "check box";
        QTest::newRow("table") << "table";
        QTest::newRow("picture") << "picture";
    }
    void SaysWhenUnsuited() {
        QFETCH(QString, added);
        QTextDocument document;
        Fill(document, 50, QStringLiteral("a"));
        QVERIFY(TParagraphLayout::Suits(document));
        auto* layout = new TParagraphLayout(&document);
        document.setDocumentLayout(layout);
        QSignalSpy unsuited(layout, &TParagraphLayout::Unsuited);
        QTextCursor cursor(document.findBlockByNumber(20));
        if (added == QLatin1String("check box")) {
            QTextBlockFormat format;
            format.setMarker(QTextBlockFormat::MarkerType::Unchecked);
            cursor.mergeBlockFormat(format);
        }
        else if (added == QLatin1String("table"))
            cursor.insertTable(2, 2);
        else
            cursor.insertImage(QStringLiteral("x.png"));
        QCOMPARE(unsuited.count(), 1);
        QVERIFY(!TParagraphLayout::Suits(document));
    }
};

QTEST_MAIN(TstTParagraphLayout)
#include "tst_tparagraphlayout.moc"
