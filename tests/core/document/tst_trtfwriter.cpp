#include "helper_rtftext.h"

#include "document/tdocumentfile.h"
#include "document/tdocumentheaders.h"
#include "document/tdocumentpictures.h"
#include "document/tdocumentunits.h"
#include "document/trtfreader.h"
#include "document/trtfwriter.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextDocumentFragment>
#include <QTextTable>
#include <QtTest>

namespace {

// A document of the given paragraphs ('\n' between them) in one format.
void Fill(QTextDocument& document, const QString& text, const QTextCharFormat& format = {}) {
    document.clear();
    QTextCursor cursor(&document);
    cursor.insertText(text, format);
}

bool IsAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (quint8(c) > 0x7F)
            return false;
    }
    return true;
}

} // namespace

class TstTRtfWriter : public QObject {
    Q_OBJECT

private slots:
    void Header();
    void TextRoundTrip_data();
    void TextRoundTrip();
    void Escapes_data();
    void Escapes();
    void CharacterFormatRoundTrip_data();
    void CharacterFormatRoundTrip();
    void ParagraphRoundTrip_data();
    void ParagraphRoundTrip();
    void ListRoundTrip_data();
    void ListRoundTrip();
    void ReadFileRoundTrip_data();
    void ReadFileRoundTrip();
    void DocumentFiles();
    void FailedWriteKeepsFile();
    void SecondWriteEqualsFirst_data();
    void SecondWriteEqualsFirst();
    void Constructs_data();
    void Constructs();
    void PastedTableAndImage();
};

void TstTRtfWriter::Header() {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Courier New"), 9));
    Fill(document, QStringLiteral("x"));
    const QByteArray rtf = TRtfWriter::ToRtf(document);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 "
                           "Courier New;}"));
    QVERIFY(rtf.endsWith('}'));
    QVERIFY(BracesBalance(rtf));

    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    TRtfWriter::Write(document, buffer);
    QCOMPARE(buffer.data(), rtf);
}

void TstTRtfWriter::TextRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QStringLiteral("Hello, World");
    QTest::newRow("paragraphs") << QStringLiteral("one\ntwo\nthree");
    QTest::newRow("empty paragraphs") << QStringLiteral("\n\na\n\n");
    QTest::newRow("empty") << QString();
    QTest::newRow("braces and backslashes") << QStringLiteral("{a\\b}c\\par }{");
    QTest::newRow("code page 1252") << QString::fromUtf8("café € “quoted” — ÿ");
    QTest::newRow("non-Latin") << QString::fromUtf8("Ωμέγα Жук 日本語 عربى עברית");
    QTest::newRow("emoji") << QString::fromUtf8("bolt 🔩 ok 😊");
    QTest::newRow("tab and line break") << QString("a\tb") + QChar(QChar::LineSeparator) + "c";
    QTest::newRow("special spaces") << QString::fromUtf8("a\u00A0b\u00ADc\u2011d");
    QTest::newRow("C1 and undefined 1252") << QString::fromUtf8("\u0081\u008D\u0090");
    QTest::newRow("control words in text") << QStringLiteral("\\b bold? \\u233? no");
}

void TstTRtfWriter::TextRoundTrip() {
    QFETCH(QString, text);
    QTextDocument document;
    Fill(document, text);
    const QByteArray rtf = TRtfWriter::ToRtf(document);
    QVERIFY(IsAscii(rtf));
    QVERIFY(BracesBalance(rtf));
    QTextDocument back;
    ReadRtf(rtf, back);
    QCOMPARE(DocumentText(back), text);
}

void TstTRtfWriter::Escapes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("braces") << QStringLiteral("{}\\") << QByteArray(" \\{\\}\\\\}");
    QTest::newRow("1252 byte") << QString::fromUtf8("é€") << QByteArray(" \\'e9\\'80}");
    QTest::newRow("unicode") << QString::fromUtf8("Ω") << QByteArray(" \\u937?}");
    QTest::newRow("signed 16-bit pair") << QString::fromUtf8("😊")
                                        << QByteArray(" \\u-10179?\\u-8694?}");
    QTest::newRow("tab") << QStringLiteral("\t") << QByteArray(" \\tab }");
    QTest::newRow("line") << QString(QChar(QChar::LineSeparator)) << QByteArray(" \\line }");
}

void TstTRtfWriter::Escapes() {
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    QTextDocument document;
    Fill(document, text);
    QVERIFY2(TRtfWriter::ToRtf(document).contains(written), TRtfWriter::ToRtf(document).constData());
}

