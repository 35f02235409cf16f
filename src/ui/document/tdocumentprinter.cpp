#include "tdocumentprinter.h"

#include "document/treportpdf.h"

#include <QPrinter>
#include <QTextDocument>

QPrinter& TDocumentPrinter::Printer() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void TDocumentPrinter::SetPrintMargins(QPrinter& printer) {
    // 40 device units, in points at the printer's resolution, as the PDF report has them.
    const double margin = TReportPdf::PrintMargin(printer.resolution());
    printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
}

void TDocumentPrinter::Print(const QTextDocument& document, const QString& docName) {
    QPrinter& printer = Printer();
    SetPrintMargins(printer);
    printer.setDocName(docName);
    document.print(&printer);
}
