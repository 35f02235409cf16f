#include "helper_rtftext.h"

#include "document/tdocumentheaders.h"
#include "document/tdocumentpictures.h"
#include "document/tdocumentunits.h"
#include "document/trtfreader.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QtTest>

namespace {

QString TabStops(const QTextBlockFormat& format) {
    QStringList stops;
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        static const char* const types[] = {"", "r", "c", "d"};
        stops << QString::number(qRound(TDocumentUnits::PixelsToPoints(tab.position))) + types[tab.type];
    }
    return stops.join(' ');
}

// A PNG picture of the size in one colour, as rich text writes its data.
QByteArray PngHex(int width, int height, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    image.fill(Qt::red);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data.toHex();
}

} // namespace

class TstTRtfReader : public QObject {
    Q_OBJECT

private slots:
    void Text_data();
    void Text();
    void CharacterFormats_data();
    void CharacterFormats();
    void ParagraphFormats_data();
    void ParagraphFormats();
    void Lists_data();
    void Lists();
    void ListNumbers_data();
    void ListNumbers();
    void DeepNesting();
    void HugeNumbersAndWords();
    void BinaryGarbage();
    void DeviceReading();
    void UndoStaysAsItWas();
    void HiddenTextReported();
    void LeftOutReported_data();
    void LeftOutReported();
    void Tables_data();
    void Tables();
    void TableFormats();
    void Pictures_data();
    void Pictures();
    void Links_data();
    void Links();
    void HeadersAndFooters();
};

