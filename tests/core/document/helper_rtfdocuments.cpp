#include "helper_rtfdocuments.h"

#include "helper_rtftext.h"

#include "document/tdocumentunits.h"
#include "document/treportformatter.h"
#include "document/trtfreader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <cmath>

namespace {

QTextCharFormat Format(const QString& family, qreal size, const QString& styles = QString(),
                       const QColor& fore = QColor(), const QColor& back = QColor()) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    f.setFontPointSize(size);
    if (styles.contains('b'))
        f.setFontWeight(QFont::Bold);
    if (styles.contains('i'))
        f.setFontItalic(true);
    if (styles.contains('u'))
        f.setFontUnderline(true);
    if (styles.contains('s'))
        f.setFontStrikeOut(true);
    if (fore.isValid())
        f.setForeground(fore);
    if (back.isValid())
        f.setBackground(back);
    return f;
}

void BuildFormats(QTextDocument& document) {
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor c(&document);
    const QString arial = QStringLiteral("Arial");
    c.insertText(QStringLiteral("Plain "), Format(arial, 10));
    c.insertText(QStringLiteral("bold "), Format(arial, 10, "b"));
    c.insertText(QStringLiteral("italic "), Format(arial, 10, "i"));
    c.insertText(QStringLiteral("underlined "), Format(arial, 10, "u"));
    c.insertText(QStringLiteral("struck"), Format(arial, 10, "s"));
    c.insertBlock();
    c.insertText(QStringLiteral("Courier New 8 "), Format(QStringLiteral("Courier New"), 8));
    c.insertText(QStringLiteral("Times New Roman 14 "), Format(QStringLiteral("Times New Roman"), 14));
    c.insertText(QStringLiteral("all four"), Format(arial, 12, "bius"));
    c.insertBlock();
    c.insertText(QStringLiteral("red "), Format(arial, 10, "", QColor(255, 0, 0)));
    c.insertText(QStringLiteral("blue on yellow "), Format(arial, 10, "", QColor(0, 0, 255), QColor(255, 255, 0)));
    c.insertText(QStringLiteral("green"), Format(arial, 10, "b", QColor(0, 128, 0)));
}

void BuildParagraphs(QTextDocument& document) {
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor c(&document);
    const QTextCharFormat f = Format(QStringLiteral("Arial"), 10);
    // Indents in points, which the document holds in its pixels.
    auto paragraph = [&](Qt::Alignment a, qreal left, qreal right, qreal first, const QString& text) {
        QTextBlockFormat b;
        b.setAlignment(a);
        b.setLeftMargin(TDocumentUnits::PointsToPixels(left));
        b.setRightMargin(TDocumentUnits::PointsToPixels(right));
        b.setTextIndent(TDocumentUnits::PointsToPixels(first));
        if (c.position() == 0)
            c.setBlockFormat(b);
        else
            c.insertBlock(b);
        c.insertText(text, f);
    };
    paragraph(Qt::AlignLeft, 0, 0, 0, QStringLiteral("Left aligned paragraph."));
    paragraph(Qt::AlignHCenter, 0, 0, 0, QStringLiteral("Centred paragraph."));
    paragraph(Qt::AlignRight, 0, 0, 0, QStringLiteral("Right aligned paragraph."));
    paragraph(Qt::AlignJustify, 0, 0, 0,
              QStringLiteral("Justified paragraph with enough words to wrap onto a second line "
                             "in a word processor of ordinary page width, so that justification "
                             "shows."));
    paragraph(Qt::AlignLeft, 50, 25, 0, QStringLiteral("Indented 50 left and 25 right."));
    paragraph(Qt::AlignLeft, 0, 0, 25, QStringLiteral("First line indented 25."));
    paragraph(Qt::AlignLeft, 50, 0, -25, QStringLiteral("Hanging indent of 25 from 50."));
}

void BuildLists(QTextDocument& document) {
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor c(&document);
    const QTextCharFormat f = Format(QStringLiteral("Arial"), 10);
    c.insertText(QStringLiteral("Before the lists"), f);
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    c.insertBlock();
    c.insertText(QStringLiteral("First bullet"), f);
    c.createList(bullets);
    c.insertBlock();
    c.insertText(QStringLiteral("Second bullet"), f);
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("Between"), f);
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    c.insertBlock();
    c.insertText(QStringLiteral("First number"), f);
    c.createList(numbers);
    c.insertBlock();
    c.insertText(QStringLiteral("Second number"), f);
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("After the lists"), f);
}

