#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

// Asks which tool opens a ".dat" file: the bolt group analysis or the text editor.
class TOpenTypeForm : public QDialog {
    Q_OBJECT
public:
    explicit TOpenTypeForm(const QString& fileName, QWidget* parent = nullptr);

    // 0 "Bolt Group Analysis", 1 "Text Editor".
    int ToolIndex() const;
    void SetToolIndex(int index);

    QLabel* FileName = nullptr;
    QGroupBox* ToolType = nullptr;
    QButtonGroup* ToolButtons = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;

    static constexpr int HelpContext = 114;
};
