#include "tgroupboxex.h"

#include <QEvent>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

TGroupBoxEx::TGroupBoxEx(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

void TGroupBoxEx::changeEvent(QEvent* event) {
    QGroupBox::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    // A child disabled on its own would otherwise stay disabled when the box is enabled again.
    const bool enabled = isEnabled();
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        child->setEnabled(enabled);
}

void TGroupBoxEx::paintEvent(QPaintEvent* event) {
    if (isEnabled() || title().isEmpty()) {
        QGroupBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // The frame with its gap for the caption, the caption itself left out.
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                QStyle::SC_GroupBoxLabel, this);
    option.palette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::transparent);
    option.textColor = Qt::transparent;
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
    const int flags = int(option.textAlignment) | Qt::TextShowMnemonic;
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(label.translated(1, 1), flags, title());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Mid));
    painter.drawText(label, flags, title());
}
