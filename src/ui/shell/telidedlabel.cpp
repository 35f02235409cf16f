#include "telidedlabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

bool TElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const QString whole = text().trimmed();
        if (whole.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), whole, this);
        return true;
    }
    return QLabel::event(event);
}

QString TElidedLabel::ShownText() const {
    const int room = contentsRect().width() - 2 * margin() - 2 * indent();
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, qMax(room, 0));
}

QSize TElidedLabel::minimumSizeHint() const {
    return QSize(minimumWidth(), QLabel::minimumSizeHint().height());
}

QSize TElidedLabel::sizeHint() const { return minimumSizeHint(); }

void TElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), ShownText(),
                          foregroundRole());
}
