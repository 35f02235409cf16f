#include "document/ttextcase.h"

#include <QGuiApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

class TstTTextCase : public QObject {
    Q_OBJECT

private slots:
    void Convert_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("preceding");
        QTest::addColumn<QString>("result");
        QTest::newRow("upper keeps length") << QStringLiteral("straße 1") << 0 << ""
                                            << QStringLiteral("STRAßE 1");
        QTest::newRow("lower") << "MiXeD" << 1 << "" << "mixed";
        QTest::newRow("initials") << "hello world" << 2 << "" << "Hello World";
        QTest::newRow("initials lower the rest") << "mcDONALD" << 2 << "" << "Mcdonald";
        QTest::newRow("apostrophe in a word") << "don't 'tis" << 2 << "" << "Don't 'Tis";
        QTest::newRow("start inside a word") << "llo you" << 2 << "he" << "llo You";
        QTest::newRow("after a paragraph") << "abc" << 2 << QStringLiteral("x\u2029")
                                           << "Abc";
        // Only the letters a-z and A-Z continue a word.
        QTest::newRow("other letters") << QStringLiteral("élan") << 2 << ""
                                       << QStringLiteral("ÉLan");
    }
    void Convert() {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(QString, preceding);
        QFETCH(QString, result);
        QCOMPARE(TTextCase::Convert(text, mode, preceding), result);
    }

    // A change of case keeps bold where it was, keeps the selection, and is one undo step.
    void ApplyKeepsFormats() {
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("one "));
        cursor.insertText(QStringLiteral("bold"), bold);
        cursor.insertText(QStringLiteral(" two"), QTextCharFormat());
        document.clearUndoRedoStacks();
        QTextCursor selection(&document);
        selection.setPosition(2);
        selection.setPosition(10, QTextCursor::KeepAnchor);
        TTextCase::Apply(selection, TTextCase::InitialCapitals);
        QCOMPARE(document.toPlainText(), QStringLiteral("one Bold Two"));
        QCOMPARE(selection.anchor(), 2);
        QCOMPARE(selection.position(), 10);
        for (int p = 1; p <= 12; ++p) {
            QTextCursor at(&document);
            at.setPosition(p);
            QCOMPARE(at.charFormat().fontWeight() == QFont::Bold, p >= 5 && p <= 8);
        }
        document.undo();
        QCOMPARE(document.toPlainText(), QStringLiteral("one bold two"));
    }
};

QTEST_MAIN(TstTTextCase)
#include "tst_ttextcase.moc"