void TstTRtfWriter::CharacterFormatRoundTrip_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("styles"); // bit numbers of the font styles; 16 superscript, 32 subscript
    QTest::addColumn<QColor>("foreground");
    QTest::addColumn<QColor>("background");

    QTest::newRow("plain") << "Arial" << 10.0 << 0 << QColor() << QColor();
    QTest::newRow("bold") << "Arial" << 10.0 << 1 << QColor() << QColor();
    QTest::newRow("italic") << "Courier New" << 8.0 << 2 << QColor() << QColor();
    QTest::newRow("underline") << "Times New Roman" << 12.0 << 4 << QColor() << QColor();
    QTest::newRow("strikeout") << "Arial" << 14.0 << 8 << QColor() << QColor();
    QTest::newRow("all four") << "Arial" << 9.0 << 15 << QColor() << QColor();
    QTest::newRow("superscript") << "Arial" << 10.0 << 16 << QColor() << QColor();
    QTest::newRow("subscript") << "Arial" << 10.0 << 32 << QColor() << QColor();
    QTest::newRow("half point") << "Arial" << 10.5 << 0 << QColor() << QColor();
    QTest::newRow("colour") << "Arial" << 10.0 << 0 << QColor(Qt::red) << QColor();
    QTest::newRow("highlight") << "Arial" << 10.0 << 0 << QColor() << QColor(Qt::yellow);
    QTest::newRow("both colours") << "Arial" << 10.0 << 1 << QColor(10, 20, 30)
                                  << QColor(200, 210, 220);
    QTest::newRow("non-Latin family") << QString::fromUtf8("ＭＳ 明朝") << 10.0 << 0 << QColor()
                                      << QColor();
}

void TstTRtfWriter::CharacterFormatRoundTrip() {
    QFETCH(QString, family);
    QFETCH(double, size);
    QFETCH(int, styles);
    QFETCH(QColor, foreground);
    QFETCH(QColor, background);
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(size);
    f.setFontWeight(styles & 1 ? QFont::Bold : QFont::Normal);
    f.setFontItalic(styles & 2);
    f.setFontUnderline(styles & 4);
    f.setFontStrikeOut(styles & 8);
    if (styles & 48)
        f.setVerticalAlignment(styles & 16 ? QTextCharFormat::AlignSuperScript
                                           : QTextCharFormat::AlignSubScript);
    if (foreground.isValid())
        f.setForeground(foreground);
    if (background.isValid())
        f.setBackground(background);

    // The formatted run between two plain ones, so that nothing leaks out of its group.
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Liberation Serif"), 11));
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("a"));
    cursor.insertText(QStringLiteral("X"), f);
    cursor.insertText(QStringLiteral("b"), QTextCharFormat());
    QTextDocument back;
    ReadRtf(TRtfWriter::ToRtf(document), back);
    QCOMPARE(DocumentText(back), QStringLiteral("aXb"));

    const QTextCharFormat r = FormatAt(back, 1);
    QCOMPARE(FamilyOf(r), family);
    QCOMPARE(r.fontPointSize(), size);
    QCOMPARE(r.fontWeight() >= QFont::Bold, bool(styles & 1));
    QCOMPARE(r.fontItalic(), bool(styles & 2));
    QCOMPARE(r.fontUnderline(), bool(styles & 4));
    QCOMPARE(r.fontStrikeOut(), bool(styles & 8));
    QCOMPARE(r.verticalAlignment(), f.verticalAlignment());
    QCOMPARE(r.foreground().style() != Qt::NoBrush, foreground.isValid());
    if (foreground.isValid())
        QCOMPARE(r.foreground().color(), foreground);
    QCOMPARE(r.background().style() != Qt::NoBrush, background.isValid());
    if (background.isValid())
        QCOMPARE(r.background().color(), background);

    for (int position : {0, 2}) {
        const QTextCharFormat plain = FormatAt(back, position);
        QCOMPARE(FamilyOf(plain), QStringLiteral("Liberation Serif"));
        QCOMPARE(plain.fontPointSize(), 11.0);
        QVERIFY(plain.fontWeight() < QFont::Bold && !plain.fontItalic() && !plain.fontUnderline() &&
                !plain.fontStrikeOut());
        QCOMPARE(plain.foreground().style(), Qt::NoBrush);
        QCOMPARE(plain.background().style(), Qt::NoBrush);
    }
}

