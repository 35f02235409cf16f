#pragma once

#include <QFlags>

class QBoxLayout;
class QDialog;
class QPushButton;
class QWidget;

// The row of OK, Cancel and Help buttons along the foot of a dialog, to the right, OK the default
// button. OK accepts the dialog and Cancel rejects it (Escape rejects it too); Help is the
// dialog's F1, so the frame's context help shows the dialog's page. The buttons belong to the
// dialog: this object only hands them over while the dialog is built.
class TDialogButtons {
public:
    enum TOption {
        Default = 0,
        HelpHidden = 0x01,  // a Help button that never shows
        NoCancel = 0x02,    // OK and Help only
        NoHelp = 0x04,      // OK and Cancel only
        Unnamed = 0x08,     // the buttons keep empty object names
        OwnOK = 0x10,       // the dialog connects OK itself
        OwnHelp = 0x20,     // the dialog connects Help itself
    };
    Q_DECLARE_FLAGS(TOptions, TOption)

    // Creates the buttons, in tab order OK, Cancel, Help, and adds the row to the layout.
    TDialogButtons(QDialog* dialog, QBoxLayout* layout, TOptions options = Default);

    // Sends the widget an F1 key press: the frame's context help shows the widget's topic.
    static void PressHelpKey(QWidget* widget);

    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDialogButtons::TOptions)
