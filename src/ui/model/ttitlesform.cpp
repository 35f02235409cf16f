#include "ttitlesform.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

    auto* buttons = new QHBoxLayout;
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    HelpButton = new QPushButton(QStringLiteral("Help"), this);
    HelpButton->setObjectName(QStringLiteral("HelpButton"));
    HelpButton->hide();
    OKButton->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}