void TstTRtfWriter::ParagraphRoundTrip_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("before");
    QTest::addColumn<double>("after");
    QTest::newRow("left") << int(Qt::AlignLeft) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("centre") << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("right") << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("justify") << int(Qt::AlignJustify) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("indents") << int(Qt::AlignLeft) << 25.0 << 50.0 << -12.5 << 0.0 << 0.0;
    QTest::newRow("first line") << int(Qt::AlignLeft) << 0.0 << 0.0 << 25.0 << 0.0 << 0.0;
    QTest::newRow("spacing") << int(Qt::AlignRight) << 0.0 << 0.0 << 0.0 << 6.0 << 3.0;
}

void TstTRtfWriter::ParagraphRoundTrip() {
    QFETCH(int, alignment);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, first);
    QFETCH(double, before);
    QFETCH(double, after);
    // Given in points, held in the document's pixels.
    const auto px = [](double points) { return TDocumentUnits::PointsToPixels(points); };
    QTextBlockFormat b;
    b.setAlignment(Qt::Alignment(alignment));
    b.setLeftMargin(px(left));
    b.setRightMargin(px(right));
    b.setTextIndent(px(first));
    b.setTopMargin(px(before));
    b.setBottomMargin(px(after));
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("before"));
    cursor.insertBlock(b);
    cursor.insertText(QStringLiteral("styled"));
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("after"));

    QTextDocument back;
    ReadRtf(TRtfWriter::ToRtf(document), back);
    QCOMPARE(back.blockCount(), 3);
    const QTextBlockFormat r = back.findBlockByNumber(1).blockFormat();
    QCOMPARE(int(r.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(r.leftMargin(), px(left));
    QCOMPARE(r.rightMargin(), px(right));
    QCOMPARE(r.textIndent(), px(first));
    QCOMPARE(r.topMargin(), px(before));
    QCOMPARE(r.bottomMargin(), px(after));
    for (int other : {0, 2}) {
        const QTextBlockFormat o = back.findBlockByNumber(other).blockFormat();
        QCOMPARE(int(o.alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignLeft));
        QCOMPARE(o.leftMargin() + o.rightMargin() + o.textIndent(), 0.0);
    }
}

void TstTRtfWriter::ListRoundTrip_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("bullets") << int(QTextListFormat::ListDisc)
                             << QByteArray("{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1");
    QTest::newRow("numbers") << int(QTextListFormat::ListDecimal)
                             << QByteArray("{\\pntext\\f0 2.\\tab}{\\*\\pn\\pnlvlbody");
    QTest::newRow("letters") << int(QTextListFormat::ListLowerAlpha) << QByteArray("\\pnlcltr");
    QTest::newRow("roman") << int(QTextListFormat::ListUpperRoman) << QByteArray("\\pnucrm");
}

void TstTRtfWriter::ListRoundTrip() {
    QFETCH(int, style);
    QFETCH(QByteArray, written);
    // As the window makes them: a list one indent step in, on two of three paragraphs.
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("one"));
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("two"));
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    QTextListFormat lf;
    lf.setStyle(QTextListFormat::Style(style));
    cursor.createList(lf);
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("three"));
    const qreal left = document.findBlockByNumber(0).blockFormat().leftMargin() +
                       document.findBlockByNumber(0).textList()->format().indent() *
                           document.indentWidth();

    const QByteArray rtf = TRtfWriter::ToRtf(document);
    QVERIFY2(rtf.contains(written), rtf.constData());
    QTextDocument back;
    ReadRtf(rtf, back);
    QCOMPARE(DocumentText(back), QStringLiteral("one\ntwo\nthree"));
    QTextList* list = back.findBlockByNumber(0).textList();
    QVERIFY(list);
    QCOMPARE(int(list->format().style()), style);
    QCOMPARE(back.findBlockByNumber(1).textList(), list);
    QVERIFY(!back.findBlockByNumber(2).textList());
    // The text stands where it stood.
    const QTextBlock first = back.findBlockByNumber(0);
    QCOMPARE(first.blockFormat().leftMargin() + list->format().indent() * back.indentWidth(), left);
    QCOMPARE(first.blockFormat().textIndent(), 0.0);
}