void TstTRtfReader::Text_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("paragraphs") << QByteArray("{\\rtf1\\ansi Hello\\par World}") << "Hello\nWorld";
    QTest::newRow("last mark ends the text") << QByteArray("{\\rtf1 A\\par}") << "A";
    QTest::newRow("empty last paragraph") << QByteArray("{\\rtf1 A\\par\\par}") << "A\n";
    QTest::newRow("backslash line end") << QByteArray("{\\rtf1 A\\\nB\\\r\nC}") << "A\nB\nC";
    QTest::newRow("line ends in text dropped") << QByteArray("{\\rtf1 A\r\nB\nC}") << "ABC";
    QTest::newRow("code page 1252 default") << QByteArray("{\\rtf1 \\'e9\\'80\\'93}")
                                            << QString::fromUtf8("é€“");
    QTest::newRow("raw high bytes") << QByteArray("{\\rtf1 \xe9}") << QString::fromUtf8("é");
    QTest::newRow("ansicpg 1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1}")
                                  << QString::fromUtf8("Аб");
    QTest::newRow("font charset wins")
        << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset204 Arial "
                      "Cyr;}}\\f1\\'c0\\f0\\'c0}")
        << QString::fromUtf8("АÀ");
    QTest::newRow("default charset takes document page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0\\fcharset1 X;}}\\f0\\'e1}")
        << QString::fromUtf8("α");
    QTest::newRow("double-byte pairs")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\\'a2}") << QString::fromUtf8("あい");
    QTest::newRow("mac roman") << QByteArray("{\\rtf1\\mac \\'8e}") << QString::fromUtf8("é");
    QTest::newRow("mac japanese") << QByteArray("{\\rtf1\\ansi\\ansicpg10001 \\'82\\'a0}")
                                  << QString::fromUtf8("あ");
    QTest::newRow("mac font charsets")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset81 B;}{\\f1\\fcharset79 K;}{\\f2\\fcharset80 G;}"
                      "{\\f3\\fcharset89 C;}{\\f4\\fcharset88 E;}{\\f5\\fcharset83 H;}}"
                      "\\f0\\'a4\\'40\\f1\\'b0\\'a1\\f2\\'b0\\'a1\\f3\\'80\\f4\\'81\\f5\\'e0}")
        << QString::fromUtf8("一가啊АĀא");
    QTest::newRow("unicode skips one") << QByteArray("{\\rtf1 \\u233?x}") << QString::fromUtf8("éx");
    QTest::newRow("uc2") << QByteArray("{\\rtf1\\uc2 \\u233??x}") << QString::fromUtf8("éx");
    QTest::newRow("uc0") << QByteArray("{\\rtf1\\uc0 \\u233 x}") << QString::fromUtf8("éx");
    QTest::newRow("uc scoped to group")
        << QByteArray("{\\rtf1{\\uc2 \\u233??}\\u233?x}") << QString::fromUtf8("ééx");
    QTest::newRow("hex byte is one unit") << QByteArray("{\\rtf1 \\u8364\\'80x}")
                                          << QString::fromUtf8("€x");
    QTest::newRow("control word is one unit") << QByteArray("{\\rtf1 \\u8364\\par x}")
                                              << QString::fromUtf8("€x");
    QTest::newRow("bin with data is one unit")
        << QByteArray("{\\rtf1 \\u233\\bin3 }{\\x}") << QString::fromUtf8("éx");
    QTest::newRow("brace ends the skip") << QByteArray("{\\rtf1\\uc3 {\\u233}x}")
                                         << QString::fromUtf8("éx");
    QTest::newRow("skip inside text run") << QByteArray("{\\rtf1\\uc2 \\u233abc}")
                                          << QString::fromUtf8("éc");
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7));
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8694?}")
                                    << QString::fromUtf8("😊");
    QTest::newRow("lone high surrogate") << QByteArray("{\\rtf1 \\u-10179?x}")
                                         << QString(QChar(0xFFFD)) + "x";
    QTest::newRow("lone low surrogate") << QByteArray("{\\rtf1 \\u-8694?x}")
                                        << QString(QChar(0xFFFD)) + "x";
    QTest::newRow("symbols")
        << QByteArray("{\\rtf1 \\~\\-\\_\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote"
                      "\\bullet}")
        << QString::fromUtf8("\u00A0\u00AD\u2011—–‘’“”•");
    QTest::newRow("tab and line") << QByteArray("{\\rtf1 a\\tab b\\line c}")
                                  << QString("a\tb") + QChar(QChar::LineSeparator) + "c";
    QTest::newRow("escaped characters") << QByteArray("{\\rtf1 \\\\\\{\\}}") << "\\{}";
    QTest::newRow("info, stylesheet, unknown destinations")
        << QByteArray("{\\rtf1{\\info{\\title T}{\\author W}}{\\stylesheet{\\s0 Normal;}}"
                      "{\\*\\unknown x{y}}{\\*\\generator g;}A}")
        << "A";
    QTest::newRow("picture with binary braces")
        << QByteArray("{\\rtf1 A{\\pict\\wmetafile8\\bin4 }}{\\}B}") << "A" + QString(QChar::ObjectReplacementCharacter) + "B";
    QTest::newRow("binary in skipped destination")
        << QByteArray("{\\rtf1{\\*\\foo\\bin2 }}}C}") << "C";
    QTest::newRow("field shows its result")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}") << "link";
    QTest::newRow("pntext not doubled")
        << QByteArray("{\\rtf1{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}Item\\par}")
        << "Item";
    QTest::newRow("listtext not doubled")
        << QByteArray("{\\rtf1{\\listtext \\'b7\\tab}\\ls1 Item}") << "Item";
    QTest::newRow("unicode alternative")
        << QByteArray("{\\rtf1{\\upr{A}{\\*\\ud{B}}}}") << "B";
    QTest::newRow("object shows its result")
        << QByteArray("{\\rtf1{\\object{\\*\\objdata 0102}{\\result R}}}") << "R";
    QTest::newRow("headers apart, footnote after the text")
        << QByteArray("{\\rtf1{\\header H}{\\footer F}{\\footnote N}T}")
        << "T\n" + QString(20, '_') + "\nN";
    QTest::newRow("table cells") << QByteArray("{\\rtf1 a\\cell b\\cell\\row c}") << "a\tb\t\nc";
    QTest::newRow("hidden text left out")
        << QByteArray("{\\rtf1 This is hidden:{\\v  secret.}\\par x\\v y\\v0 z}") << "This is hidden:\nxz";
    QTest::newRow("hidden paragraph mark joins")
        << QByteArray("{\\rtf1 A{\\v  gone\\par}B\\par C}") << "AB\nC";
    QTest::newRow("note marks, notes after the text")
        << QByteArray("{\\rtf1\\aftnnrlc Note{\\super\\chftn{\\footnote\\pard\\plain{\\super\\chftn} Text.}}"
                      " end{\\super\\chftn}{\\footnote\\ftnalt{\\super\\chftn} Endnote.}.\\par"
                      " Own{\\super *}{\\footnote{\\super *} Mark.\\par}}")
        << "Note1 endi.\nOwn*\n" + QString(20, '_') + "\n1 Text.\ni Endnote.\n* Mark.";
    QTest::newRow("note numbering") << QByteArray("{\\rtf1\\ftnstart3\\ftnnauc x\\chftn{\\footnote\\chftn}}")
                                    << "xC\n" + QString(20, '_') + "\nC";
    QTest::newRow("missing final brace") << QByteArray("{\\rtf1 Hello") << "Hello";
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 A\\") << "A";
    QTest::newRow("text after the final brace") << QByteArray("{\\rtf1 A}}}B") << "A";
    QTest::newRow("extra closing brace ends the document") << QByteArray("{\\rtf1 A}B}") << "A";
    QTest::newRow("control characters dropped") << QByteArray("{\\rtf1 a\x01\x1f" "b\\u0?c}") << "abc";
    QTest::newRow("document markers replaced")
        << QByteArray("{\\rtf1 \\u64976?\\u65532?\\u8233?}")
        << QString(QChar(0xFFFD)) + QChar(0xFFFD) + QChar(QChar::LineSeparator);
    QTest::newRow("not rich text") << QByteArray("Hello\r\nWorld") << "Hello\nWorld";
    QTest::newRow("rtf after white space and mark")
        << QByteArray("\xEF\xBB\xBF  \r\n{\\rtf1 X}") << "X";
    QTest::newRow("plain utf-8") << QByteArray("caf\xc3\xa9") << QString::fromUtf8("café");
    QTest::newRow("plain cp1252") << QByteArray("caf\xe9\x80") << QString::fromUtf8("café€");
}

void TstTRtfReader::Text() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QTextDocument document;
    ReadRtf(rtf, document);
    QCOMPARE(DocumentText(document), text);
}

