#include "tplotstamps.h"

#include "tboltplot.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

namespace {

QRgb Opaque(QRgb colour) { return colour | 0xFF000000u; }

// The black pixels of a part of a scratch image (less than 256 pixels each way) as offsets from
// the part's top left corner, packed as (x << 8) | y.
void CollectInk(const QImage& image, const QRect& part, std::vector<quint16>& out) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = part.left(); x <= part.right(); ++x)
            if ((line[x] & 0xFFFFFF) == 0)
                out.push_back(quint16((x - part.left()) << 8 | (y - part.top())));
    }
}

} // namespace

TPlotStamps& TPlotStamps::Instance() {
    static TPlotStamps stamps;
    return stamps;
}

TPlotStamps::TPlotStamps() : Disc(ShapeOffsets(true, 6)), Ring(ShapeOffsets(false, 10)) {}

TPlotStamps::TOffsets TPlotStamps::ShapeOffsets(bool filled, int size) {
    QImage scratch(size + 2 * Margin, size + 2 * Margin, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black);
        pen.setWidth(1);
        painter.setPen(pen);
        painter.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        // The box without its right column and bottom row, as the plot draws it.
        painter.drawEllipse(QRect(Margin, Margin, size - 1, size - 1));
    }
    TOffsets offsets;
    CollectInk(scratch, scratch.rect(), offsets);
    return offsets;
}

void TPlotStamps::Stamp(QImage& image, int left, int top, const quint16* offsets, size_t count,
                        QRgb colour) {
    Q_ASSERT(image.format() == QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const qsizetype stride = image.bytesPerLine();
    uchar* bits = image.bits();
    const QRgb pixel = Opaque(colour);
    const qint64 originX = qint64(left) - Margin;
    const qint64 originY = qint64(top) - Margin;
    for (size_t i = 0; i < count; ++i) {
        const qint64 x = originX + (offsets[i] >> 8);
        const qint64 y = originY + (offsets[i] & 0xFF);
        if (x < 0 || y < 0 || x >= width || y >= height)
            continue;
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = pixel;
    }
}

void TPlotStamps::DrawDisc(QImage& image, int left, int top, QRgb colour) const {
    Stamp(image, left, top, Disc.data(), Disc.size(), colour);
}

void TPlotStamps::DrawRing(QImage& image, int left, int top, QRgb colour) const {
    Stamp(image, left, top, Ring.data(), Ring.size(), colour);
}

bool TPlotStamps::PrepareText() {
    if (TextTried)
        return TextReady;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false; // tried again once there is a GUI application
    TextTried = true;
    const QFontMetrics metrics(TBoltPlot::PlotFont());
    CellHeight = metrics.height();
    // Each number is drawn in a band of its own: wide enough for the longest number and its
    // space, with margins for overhanging ink.
    BandWidth = metrics.horizontalAdvance(QStringLiteral("-2147483648 ")) + 2 * Margin;
    BandHeight = CellHeight + 2 * Margin;
    Scratch = QImage(BandWidth, BandHeight * BandsPerScratch, QImage::Format_RGB32);
    Scratch.setDotsPerMeterX(3780);
    Scratch.setDotsPerMeterY(3780);
    TextReady = BandWidth < 256 && BandHeight < 256;
    return TextReady;
}

void TPlotStamps::RenderLabels(const qint32* numbers, size_t count, TOffsets& pool,
                               TLabel* labels) {
    // Several numbers to one painter, each in its own band of the scratch image.
    while (count > 0) {
        const size_t batch = std::min<size_t>(count, BandsPerScratch);
        Scratch.fill(Qt::white);
        {
            QPainter painter(&Scratch);
            painter.setFont(TBoltPlot::PlotFont());
            painter.setPen(Qt::black);
            const QFontMetrics metrics = painter.fontMetrics();
            for (size_t k = 0; k < batch; ++k) {
                const QString text = QString::number(numbers[k]) + QLatin1Char(' ');
                painter.drawText(QPoint(Margin, int(k) * BandHeight + Margin + metrics.ascent()),
                                 text);
                labels[k].Width = quint16(metrics.horizontalAdvance(text));
            }
        }
        for (size_t k = 0; k < batch; ++k) {
            TLabel& label = labels[k];
            label.Start = quint32(pool.size());
            CollectInk(Scratch, QRect(0, int(k) * BandHeight, BandWidth, BandHeight), pool);
            label.Count = quint16(pool.size() - label.Start);
            label.Ready = true;
        }
        numbers += batch;
        labels += batch;
        count -= batch;
    }
}

void TPlotStamps::PrepareLabels(const std::vector<qint32>& numbers) {
    if (!PrepareText())
        return;
    std::vector<qint32> missing;
    for (qint32 number : numbers)
        if (number >= 1 && number <= CachedNumbers &&
            (Labels.size() < size_t(number) || !Labels[size_t(number) - 1].Ready)) {
            if (Labels.size() < size_t(number))
                Labels.resize(size_t(number));
            Labels[size_t(number) - 1].Ready = true; // listed once
            missing.push_back(number);
        }
    std::vector<TLabel> rendered(missing.size());
    RenderLabels(missing.data(), missing.size(), LabelPool, rendered.data());
    for (size_t k = 0; k < missing.size(); ++k)
        Labels[size_t(missing[k]) - 1] = rendered[k];
}

void TPlotStamps::DrawLabel(QImage& image, int left, int top, qint32 number) {
    if (!PrepareText())
        return;
    const TOffsets* pool = &LabelPool;
    TLabel label;
    if (number >= 1 && number <= CachedNumbers) {
        if (Labels.size() < size_t(number))
            Labels.resize(size_t(number));
        TLabel& cached = Labels[size_t(number) - 1];
        if (!cached.Ready)
            RenderLabels(&number, 1, LabelPool, &cached);
        label = cached;
    } else {
        Uncached.clear();
        RenderLabels(&number, 1, Uncached, &label);
        pool = &Uncached;
    }
    // The white cell, clipped to the picture, then the glyphs.
    const QRect cell = QRect(left, top, label.Width, CellHeight).intersected(image.rect());
    const QRgb white = Opaque(qRgb(255, 255, 255));
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + cell.left(), line + cell.right() + 1, white);
    }
    Stamp(image, left, top, pool->data() + label.Start, label.Count, qRgb(0, 0, 0));
}