// Nested numbered lists as pasted HTML makes them (one indent step a level), with the text
// around the numbers, and raised and lowered text.
void BuildNumbering(QTextDocument& document) {
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor c(&document);
    const QTextCharFormat f = Format(QStringLiteral("Arial"), 10);
    c.insertText(QStringLiteral("Numbered levels"), f);
    auto list = [](QTextListFormat::Style style, int indent, const char* before, const char* after) {
        QTextListFormat lf;
        lf.setStyle(style);
        lf.setIndent(indent);
        if (before)
            lf.setNumberPrefix(QString::fromLatin1(before));
        if (after)
            lf.setNumberSuffix(QString::fromLatin1(after));
        return lf;
    };
    auto item = [&](const QString& text) {
        c.insertBlock(QTextBlockFormat());
        c.insertText(text, f);
    };
    item(QStringLiteral("One"));
    QTextList* outer = c.createList(list(QTextListFormat::ListDecimal, 1, nullptr, nullptr));
    item(QStringLiteral("Two"));
    QTextList* letters = c.createList(list(QTextListFormat::ListLowerAlpha, 2, nullptr, ")"));
    item(QStringLiteral("Three"));
    letters->add(c.block());
    item(QStringLiteral("Four"));
    c.createList(list(QTextListFormat::ListLowerRoman, 3, nullptr, nullptr));
    item(QStringLiteral("Five"));
    outer->add(c.block());
    item(QStringLiteral("Six"));
    c.createList(list(QTextListFormat::ListUpperAlpha, 2, "(", ")"));
    item(QStringLiteral("Water is H"));
    QTextCharFormat sub = f;
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    c.insertText(QStringLiteral("2"), sub);
    c.insertText(QStringLiteral("O and E = mc"), f);
    QTextCharFormat super = f;
    super.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    c.insertText(QStringLiteral("2"), super);
}

void BuildCharacters(QTextDocument& document) {
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor c(&document);
    const QTextCharFormat f = Format(QStringLiteral("Arial"), 10);
    c.insertText(QString::fromUtf8("Code page 1252: café, naïve, € 5, “quotes” – dash — ÿ"), f);
    c.insertBlock();
    c.insertText(QString::fromUtf8("Greek Ωμέγα, Cyrillic Жук, CJK 日本語, Hebrew עברית"), f);
    c.insertBlock();
    c.insertText(QString::fromUtf8("Emoji 😊 🔩 and math 𝔸"), f);
    c.insertBlock();
    c.insertText(QString("Tab\tseparated\tcolumns"), f);
    c.insertBlock();
    c.insertText(QString("Line") + QChar(QChar::LineSeparator) + "break", f);
    c.insertBlock();
    c.insertText(QStringLiteral("Braces {} and backslash \\ and a \\par that is text"), f);
    c.insertBlock();
    c.insertBlock();
    c.insertText(QStringLiteral("after an empty paragraph"), f);
}

void BuildReport(QTextDocument& document) {
    const QStringList lines{
        QStringLiteral("Bolt Group Analysis"),
        QStringLiteral(" "),
        QStringLiteral("Bolt Positions and Stiffnesses"),
        QStringLiteral("  Bolt        X           Y           Z"),
        QStringLiteral("     1      0.0000      0.0000      0.0000"),
        QStringLiteral("     2    100.0000      0.0000      0.0000"),
    };
    TReportFormatter::ShowLines(document, lines, TReportFormatter::DefaultFont());
    TReportFormatter::StyleLines(document, {lines.at(0)}, {lines.at(2)},
                                 TFontStyles{TFontStyle::Bold}, TFontStyles{TFontStyle::Underline});
}

struct TCharSummary {
    QString Family;
    qreal Size = 0;
    QString Styles;
    QString Fore;
    QString Back;
    bool operator==(const TCharSummary&) const = default;
    QString Text() const {
        return QStringLiteral("%1 %2 [%3] fg %4 bg %5").arg(Family).arg(Size).arg(Styles, Fore, Back);
    }
};