void TstTRtfReader::CharacterFormats_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("styles"); // b, i, u, s; ^ superscript, _ subscript
    QTest::addColumn<QString>("foreground");
    QTest::addColumn<QString>("background");

    const QByteArray fonts = "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern\\fcharset0 Courier New;}}";
    const QByteArray colours = "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";
    QTest::newRow("defaults") << "{\\rtf1" + fonts + " X}" << 0 << "Arial" << 12.0 << "" << ""
                              << "";
    QTest::newRow("deff") << "{\\rtf1\\deff1" + fonts + " X}" << 0 << "Courier New" << 12.0 << ""
                          << "" << "";
    QTest::newRow("font and size") << "{\\rtf1" + fonts + "\\f1\\fs17 X}" << 0 << "Courier New"
                                   << 8.5 << "" << "" << "";
    QTest::newRow("bold on") << "{\\rtf1" + fonts + "\\b B\\b0 N}" << 0 << "Arial" << 12.0 << "b"
                             << "" << "";
    QTest::newRow("bold0 off") << "{\\rtf1" + fonts + "\\b B\\b0 N}" << 1 << "Arial" << 12.0 << ""
                               << "" << "";
    QTest::newRow("all four") << "{\\rtf1" + fonts + "\\b\\i\\ul\\strike X}" << 0 << "Arial"
                              << 12.0 << "bius" << "" << "";
    QTest::newRow("zero parameters") << "{\\rtf1" + fonts + "\\b\\i\\ul\\strike\\b0\\i0\\ul0\\strike0 X}"
                                     << 0 << "Arial" << 12.0 << "" << "" << "";
    QTest::newRow("ulnone") << "{\\rtf1" + fonts + "\\ul\\ulnone X}" << 0 << "Arial" << 12.0 << ""
                            << "" << "";
    QTest::newRow("double underline") << "{\\rtf1" + fonts + "\\uldb X}" << 0 << "Arial" << 12.0
                                      << "u" << "" << "";
    QTest::newRow("plain resets") << "{\\rtf1" + fonts + "\\f1\\fs40\\b\\i\\plain X}" << 0
                                  << "Arial" << 12.0 << "" << "" << "";
    QTest::newRow("group restores") << "{\\rtf1" + fonts + "{\\b\\f1 B}N}" << 1 << "Arial" << 12.0
                                    << "" << "" << "";
    QTest::newRow("superscript") << "{\\rtf1" + fonts + "\\super X}" << 0 << "Arial" << 12.0 << "^"
                                 << "" << "";
    QTest::newRow("raised is superscript") << "{\\rtf1" + fonts + "\\up6 X}" << 0 << "Arial" << 12.0
                                           << "^" << "" << "";
    QTest::newRow("subscript, then none") << "{\\rtf1" + fonts + "\\sub X\\nosupersub Y}" << 0 << "Arial"
                                          << 12.0 << "_" << "" << "";
    QTest::newRow("colours") << "{\\rtf1" + fonts + colours + "\\cf1\\highlight2 X}" << 0 << "Arial"
                             << 12.0 << "" << "#ff0000" << "#0000ff";
    QTest::newRow("cf0 is automatic")
        << "{\\rtf1" + fonts + colours + "\\cf1\\highlight2 X\\cf0\\highlight0 Y}" << 1 << "Arial"
        << 12.0 << "" << "" << "";
    QTest::newRow("colour beyond table") << "{\\rtf1" + fonts + colours + "\\cf9 X}" << 0
                                         << "Arial" << 12.0 << "" << "" << "";
    QTest::newRow("huge size clamped") << "{\\rtf1" + fonts + "\\fs999999999999 X}" << 0 << "Arial"
                                       << 1638.0 << "" << "" << "";
    QTest::newRow("fs0 is the default") << "{\\rtf1" + fonts + "\\fs0 X}" << 0 << "Arial" << 12.0
                                        << "" << "" << "";
    QTest::newRow("font name in code page")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset204 \\'c0rial;}} X}") << 0
        << QString::fromUtf8("Аrial") << 12.0 << "" << "" << "";
    QTest::newRow("font table without groups")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\fnil Arial;\\f1\\fnil Times;}\\f1 X}") << 0 << "Times"
        << 12.0 << "" << "" << "";
    QTest::newRow("alternative font name left out")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0{\\*\\panose 0203}Arial{\\*\\falt Helv};}} X}") << 0
        << "Arial" << 12.0 << "" << "" << "";
}

void TstTRtfReader::CharacterFormats() {
    QFETCH(QByteArray, rtf);
    QFETCH(int, position);
    QTextDocument document;
    ReadRtf(rtf, document);
    const QTextCharFormat f = FormatAt(document, position);
    QTEST(FamilyOf(f), "family");
    QTEST(f.fontPointSize(), "size");
    QString styles;
    if (f.fontWeight() >= QFont::Bold)
        styles += 'b';
    if (f.fontItalic())
        styles += 'i';
    if (f.fontUnderline())
        styles += 'u';
    if (f.fontStrikeOut())
        styles += 's';
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        styles += '^';
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        styles += '_';
    QTEST(styles, "styles");
    QTEST(f.foreground().style() == Qt::NoBrush ? QString() : f.foreground().color().name(),
          "foreground");
    QTEST(f.background().style() == Qt::NoBrush ? QString() : f.background().color().name(),
          "background");
}

