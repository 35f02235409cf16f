#include "document/ttextstatistics.h"

#include <QTest>

class TstTTextStatistics : public QObject {
    Q_OBJECT

private slots:
    void Counts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("words");
        QTest::addColumn<qint64>("paragraphs");
        QTest::newRow("three lines") << "one two\n\nthree" << qint64(3) << qint64(2);
        QTest::newRow("tab inside a word") << "a\tb" << qint64(1) << qint64(1);
        QTest::newRow("trimmed ends, runs of spaces") << " \t a   b \t\x01" << qint64(2) << qint64(1);
        QTest::newRow("blank lines of spaces and tabs") << "x\n   \n\t\ny" << qint64(2) << qint64(2);
        QTest::newRow("empty first line") << "\nx" << qint64(1) << qint64(1);
        QTest::newRow("empty last line") << "x\n" << qint64(1) << qint64(1);
        QTest::newRow("nothing") << "" << qint64(0) << qint64(0);
    }
    void Counts() {
        QFETCH(QString, text);
        const TTextStatistics s = TTextStatistics::Count(text.split(QLatin1Char('\n')));
        QFETCH(qint64, words);
        QFETCH(qint64, paragraphs);
        QCOMPARE(s.Words, words);
        QCOMPARE(s.Paragraphs, paragraphs);
    }
};

QTEST_APPLESS_MAIN(TstTTextStatistics)
#include "tst_ttextstatistics.moc"
