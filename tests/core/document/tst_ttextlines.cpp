#include "document/ttextlines.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTest>
#include <QTextDocument>

class TstTTextLines : public QObject {
    Q_OBJECT

private slots:
    void Unwrapped_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::addColumn<qint64>("characters");
        QTest::newRow("empty") << "" << 1 << qint64(0);
        // A paragraph break counts as carriage return and line feed.
        QTest::newRow("three paragraphs") << "one two\n\nthree" << 3 << qint64(16);
        QTest::newRow("line break in a paragraph")
            << QStringLiteral("ab\u2028cd\nef") << 3 << qint64(9);
    }
    void Unwrapped() {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(qint64, characters);
        QTextDocument document;
        document.setPlainText(text);
        QCOMPARE(TTextLines::Count(document), lines);
        QCOMPARE(TTextLines::Texts(document).size(), lines);
        QCOMPARE(TTextLines::CharacterCount(document), characters);
    }

    // Laid out with word wrap, a paragraph counts each wrapped line; every line start maps back
    // to its own line, and the lines hold the whole text.
    void WrappedLinesMapBothWays() {
        QTextDocument document;
        document.setPlainText(QStringLiteral("alpha beta gamma delta epsilon zeta eta theta\n\n"
                                             "iota kappa lambda mu nu xi omicron pi rho"));
        document.setTextWidth(120);
        document.documentLayout()->documentSize();
        const int count = TTextLines::Count(document);
        QVERIFY(count > 4);
        const QStringList texts = TTextLines::Texts(document);
        QCOMPARE(texts.size(), count);
        QCOMPARE(texts.join(QString()).remove(QLatin1Char(' ')),
                 document.toPlainText().remove(QLatin1Char(' ')).remove(QLatin1Char('\n')));
        for (int line = 0; line < count; ++line)
            QCOMPARE(TTextLines::LineOf(document, TTextLines::LineStart(document, line)), line);
        QCOMPARE(TTextLines::LineStart(document, count + 5),
                 TTextLines::LineStart(document, count - 1));
    }
};

QTEST_MAIN(TstTTextLines)
#include "tst_ttextlines.moc"