void TstTRtfReader::ParagraphFormats_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("before");
    QTest::addColumn<double>("after");
    QTest::addColumn<QString>("tabs"); // positions in points, r right, c centre, d decimal

    const int l = int(Qt::AlignLeft);
    QTest::newRow("plain") << QByteArray("{\\rtf1 A}") << 0 << l << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << "";
    QTest::newRow("centre") << QByteArray("{\\rtf1\\qc A}") << 0 << int(Qt::AlignHCenter) << 0.0
                            << 0.0 << 0.0 << 0.0 << 0.0 << "";
    QTest::newRow("right") << QByteArray("{\\rtf1\\qr A}") << 0 << int(Qt::AlignRight) << 0.0
                           << 0.0 << 0.0 << 0.0 << 0.0 << "";
    QTest::newRow("justify") << QByteArray("{\\rtf1\\qj A}") << 0 << int(Qt::AlignJustify) << 0.0
                             << 0.0 << 0.0 << 0.0 << 0.0 << "";
    QTest::newRow("indents in twips")
        << QByteArray("{\\rtf1\\li720\\ri360\\fi-200\\sb120\\sa240 A}") << 0 << l << 36.0 << 18.0
        << -10.0 << 6.0 << 12.0 << "";
    QTest::newRow("properties at the paragraph end")
        << QByteArray("{\\rtf1 A\\qc\\li200\\par B}") << 0 << int(Qt::AlignHCenter) << 10.0
        << 0.0 << 0.0 << 0.0 << 0.0 << "";
    QTest::newRow("carried to the next paragraph")
        << QByteArray("{\\rtf1\\qr\\li200 A\\par B}") << 1 << int(Qt::AlignRight) << 10.0 << 0.0
        << 0.0 << 0.0 << 0.0 << "";
    QTest::newRow("pard resets") << QByteArray("{\\rtf1\\qr\\li200 A\\par\\pard B}") << 1 << l
                                 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << "";
    QTest::newRow("group restores")
        << QByteArray("{\\rtf1{\\qc\\li200 A\\par}B}") << 1 << l << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << "";
    QTest::newRow("tab stops") << QByteArray("{\\rtf1\\tx720\\tqr\\tx2880\\tqc\\tx4320\\tqdec\\tx5040 A}") << 0 << l
                               << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << "36 144r 216c 252d";
    QTest::newRow("huge indent clamped") << QByteArray("{\\rtf1\\li99999999 A}") << 0 << l
                                         << 1584.0 << 0.0 << 0.0 << 0.0 << 0.0 << "";
}

void TstTRtfReader::ParagraphFormats() {
    QFETCH(QByteArray, rtf);
    QFETCH(int, block);
    QTextDocument document;
    ReadRtf(rtf, document);
    const QTextBlockFormat b = document.findBlockByNumber(block).blockFormat();
    QTEST(int(b.alignment() & Qt::AlignHorizontal_Mask), "alignment");
    // Given in points, held in the document's pixels.
    QTEST(TDocumentUnits::PixelsToPoints(b.leftMargin()), "left");
    QTEST(TDocumentUnits::PixelsToPoints(b.rightMargin()), "right");
    QTEST(TDocumentUnits::PixelsToPoints(b.textIndent()), "first");
    QTEST(TDocumentUnits::PixelsToPoints(b.topMargin()), "before");
    QTEST(TDocumentUnits::PixelsToPoints(b.bottomMargin()), "after");
    QTEST(TabStops(b), "tabs");
}

void TstTRtfReader::Lists_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    // One letter a paragraph: '-' no list, 'b' bullet, 'd' decimal, 'a' lower alpha; a
    // change of list between two list paragraphs is written '|'.
    QTest::addColumn<QString>("lists");

    QTest::newRow("wordpad bullets")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
                      "\\pard{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}"
                      "\\fi-720\\li720 One\\par{\\pntext\\f1\\'b7\\tab}Two\\par\\pard Three\\par}")
        << "One\nTwo\nThree" << "bb-";
    QTest::newRow("numbered pn")
        << QByteArray("{\\rtf1{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}A\\par"
                      "{\\pntext 2.\\tab}B\\par}")
        << "A\nB" << "dd";
    QTest::newRow("lower letters pn")
        << QByteArray("{\\rtf1{\\*\\pn\\pnlvlbody\\pnlcltr}A\\par}") << "A" << "a";
    QTest::newRow("list table")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0"
                      "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}\\listid7}"
                      "{\\list{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}\\listid8}}"
                      "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}"
                      "{\\listoverride\\listid8\\listoverridecount0\\ls2}}"
                      "\\pard\\ls1{\\listtext 1.\\tab}A\\par{\\listtext 2.\\tab}B\\par"
                      "\\pard\\ls2{\\listtext \\'b7\\tab}C\\par\\pard D\\par}")
        << "A\nB\nC\nD" << "dd|b-";
    QTest::newRow("unknown override is a bullet")
        << QByteArray("{\\rtf1\\ls5 A\\par}") << "A" << "b";
    QTest::newRow("list interrupted")
        << QByteArray("{\\rtf1{\\*\\pn\\pnlvlblt}A\\par\\pard B\\par{\\*\\pn\\pnlvlblt}C\\par}")
        << "A\nB\nC" << "b-|b";
}

