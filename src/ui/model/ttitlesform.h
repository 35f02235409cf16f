#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The "Model and Load Case Titles" dialog: the model title and the load case title of a bolt
// group analysis.
class TTitlesForm : public QDialog {
    Q_OBJECT
public:
    explicit TTitlesForm(QWidget* parent = nullptr);

    QLineEdit* AnalysisTitle = nullptr;
    QLineEdit* LoadCaseTitle = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
};
