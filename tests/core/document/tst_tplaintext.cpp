#include "document/tplaintext.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

// A document's plain text as written: every line end CR LF, the document's own markers gone.
class TstTPlainText : public QObject {
    Q_OBJECT

private slots:
    void Encode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("paragraphs") << QStringLiteral("a\nb\n\nc") << QByteArray("a\r\nb\r\n\r\nc");
        QTest::newRow("line separator") << QStringLiteral("a") + QChar(QChar::LineSeparator) + "b"
                                        << QByteArray("a\r\nb");
        QTest::newRow("object replacement left out")
            << QStringLiteral("a") + QChar(QChar::ObjectReplacementCharacter) + QStringLiteral("b\u00e9")
            << QByteArray("ab\xc3\xa9");
    }
    void Encode() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QTextDocument document;
        QTextCursor(&document).insertText(text);
        QCOMPARE(TPlainText::Encode(document), bytes);
    }
};

QTEST_MAIN(TstTPlainText)
#include "tst_tplaintext.moc"