void TstTRtfReader::Lists() {
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    ReadRtf(rtf, document);
    QTEST(DocumentText(document), "text");
    QString lists;
    QTextList* previous = nullptr;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        QTextList* list = b.textList();
        if (!list) {
            lists += '-';
        } else {
            if (previous && list != previous)
                lists += '|';
            switch (list->format().style()) {
            case QTextListFormat::ListDisc:
                lists += 'b';
                break;
            case QTextListFormat::ListDecimal:
                lists += 'd';
                break;
            case QTextListFormat::ListLowerAlpha:
                lists += 'a';
                break;
            default:
                lists += '?';
            }
        }
        previous = list ? list : previous;
    }
    QTEST(lists, "lists");
}

void TstTRtfReader::ListNumbers_data() {
    QTest::addColumn<QByteArray>("rtf");
    // Each paragraph's number as shown and its list level; "-" for a paragraph in no list.
    QTest::addColumn<QString>("numbers");

    QTest::newRow("list table levels")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}"
                      "{\\listlevel\\levelnfc4{\\leveltext\\'03(\\'01);}}{\\listlevel\\levelnfc2"
                      "{\\leveltext\\'02\\'02\\u8211 ?;}}\\listid5}}{\\*\\listoverridetable{\\listoverride"
                      "\\listid5\\ls1}}\\pard\\ls1 A\\par\\ilvl1 B\\par C\\par\\ilvl2 D\\par\\ilvl0 E\\par"
                      "\\ilvl1 F\\par\\pard G\\par}")
        << QString::fromUtf8("1.0 (a)1 (b)1 i–2 2.0 (a)1 -");
    QTest::newRow("a list numbers on across other paragraphs")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc0}{\\listlevel\\levelnfc4}\\listid1}"
                      "{\\list{\\listlevel\\levelnfc3}\\listid2}}{\\*\\listoverridetable{\\listoverride"
                      "\\listid1\\ls1}{\\listoverride\\listid2\\ls2}}\\pard\\ls1 A\\par\\ilvl1 B\\par"
                      "\\pard\\ls2 C\\par\\pard D\\par\\ls1\\ilvl1 E\\par\\ilvl0 F\\par}")
        << "1.0 a.1 A.0 - b.1 2.0";
    QTest::newRow("paragraph numbering levels and text")
        << QByteArray("{\\rtf1{\\*\\pn\\pnlvl1\\pndec{\\pntxta .}}A\\par{\\*\\pn\\pnlvl2\\pnucltr"
                      "{\\pntxtb (}{\\pntxta )}}B\\par{\\*\\pn\\pnlvlbody\\pndec{\\pntxta .}}C\\par"
                      "{\\*\\pn\\pnlvlbody\\pnlcrm}D\\par}")
        << "1.0 (A)1 2.0 i0";
}

void TstTRtfReader::ListNumbers() {
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    ReadRtf(rtf, document);
    QStringList numbers;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextList* list = b.textList();
        numbers << (list ? list->itemText(b) +
                               QString::number(list->format().intProperty(TRtfReader::ListLevelProperty))
                         : QStringLiteral("-"));
    }
    QTEST(numbers.join(' '), "numbers");
}

void TstTRtfReader::DeepNesting() {
    const int depth = 200000;
    QByteArray rtf = "{\\rtf1 A";
    rtf += QByteArray(depth, '{') + "\\b x" + QByteArray(depth, '}') + "B}";
    QTextDocument document;
    const TRtfReadResult result = TRtfReader::Read(QByteArrayView(rtf), document);
    QVERIFY(result.RichText);
    QVERIFY(result.DepthLimited);
    QCOMPARE(DocumentText(document), QStringLiteral("AB"));
    QVERIFY(FormatAt(document, 1).fontWeight() < QFont::Bold);

    // Within the limit nothing is left out.
    QByteArray shallow = "{\\rtf1 A" + QByteArray(100, '{') + "x" + QByteArray(100, '}') + "B}";
    const TRtfReadResult ok = TRtfReader::Read(QByteArrayView(shallow), document);
    QVERIFY(!ok.DepthLimited);
    QCOMPARE(DocumentText(document), QStringLiteral("AxB"));

    // Unclosed groups to the end of the input.
    QByteArray open = "{\\rtf1 A" + QByteArray(depth, '{') + "x";
    TRtfReader::Read(QByteArrayView(open), document);
    QCOMPARE(DocumentText(document), QStringLiteral("A"));
}

void TstTRtfReader::HugeNumbersAndWords() {
    QByteArray rtf = "{\\rtf1 \\" + QByteArray(100000, 'a') + "1 A\\b" + QByteArray(100000, '9') +
                     " B\\u-99999999999? C\\uc99999999 \\u65? D\\bin99999999999 ";
    QTextDocument document;
    TRtfReader::Read(QByteArrayView(rtf), document);
    // \uc is clamped to 255 units; here the skip takes the rest of the input.
    QCOMPARE(DocumentText(document), QStringLiteral("AB CA"));
    QVERIFY(FormatAt(document, 1).fontWeight() >= QFont::Bold);
}

