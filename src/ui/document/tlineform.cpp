#include "tlineform.h"

#include "shell/tdialogbuttons.h"
#include "shell/tscreencentre.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TLineForm::TLineForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("LineForm"));
    setWindowTitle(QStringLiteral("Goto Line Number"));
    setToolTip(QStringLiteral("Choose Line number to go to."));
    setStatusTip(QStringLiteral("Choose Line number to go to."));
    setProperty("HelpContext", HelpContext);

    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Goto Line Number"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(Label1);

    auto* fieldRow = new QHBoxLayout;
    fieldRow->setSpacing(0);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label1->setBuddy(Edit1);
    fieldRow->addWidget(Edit1, 1);
    // The spin button: two small arrows on top of each other beside the field.
    CSpinButton1 = new QWidget(this);
    CSpinButton1->setObjectName(QStringLiteral("CSpinButton1"));
    auto* arrows = new QVBoxLayout(CSpinButton1);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    UpButton = new QToolButton(CSpinButton1);
    UpButton->setArrowType(Qt::UpArrow);
    DownButton = new QToolButton(CSpinButton1);
    DownButton->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {UpButton, DownButton}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(18, 12);
        arrows->addWidget(b);
    }
    fieldRow->addWidget(CSpinButton1);
    layout->addLayout(fieldRow);
    layout->addStretch(1);

    const TDialogButtons buttons(this, layout, TDialogButtons::Unnamed);
    OKButton = buttons.OKButton;
    CancelButton = buttons.CancelButton;
    HelpButton = buttons.HelpButton;

    connect(Edit1, &QLineEdit::textEdited, this, &TLineForm::Edit1Change);
    connect(UpButton, &QToolButton::clicked, this, &TLineForm::CSpinButton1UpClick);
    connect(DownButton, &QToolButton::clicked, this, &TLineForm::CSpinButton1DownClick);

    setFixedHeight(186);
    setMinimumWidth(350);
    resize(350, 186);
    TScreenCentre::Place(this);
}

void TLineForm::SetFileName(const QString& fileName) {
    setWindowTitle(QStringLiteral("Goto Line Number - ") + QFileInfo(fileName).fileName());
}

void TLineForm::SetLines(int maxLine, int chosenLine) {
    MaxLine = maxLine;
    ChosenLine = chosenLine;
    ShowChosenLine();
}

void TLineForm::showEvent(QShowEvent* event) {
    Label1->setText(QStringLiteral("Goto Line Number  (Max = %1)").arg(MaxLine));
    QDialog::showEvent(event);
    Edit1->selectAll();
    Edit1->setFocus();
}

void TLineForm::ShowChosenLine() { Edit1->setText(QString::number(ChosenLine)); }

void TLineForm::Edit1Change() {
    const QString text = Edit1->text().trimmed();
    // An emptied field reads as 0 and stays empty, so the user can clear it to type a new
    // number; any other text that is not a line number is undone at once.
    if (text.isEmpty()) {
        ChosenLine = 0;
        return;
    }
    bool number = false;
    const int value = text.toInt(&number);
    if (number && value >= 0 && value <= MaxLine)
        ChosenLine = value;
    if (Edit1->text() != QString::number(ChosenLine)) {
        const int caret = Edit1->cursorPosition();
        ShowChosenLine();
        Edit1->setCursorPosition(qMin(caret, int(Edit1->text().size())));
    }
}

void TLineForm::CSpinButton1UpClick() {
    if (ChosenLine < 0)
        ChosenLine = 0;
    if (ChosenLine < MaxLine) {
        ++ChosenLine;
        ShowChosenLine();
    }
}

void TLineForm::CSpinButton1DownClick() {
    if (ChosenLine > MaxLine)
        ChosenLine = MaxLine;
    if (ChosenLine >= 2) {
        --ChosenLine;
        ShowChosenLine();
    }
}
