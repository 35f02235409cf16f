#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The "Viewing Angle" dialog of the user-defined view: the three rotation angles in degrees.
class TAngleForm : public QDialog {
    Q_OBJECT
public:
    explicit TAngleForm(QWidget* parent = nullptr);

    // The angles as the edits open with them, in the shortest general form.
    void SetAngles(double rotX, double rotY, double rotZ);
    // The texts of the three edits.
    void SetTexts(const QString& rotX, const QString& rotY, const QString& rotZ);
    QString TextX() const;
    QString TextY() const;
    QString TextZ() const;

    // The edits read as numbers: a text that is not a number gives 90 about X and 0 about Y and Z.
    static void ReadAngles(const QString& textX, const QString& textY, const QString& textZ,
                           double& rotX, double& rotY, double& rotZ);
    static QString AngleText(double angle);

    QLineEdit* RotX = nullptr;
    QLineEdit* RotY = nullptr;
    QLineEdit* RotZ = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
