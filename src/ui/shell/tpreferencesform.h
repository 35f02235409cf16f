#pragma once

#include "shell/tsettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TGroupBoxEx;

// The preferences dialog (Edit > "Preferences..."): seven tabs of preferences loaded from the
// settings file when it opens and written back, all at once, only when it closes with OK. A
// write that fails keeps the dialog open with everything as the user left it. "Clear Quick
// List" and "Reset" act on the settings file at once; "Edit" asks for a dictionary to be opened
// in a text editor window (EditFile) and closes the dialog.
class TPreferencesForm : public QDialog {
    Q_OBJECT
public:
    explicit TPreferencesForm(QWidget* parent = nullptr);

    static constexpr int HelpContext = 760;
    static constexpr int FixedHeight = 391;
    static constexpr int MinimumWidth = 500;

    // The pictures of the Reset tab: at rest, while the mouse is held on the Reset button, and
    // while it is held on the picture.
    enum class TFace { Face, FaceOh, FaceTongue };
    static QPixmap FacePicture(TFace face);
    TFace ShownFace = TFace::Face;

    // Every control as the preferences it shows.
    TPreferences ControlPreferences() const;
    // Fills every control from the settings file.
    void FormCreate();
    QColor SwatchColour(const QLabel* swatch) const;
    void SetSwatchColour(QLabel* swatch, const QColor& colour);

    // Handlers.
    void TopColourMouseUp(QLabel* swatch);
    void ChangeFontClick();
    void BrowseButton1Click(int tag);
    void EditButton1Click(int tag);
    void AddButtonClick();
    void ClearQuickListClick();
    void ResetClick();
    void HelpButtonClick();
    void ShowFace(TFace face);

    // OK: writes every control to its key; false (with a message) when the file cannot be
    // written, and the dialog then stays open.
    bool WritePreferences();
    void accept() override;

signals:
    // "Edit" asks for the dictionary file to be opened in a text editor window.
    void EditFile(const QString& fileName);

public:
    // Controls.
    QTabWidget* PageControl1 = nullptr;
    QCheckBox* Copyright = nullptr;
    QCheckBox* Logo = nullptr;
    TGroupBoxEx* GradientGroup = nullptr;
    QLabel* TopColour = nullptr;
    QLabel* BottomColour = nullptr;
    QCheckBox* WindowMaximise = nullptr;
    QCheckBox* WindowSize = nullptr;
    QCheckBox* ToolWindowMaximise = nullptr;
    // The number field QuickListNumber with its up-down, in one control.
    QSpinBox* QuickListUpDown = nullptr;
    QPushButton* ClearQuickList = nullptr;
    QComboBox* FontStyle = nullptr;
    QComboBox* FontSize = nullptr;
    QLabel* FontColour = nullptr;
    QPushButton* ChangeFont = nullptr;
    QCheckBox* Bold = nullptr;
    QCheckBox* Underline = nullptr;
    QCheckBox* Itallics = nullptr;
    QCheckBox* Strikeout = nullptr;
    QLineEdit* Dictionary = nullptr;
    QLineEdit* Custom = nullptr;
    QPushButton* BrowseButton1 = nullptr;
    QPushButton* BrowseButton2 = nullptr;
    QPushButton* EditButton1 = nullptr;
    QPushButton* EditButton2 = nullptr;
    QPushButton* AddButton = nullptr;
    // File, Editing, Text Formatting, Help, Paragraph Formatting and Word Tools tool bars.
    QCheckBox* Toolbar[6] = {};
    QLabel* Image1 = nullptr;
    QPushButton* Reset = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateLogoPage();
    QWidget* CreateSizePage();
    QWidget* CreateQuickListPage();
    QWidget* CreateAllToolsPage();
    QWidget* CreateSpellCheckerPage();
    QWidget* CreateToolbarsPage();
    QWidget* CreateResetPage();
    QLabel* CreateSwatch(QWidget* parent, const char* name);
    void SelectFontStyle(const QString& name);
    void ShowError(const QString& text);

    bool Centred = false;
};
