#include "tdocumentprinter.h"

#include "document/tdocumentheaders.h"
#include "document/tdocumentpictures.h"
#include "document/tdocumentunits.h"
#include "document/treportpdf.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

namespace {

// A copy of the document laid out at the width given, in the document's own pixels, without
// the margin the editor keeps around the text.
std::unique_ptr<QTextDocument> LaidOut(const QTextDocument& document, qreal width) {
    std::unique_ptr<QTextDocument> copy(document.clone());
    TDocumentPictures::Copy(document, *copy, TDocumentPictures::Names(document));
    copy->setDocumentMargin(0);
    copy->setTextWidth(width);
    return copy;
}

} // namespace

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
    PrintPages(document, printer);
}

qreal TDocumentPrinter::Scale(const QPrinter& printer) {
    return printer.resolution() / qreal(TDocumentUnits::LayoutDpi());
}

std::unique_ptr<QTextDocument> TDocumentPrinter::LaidOutForPage(const QTextDocument& document,
                                                                const QPrinter& printer) {
    return LaidOut(document, printer.pageRect(QPrinter::DevicePixel).width() / Scale(printer));
}

// The text fills the page area less the header and footer (and a sixth of an inch between each
// and the text); the document's own page layout, which would add margins of its own, is not
// used. Everything is laid out as on screen, in the document's pixels, and drawn scaled to the
// printer's resolution: the layout measures paragraph indents, spacing and tab stops in the
// pixels of the device it lays out for, so a layout for the printer would draw them far smaller
// than the fonts, pictures and tables around them.
void TDocumentPrinter::PrintPages(const QTextDocument& document, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const qreal scale = Scale(printer);
    painter.scale(scale, scale);
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size() / scale);
    const qreal gap = TDocumentUnits::LayoutDpi() / 6.0;

    QHash<const QTextDocument*, std::shared_ptr<QTextDocument>> parts;
    qreal top = 0, bottom = 0;
    for (int kind = 0; kind < TDocumentHeaders::KindCount; ++kind) {
        const QTextDocument* part = TDocumentHeaders::Part(document, TDocumentHeaders::TKind(kind));
        if (!part || part->isEmpty())
            continue;
        std::shared_ptr<QTextDocument> copy = LaidOut(*part, page.width());
        const qreal height = copy->documentLayout()->documentSize().height() + gap;
        (kind < TDocumentHeaders::Footer ? top : bottom) = qMax(kind < TDocumentHeaders::Footer ? top : bottom, height);
        parts.insert(part, copy);
    }
    const qreal textHeight = qMax(page.height() - top - bottom, page.height() / 4);

    std::unique_ptr<QTextDocument> text = LaidOutForPage(document, printer);
    text->setPageSize(QSizeF(page.width(), textHeight));
    const int pages = qMax(1, text->pageCount());
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            printer.newPage();
        for (bool footer : {false, true}) {
            const QTextDocument* part = TDocumentHeaders::ForPage(document, footer, p + 1);
            const std::shared_ptr<QTextDocument> copy = parts.value(part);
            if (!copy)
                continue;
            const qreal height = copy->documentLayout()->documentSize().height();
            painter.save();
            painter.translate(0, footer ? page.height() - height : 0);
            copy->drawContents(&painter, QRectF(0, 0, page.width(), height));
            painter.restore();
        }
        painter.save();
        painter.translate(0, top - p * textHeight);
        text->drawContents(&painter, QRectF(0, p * textHeight, page.width(), textHeight));
        painter.restore();
    }
}