TCharSummary Summary(const QTextCharFormat& f, const QTextDocument& document) {
    TCharSummary s;
    s.Family = FamilyOf(f).isEmpty() ? document.defaultFont().family() : FamilyOf(f);
    s.Size = f.fontPointSize() > 0 ? f.fontPointSize() : document.defaultFont().pointSizeF();
    if (f.fontWeight() >= QFont::DemiBold)
        s.Styles += 'b';
    if (f.fontItalic())
        s.Styles += 'i';
    if (f.fontUnderline())
        s.Styles += 'u';
    if (f.fontStrikeOut())
        s.Styles += 's';
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        s.Styles += '^';
    if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        s.Styles += '_';
    // Black text is the automatic colour of a word processor.
    if (f.foreground().style() != Qt::NoBrush && f.foreground().color() != QColor(Qt::black))
        s.Fore = f.foreground().color().name();
    if (f.background().style() != Qt::NoBrush && f.background().color() != QColor(Qt::white) &&
        f.background().color().alpha() != 0)
        s.Back = f.background().color().name();
    return s;
}

// A list paragraph's kind, and for a numbered one its number as shown and its list level.
QString ListKind(const QTextBlock& block) {
    const QTextList* list = block.textList();
    if (!list)
        return QStringLiteral("none");
    switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare:
        return QStringLiteral("bullet");
    default: {
        const QTextListFormat lf = list->format();
        const int level = lf.hasProperty(TRtfReader::ListLevelProperty)
                              ? lf.intProperty(TRtfReader::ListLevelProperty)
                              : qMax(lf.indent() - 1, 0);
        return QStringLiteral("number %1 at level %2").arg(list->itemText(block)).arg(level);
    }
    }
}

// Where the paragraph's lines start, in points: the first and the following lines.
std::pair<qreal, qreal> TextPositions(const QTextBlock& block, const QTextDocument& document) {
    const QTextBlockFormat b = block.blockFormat();
    qreal left = b.leftMargin() + b.indent() * document.indentWidth();
    if (const QTextList* list = block.textList())
        left += list->format().indent() * document.indentWidth();
    return {left + b.textIndent(), left};
}

// LibreOffice keeps the font of Asian and right-to-left text apart from that of the rest and
// does not carry ours over to it, so only their text is compared.
bool OwnScriptFormat(QChar c) {
    switch (c.script()) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Hebrew:
    case QChar::Script_Arabic:
        return true;
    default:
        return false;
    }
}

} // namespace

QList<TTestDocument> TestDocuments() {
    return {
        {QStringLiteral("formats"), BuildFormats},
        {QStringLiteral("paragraphs"), BuildParagraphs},
        {QStringLiteral("lists"), BuildLists},
        {QStringLiteral("numbering"), BuildNumbering},
        {QStringLiteral("characters"), BuildCharacters},
        {QStringLiteral("report"), BuildReport},
    };
}

QString CompareDocuments(const QTextDocument& expected, const QTextDocument& actual) {
    const QString text = DocumentText(expected);
    const QString got = DocumentText(actual);
    if (text != got)
        return QStringLiteral("text differs:\n%1\n----\n%2").arg(text, got);
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n') || OwnScriptFormat(text.at(i)))
            continue;
        const TCharSummary e = Summary(FormatAt(expected, i), expected);
        const TCharSummary a = Summary(FormatAt(actual, i), actual);
        if (!(e == a))
            return QStringLiteral("character %1 ('%2'): expected %3, got %4")
                .arg(i)
                .arg(text.at(i))
                .arg(e.Text(), a.Text());
    }
    QTextBlock a = actual.begin();
    for (QTextBlock e = expected.begin(); e.isValid(); e = e.next(), a = a.next()) {
        const auto where = QStringLiteral("paragraph %1 (%2): ").arg(e.blockNumber()).arg(e.text().left(20));
        const int ea = int(e.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
        const int aa = int(a.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
        if (ea != aa)
            return where + QStringLiteral("alignment %1, got %2").arg(ea).arg(aa);
        if (ListKind(e) != ListKind(a))
            return where + QStringLiteral("list %1, got %2").arg(ListKind(e), ListKind(a));
        const auto [ef, el] = TextPositions(e, expected);
        const auto [af, al] = TextPositions(a, actual);
        if (std::abs(ef - af) > 0.05 || std::abs(el - al) > 0.05)
            return where + QStringLiteral("lines at %1/%2, got %3/%4").arg(ef).arg(el).arg(af).arg(al);
        if (std::abs(e.blockFormat().rightMargin() - a.blockFormat().rightMargin()) > 0.05)
            return where + QStringLiteral("right indent %1, got %2")
                               .arg(e.blockFormat().rightMargin())
                               .arg(a.blockFormat().rightMargin());
    }
    return QString();
}
