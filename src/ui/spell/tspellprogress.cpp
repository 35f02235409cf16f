#include "tspellprogress.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <array>

TSpellProgress::TSpellProgress(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SpellProgress"));
    // The frame above a counter strip 31 pixels high.
    setFixedSize(FrameSize, FrameSize + 31);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);
}

const QImage& TSpellProgress::Frame(int index) {
    static const std::array<QImage, FrameCount> frames = [] {
        std::array<QImage, FrameCount> images;
        for (int i = 0; i < FrameCount; ++i)
            images[size_t(i)] = DrawFrame(i);
        return images;
    }();
    return frames[size_t(qBound(0, index, FrameCount - 1))];
}

QImage TSpellProgress::DrawFrame(int index) {
    QImage image(FrameSize, FrameSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A sheet of paper with a folded corner and six lines of text; one word is underlined red.
    const QRectF sheet(10.5, 4.5, 40, 54);
    QPainterPath page;
    page.moveTo(sheet.topLeft());
    page.lineTo(sheet.right() - 9, sheet.top());
    page.lineTo(sheet.right(), sheet.top() + 9);
    page.lineTo(sheet.bottomRight());
    page.lineTo(sheet.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(220, 220, 220));
    QPainterPath fold;
    fold.moveTo(sheet.right() - 9, sheet.top());
    fold.lineTo(sheet.right() - 9, sheet.top() + 9);
    fold.lineTo(sheet.right(), sheet.top() + 9);
    fold.closeSubpath();
    p.drawPath(fold);
    const int lineLengths[] = {24, 30, 28, 31, 18, 26};
    p.setPen(QPen(QColor(120, 120, 140), 2, Qt::SolidLine, Qt::FlatCap));
    for (int line = 0; line < 6; ++line) {
        const double y = 16 + line * 7;
        p.drawLine(QPointF(15, y), QPointF(15 + lineLengths[line], y));
    }
    QPen wave(QColor(220, 0, 0), 1);
    p.setPen(wave);
    QPainterPath squiggle;
    squiggle.moveTo(26, 33.5);
    for (int x = 0; x < 12; x += 2)
        squiggle.lineTo(27 + x, x % 4 == 0 ? 35.5 : 33.5);
    p.drawPath(squiggle);

    // The magnifying glass goes round the page, an eighth of a turn per frame.
    const double angle = index * (2 * M_PI / FrameCount) - M_PI / 2;
    const QPointF centre(30 + 11 * std::cos(angle), 31 + 11 * std::sin(angle));
    const double radius = 10;
    const QPointF grip = centre + QPointF(radius * 0.72, radius * 0.72);
    p.setPen(QPen(QColor(110, 60, 20), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(grip, grip + QPointF(10, 10));
    p.setPen(QPen(QColor(40, 40, 40), 2.5));
    p.setBrush(QColor(150, 200, 255, 110));
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() - 6, centre.y() - 6, 12, 12), 100 * 16, 60 * 16);
    return image;
}

void TSpellProgress::ShowFrame(int index) {
    CurrentFrame = qBound(0, index, FrameCount - 1);
    repaint();
}

void TSpellProgress::HideFrame() {
    CurrentFrame = -1;
    repaint();
}

void TSpellProgress::ShowCounter(const QString& text) {
    CounterText = text;
    repaint();
}

void TSpellProgress::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (CurrentFrame >= 0)
        p.drawImage(0, 0, Frame(CurrentFrame));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(0, FrameSize, FrameSize, 31), Qt::AlignLeft | Qt::AlignTop, CounterText);
}
