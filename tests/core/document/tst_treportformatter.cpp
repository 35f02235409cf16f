#include "helper_rtftext.h"

#include "document/tlinebuffers.h"
#include "document/treportformatter.h"
#include "document/treporttext.h"
#include "document/trtfwriter.h"
#include "document/ttextlines.h"

#include <QBuffer>

#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

// Records each progress position that UpdateProgress is asked to draw.
class TRecordingBuffers : public TLineBuffers {
public:
    using TLineBuffers::TLineBuffers;
    QList<int> Positions;
    void UpdateProgress() override {
        Positions.append(ProgressPosition);
        TLineBuffers::UpdateProgress();
    }
};

class TRecordingHost : public TDocumentHost {
public:
    QStringList Information;
    QList<int> Percents;
    void ShowInformation(const QString& text) override { Information.append(text); }
    void ShowProgress(int percent) override { Percents.append(percent); }
};

// The styles of each character of the text: '.' plain, else the letters b, i, u, s.
QString StyleMap(const QTextDocument& document) {
    QString map;
    const QString text = DocumentText(document);
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n')) {
            map += QLatin1Char('\n');
            continue;
        }
        const QTextCharFormat f = FormatAt(document, i);
        QString s;
        if (f.fontWeight() >= QFont::Bold)
            s += 'b';
        if (f.fontItalic())
            s += 'i';
        if (f.fontUnderline())
            s += 'u';
        if (f.fontStrikeOut())
            s += 's';
        map += s.isEmpty() ? QStringLiteral(".") : s.left(1);
    }
    return map;
}

// The same for a report kept as text.
QString StyleMap(const TReportText& report) {
    QString map;
    for (qsizetype i = 0; i + 1 < report.LineCount(); ++i) {
        QString line(report.Line(i).size(), QLatin1Char('.'));
        for (const TReportText::TSpan& span : report.SpansOn(i)) {
            const TFontStyles style = span.Style;
            const QChar c = style.Has(TFontStyle::Bold)        ? QLatin1Char('b')
                            : style.Has(TFontStyle::Italic)    ? QLatin1Char('i')
                            : style.Has(TFontStyle::Underline) ? QLatin1Char('u')
                            : style.Has(TFontStyle::StrikeOut) ? QLatin1Char('s')
                                                               : QLatin1Char('.');
            for (int k = span.Column; k < span.Column + span.Length; ++k)
                line[k] = c;
        }
        map += line + QLatin1Char('\n');
    }
    return map;
}

} // namespace

class TstTReportFormatter : public QObject {
    Q_OBJECT

private slots:
    void ShowLines();
    void StyleLines_data();
    void StyleLines();
    void LongReportReadsAsTheDocument_data() { StyleLines_data(); }
    void LongReportReadsAsTheDocument();
    void FullStyles();
    void Progress();
    void BuildReport();
};

void TstTReportFormatter::ShowLines() {
    QTextDocument document;
    TReportFormatter::ShowLines(document, {QStringLiteral("Title"), QStringLiteral(" "),
                                           QStringLiteral("x\ty")},
                                TReportFormatter::DefaultFont());
    // The last line end leaves an empty paragraph, as a loaded text file does.
    QCOMPARE(DocumentText(document), QStringLiteral("Title\n \nx\ty\n"));
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            QCOMPARE(FamilyOf(it.fragment().charFormat()), QStringLiteral("Courier New"));
            QCOMPARE(it.fragment().charFormat().fontPointSize(), 8.0);
        }
    }
    QCOMPARE(document.defaultFont().family(), QStringLiteral("Courier New"));
    QVERIFY(!document.isUndoAvailable());

    TReportFormatter::ShowLines(document, {}, TReportFormatter::DefaultFont());
    QCOMPARE(DocumentText(document), QString());
}

void TstTReportFormatter::StyleLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("subtitles");
    QTest::addColumn<QString>("styles");

    QTest::newRow("title and subtitle")
        << QStringList{"Head", "Sub", "body"} << QStringList{"Head"} << QStringList{"Sub"}
        << "bbbb\nuuu\n....\n";
    QTest::newRow("trimmed")
        << QStringList{"  Head  ", "x"} << QStringList{"  Head  "} << QStringList{}
        << "..bbbb..\n.\n";
    QTest::newRow("searched forward from the previous match")
        << QStringList{"T", "T"} << QStringList{"T", "T"} << QStringList{} << "b\nb\n";
    QTest::newRow("same title once styles the first")
        << QStringList{"T", "T"} << QStringList{"T"} << QStringList{} << "b\n.\n";
    QTest::newRow("subtitles start again at the top")
        << QStringList{"A", "B", "A"} << QStringList{"B"} << QStringList{"A"} << "u\nb\n.\n";
    QTest::newRow("missing line passed over")
        << QStringList{"A", "B"} << QStringList{"Z", "A"} << QStringList{} << "b\n.\n";
    QTest::newRow("position unchanged after a miss")
        << QStringList{"A", "B", "A"} << QStringList{"B", "Z", "A"} << QStringList{}
        << ".\nb\nb\n";
    QTest::newRow("empty line passed over")
        << QStringList{"A"} << QStringList{"   ", "A"} << QStringList{} << "b\n";
    QTest::newRow("case matters")
        << QStringList{"head", "Head"} << QStringList{"Head"} << QStringList{} << "....\nbbbb\n";
    QTest::newRow("part of a line")
        << QStringList{"Bolt 1 loads"} << QStringList{"1 lo"} << QStringList{}
        << ".....bbbb...\n";
    QTest::newRow("title and subtitle on one text")
        << QStringList{"AB"} << QStringList{"AB"} << QStringList{"B"} << "bu\n";
    QTest::newRow("columns in characters")
        << QStringList{"Träger Öse", "x"} << QStringList{"Öse"} << QStringList{"x"}
        << ".......bbb\nu\n";
    QTest::newRow("the document's markers taken out")
        << QStringList{QStringLiteral("a\rb\u2029c"), "a b"} << QStringList{"a b"} << QStringList{}
        << "bbb..\n...\n";
}