void TstTRtfWriter::ReadFileRoundTrip_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("hidden text") << QByteArray("{\\rtf1 Shown{\\v  hidden}.\\par}") << QByteArray("Shown.");
    QTest::newRow("note mark")
        << QByteArray("{\\rtf1 Note{\\super\\chftn{\\footnote{\\super\\chftn} Text.}}.}")
        << QByteArray("\\super 1}");
    QTest::newRow("nested list")
        << QByteArray("{\\rtf1{\\*\\pn\\pnlvl1\\pndec{\\pntxta .}}A\\par{\\*\\pn\\pnlvl2\\pnlcltr"
                      "{\\pntxta )}}B\\par{\\*\\pn\\pnlvl3\\pnucrm{\\pntxtb (}{\\pntxta )}}C\\par"
                      "{\\*\\pn\\pnlvl1\\pndec{\\pntxta .}}D\\par}")
        << QByteArray("{\\leveltext\\'03(\\'02);}{\\levelnumbers\\'02;}");
    QTest::newRow("neighbouring lists at one level")
        << QByteArray("{\\rtf1{\\*\\pn\\pnlvl1\\pndec}A\\par{\\*\\pn\\pnlvl2\\pndec}B\\par"
                      "\\ls7{\\*\\pn\\pnlvl2\\pndec}C\\par}")
        << QByteArray("\\ls2\\ilvl1");
    QTest::newRow("number with a dot")
        << QByteArray("{\\rtf1{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}A\\par}") << QByteArray("{\\pntxta .}}\\ls1\\ilvl0");
    QTest::newRow("number without text")
        << QByteArray("{\\rtf1{\\*\\pn\\pnlvlbody\\pndec}A\\par}") << QByteArray("{\\pntxta }}\\ls1\\ilvl0");
    QTest::newRow("mac page") << QByteArray("{\\rtf1\\mac \\'8e}") << QByteArray("\\'e9");
}

// A file read, written and read again keeps its text, list numbers and levels, and raised text.
void TstTRtfWriter::ReadFileRoundTrip() {
    QFETCH(QByteArray, rtf);
    QFETCH(QByteArray, written);
    QTextDocument first;
    ReadRtf(rtf, first);
    const QByteArray out = TRtfWriter::ToRtf(first);
    QVERIFY2(out.contains(written), out.constData());
    QTextDocument second;
    ReadRtf(out, second);
    QCOMPARE(DocumentText(second), DocumentText(first));
    QCOMPARE(TRtfWriter::ToRtf(second), out);
    auto describe = [](const QTextDocument& document) {
        QStringList parts;
        for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
            if (const QTextList* list = b.textList())
                parts << list->itemText(b) + list->format().property(TRtfReader::ListLevelProperty).toString();
            for (int i = b.position(); i < b.position() + b.length() - 1; ++i)
                parts << QString::number(FormatAt(document, i).verticalAlignment());
        }
        return parts.join(' ');
    };
    QCOMPARE(describe(second), describe(first));
}

void TstTRtfWriter::DocumentFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QTextDocument document;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    Fill(document, QString::fromUtf8("Zeile 1 é\nline\u00A02"), bold);

    const QString rich = dir.filePath(QStringLiteral("a.RTF"));
    TDocumentFile::Save(rich, document);
    QFile file(rich);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("{\\rtf1"));
    file.close();
    QTextDocument back;
    QVERIFY(TDocumentFile::Load(rich, back).RichText);
    QCOMPARE(DocumentText(back), DocumentText(document));
    QVERIFY(FormatAt(back, 0).fontWeight() >= QFont::Bold);

    const QString plain = dir.filePath(QStringLiteral("notes.TXT"));
    TDocumentFile::Save(plain, document);
    QFile plainFile(plain);
    QVERIFY(plainFile.open(QIODevice::ReadOnly));
    // A document not read from a plain-text file is written as UTF-8 with LF line ends.
    QCOMPARE(plainFile.readAll(), QString::fromUtf8("Zeile 1 é\nline\u00A02").toUtf8());
    QVERIFY(!TDocumentFile::Load(plain, back).RichText);
    QCOMPARE(DocumentText(back), DocumentText(document));

    // A .txt file holding rich text is shown as its text; an .rtf holding none as plain text.
    TDocumentFile::Save(plain, document, true);
    TDocumentFile::Load(plain, back);
    QVERIFY(DocumentText(back).startsWith(QStringLiteral("{\\rtf1")));
    TDocumentFile::Save(rich, document, false);
    QVERIFY(!TDocumentFile::Load(rich, back).RichText);
    QCOMPARE(DocumentText(back), DocumentText(document));

    QVERIFY_THROWS_EXCEPTION(std::exception,
                             TDocumentFile::Load(dir.filePath(QStringLiteral("none.rtf")), back));
    QVERIFY_THROWS_EXCEPTION(std::exception, TDocumentFile::Load(dir.path(), back));
}

