#include "tangleform.h"

#include "model/tnumberformat.h"
#include "shell/tdialogbuttons.h"
#include "shell/tscreencentre.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TAngleForm::TAngleForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AngleForm"));
    setWindowTitle(QStringLiteral("Viewing Angle"));

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const QString rows[] = {QStringLiteral("Rotation About X Axis"),
                            QStringLiteral("Rotation About Y Axis"),
                            QStringLiteral("Rotation About Z Axis")};
    const char* names[] = {"RotX", "RotY", "RotZ"};
    QLineEdit** edits[] = {&RotX, &RotY, &RotZ};
    for (int row = 0; row < 3; ++row) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(names[row]));
        edit->setMinimumWidth(90);
        *edits[row] = edit;
        auto* label = new QLabel(rows[row], this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("Degrees"), this), row, 2);
    }
    layout->addLayout(grid);

    const TDialogButtons buttons(this, layout, TDialogButtons::NoHelp);
    OKButton = buttons.OKButton;
    CancelButton = buttons.CancelButton;

    // Not resizable, centred on the screen.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    TScreenCentre::Place(this);
}

QString TAngleForm::AngleText(double angle) { return TNumberFormat::FormatGeneral(angle); }

void TAngleForm::SetAngles(double rotX, double rotY, double rotZ) {
    SetTexts(AngleText(rotX), AngleText(rotY), AngleText(rotZ));
}

void TAngleForm::SetTexts(const QString& rotX, const QString& rotY, const QString& rotZ) {
    RotX->setText(rotX);
    RotY->setText(rotY);
    RotZ->setText(rotZ);
}

QString TAngleForm::TextX() const { return RotX->text(); }
QString TAngleForm::TextY() const { return RotY->text(); }
QString TAngleForm::TextZ() const { return RotZ->text(); }

void TAngleForm::ReadAngles(const QString& textX, const QString& textY, const QString& textZ,
                            double& rotX, double& rotY, double& rotZ) {
    rotX = TNumberFormat::ParseReal(textX, 90);
    rotY = TNumberFormat::ParseReal(textY, 0);
    rotZ = TNumberFormat::ParseReal(textZ, 0);
}