void TstTRtfReader::BinaryGarbage() {
    QRandomGenerator random(20240501);
    QTextDocument document;
    for (int round = 0; round < 200; ++round) {
        QByteArray rtf = "{\\rtf1 ";
        const int size = int(random.bounded(4000));
        for (int i = 0; i < size; ++i) {
            // Mostly the bytes that matter to the tokenizer.
            static const char interesting[] = "{}\\'*uc0123456789-abfpr ;\x80\xff\r\n";
            rtf += random.bounded(2) ? char(random.bounded(256))
                                     : interesting[random.bounded(int(sizeof interesting - 1))];
        }
        TRtfReader::Read(QByteArrayView(rtf), document);
        QVERIFY(document.blockCount() >= 1);
    }
}

void TstTRtfReader::DeviceReading() {
    QByteArray rtf = "{\\rtf1 A\\par B}";
    QBuffer buffer(&rtf);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QTextDocument document;
    QVERIFY(TRtfReader::Read(buffer, document).RichText);
    QCOMPARE(DocumentText(document), QStringLiteral("A\nB"));

    QBuffer closed;
    QVERIFY_THROWS_EXCEPTION(std::exception, TRtfReader::Read(closed, document));
}

void TstTRtfReader::UndoStaysAsItWas() {
    QTextDocument document;
    QVERIFY(document.isUndoRedoEnabled());
    ReadRtf("{\\rtf1 A\\par B}", document);
    QVERIFY(document.isUndoRedoEnabled());
    QVERIFY(!document.isUndoAvailable());
}

void TstTRtfReader::HiddenTextReported() {
    QTextDocument document;
    QVERIFY(!TRtfReader::Read(QByteArrayView("{\\rtf1 a{\\v0 b}}"), document).HiddenTextLeftOut);
    QVERIFY(TRtfReader::Read(QByteArrayView("{\\rtf1 a{\\v b}}"), document).HiddenTextLeftOut);
}

void TstTRtfReader::LeftOutReported_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("leftOut");
    QTest::newRow("plain") << QByteArray("{\\rtf1 a\\par b}") << QStringList();
    QTest::newRow("ignored info") << QByteArray("{\\rtf1{\\info{\\title T}} a}") << QStringList();
    QTest::newRow("pictures, tables, headers and links kept")
        << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47}{\\*\\shppict{\\pict 00}}{\\header H}"
                      "\\trowd\\cellx100\\intbl x\\cell\\row{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt y}}}")
        << QStringList();
    QTest::newRow("hidden, object, comment, text box")
        << QByteArray("{\\rtf1{\\footerf F}a{\\v b}{\\object{\\*\\objdata 01}{\\result R}}"
                      "{\\*\\annotation c}{\\shp{\\*\\shpinst{\\shptxt t}}}}")
        << QStringList{"objects", "comments", "hidden text"};
    QByteArray metafiles("{\\rtf1 ");
    for (int i = 0; i < 3000; ++i)
        metafiles += "{\\pict\\wmetafile8\\picw99999\\pich99999 " + QByteArray::number(i + 0x1000, 16) + "}";
    QTest::newRow("placeholders of one size share their pixels") << metafiles + "}" << QStringList();
    QTest::newRow("picture over the limit")
        << "{\\rtf1{\\pict\\pngblip " + PngHex(4200, 4000, QImage::Format_Mono) + "}}"
        << QStringList{"pictures"};
}

void TstTRtfReader::LeftOutReported() {
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, leftOut);
    QTextDocument document;
    QCOMPARE(TRtfReader::Read(QByteArrayView(rtf), document).LeftOut, leftOut);
}

void TstTRtfReader::Tables_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("described"); // see DescribeDocument

    const QByteArray row2 = "\\trowd\\cellx1000\\cellx2000";
    QTest::newRow("two rows, text after")
        << "{\\rtf1 Before\\par" + row2 + "\\pard\\intbl A\\cell B\\cell\\row" + row2 +
               "\\pard\\intbl C\\cell D\\par E\\cell\\row\\pard After\\par}"
        << "Before _ [A;B|C;D/E] After";
    QTest::newRow("table first, definition at the end")
        << QByteArray("{\\rtf1\\pard\\intbl A\\cell B\\cell\\trowd\\cellx1000\\cellx2000\\row}")
        << "_ [A;B] _";
    QTest::newRow("wide cell spans columns")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl A\\cell B\\cell C\\cell\\row"
                      "\\trowd\\cellx2000\\cellx3000\\intbl D\\cell E\\cell\\row}")
        << "_ [A;B;C|D<2>;E] _";
    QTest::newRow("horizontal merge")
        << QByteArray("{\\rtf1\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000\\intbl A\\cell\\cell C\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2000\\cellx3000\\intbl X\\cell Y\\cell Z\\cell\\row}")
        << "_ [A<2>;C|X;Y;Z] _";
    QTest::newRow("vertical merge")
        << QByteArray("{\\rtf1\\trowd\\clvmgf\\cellx1000\\cellx2000\\intbl A\\cell B\\cell\\row"
                      "\\trowd\\clvmrg\\cellx1000\\cellx2000\\intbl\\cell D\\cell\\row"
                      "\\trowd\\cellx1000\\cellx2000\\intbl E\\cell F\\cell\\row}")
        << "_ [A^2;B|D|E;F] _";
    QTest::newRow("nested table")
        << QByteArray("{\\rtf1\\trowd\\cellx2000\\cellx4000\\pard\\intbl\\itap2 n1\\nestcell n2\\nestcell"
                      "{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}{\\nonesttables n1\\tab n2\\par}"
                      "\\pard\\intbl\\cell B\\cell\\row\\pard After}")
        << "_ [_/[n1;n2]/_;B] After";
    QTest::newRow("text and table in one paragraph")
        << QByteArray("{\\rtf1 Before\\trowd\\cellx1000\\intbl A\\cell B\\itap2 C\\nestcell\\nestrow\\cell\\row}")
        << "Before _ [A;B/_/[C]/_] _";
    QTest::newRow("list paragraphs in a cell")
        << QByteArray("{\\rtf1\\trowd\\cellx3000\\pard\\intbl\\ls1 d\\par\\ls2 e\\cell\\row}") << "_ [d/e] _";
    QTest::newRow("row without row mark")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\pard\\intbl A\\cell\\pard After}") << "_ [A] After";
    QTest::newRow("cells past the last edge")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\pard\\intbl A\\cell B\\cell C\\cell\\row}") << "_ [A;B;C] _";
    QTest::newRow("empty cell past the last edge dropped")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B\\cell\\cell\\row}") << "_ [A;B] _";
    QTest::newRow("last cell without its mark, file cut short")
        << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B") << "_ [A;B] _";
    QTest::newRow("nesting level without table")
        << QByteArray("{\\rtf1\\itap3\\nestrow\\row A\\nestcell\\pard B}") << "_ [_/[_/[A]/_]/_] B";
    QTest::newRow("merges that do not fit")
        << QByteArray("{\\rtf1\\trowd\\clmrg\\clvmrg\\cellx1000\\clvmgf\\cellx500\\intbl A\\cell B\\cell\\row"
                      "\\trowd\\clvmrg\\cellx3000\\intbl C\\cell\\row}")
        << "_ [A;B|C<2>] _";
}

