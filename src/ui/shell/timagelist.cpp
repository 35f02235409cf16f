#include "timagelist.h"

#include <QApplication>
#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

namespace {

constexpr int Size = 16;

QPixmap Blank() {
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon Letter(const QString& text, bool bold, bool italic, bool underline, bool strike) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(14);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strike);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

// Lines of text in a paragraph, aligned left (0), centre (2) or right (1), optionally with an
// arrow for indent commands.
QIcon Paragraph(int alignment, int arrow = 0, bool arrowRight = false, bool firstLine = false) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setPen(QColor(30, 30, 30));
    const int widths[] = {13, 9, 13, 7, 11};
    for (int i = 0; i < 5; ++i) {
        int w = widths[i];
        int left = 1;
        if (arrow != 0) {
            w = (firstLine && i > 0) || (!firstLine) ? 8 : 6;
            left = arrow < 0 ? 7 : 1;
            if (firstLine && i == 0)
                left += 2;
        }
        if (alignment == 2)
            left = (Size - w) / 2;
        else if (alignment == 1)
            left = Size - 1 - w;
        p.drawLine(left, 2 + i * 3, left + w - 1, 2 + i * 3);
    }
    if (arrow != 0) {
        p.setPen(QPen(QColor(0, 0, 180), 1));
        p.setBrush(QColor(0, 0, 180));
        const int x = arrow < 0 ? 1 : 10;
        QPainterPath path;
        if (arrowRight) {
            path.moveTo(x, 5);
            path.lineTo(x + 4, 8);
            path.lineTo(x, 11);
        } else {
            path.moveTo(x + 4, 5);
            path.lineTo(x, 8);
            path.lineTo(x + 4, 11);
        }
        path.closeSubpath();
        p.drawPath(path);
    }
    return QIcon(pixmap);
}

QIcon Bullets() {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 160));
        p.drawEllipse(QPointF(2.5, 3.5 + i * 4.5), 1.6, 1.6);
        p.setPen(QColor(30, 30, 30));
        p.drawLine(6, 3 + i * 5, 14, 3 + i * 5);
    }
    return QIcon(pixmap);
}

QIcon Drawn(void (*draw)(QPainter&)) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return QIcon(pixmap);
}

void DrawPage(QPainter& p) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
}

