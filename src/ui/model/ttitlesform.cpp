#include "ttitlesform.h"

#include "shell/tdialogbuttons.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TTitlesForm::TTitlesForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TitlesForm"));
    setWindowTitle(QStringLiteral("Model and Load Case Titles"));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    AnalysisTitle = new QLineEdit(this);
    AnalysisTitle->setObjectName(QStringLiteral("AnalysisTitle"));
    AnalysisTitle->setMinimumWidth(360);
    LoadCaseTitle = new QLineEdit(this);
    LoadCaseTitle->setObjectName(QStringLiteral("LoadCaseTitle"));
    form->addRow(QStringLiteral("Model Title"), AnalysisTitle);
    form->addRow(QStringLiteral("Load Case Title"), LoadCaseTitle);
    layout->addLayout(form);

    const TDialogButtons buttons(this, layout, TDialogButtons::HelpHidden);
    OKButton = buttons.OKButton;
    CancelButton = buttons.CancelButton;
    HelpButton = buttons.HelpButton;
}