void TstTRtfReader::Tables() {
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    const TRtfReadResult result = TRtfReader::Read(QByteArrayView(rtf), document);
    QTEST(DescribeDocument(document), "described");
    QVERIFY(!result.LeftOut.contains(QStringLiteral("tables")));
}

void TstTRtfReader::TableFormats() {
    QTextDocument document;
    ReadRtf("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
            "\\trowd\\trgaph100\\trleft-100\\trqc\\trhdr\\clvertalc\\clbrdrt\\brdrdb\\brdrw40\\brdrcf1"
            "\\clcbpat2\\cellx1440\\clcfpat1\\clshdng5000\\cellx4320"
            "\\pard\\intbl A\\cell B\\cell\\row}",
            document);
    QTextCursor cursor(&document);
    cursor.setPosition(2);
    QTextTable* table = cursor.currentTable();
    QVERIFY(table);
    const QTextTableFormat tf = table->format();
    QCOMPARE(int(tf.alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignHCenter));
    QCOMPARE(tf.headerRowCount(), 1);
    QCOMPARE(tf.columnWidthConstraints().size(), 2);
    QCOMPARE(tf.columnWidthConstraints().at(1).rawValue(), TDocumentUnits::PointsToPixels(144));
    QCOMPARE(tf.columnWidthConstraints().at(0).rawValue(), TDocumentUnits::PointsToPixels(77));
    const QTextTableCellFormat a = table->cellAt(0, 0).format().toTableCellFormat();
    QCOMPARE(a.verticalAlignment(), QTextCharFormat::AlignMiddle);
    QCOMPARE(a.background().color(), QColor(0, 0, 255));
    QCOMPARE(a.topBorder(), TDocumentUnits::PointsToPixels(2));
    QCOMPARE(a.topBorderStyle(), QTextFrameFormat::BorderStyle_Double);
    QCOMPARE(a.topBorderBrush().color(), QColor(255, 0, 0));
    QCOMPARE(a.bottomBorder(), 0.0);
    // Half the red pattern over white.
    QCOMPARE(table->cellAt(0, 1).format().background().color(), QColor(255, 128, 128));
}

void TstTRtfReader::Pictures_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("kind");     // of each picture, as the file named it
    QTest::addColumn<QString>("shown");    // "image" or "placeholder" for each
    QTest::addColumn<QString>("size");     // in points, of the first

    const QByteArray png = PngHex(4, 3);
    QTest::newRow("png with goal size")
        << "{\\rtf1 a{\\pict\\pngblip\\picw4\\pich3\\picwgoal600\\pichgoal450 " + png + "}b}"
        << "pngblip" << "image" << "30x22.5";
    QTest::newRow("png scaled, size from its pixels")
        << "{\\rtf1{\\pict\\pngblip\\picscalex50\\picscaley200 " + png + "}}"
        << "pngblip" << "image" << "1.5x4.5";
    QTest::newRow("binary data")
        << "{\\rtf1{\\pict\\pngblip\\bin" + QByteArray::number(QByteArray::fromHex(png).size()) + " " +
               QByteArray::fromHex(png) + "}}"
        << "pngblip" << "image" << "3x2.25";
    QTest::newRow("metafile placeholder of its size")
        << QByteArray("{\\rtf1{\\pict\\wmetafile8\\picw2540\\pich1270 0102}}")
        << "wmetafile8" << "placeholder" << "72x36";
    QTest::newRow("drawing picture preferred")
        << "{\\rtf1{\\*\\shppict{\\pict\\pngblip " + png + "}}{\\nonshppict{\\pict\\wmetafile8 00}}}"
        << "pngblip" << "image" << "3x2.25";
    QTest::newRow("alternative alone")
        << QByteArray("{\\rtf1{\\nonshppict{\\pict\\emfblip\\picwgoal20\\pichgoal40 00}}}")
        << "emfblip" << "placeholder" << "1x2";
    QTest::newRow("damaged png")
        << QByteArray("{\\rtf1{\\pict\\pngblip\\picwgoal20\\pichgoal20 89504e470d0a1a0a00}}")
        << "pngblip" << "placeholder" << "1x1";
    QTest::newRow("drawing's own picture, not its result")
        << "{\\rtf1{\\shp{\\*\\shpinst{\\sp{\\sn pib}{\\sv{\\pict\\pngblip " + png +
               "}}}}{\\shprslt{\\pict\\wmetafile8 00}}}}"
        << "pngblip" << "image" << "3x2.25";
    QTest::newRow("two pictures, odd digit left")
        << QByteArray("{\\rtf1{\\pict\\dibitmap0 0}{\\pict\\jpegblip\\picwgoal20\\pichgoal20 ffd8f}}")
        << "dibitmap0 jpegblip" << "placeholder placeholder" << "72x72";
}

