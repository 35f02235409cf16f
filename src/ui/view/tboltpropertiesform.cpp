#include "tboltpropertiesform.h"

#include "model/tbolt.h"
#include "shell/tdialogbuttons.h"
#include "shell/tradiotabstop.h"
#include "shell/tscreencentre.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const OrientationCaptions[4] = {
    "Not Defined", "X Axial Load, YZ Plane Shear.", "Y Axial Load, XZ Plane Shear.",
    "Z Axial Load, XY Plane Shear."};

void CentreOnScreen(QWidget* widget) {
    widget->adjustSize();
    TScreenCentre::Place(widget);
}

} // namespace

TBoltPropertiesForm::TBoltPropertiesForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BoltPropertiesForm"));
    setWindowTitle(QStringLiteral("Bolt Properties"));
    setProperty("HelpContext", HelpContext);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const char* axes[3] = {"X", "Y", "Z"};
    QLineEdit** positions[3] = {&X, &Y, &Z};
    QLineEdit** stiffnesses[3] = {&FX, &FY, &FZ};
    for (int row = 0; row < 3; ++row) {
        const QString axis = QLatin1String(axes[row]);
        auto* position = new QLineEdit(this);
        position->setObjectName(axis);
        position->setMinimumWidth(110);
        *positions[row] = position;
        PositionLabels[row] = new QLabel(axis + QStringLiteral(" Position"), this);
        PositionLabels[row]->setBuddy(position);
        auto* stiffness = new QLineEdit(this);
        stiffness->setObjectName(QStringLiteral("F") + axis);
        stiffness->setMinimumWidth(110);
        *stiffnesses[row] = stiffness;
        StiffnessLabels[row] = new QLabel(axis + QStringLiteral(" Stiffness"), this);
        StiffnessLabels[row]->setBuddy(stiffness);
        grid->addWidget(PositionLabels[row], row, 0);
        grid->addWidget(position, row, 1);
        grid->addWidget(StiffnessLabels[row], row, 3);
        grid->addWidget(stiffness, row, 4);
    }
    grid->setColumnMinimumWidth(2, 12);
    layout->addLayout(grid);

    // The bolt's own fields: the orientation group with the node number beside it.
    BoltFields = new QWidget(this);
    BoltFields->setObjectName(QStringLiteral("BoltFields"));
    auto* fields = new QHBoxLayout(BoltFields);
    fields->setContentsMargins(0, 6, 0, 0);
    BoltOrientation = new QGroupBox(QStringLiteral(" Bolt Orientation "), BoltFields);
    BoltOrientation->setObjectName(QStringLiteral("BoltOrientation"));
    auto* items = new QVBoxLayout(BoltOrientation);
    OrientationItems = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(QLatin1String(OrientationCaptions[i]), BoltOrientation);
        OrientationItems->addButton(item, i);
        items->addWidget(item);
    }
    fields->addWidget(BoltOrientation, 1);
    auto* nodeColumn = new QVBoxLayout;
    Node = new QLineEdit(BoltFields);
    Node->setObjectName(QStringLiteral("Node"));
    Node->setMaximumWidth(110);
    NodeLabel = new QLabel(QStringLiteral("NISA Node Number"), BoltFields);
    NodeLabel->setBuddy(Node);
    nodeColumn->addWidget(NodeLabel);
    nodeColumn->addWidget(Node);
    nodeColumn->addStretch(1);
    fields->addLayout(nodeColumn);
    layout->addWidget(BoltFields);

    const TDialogButtons buttons(this, layout, TDialogButtons::HelpHidden);
    OKButton = buttons.OKButton;
    CancelButton = buttons.CancelButton;
    HelpButton = buttons.HelpButton;

    QWidget* order[] = {X, Y, Z, FX, FY, FZ, OKButton, CancelButton, HelpButton, Node};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    QWidget* previous = Node;
    for (QAbstractButton* item : OrientationItems->buttons()) {
        setTabOrder(previous, item);
        previous = item;
    }
    TRadioTabStop::Attach(OrientationItems);

    // Not resizable, centred on the screen.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    CentreOnScreen(this);
}

void TBoltPropertiesForm::SetValues(const TBoltEditing::TProperties& values) {
    setWindowTitle(values.Caption);
    X->setText(values.X);
    Y->setText(values.Y);
    Z->setText(values.Z);
    FX->setText(values.FX);
    FY->setText(values.FY);
    FZ->setText(values.FZ);
    Node->setText(values.Node);
    if (QAbstractButton* item = OrientationItems->button(values.Orientation)) {
        item->setChecked(true);
    } else if (QAbstractButton* checked = OrientationItems->checkedButton()) {
        OrientationItems->setExclusive(false);
        checked->setChecked(false);
        OrientationItems->setExclusive(true);
    }
    ForLoad = values.ForLoad;
    if (ForLoad) {
        const char* axes[3] = {"X", "Y", "Z"};
        for (int row = 0; row < 3; ++row)
            StiffnessLabels[row]->setText(QLatin1String(axes[row]) + QStringLiteral(" Load"));
        HideBoltFields();
    }
}

TBoltEditing::TProperties TBoltPropertiesForm::Values() const {
    TBoltEditing::TProperties values;
    values.Caption = windowTitle();
    values.ForLoad = ForLoad;
    values.X = X->text();
    values.Y = Y->text();
    values.Z = Z->text();
    values.FX = FX->text();
    values.FY = FY->text();
    values.FZ = FZ->text();
    values.Node = Node->text();
    values.Orientation = OrientationItems->checkedId();
    return values;
}

void TBoltPropertiesForm::HideBoltFields() {
    BoltFields->hide();
    CentreOnScreen(this);
}