QIcon Make(TImageList::TImage image) {
    QStyle* style = QApplication::style();
    switch (image) {
    case TImageList::New:
        return style->standardIcon(QStyle::SP_FileIcon);
    case TImageList::Open:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case TImageList::Close:
        return style->standardIcon(QStyle::SP_DialogCloseButton);
    case TImageList::Save:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case TImageList::SaveAs:
        return style->standardIcon(QStyle::SP_DriveFDIcon);
    case TImageList::Print:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(50, 50, 50));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 1.5, 7, 5));
            p.setBrush(QColor(150, 150, 160));
            p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
            p.setBrush(Qt::white);
            p.drawRect(QRectF(4.5, 10.5, 7, 4));
        });
    case TImageList::Exit:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(90, 50, 20));
            p.setBrush(QColor(180, 120, 60));
            p.drawRect(QRectF(3.5, 1.5, 8, 13));
            p.setPen(QPen(QColor(200, 0, 0), 2));
            p.drawLine(QPointF(8, 8), QPointF(15, 8));
            p.drawLine(QPointF(12, 5), QPointF(15, 8));
            p.drawLine(QPointF(12, 11), QPointF(15, 8));
        });
    case TImageList::Cut:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(QColor(40, 40, 40), 1.2));
            p.drawLine(QPointF(5, 1), QPointF(10, 10));
            p.drawLine(QPointF(11, 1), QPointF(6, 10));
            p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
            p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
        });
    case TImageList::Copy:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(60, 60, 60));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 1.5, 8, 10));
            p.drawRect(QRectF(6.5, 4.5, 8, 10));
        });
    case TImageList::Paste:
        return Drawn([](QPainter& p) {
            p.setPen(QColor(90, 60, 20));
            p.setBrush(QColor(200, 160, 90));
            p.drawRect(QRectF(2.5, 2.5, 10, 12));
            p.setPen(QColor(60, 60, 60));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6.5, 6.5, 8, 8));
        });
    case TImageList::Undo:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(QColor(0, 0, 160), 2));
            QPainterPath path;
            path.moveTo(4, 6);
            path.cubicTo(8, 2, 15, 4, 13, 12);
            p.drawPath(path);
            p.setBrush(QColor(0, 0, 160));
            p.setPen(Qt::NoPen);
            QPainterPath head;
            head.moveTo(1, 7);
            head.lineTo(6, 2);
            head.lineTo(7, 9);
            head.closeSubpath();
            p.drawPath(head);
        });
    case TImageList::Help:
        return style->standardIcon(QStyle::SP_DialogHelpButton);
    case TImageList::About:
        return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case TImageList::SpellCheck:
        return Drawn([](QPainter& p) {
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPixelSize(8);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(QRect(0, 0, 16, 8), Qt::AlignCenter, QStringLiteral("ABC"));
            p.setPen(QPen(QColor(0, 140, 0), 2));
            p.drawLine(QPointF(4, 11), QPointF(7, 14));
            p.drawLine(QPointF(7, 14), QPointF(14, 8));
        });
    case TImageList::Find:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(QColor(40, 40, 40), 1.5));
            p.setBrush(QColor(200, 230, 255));
            p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
            p.setPen(QPen(QColor(40, 40, 40), 2.5));
            p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
        });
    case TImageList::Replace:
        return Drawn([](QPainter& p) {
            p.setPen(QPen(QColor(40, 40, 40), 1.2));
            p.setBrush(QColor(200, 230, 255));
            p.drawEllipse(QPointF(5, 5), 3.5, 3.5);
            p.drawLine(QPointF(7.5, 7.5), QPointF(10, 10));
            p.setPen(QPen(QColor(0, 0, 160), 1.5));
            p.drawLine(QPointF(9, 13), QPointF(15, 13));
            p.drawLine(QPointF(13, 11), QPointF(15, 13));
        });
    case TImageList::Font:
        return Letter(QStringLiteral("A"), true, false, false, false);
    case TImageList::Bold:
        return Letter(QStringLiteral("B"), true, false, false, false);
    case TImageList::Italic:
        return Letter(QStringLiteral("I"), false, true, false, false);
    case TImageList::Underline:
        return Letter(QStringLiteral("U"), false, false, true, false);
    case TImageList::StrikeOut:
        return Letter(QStringLiteral("S"), false, false, false, true);
    case TImageList::Bullets:
        return Bullets();
    case TImageList::FirstIndentMore:
        return Paragraph(0, 1, true, true);
    case TImageList::FirstIndentLess:
        return Paragraph(0, 1, false, true);
    case TImageList::IndentMore:
        return Paragraph(0, -1, true);
    case TImageList::IndentLess:
        return Paragraph(0, -1, false);
    case TImageList::AlignLeft:
        return Paragraph(0);
    case TImageList::AlignCentre:
        return Paragraph(2);
    case TImageList::AlignRight:
        return Paragraph(1);
    case TImageList::RightIndentMore:
        return Paragraph(0, 1, false);
    case TImageList::RightIndentLess:
        return Paragraph(0, 1, true);
    case TImageList::Minimize:
        return style->standardIcon(QStyle::SP_TitleBarMinButton);
    case TImageList::Maximize:
        return style->standardIcon(QStyle::SP_TitleBarMaxButton);
    case TImageList::Restore:
        return style->standardIcon(QStyle::SP_TitleBarNormalButton);
    case TImageList::FileMenu:
        return Drawn([](QPainter& p) { DrawPage(p); });
    case TImageList::Palette:
        // Four colour dots on a painter's palette.
        return Drawn([](QPainter& p) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QColor(120, 80, 30));
            p.setBrush(QColor(230, 190, 130));
            p.drawEllipse(QRectF(0.5, 2.5, 15, 11));
            p.setPen(Qt::NoPen);
            const QColor dots[] = {Qt::red, QColor(0, 160, 0), Qt::blue, QColor(240, 200, 0)};
            const QPointF at[] = {{4, 6}, {8, 4.5}, {12, 6.5}, {11, 10.5}};
            for (int i = 0; i < 4; ++i) {
                p.setBrush(dots[i]);
                p.drawEllipse(at[i], 1.8, 1.8);
            }
        });
    case TImageList::ToolBars:
        // Two rows of buttons.
        return Drawn([](QPainter& p) {
            p.setPen(QColor(90, 90, 100));
            for (int row = 0; row < 2; ++row) {
                p.setBrush(QColor(225, 225, 230));
                p.drawRect(QRectF(0.5, 2.5 + row * 6, 15, 5));
                p.setBrush(row == 0 ? QColor(60, 110, 200) : QColor(200, 120, 40));
                for (int b = 0; b < 3; ++b)
                    p.drawRect(QRectF(2.5 + b * 4, 3.5 + row * 6, 2, 2));
            }
        });
    case TImageList::Cascade:
    case TImageList::TileHorizontal:
    case TImageList::TileVertical:
    case TImageList::Count:
        break;
    }
    return QIcon();
}

} // namespace

QIcon TImageList::Icon(TImage image) {
    static QHash<int, QIcon> cache;
    auto it = cache.find(int(image));
    if (it == cache.end())
        it = cache.insert(int(image), Make(image));
    return *it;
}
