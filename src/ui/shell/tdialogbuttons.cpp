#include "tdialogbuttons.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace {

QPushButton* MakeButton(QDialog* dialog, const QString& caption, const char* name, bool named) {
    auto* button = new QPushButton(caption, dialog);
    if (named)
        button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

TDialogButtons::TDialogButtons(QDialog* dialog, QBoxLayout* layout, TOptions options) {
    const bool named = !options.testFlag(Unnamed);
    OKButton = MakeButton(dialog, QStringLiteral("OK"), "OKButton", named);
    if (!options.testFlag(NoCancel))
        CancelButton = MakeButton(dialog, QStringLiteral("Cancel"), "CancelButton", named);
    if (!options.testFlag(NoHelp)) {
        HelpButton = MakeButton(dialog, QStringLiteral("Help"), "HelpButton", named);
        if (options.testFlag(HelpHidden))
            HelpButton->hide();
    }
    OKButton->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : {OKButton, CancelButton, HelpButton}) {
        if (button)
            row->addWidget(button);
    }
    layout->addLayout(row);

    if (!options.testFlag(OwnOK))
        QObject::connect(OKButton, &QPushButton::clicked, dialog, &QDialog::accept);
    if (CancelButton)
        QObject::connect(CancelButton, &QPushButton::clicked, dialog, &QDialog::reject);
    if (HelpButton && !options.testFlag(HelpHidden) && !options.testFlag(OwnHelp))
        QObject::connect(HelpButton, &QPushButton::clicked, dialog,
                         [dialog] { PressHelpKey(dialog); });
}

void TDialogButtons::PressHelpKey(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}
