#include "document/tdocumentheaders.h"
#include "document/tdocumentprinter.h"
#include "document/tdocumentunits.h"

#include <QFile>
#include <QPrinter>
#include <QAbstractTextDocumentLayout>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace {

int PdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/") +
               pdf.count("/Type /Page>"));
}

} // namespace

class TstTDocumentPrinter : public QObject {
    Q_OBJECT

private slots:
    // The text fills the page area less the header and footer: lines that fill one page
    // alone take two with a tall header.
    void HeaderAndFooterTakeTheirPlace() {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        TDocumentPrinter::SetPrintMargins(printer);
        QTextDocument document;
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("line"));
        const QString first = dir.filePath(QStringLiteral("a.pdf"));
        printer.setOutputFileName(first);
        TDocumentPrinter::PrintPages(document, printer);
        QCOMPARE(PdfPages(first), 1);
        // Lines up to just under a page.
        const QRectF page = printer.pageRect(QPrinter::DevicePixel);
        QFont font = document.defaultFont();
        const qreal lineHeight = QFontMetricsF(font, &printer).lineSpacing();
        const int lines = int(page.height() / lineHeight * 0.9);
        for (int i = 1; i < lines; ++i)
            cursor.insertText(QStringLiteral("\nline"));
        printer.setOutputFileName(first);
        TDocumentPrinter::PrintPages(document, printer);
        QCOMPARE(PdfPages(first), 1);

        QTextDocument* header = TDocumentHeaders::NewPart(document, TDocumentHeaders::Header);
        QTextCursor(header).insertText(QStringLiteral("Header\n\n\n\n\n\n\n\n\n\n\nEnd of header"));
        TDocumentHeaders::NewPart(document, TDocumentHeaders::Footer)->setPlainText(QStringLiteral("Footer"));
        const QString second = dir.filePath(QStringLiteral("b.pdf"));
        printer.setOutputFileName(second);
        TDocumentPrinter::PrintPages(document, printer);
        QCOMPARE(PdfPages(second), 2);
    }

    // Indents are printed at their size in points, as the text and the page area are: a
    // paragraph 36 points in with its first line 18 further starts 0.5 and 0.75 inch into the
    // page area, whatever the printer's resolution.
    void IndentsPrintAtTheirSize() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        TDocumentPrinter::SetPrintMargins(printer);
        QTextDocument document;
        QTextBlockFormat format;
        format.setLeftMargin(TDocumentUnits::PointsToPixels(36));
        format.setTextIndent(TDocumentUnits::PointsToPixels(18));
        QTextCursor(&document).insertText(QStringLiteral("word ").repeated(400));
        QTextCursor(&document).setBlockFormat(format);
        const std::unique_ptr<QTextDocument> copy = TDocumentPrinter::LaidOutForPage(document, printer);
        copy->documentLayout()->documentSize();
        const qreal scale = TDocumentPrinter::Scale(printer);
        const qreal inch = printer.resolution();
        QTextLayout* layout = copy->firstBlock().layout();
        QVERIFY(layout->lineCount() > 1);
        QVERIFY(qAbs(layout->lineAt(0).x() * scale - 0.75 * inch) < 1);
        QVERIFY(qAbs(layout->lineAt(1).x() * scale - 0.5 * inch) < 1);
        QVERIFY(qAbs(copy->textWidth() * scale - printer.pageRect(QPrinter::DevicePixel).width()) < 1);
    }
};

QTEST_MAIN(TstTDocumentPrinter)
#include "tst_tdocumentprinter.moc"