void TstTRtfWriter::FailedWriteKeepsFile() {
    QTemporaryDir dir;
    QTextDocument document;
    Fill(document, QStringLiteral("new"));
    QVERIFY_THROWS_EXCEPTION(
        std::exception,
        TDocumentFile::Save(dir.filePath(QStringLiteral("missing/x.rtf")), document));
}

// A document read back from the writer's output is written exactly as before: font names the
// table cannot hold, and neighbouring runs that RTF cannot tell apart, included.
void TstTRtfWriter::SecondWriteEqualsFirst_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("font name of control characters")
        << QByteArrayLiteral("{\\rtf1 5{\\fonttbl\\f5\x11}\\f5\0 }");
    QTest::newRow("font names equal once written")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 A\\'01;}{\\f2 A;}}\\f1 x\\f2 y}");
    QTest::newRow("cell spanning columns wider than a cell may be")
        << QByteArray("{\\rtf1 \\trleft108720\\intbl\\cell C\\row\\trowd\\cell o");
}

void TstTRtfWriter::SecondWriteEqualsFirst() {
    QFETCH(QByteArray, input);
    QTextDocument first;
    TRtfReader::Read(QByteArrayView(input), first);
    const QByteArray written = TRtfWriter::ToRtf(first);
    QTextDocument second;
    TRtfReader::Read(QByteArrayView(written), second);
    QCOMPARE(TRtfWriter::ToRtf(second), written);
}

namespace {

QByteArray PngHex() {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data.toHex();
}

// The text, tables and headers of a document.
QString Described(const QTextDocument& document) {
    QString text = DescribeDocument(document);
    for (int kind = 0; kind < TDocumentHeaders::KindCount; ++kind) {
        if (const QTextDocument* part = TDocumentHeaders::Part(document, TDocumentHeaders::TKind(kind)))
            text += " {" + TDocumentHeaders::Word(TDocumentHeaders::TKind(kind)) + ": " + DescribeDocument(*part) + '}';
    }
    return text;
}

} // namespace

