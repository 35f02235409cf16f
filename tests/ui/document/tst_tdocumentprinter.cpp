#include "document/tdocumentheaders.h"
#include "document/tdocumentprinter.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
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
};

QTEST_MAIN(TstTDocumentPrinter)
#include "tst_tdocumentprinter.moc"
