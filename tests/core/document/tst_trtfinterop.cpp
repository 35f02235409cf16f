// Rich text exchanged with another word processor (LibreOffice): the fixtures it wrote from
// our test documents are read here on every run; where it is installed, it is also run live
// on what we write.
#include "helper_rtfdocuments.h"
#include "helper_rtftext.h"

#include "document/tdocumentheaders.h"
#include "document/tdocumentpictures.h"
#include "document/tplaintext.h"
#include "document/trtfwriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

QString FixturePath(const QString& name) {
    return QStringLiteral(FASTENEX_TEST_DATA "/rtf/libreoffice-%1.rtf").arg(name);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The kind of each picture (as the file named it) and the address of each link of the document
// and its headers and footers, in order.
QString PicturesAndLinks(const QTextDocument& document) {
    QStringList kept;
    std::vector<const QTextDocument*> parts{&document};
    for (int kind = 0; kind < TDocumentHeaders::KindCount; ++kind) {
        if (const QTextDocument* part = TDocumentHeaders::Part(document, TDocumentHeaders::TKind(kind)))
            parts.push_back(part);
    }
    for (const QTextDocument* part : parts) {
        QString link;
        for (QTextBlock b = part->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                const QString href = f.isAnchor() ? f.anchorHref() : QString();
                if (!href.isEmpty() && href != link)
                    kept << href;
                link = href;
                if (!f.isImageFormat())
                    continue;
                const auto source = TDocumentPictures::Source(*part, f.toImageFormat().name());
                kept << (source ? QString::fromLatin1(source->Kind) : QStringLiteral("image"));
            }
        }
    }
    return kept.join(' ');
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Converts every file to the format into the folder; false when the converter fails.
bool Convert(const QString& soffice, const QString& profile, const QString& format,
             const QStringList& files, const QString& folder) {
    QProcess process;
    QStringList arguments{QStringLiteral("-env:UserInstallation=file://") + profile,
                          QStringLiteral("--headless"), QStringLiteral("--convert-to"), format,
                          QStringLiteral("--outdir"), folder};
    process.start(soffice, arguments + files);
    return process.waitForFinished(240000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The document's text as the other program exports it: one line a paragraph or line break;
// a list paragraph's line may carry its bullet or number before the text.
QString CheckPlainText(const QTextDocument& document, const QString& exported) {
    QStringList lines = exported.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    QStringList expected;
    QList<bool> labelled;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QStringList parts = b.text().split(QChar(QChar::LineSeparator));
        for (int i = 0; i < parts.size(); ++i) {
            expected << parts.at(i);
            labelled << (i == 0 && b.textList());
        }
    }
    if (lines.size() != expected.size())
        return QStringLiteral("%1 lines, expected %2:\n%3").arg(lines.size()).arg(expected.size()).arg(exported);
    for (int i = 0; i < lines.size(); ++i) {
        if (labelled.at(i) ? !lines.at(i).endsWith(expected.at(i)) : lines.at(i) != expected.at(i))
            return QStringLiteral("line %1: \"%2\", expected \"%3\"").arg(i).arg(lines.at(i), expected.at(i));
    }
    return QString();
}

} // namespace

class TstTRtfInterop : public QObject {
    Q_OBJECT

private slots:
    void Fixtures_data();
    void Fixtures();
    void LiveLibreOffice();
    void OtherWordProcessors_data();
    void OtherWordProcessors();
};

void TstTRtfInterop::Fixtures_data() {
    QTest::addColumn<int>("index");
    const QList<TTestDocument> documents = TestDocuments();
    for (int i = 0; i < documents.size(); ++i)
        QTest::newRow(qPrintable(documents.at(i).Name)) << i;
}

void TstTRtfInterop::Fixtures() {
    QFETCH(int, index);
    const TTestDocument test = TestDocuments().at(index);
    const QByteArray fixture = ReadAll(FixturePath(test.Name));
    QVERIFY2(!fixture.isEmpty(), qPrintable(FixturePath(test.Name)));
    QTextDocument expected;
    test.Build(expected);
    QTextDocument actual;
    ReadRtf(fixture, actual);
    const QString difference = CompareDocuments(expected, actual);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TstTRtfInterop::LiveLibreOffice() {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir base(dir.path());
    QVERIFY(base.mkpath(QStringLiteral("ours")) && base.mkpath(QStringLiteral("text")) &&
            base.mkpath(QStringLiteral("rtf")));
    const QList<TTestDocument> documents = TestDocuments();
    QStringList files;
    for (const TTestDocument& test : documents) {
        QTextDocument document;
        test.Build(document);
        const QString path = base.filePath(QStringLiteral("ours/") + test.Name + ".rtf");
        QVERIFY(WriteAll(path, TRtfWriter::ToRtf(document)));
        files << path;
    }
    const QString profile = base.filePath(QStringLiteral("profile"));
    QVERIFY(Convert(soffice, profile, QStringLiteral("txt:Text (encoded):UTF8"), files,
                    base.filePath(QStringLiteral("text"))));
    QVERIFY(Convert(soffice, profile, QStringLiteral("rtf"), files, base.filePath(QStringLiteral("rtf"))));

    // Set to a folder to refresh the committed fixtures from this run.
    const QString fixtureFolder = qEnvironmentVariable("FASTENEX_RTF_FIXTURES");
    for (const TTestDocument& test : documents) {
        QTextDocument document;
        test.Build(document);
        const QByteArray text = ReadAll(base.filePath(QStringLiteral("text/") + test.Name + ".txt"));
        const QString textDifference = CheckPlainText(document, TPlainText::Decode(text));
        QVERIFY2(textDifference.isEmpty(), qPrintable(test.Name + ": " + textDifference));

        const QByteArray rtf = ReadAll(base.filePath(QStringLiteral("rtf/") + test.Name + ".rtf"));
        QVERIFY(!rtf.isEmpty());
        if (!fixtureFolder.isEmpty())
            QVERIFY(WriteAll(fixtureFolder + "/libreoffice-" + test.Name + ".rtf", rtf));
        QTextDocument back;
        ReadRtf(rtf, back);
        const QString difference = CompareDocuments(document, back);
        QVERIFY2(difference.isEmpty(), qPrintable(test.Name + ": " + difference));
    }
}

// Files in the ways Word, Google Docs, TextEdit and LibreOffice write tables, pictures, links
// and headers: read as they show, and kept through a save and a second read.
void TstTRtfInterop::OtherWordProcessors_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("described"); // DescribeDocument, then each header or footer
    QTest::addColumn<QString>("kept");      // PicturesAndLinks

    QTest::newRow("word") << "word-table-borders.rtf"
                          << "Bolt schedule _ [Bolt;Diameter;Load|B1;M8;1.25 kN] See the catalogue. "
                             "{header: Company Confidential} {footer: Page 1}"
                          << "https://example.com/bolts";
    QTest::newRow("word nested") << "word-nested.rtf"
                                 << "Nested table example _ [Outer A/_/[inner 1;inner 2|inner 3;inner 4]/_;Outer B] After." << "";
    QTest::newRow("google docs") << "gdocs-export.rtf"
                                 << "Meeting notes Agenda in the doc. _ [Topic;Owner|Loads;Sam] Image: " +
                                        QString(QChar::ObjectReplacementCharacter) + " {header: Draft header}"
                                 << "https://docs.example.com/d/abc pngblip";
    QTest::newRow("textedit") << "textedit-table.rtf"
                              << "A TextEdit table: _ _ [one;two|three;four] _ Link: https://www.example.com/"
                              << "https://www.example.com/";
    QTest::newRow("libreoffice") << "lo-headers.rtf"
                                 << "Body with a link. Hanging indent paragraph with enough text to wrap around onto a "
                                    "second line in the page width used. _ [span two<2>;c|down^2;e;f|h;i] End. "
                                    "{header: Header of every page} {footer: Footer text}"
                                 << "https://example.com/x";
    QTest::newRow("word pictures")
        << "word-full.rtf"
        << "Joint inspection The standard is at example.com/standard. " + QString(QChar::ObjectReplacementCharacter) +
               " _ [Bolt;Torque;Result|M20;180 Nm;pass] _ A JPEG photo: " + QString(QChar::ObjectReplacementCharacter) +
               " {headerr: Company confidential} {footerr: Page 1}"
        << "https://example.com/standard pngblip https://example.com/r/20 jpegblip";
    QTest::newRow("wordpad")
        << "wordpad-lists.rtf"
        << "Plain line Indented half an inch. Indented an inch, right half an inch, long enough to wrap onto a second "
           "line in most windows so the right indent shows. First bullet Second bullet Numbered one Numbered two "
           "A picture: " + QString(QChar::ObjectReplacementCharacter) + " A link typed in WordPad: https://example.com/wp"
        << "wmetafile https://example.com/wp";
    QTest::newRow("libreoffice notes")
        << "lo-footnotes.rtf"
        << "Text with a note1 in it. Tabbed\tleft\tright, indented both sides with space before. One One point one "
           "Two with a link End. ____________________ 1\tThe note text. {header: _ [Project 7;Rev B] _} {footer: See terms}"
        << "https://example.com/two https://example.com/terms";
}

void TstTRtfInterop::OtherWordProcessors() {
    QFETCH(QString, file);
    auto describe = [](const QTextDocument& document) {
        QStringList parts{DescribeDocument(document)};
        for (int kind = 0; kind < TDocumentHeaders::KindCount; ++kind) {
            if (const QTextDocument* part = TDocumentHeaders::Part(document, TDocumentHeaders::TKind(kind)))
                parts << '{' + TDocumentHeaders::Word(TDocumentHeaders::TKind(kind)) + ": " + DescribeDocument(*part) + '}';
        }
        return parts.join(' ');
    };
    QTextDocument document;
    ReadRtf(ReadAll(QStringLiteral(FASTENEX_TEST_DATA "/rtf/corpus/") + file), document);
    QTEST(describe(document), "described");
    QTEST(PicturesAndLinks(document), "kept");
    const QByteArray written = TRtfWriter::ToRtf(document);
    QTextDocument back;
    ReadRtf(written, back);
    QCOMPARE(describe(back), describe(document));
    QCOMPARE(PicturesAndLinks(back), PicturesAndLinks(document));
    QCOMPARE(TRtfWriter::ToRtf(back), written);
}

QTEST_MAIN(TstTRtfInterop)
#include "tst_trtfinterop.moc"