void TstTReportFormatter::LongReportReadsAsTheDocument() {
    // The same lines kept as text in two pieces read as the document shows them, and are styled
    // alike.
    QFETCH(QStringList, lines);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, subtitles);
    QTextDocument document;
    TReportFormatter::ShowLines(document, lines, TReportFormatter::DefaultFont());
    QList<QByteArray> pieces(2);
    for (qsizetype i = 0; i < lines.size(); ++i)
        pieces[i < lines.size() / 2 ? 0 : 1] += lines.at(i).toUtf8() + '\n';
    const TReportText report(pieces, titles, subtitles, TFontStyles{TFontStyle::Bold},
                             TFontStyles{TFontStyle::Underline});
    QCOMPARE(report.LineCount(), qsizetype(document.blockCount()));
    QCOMPARE(report.Text(), DocumentText(document));
    QCOMPARE(report.CharacterCount(), TTextLines::CharacterCount(document));
    QCOMPARE(report.Text(0, 1, report.LineCount() - 1, 0), DocumentText(document).mid(1));
    QTEST(StyleMap(report), "styles");
    // Written as rich text in parts as the whole document is.
    TReportFormatter::StyleLines(document, titles, subtitles, TFontStyles{TFontStyle::Bold},
                                 TFontStyles{TFontStyle::Underline});
    QBuffer rtf;
    rtf.open(QIODevice::WriteOnly);
    report.WriteRtf(rtf, TReportFormatter::DefaultFont(), 2);
    QCOMPARE(rtf.data(), TRtfWriter::ToRtf(document));
}

void TstTReportFormatter::StyleLines() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, subtitles);
    QTextDocument document;
    TReportFormatter::ShowLines(document, lines, TReportFormatter::DefaultFont());
    TReportFormatter::StyleLines(document, titles, subtitles, TFontStyles{TFontStyle::Bold},
                                 TFontStyles{TFontStyle::Underline});
    QTEST(StyleMap(document), "styles");
}

void TstTReportFormatter::FullStyles() {
    // A style replaces all four: a subtitle style {italic, strikeout} over a bold title.
    QTextDocument document;
    TReportFormatter::ShowLines(document, {QStringLiteral("AB")}, TReportFormatter::DefaultFont());
    TReportFormatter::StyleLines(document, {QStringLiteral("AB")}, {QStringLiteral("B")},
                                 TFontStyles{TFontStyle::Bold, TFontStyle::Underline},
                                 TFontStyles{TFontStyle::Italic, TFontStyle::StrikeOut});
    const QTextCharFormat a = FormatAt(document, 0);
    QVERIFY(a.fontWeight() >= QFont::Bold && a.fontUnderline() && !a.fontItalic());
    const QTextCharFormat b = FormatAt(document, 1);
    QVERIFY(b.fontWeight() < QFont::Bold && !b.fontUnderline() && b.fontItalic() &&
            b.fontStrikeOut());
    QCOMPARE(FamilyOf(b), QStringLiteral("Courier New"));
}

void TstTReportFormatter::Progress() {
    TRecordingHost host;
    TRecordingBuffers buffers(&host);
    QTextDocument document;
    QStringList lines;
    QStringList titles;
    for (int i = 0; i < 25; ++i) {
        lines << QStringLiteral("line %1").arg(i);
        titles << QStringLiteral("line %1").arg(i);
    }
    TReportFormatter::ShowLines(document, lines, TReportFormatter::DefaultFont());
    TReportFormatter::StyleLines(document, titles, {QStringLiteral("nowhere")},
                                 TFontStyles{TFontStyle::Bold}, TFontStyles{}, &buffers);
    QCOMPARE(host.Information, QStringList{QStringLiteral("Formatting Output")});
    QCOMPARE(buffers.ProgressTotal, 260);
    QCOMPARE(buffers.Positions.size(), 27);
    QCOMPARE(buffers.Positions.first(), 0);
    for (int k = 0; k < 26; ++k)
        QCOMPARE(buffers.Positions.at(k + 1), k * 10 + 10);
    // The gauge is drawn only when more than 100 units have passed.
    QCOMPARE(host.Percents, (QList<int>{42, 84}));
}

void TstTReportFormatter::BuildReport() {
    TLineBuffers buffers;
    buffers.CreateLineBuffers();
    buffers.AddOutputLine(QStringLiteral("Report"));
    buffers.AddBlankOutputLine();
    buffers.AddOutputLine(QStringLiteral("Table"));
    buffers.AddTitleLine(QStringLiteral("Report"));
    buffers.AddSubtitleLine(QStringLiteral("Table"));
    buffers.TitleStyle = TFontStyles{TFontStyle::Italic};
    QTextDocument document;
    TReportFormatter::BuildReport(document, buffers, TReportFormatter::DefaultFont());
    QCOMPARE(StyleMap(document), QStringLiteral("iiiiii\n.\nuuuuu\n"));
    QVERIFY(!document.isUndoAvailable());
}

QTEST_MAIN(TstTReportFormatter)
#include "tst_treportformatter.moc"
