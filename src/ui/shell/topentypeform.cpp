#include "topentypeform.h"

#include "tdialogbuttons.h"
#include "tradiotabstop.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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
    TRadioTabStop::Attach(ToolButtons);
    layout->addWidget(ToolType);

    const TDialogButtons buttons(this, layout, TDialogButtons::Unnamed);
    OKButton = buttons.OKButton;
    CancelButton = buttons.CancelButton;
    HelpButton = buttons.HelpButton;
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TOpenTypeForm::ToolIndex() const { return ToolButtons->checkedId(); }

void TOpenTypeForm::SetToolIndex(int index) {
    if (auto* b = ToolButtons->button(index))
        b->setChecked(true);
}
