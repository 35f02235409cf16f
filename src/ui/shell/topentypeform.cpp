#include "topentypeform.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TOpenTypeForm::TOpenTypeForm(const QString& fileName, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OpenTypeForm"));
    setWindowTitle(QStringLiteral("Select the Tool to be used to Open the File"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setProperty("HelpContext", HelpContext);

    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("File to be Opened = "), this);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FileName = new QLabel(fileName, this);
    FileName->setObjectName(QStringLiteral("FileName"));
    FileName->setWordWrap(true);
    FileName->setMinimumWidth(260);
    nameRow->addWidget(caption);
    nameRow->addWidget(FileName, 1);
    layout->addLayout(nameRow);

    ToolType = new QGroupBox(QStringLiteral(" Tool Type "), this);
    auto* toolLayout = new QVBoxLayout(ToolType);
    ToolButtons = new QButtonGroup(this);
    const QStringList items{QStringLiteral("Bolt Group Analysis"), QStringLiteral("Text Editor")};
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), ToolType);
        ToolButtons->addButton(button, i);
        toolLayout->addWidget(button);
    }
    ToolButtons->button(0)->setChecked(true);
    layout->addWidget(ToolType);

    auto* buttons = new QHBoxLayout;
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    HelpButton = new QPushButton(QStringLiteral("Help"), this);
    OKButton->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // Help is the dialog's F1: the frame's context help shows the page for this dialog.
    connect(HelpButton, &QPushButton::clicked, this, [this] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(this, &press);
    });
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TOpenTypeForm::ToolIndex() const { return ToolButtons->checkedId(); }

void TOpenTypeForm::SetToolIndex(int index) {
    if (auto* b = ToolButtons->button(index))
        b->setChecked(true);
}
