#include "tmenubarstyle.h"

#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QWidget>

namespace {

// A menu-bar item that shows both a picture and a caption.
const QStyleOptionMenuItem* PictureAndCaption(const QStyleOption* option) {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    return item && !item->icon.isNull() && !item->text.isEmpty() ? item : nullptr;
}

} // namespace

QSize TMenuBarStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                      const QSize& size, const QWidget* widget) const {
    const QStyleOptionMenuItem* item =
        type == CT_MenuBarItem ? PictureAndCaption(option) : nullptr;
    if (!item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const int icon = pixelMetric(PM_SmallIconSize, option, widget);
    const QSize text = item->fontMetrics.size(Qt::TextShowMnemonic, item->text);
    const QSize contents(icon + Spacing + text.width(), qMax(icon, text.height()));
    return QProxyStyle::sizeFromContents(type, option, contents, widget);
}

void TMenuBarStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    const QStyleOptionMenuItem* item =
        element == CE_MenuBarItem ? PictureAndCaption(option) : nullptr;
    if (!item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The item's background (and its highlight) as the style draws it, without contents.
    QStyleOptionMenuItem background = *item;
    background.icon = QIcon();
    background.text.clear();
    QProxyStyle::drawControl(element, &background, painter, widget);

    // Picture and caption side by side in the middle of the item.
    const int icon = pixelMetric(PM_SmallIconSize, option, widget);
    const int textWidth = item->fontMetrics.size(Qt::TextShowMnemonic, item->text).width();
    const int left = item->rect.x() + (item->rect.width() - (icon + Spacing + textWidth)) / 2;
    const bool enabled = item->state & State_Enabled;
    const QPixmap picture =
        item->icon.pixmap(QSize(icon, icon), painter->device()->devicePixelRatioF(),
                          enabled ? QIcon::Normal : QIcon::Disabled);
    drawItemPixmap(painter, QRect(left, item->rect.y(), icon, item->rect.height()),
                   Qt::AlignCenter, picture);
    // The caption as the style draws it, centred to the right of the picture: the whole item
    // moved over by half the picture's room, kept to where the caption goes.
    QStyleOptionMenuItem caption = *item;
    caption.icon = QIcon();
    caption.rect.translate((icon + Spacing) / 2, 0);
    painter->save();
    painter->setClipRect(QRect(left + icon + Spacing, item->rect.y(), textWidth + 1,
                               item->rect.height()),
                         Qt::IntersectClip);
    QProxyStyle::drawControl(element, &caption, painter, widget);
    painter->restore();
}