void TstTRtfReader::Pictures() {
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    const TRtfReadResult result = TRtfReader::Read(QByteArrayView(rtf), document);
    QVERIFY(result.LeftOut.isEmpty());
    QStringList kinds, shown;
    QString size;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QTextImageFormat image = f.toImageFormat();
            const auto source = TDocumentPictures::Source(document, image.name());
            QVERIFY(source);
            kinds << source->Kind + (source->KindParameter >= 0 ? QByteArray::number(source->KindParameter) : QByteArray());
            const QImage picture = TDocumentPictures::Image(document, image.name());
            shown << (picture.size() == QSize(4, 3) ? "image" : "placeholder");
            if (size.isEmpty())
                size = QStringLiteral("%1x%2").arg(TDocumentUnits::PixelsToPoints(image.width()))
                           .arg(TDocumentUnits::PixelsToPoints(image.height()));
        }
    }
    QTEST(kinds.join(' '), "kind");
    QTEST(shown.join(' '), "shown");
    QTEST(size, "size");
}

void TstTRtfReader::Links_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("links"); // the address of each character, "-" for none

    QTest::newRow("link")
        << QByteArray("{\\rtf1 a{\\field{\\*\\fldinst{HYPERLINK \"http://x.org/\"}}{\\fldrslt{\\ul\\cf1 bc}}}d}")
        << "abcd" << "- http://x.org/ http://x.org/ -";
    QTest::newRow("place in the document")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \\\\l \"Top\" \\\\o \"tip\"}{\\fldrslt t}}}")
        << "t" << "#Top";
    QTest::newRow("instruction in pieces, escaped backslashes")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst {HYPER}{LINK \"C:\\\\\\\\d\\\\\\\\a.doc\"}}{\\fldrslt f}}}")
        << "f" << "C:\\d\\a.doc";
    QTest::newRow("other fields keep their result")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}}") << "3" << "-";
    QTest::newRow("address in unicode")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://x/\\u233?\"}{\\fldrslt e}}}")
        << "e" << QString::fromUtf8("http://x/é");
}

void TstTRtfReader::Links() {
    QFETCH(QByteArray, rtf);
    QTextDocument document;
    ReadRtf(rtf, document);
    QTEST(DocumentText(document), "text");
    QStringList links;
    for (int i = 0; i < document.characterCount() - 1; ++i) {
        const QTextCharFormat f = FormatAt(document, i);
        links << (f.isAnchor() ? f.anchorHref() : QStringLiteral("-"));
    }
    QTEST(links.join(' '), "links");
    if (QByteArray(QTest::currentDataTag()) == "link")
        QVERIFY(FormatAt(document, 1).fontUnderline());
}

void TstTRtfReader::HeadersAndFooters() {
    QTextDocument document;
    ReadRtf("{\\rtf1\\titlepg{\\header \\pard Head\\par}{\\footerf\\trowd\\cellx900\\intbl Foot\\cell\\row}"
            "{\\headerl{\\footer nested}L}Body}",
            document);
    QCOMPARE(DescribeDocument(document), QStringLiteral("Body"));
    using H = TDocumentHeaders;
    QCOMPARE(DescribeDocument(*H::Part(document, H::Header)), QStringLiteral("Head"));
    QCOMPARE(DescribeDocument(*H::Part(document, H::FooterFirst)), QStringLiteral("_ [Foot] _"));
    QCOMPARE(DescribeDocument(*H::Part(document, H::HeaderLeft)), QStringLiteral("L"));
    QVERIFY(!H::Part(document, H::Footer));
    QVERIFY(H::TitlePage(document));
    QCOMPARE(H::ForPage(document, true, 1), H::Part(document, H::FooterFirst));
    QCOMPARE(H::ForPage(document, false, 2), H::Part(document, H::Header));
    // Reading another file leaves none of them.
    ReadRtf("{\\rtf1 x}", document);
    QVERIFY(!H::Part(document, H::Header));
    QVERIFY(!H::TitlePage(document));
}

QTEST_MAIN(TstTRtfReader)
#include "tst_trtfreader.moc"
