#include "document/tdocumentfile.h"
#include "document/tplaintext.h"

#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

Q_DECLARE_METATYPE(TPlainTextFormat)

// A document's plain text as written: its line ends as the format says, the document's own
// markers gone; a file read and written again keeps its bytes.
class TstTPlainText : public QObject {
    Q_OBJECT

private slots:
    void Encode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("paragraphs") << QStringLiteral("a\nb\n\nc") << QByteArray("a\nb\n\nc");
        QTest::newRow("line separator") << QStringLiteral("a") + QChar(QChar::LineSeparator) + "b"
                                        << QByteArray("a\nb");
        QTest::newRow("object replacement left out")
            << QStringLiteral("a") + QChar(QChar::ObjectReplacementCharacter) + QStringLiteral("b\u00e9")
            << QByteArray("ab\xc3\xa9");
    }
    // A new document is written as UTF-8 with LF line ends.
    void Encode() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QTextDocument document;
        QTextCursor(&document).insertText(text);
        QCOMPARE(TPlainText::Encode(document), bytes);
    }

    void RoundTrip_data() {
        using E = TPlainTextFormat::TEncoding;
        using L = TPlainTextFormat::TLineEnd;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<TPlainTextFormat>("format");
        QTest::newRow("UTF-8, LF") << QByteArray("caf\xc3\xa9\nzwei\n") << TPlainTextFormat{E::Utf8, L::Lf};
        QTest::newRow("UTF-8 with its mark, CR LF")
            << QByteArray("\xef\xbb\xbf\xe2\x82\xac 5\r\nx\r\n") << TPlainTextFormat{E::Utf8WithMark, L::CrLf};
        QTest::newRow("Windows-1252, LF, no final line end")
            << QByteArray("caf\xe9 \x80 \x93\x81\nend") << TPlainTextFormat{E::Windows1252, L::Lf};
        QTest::newRow("CR only") << QByteArray("a\rb\r") << TPlainTextFormat{E::Utf8, L::Cr};
        QTest::newRow("UTF-16 little-endian")
            << QByteArray("\xff\xfe" "a\0\r\0\n\0\xac\x20", 10) << TPlainTextFormat{E::Utf16LE, L::CrLf};
        QTest::newRow("UTF-16 big-endian")
            << QByteArray("\xfe\xff\0a\0\n\xd8\x3d\xde\x00", 10) << TPlainTextFormat{E::Utf16BE, L::Lf};
        QTest::newRow("empty") << QByteArray() << TPlainTextFormat{E::Utf8, L::Lf};
    }
    void RoundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(TPlainTextFormat, format);
        QTextDocument document;
        const TPlainTextFormat read = TPlainText::Read(bytes, document);
        QCOMPARE(int(read.Encoding), int(format.Encoding));
        QCOMPARE(int(read.LineEnd), int(format.LineEnd));
        QVERIFY(TPlainText::CanEncode(document, read));
        QCOMPARE(TPlainText::Encode(document, read), bytes);
    }

    // A character the file's code page cannot hold is found before anything is written.
    void CharactersBeyondTheCodePage() {
        QTextDocument document;
        const TPlainTextFormat format = TPlainText::Read(QByteArray("caf\xe9\n"), document);
        QTextCursor(&document).insertText(QStringLiteral("\u03a9 "));
        QVERIFY(!TPlainText::CanEncode(document, format));
        TPlainTextFormat utf8 = format;
        utf8.Encoding = TPlainTextFormat::TEncoding::Utf8;
        QVERIFY(TPlainText::CanEncode(document, utf8));
        QCOMPARE(TPlainText::Encode(document, utf8), QByteArray("\xce\xa9 caf\xc3\xa9\n"));
    }

    // The first page of a long file is cut after a line end, or else between characters.
    void FirstPageCut_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("short") << QByteArray("ab\ncd") << QByteArray("ab\ncd");
        QTest::newRow("after the last line end") << QByteArray("ab\ncd\nef") << QByteArray("ab\n");
        QTest::newRow("UTF-16 LE line end") << QByteArray("\xFF\xFE" "a\0\n\0b\0", 8)
                                            << QByteArray("\xFF\xFE" "a\0\n\0", 6);
        QTest::newRow("UTF-8, no line end") << QByteArray("abcd\xc3\xa9") << QByteArray("abcd");
        QTest::newRow("UTF-16, no line end") << QByteArray("\xFF\xFE" "a\0b\0", 6)
                                             << QByteArray("\xFF\xFE" "a\0", 4);
    }
    void FirstPageCut() {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, start);
        QCOMPARE(TDocumentFile::Start(data, 5).toByteArray(), start);
    }
};

QTEST_MAIN(TstTPlainText)
#include "tst_tplaintext.moc"
