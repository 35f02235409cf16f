#pragma once

#include "view/tboltediting.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The "Bolt Properties" dialog: a bolt's position, stiffnesses, NISA node number and
// orientation, or, with the bolt fields hidden, the applied load's point and forces.
class TBoltPropertiesForm : public QDialog {
    Q_OBJECT
public:
    explicit TBoltPropertiesForm(QWidget* parent = nullptr);

    static constexpr int HelpContext = 120;

    // Fills the dialog: caption, texts and orientation; for the applied load the stiffness
    // labels read "X Load", "Y Load" and "Z Load" and the bolt fields are hidden.
    void SetValues(const TBoltEditing::TProperties& values);
    // The texts as the user left them.
    TBoltEditing::TProperties Values() const;
    // Hides the orientation group and the node number, and shortens the dialog by the space
    // they took; the buttons move up with the bottom edge.
    void HideBoltFields();

    QLineEdit* X = nullptr;
    QLineEdit* Y = nullptr;
    QLineEdit* Z = nullptr;
    QLineEdit* FX = nullptr;
    QLineEdit* FY = nullptr;
    QLineEdit* FZ = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
    QLineEdit* Node = nullptr;
    QGroupBox* BoltOrientation = nullptr;
    QButtonGroup* OrientationItems = nullptr;
    QLabel* PositionLabels[3] = {};
    QLabel* StiffnessLabels[3] = {};
    QLabel* NodeLabel = nullptr;
    // The orientation group and the node number, hidden together for the applied load.
    QWidget* BoltFields = nullptr;

private:
    bool ForLoad = false;
};
