#include "tradiotabstop.h"

#include <QAbstractButton>
#include <QButtonGroup>

void TRadioTabStop::Attach(QButtonGroup* group) {
    auto follow = [group] {
        const QList<QAbstractButton*> buttons = group->buttons();
        QAbstractButton* stop = group->checkedButton();
        if (!stop && !buttons.isEmpty())
            stop = buttons.constFirst();
        for (QAbstractButton* button : buttons)
            button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
    };
    follow();
    QObject::connect(group, &QButtonGroup::buttonToggled, group, follow);
}
