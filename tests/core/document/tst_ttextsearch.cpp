#include "document/ttextsearch.h"

#include <QGuiApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

class TstTTextSearch : public QObject {
    Q_OBJECT

private slots:
    // Each search starts one character into the last match; past the last one the caret goes
    // back to the top, and the search after that starts again there.
    void FindNextWalksThroughTheText() {
        QTextDocument document;
        document.setPlainText(QStringLiteral("cat cat"));
        QTextCursor caret(&document);
        const QList<int> starts{0, 4, -1, 0};
        for (int start : starts) {
            const bool found = TTextSearch::FindNext(caret, QStringLiteral("cat"), {});
            QCOMPARE(found, start >= 0);
            QCOMPARE(caret.selectionStart(), qMax(0, start));
            QCOMPARE(caret.selectedText(), found ? QStringLiteral("cat") : QString());
        }
    }

    void Options_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("start");
        QTest::newRow("any case") << "xx CAT" << "cat" << false << false << 3;
        QTest::newRow("match case") << "Cat cat" << "cat" << true << false << 4;
        QTest::newRow("whole word") << "concat cat" << "cat" << false << true << 7;
        QTest::newRow("no whole word") << "concat" << "cat" << false << true << -1;
        QTest::newRow("empty search text") << "cat" << "" << false << false << -1;
    }
    void Options() {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(int, start);
        QTextDocument document;
        document.setPlainText(text);
        QTextCursor caret(&document);
        QCOMPARE(TTextSearch::FindNext(caret, search, {matchCase, wholeWord}), start >= 0);
        QCOMPARE(caret.hasSelection() ? caret.selectionStart() : -1, start);
    }

    void ReplaceAll_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selectFrom");
        QTest::addColumn<int>("selectTo");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        QTest::newRow("a by aa") << "a a" << 0 << 0 << "a" << "aa" << "aa aa";
        QTest::newRow("by nothing") << "aaa" << 0 << 0 << "a" << "" << "";
        // Only matches are replaced, never a selection that is something else.
        QTest::newRow("other selection kept") << "x a" << 0 << 1 << "a" << "b" << "x b";
        QTest::newRow("from the caret on") << "a a" << 1 << 1 << "a" << "b" << "a b";
    }
    void ReplaceAll() {
        QFETCH(QString, text);
        QFETCH(int, selectFrom);
        QFETCH(int, selectTo);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        QTextDocument document;
        document.setPlainText(text);
        QTextCursor caret(&document);
        caret.setPosition(selectFrom);
        caret.setPosition(selectTo, QTextCursor::KeepAnchor);
        TTextSearch::ReplaceAll(caret, search, replacement, {});
        QCOMPARE(document.toPlainText(), result);
        QCOMPARE(caret.position(), 0);
        // One undo step takes the whole replacement back.
        document.undo();
        QCOMPARE(document.toPlainText(), text);
    }
};

QTEST_MAIN(TstTTextSearch)
#include "tst_ttextsearch.moc"