// Each construct read is written as the given RTF, and reading that gives the same document,
// which is written the same way again.
void TstTRtfWriter::Constructs_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("table with merged cells")
        << QByteArray("{\\rtf1\\trowd\\clvmgf\\cellx1000\\cellx3000\\intbl A\\cell B\\cell\\row"
                      "\\trowd\\clvmrg\\cellx1000\\cellx2000\\cellx3000\\intbl\\cell C\\cell D\\cell\\row\\pard After}")
        << QByteArray("\\trowd\\trgaph0\\trleft0\\clvmgf\\cellx1000\\cellx3000\r\n\\pard\\intbl {");
    QTest::newRow("nested table")
        << QByteArray("{\\rtf1\\trowd\\cellx2000\\cellx4000\\pard\\intbl\\itap2 n1\\nestcell n2\\nestcell"
                      "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}{\\nonesttables n1\\par}"
                      "\\pard\\intbl\\cell B\\cell\\row}")
        << QByteArray("\\nestcell\r\n{\\*\\nesttableprops \\trowd\\trgaph0\\trleft0\\cellx1000\\cellx2000\r\n"
                      "\\nestrow}{\\nonesttables\\par}");
    QTest::newRow("borders and shading")
        << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\trowd\\trgaph108\\trleft-108\\trqr"
                      "\\clvertalb\\clbrdrl\\brdrdot\\brdrw15\\brdrcf1\\clcbpat1\\cellx1440\\intbl A\\cell\\row}")
        << QByteArray("\\trowd\\trgaph108\\trleft-108\\trqr\\clvertalb\\clbrdrl\\brdrdot\\brdrw15\\brdrcf1\\clcbpat1\\cellx1440");
    QTest::newRow("columns wider than 22 inches")
        << QByteArray("{\\rtf1\\trowd\\cellx1440\\cellx200000\\intbl A\\cell B\\cell\\row"
                      "\\trowd\\cellx99999\\cellx200000\\intbl C\\cell D\\cell\\row}")
        << QByteArray("\\cellx1440\\cellx64800\r\n");
    QTest::newRow("row past 44 inches")
        << QByteArray("{\\rtf1\\trowd\\cellx31680\\cellx63360\\cellx95040\\intbl x\\cell y\\cell z\\cell\\row}")
        << QByteArray("\\cellx31680\\cellx63360\\cellx95040\r\n");
    QTest::newRow("malformed table")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\pard\\intbl A\\cell B\\cell\\row\\intbl\\itap2 C\\nestcell}")
        << QByteArray("\\row");
    QTest::newRow("png picture")
        << "{\\rtf1 a{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450 " + PngHex() + "}}"
        << "{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450\r\n" + PngHex().left(16);
    QTest::newRow("metafile as read")
        << QByteArray("{\\rtf1{\\pict\\wmetafile8\\picw2540\\pich1270\\picscalex50 0102}}")
        << QByteArray("{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal720\\pichgoal720\r\n0102}");
    QTest::newRow("link")
        << QByteArray("{\\rtf1{\\colortbl;\\red0\\green0\\blue255;}{\\field{\\*\\fldinst HYPERLINK \"http://x.org/?a=\\\\\\\\\"}"
                      "{\\fldrslt\\ul\\cf1 x}}{\\field{\\*\\fldinst HYPERLINK \\\\l \"Top\"}{\\fldrslt t}} y}")
        << QByteArray("{\\field{\\*\\fldinst HYPERLINK \"http://x.org/?a=\\\\\\\\\"}{\\fldrslt {\\f0\\fs24\\ul\\cf1 x}}}"
                      "{\\field{\\*\\fldinst HYPERLINK \\\\l \"Top\"}{\\fldrslt {\\f0\\fs24 t}}}{\\f0\\fs24  y}");
    QTest::newRow("headers and footers")
        << QByteArray("{\\rtf1\\facingp\\titlepg{\\headerr R\\par}{\\footerf\\trowd\\cellx900\\intbl F\\cell\\row}Body}")
        << QByteArray("\\facingp\\titlepg{\\headerr\r\n\\pard {\\f0\\fs24 R}\\plain\\f0\\fs24\\par\r\n}\r\n{\\footerf");
    QTest::newRow("tab stops")
        << QByteArray("{\\rtf1\\tx720\\tqc\\tx2880\\tqdec\\tx4000 a\\tab b}")
        << QByteArray("\\tx720\\tqc\\tx2880\\tqdec\\tx4000 ");
}

void TstTRtfWriter::Constructs() {
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, written);
    QTextDocument first;
    ReadRtf(input, first);
    const QByteArray out = TRtfWriter::ToRtf(first);
    QVERIFY2(out.contains(written), out.constData());
    QVERIFY(BracesBalance(out));
    QTextDocument second;
    ReadRtf(out, second);
    QCOMPARE(Described(second), Described(first));
    QCOMPARE(TRtfWriter::ToRtf(second), out);
}

// Tables and images that came from elsewhere (pasted markup, a pasted image) are written too.
void TstTRtfWriter::PastedTableAndImage() {
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertFragment(QTextDocumentFragment::fromHtml(
        QStringLiteral("<table border=\"1\" width=\"50%\"><tr><td>a</td><td colspan=\"2\">b</td></tr>"
                       "<tr><td rowspan=\"2\">c</td><td>d</td><td>e</td></tr><tr><td>f</td><td>g</td></tr></table>")));
    QImage image(5, 2, QImage::Format_RGB32);
    image.fill(Qt::green);
    cursor.movePosition(QTextCursor::End);
    cursor.insertImage(TDocumentPictures::AddImage(document, image));
    const QByteArray out = TRtfWriter::ToRtf(document);
    QVERIFY(out.contains("\\clbrdrt\\brdrs"));
    QVERIFY(out.contains("{\\pict\\pngblip\\picw5\\pich2"));
    QTextDocument back;
    ReadRtf(out, back);
    QCOMPARE(DescribeDocument(back), DescribeDocument(document));
    QCOMPARE(DescribeDocument(back), QString("_ [a;b<2>|c^2;d;e|f;g] ") + QChar(QChar::ObjectReplacementCharacter));
    const QStringList names = TDocumentPictures::Names(back);
    QCOMPARE(names.size(), 1);
    QCOMPARE(TDocumentPictures::Image(back, names.first()).size(), QSize(5, 2));
}

QTEST_MAIN(TstTRtfWriter)
#include "tst_trtfwriter.moc"
