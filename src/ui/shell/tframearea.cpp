#include "tframearea.h"

#include "tdialogs.h"

#include <QFont>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>

namespace {

QList<QMdiSubWindow*> Visible(const QList<QMdiSubWindow*>& windows, bool minimized) {
    QList<QMdiSubWindow*> result;
    for (QMdiSubWindow* w : windows) {
        if (!w->isHidden() && w->isMinimized() == minimized)
            result.append(w);
    }
    return result;
}

int Channel(quint32 colour, int shift) { return int((colour >> shift) & 0xFF); }

} // namespace

static void InitResources() { Q_INIT_RESOURCE(fastenex); }

TFrameArea::TFrameArea(QWidget* parent) : QMdiArea(parent) {
    InitResources();
    setObjectName(QStringLiteral("FrameArea"));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackground(QColor(0x80, 0x80, 0x80));
}

int TFrameArea::BandHeight(int areaHeight) { return (areaHeight + BandCount - 1) / BandCount; }

quint32 TFrameArea::BandColour(quint32 top, quint32 bottom, int band) {
    quint32 result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int t = Channel(top, shift);
        // Integer division truncates toward zero, also for a falling channel.
        const int step = (Channel(bottom, shift) - t) / BandCount;
        result |= quint32(qBound(0, t + band * step, 255)) << shift;
    }
    return result;
}

QColor TFrameArea::ToColor(quint32 bgr) {
    return QColor(Channel(bgr, 0), Channel(bgr, 8), Channel(bgr, 16));
}

QString TFrameArea::CopyrightText() {
    return QStringLiteral("Copyright \u00A9 2026 Quorvane Engineering Software. All rights reserved.");
}

QImage TFrameArea::Logo() {
    static const QImage logo = [] {
        QImage image(QStringLiteral(":/bitmaps/LTBITMAP.bmp"));
        if (image.isNull())
            return image;
        // Black pixels are transparent.
        image = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0x00FFFFFF) == 0)
                    line[x] = 0;
            }
        }
        return image;
    }();
    return logo;
}

void TFrameArea::PaintBackground(QPainter& painter, const QSize& size) {
    const int h = BandHeight(size.height());
    for (int i = 0; i < BandCount; ++i)
        painter.fillRect(0, i * h, size.width(), h, ToColor(BandColour(TopColour, BottomColour, i)));
    const int statusTop = size.height();
    if (ShowCopyright) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(14);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const int y = statusTop - metrics.height() / 2 - 51;
        const QString text = CopyrightText();
        painter.setPen(Qt::black);
        painter.drawText(17, y + 10 + metrics.ascent(), text);
        painter.setPen(Qt::white);
        painter.drawText(15, y + 8 + metrics.ascent(), text);
    }
    if (ShowLogo) {
        const QImage logo = Logo();
        if (logo.isNull())
            TDialogs::Current().Beep();
        else
            painter.drawImage(size.width() - 12 - logo.width(), statusTop - 90, logo);
    }
}

void TFrameArea::paintEvent(QPaintEvent* event) {
    if (!subWindowList().isEmpty()) {
        QMdiArea::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    PaintBackground(painter, viewport()->size());
}

void TFrameArea::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    if (subWindowList().isEmpty())
        viewport()->update();
}

void TFrameArea::TileDocuments(int mode) {
    const QList<QMdiSubWindow*> windows = Visible(subWindowList(CreationOrder), false);
    if (windows.isEmpty())
        return;
    // Room is left along the bottom for minimized windows.
    const bool icons = !Visible(subWindowList(CreationOrder), true).isEmpty();
    QRect area = viewport()->rect();
    if (icons && !windows.isEmpty())
        area.setBottom(area.bottom() - windows.first()->minimumSizeHint().height());
    const int n = int(windows.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* w = windows.at(i);
        if (w->isMaximized())
            w->showNormal();
        QRect r;
        if (mode == 0) {
            const int top = area.top() + area.height() * i / n;
            const int bottom = area.top() + area.height() * (i + 1) / n;
            r = QRect(area.left(), top, area.width(), bottom - top);
        } else {
            const int left = area.left() + area.width() * i / n;
            const int right = area.left() + area.width() * (i + 1) / n;
            r = QRect(left, area.top(), right - left, area.height());
        }
        w->setGeometry(r);
    }
}

void TFrameArea::ArrangeIcons() {
    const QList<QMdiSubWindow*> icons = Visible(subWindowList(CreationOrder), true);
    int x = 0;
    const int bottom = viewport()->height();
    for (QMdiSubWindow* w : icons) {
        const QSize size = w->size();
        if (x > 0 && x + size.width() > viewport()->width())
            x = 0;
        w->move(x, bottom - size.height());
        x += size.width();
    }
}
