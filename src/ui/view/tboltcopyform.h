#pragma once

#include "view/tcopymovevalues.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

// The copy and move dialog of the bolt group window: a page per transform (translate, rotate,
// mirror, scale), each showing the example bolt's position and a preview of where the transform
// puts it. The page showing when OK is pressed decides the transform.
class TBoltCopyForm : public QDialog {
    Q_OBJECT
public:
    explicit TBoltCopyForm(QWidget* parent = nullptr);

    // The example bolt's position in the four " From " label sets.
    void SetExample(const TVector3& position);
    // The remembered values into the edits and combos; the up-downs too when withCopies.
    void SetValues(const TCopyMoveValues& values, bool withCopies);
    // Hides the copy counts and words the headings for moving the selected bolts.
    void SetMoveMode();
    // Fills every preview once.
    void FillPreviews();
    // The page showing.
    TCopyMovePage Page() const;
    void SetPage(TCopyMovePage page);
    // The values of the page showing, read back into `values`; the others stay. A translate
    // move leaves the copy count alone, a rotate move sets it to the (hidden) up-down's 1.
    void ReadValues(TCopyMoveValues& values, bool move) const;

    // A number in the shortest general form, and a text read as a number (0 when it is none).
    static QString NumberText(double value);
    static double ReadNumber(const QString& text);

    // Handlers: each only updates the dialog.
    void XTransChange();
    void dXChange();
    void AxisChange();
    void CalculateRotatedPos();
    void PlaneChange();
    void CalculateMirroredPos();
    void ScaleChange();
    // Either up-down clicked: both take its position.
    void RotationCopiesClick(int position);

    QTabWidget* PageControl1 = nullptr;
    // Translate.
    QLabel* X = nullptr;
    QLabel* Y = nullptr;
    QLabel* Z = nullptr;
    QLabel* FirstCopyLabel = nullptr;
    QLineEdit* XTrans = nullptr;
    QLineEdit* YTrans = nullptr;
    QLineEdit* ZTrans = nullptr;
    QLabel* DisplacementLabel = nullptr;
    QLineEdit* dX = nullptr;
    QLineEdit* dY = nullptr;
    QLineEdit* dZ = nullptr;
    QLabel* TransCopiesLabel = nullptr;
    QLineEdit* TransCopiesEdit = nullptr;
    QSpinBox* TranslationCopies = nullptr;
    // Rotate.
    QLabel* RX = nullptr;
    QLabel* RY = nullptr;
    QLabel* RZ = nullptr;
    QComboBox* Axis = nullptr;
    QLabel* RotationPerCopyLabel = nullptr;
    QLineEdit* Angle = nullptr;
    QLabel* CentreXLabel = nullptr;
    QLineEdit* CentreX = nullptr;
    QLabel* CentreYLabel = nullptr;
    QLineEdit* CentreY = nullptr;
    QLabel* RotatedLabel = nullptr;
    QLabel* RXR = nullptr;
    QLabel* RYR = nullptr;
    QLabel* RZR = nullptr;
    QLabel* RotationCopiesLabel = nullptr;
    QLineEdit* Nrotation = nullptr;
    QSpinBox* RotationCopies = nullptr;
    // Mirror.
    QLabel* MX = nullptr;
    QLabel* MY = nullptr;
    QLabel* MZ = nullptr;
    QComboBox* Plane = nullptr;
    QLabel* PlaneLabel = nullptr;
    QLineEdit* PlaneValue = nullptr;
    QLabel* MXM = nullptr;
    QLabel* MYM = nullptr;
    QLabel* MZM = nullptr;
    // Scale.
    QLabel* SX = nullptr;
    QLabel* SY = nullptr;
    QLabel* SZ = nullptr;
    QLineEdit* BaseX = nullptr;
    QLineEdit* BaseY = nullptr;
    QLineEdit* BaseZ = nullptr;
    QLineEdit* ScaleX = nullptr;
    QLineEdit* ScaleY = nullptr;
    QLineEdit* ScaleZ = nullptr;
    QLabel* SXS = nullptr;
    QLabel* SYS = nullptr;
    QLabel* SZS = nullptr;

    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

    static constexpr int HelpContext = 121;

private:
    // The example's position as the " From " labels of a page show it.
    static TVector3 ShownPosition(const QLabel* x, const QLabel* y, const QLabel* z);
    static void ShowPosition(const TVector3& p, QLabel* x, QLabel* y, QLabel* z);
    // The values of the rotate, mirror and scale pages as their edits hold them now.
    TCopyMoveValues RotationShown() const;
    TCopyMoveValues MirrorShown() const;
    TCopyMoveValues ScaleShown() const;
};
