#include "treportpdf.h"

#include "foundation/tplatformerror.h"
#include "foundation/tsavefile.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextLayout>
#include <cmath>
#include <algorithm>

double TReportPdf::PrintMargin(int resolution) { return 40.0 * 72.0 / std::max(1, resolution); }

QString TReportPdf::PageFooter(int page, int pageCount) {
    return QStringLiteral("Page %1 of %2").arg(page).arg(pageCount);
}

void TReportPdf::Write(QTextDocument& report, const QString& title, const QString& fileName) {
    TSaveFile file(fileName);
    Write(report, title, file.Device());
    file.Commit();
}

void TReportPdf::Write(QTextDocument& report, const QString& title, QIODevice& device) {
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Quorvane Fastenex"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    const double printMargin = PrintMargin(writer.resolution());
    writer.setPageMargins(QMarginsF(printMargin, printMargin, printMargin, printMargin),
                          QPageLayout::Point);

    QPainter painter;
    if (!painter.begin(&writer))
        throw TPlatformError(QStringLiteral("Cannot write the report as PDF. %1")
                                 .arg(device.errorString()));

    // The document is laid out for the writer in pages of what the printer margins leave, the
    // text keeping 2 cm from their edges (frame margins are given at 96 dots per inch and
    // scaled to the device); the footer stands in the bottom margin. Page k of the layout spans
    // k to k + 1 page heights.
    report.documentLayout()->setPaintDevice(&writer);
    const double dpi = writer.logicalDpiY();
    const double margin = 2.0 / 2.54 * dpi;
    QTextFrameFormat frame = report.rootFrame()->frameFormat();
    frame.setMargin(2.0 / 2.54 * 96.0);
    report.rootFrame()->setFrameFormat(frame);
    const QSizeF body(writer.width(), writer.height());
    report.setPageSize(body);
    QAbstractTextDocumentLayout* layout = report.documentLayout();
    // The page count lays the whole text out. Empty lines at the end (the report ends with a
    // line end) make no page of their own.
    int pageCount = std::max(1, report.pageCount());
    for (QTextBlock block = report.lastBlock(); block.isValid(); block = block.previous()) {
        if (block.text().trimmed().isEmpty() || !block.layout() || block.layout()->lineCount() == 0)
            continue;
        const QTextLine last = block.layout()->lineAt(block.layout()->lineCount() - 1);
        const double top = layout->blockBoundingRect(block).top() + last.y();
        pageCount = std::clamp(int(std::floor(top / body.height())) + 1, 1, pageCount);
        break;
    }

    const QFont footerFont = report.defaultFont();
    const QFontMetricsF footerMetrics(footerFont, &writer);
    const double footerTop = body.height() - margin + 5 * dpi / 72.0;
    int page = 0;
    const auto finishPage = [&] {
        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, footerTop, body.width(), footerMetrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, PageFooter(page + 1, pageCount));
    };
    // Line by line in document order, each on the page the layout put it on: one pass over the
    // text, however many pages.
    painter.setPen(Qt::black);
    for (QTextBlock block = report.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* lines = block.layout();
        if (!lines)
            continue;
        const QPointF origin = layout->blockBoundingRect(block).topLeft();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const double top = origin.y() + line.y();
            const int linePage = int(std::floor(top / body.height()));
            if (linePage >= pageCount)
                break;
            while (page < linePage) {
                finishPage();
                if (!writer.newPage())
                    throw TPlatformError(QStringLiteral("Cannot write the report as PDF. %1")
                                             .arg(device.errorString()));
                ++page;
                painter.setPen(Qt::black);
            }
            line.draw(&painter, QPointF(origin.x(), origin.y() - page * body.height()));
        }
    }
    while (true) {
        finishPage();
        if (page + 1 >= pageCount)
            break;
        writer.newPage();
        ++page;
    }
    if (!painter.end())
        throw TPlatformError(QStringLiteral("Cannot write the report as PDF. %1")
                                 .arg(device.errorString()));
}
