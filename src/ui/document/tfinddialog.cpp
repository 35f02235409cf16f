#include "tfinddialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>

TFindDialog::TFindDialog(bool replace, QWidget* parent) : QDialog(parent) {
    setObjectName(replace ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
    setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setModal(false);
    // A tool window stays above the frame while the user goes on working in the document.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setProperty("HelpContext", replace ? 362 : 361);

    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* fields = new QGridLayout;
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setMinimumWidth(220);
    auto* findLabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findLabel->setBuddy(FindEdit);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(FindEdit, 0, 1);
    if (replace) {
        ReplaceEdit = new QLineEdit(this);
        ReplaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
        auto* replaceLabel = new QLabel(QStringLiteral("Re&place with:"), this);
        replaceLabel->setBuddy(ReplaceEdit);
        fields->addWidget(replaceLabel, 1, 0);
        fields->addWidget(ReplaceEdit, 1, 1);
    }
    left->addLayout(fields);
    left->addStretch(1);
    WholeWordBox = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    WholeWordBox->setObjectName(QStringLiteral("WholeWordBox"));
    MatchCaseBox = new QCheckBox(QStringLiteral("Match &case"), this);
    MatchCaseBox->setObjectName(QStringLiteral("MatchCaseBox"));
    left->addWidget(WholeWordBox);
    left->addWidget(MatchCaseBox);
    row->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    FindNextButton = new QPushButton(QStringLiteral("&Find Next"), this);
    FindNextButton->setObjectName(QStringLiteral("FindNextButton"));
    FindNextButton->setDefault(true);
    buttons->addWidget(FindNextButton);
    connect(FindNextButton, &QPushButton::clicked, this, &TFindDialog::FindNext);
    if (replace) {
        ReplaceButton = new QPushButton(QStringLiteral("&Replace"), this);
        ReplaceButton->setObjectName(QStringLiteral("ReplaceButton"));
        ReplaceAllButton = new QPushButton(QStringLiteral("Replace &All"), this);
        ReplaceAllButton->setObjectName(QStringLiteral("ReplaceAllButton"));
        buttons->addWidget(ReplaceButton);
        buttons->addWidget(ReplaceAllButton);
        connect(ReplaceButton, &QPushButton::clicked, this, &TFindDialog::Replace);
        connect(ReplaceAllButton, &QPushButton::clicked, this, &TFindDialog::ReplaceAll);
    }
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    buttons->addWidget(CancelButton);
    buttons->addStretch(1);
    // Cancel and Escape only hide the dialog: it keeps its texts for the next time.
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    row->addLayout(buttons);

    connect(FindEdit, &QLineEdit::textChanged, this, &TFindDialog::UpdateButtons);
    UpdateButtons();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString TFindDialog::FindText() const { return FindEdit->text(); }

void TFindDialog::SetFindText(const QString& text) {
    FindEdit->setText(text);
    FindEdit->selectAll();
}

void TFindDialog::SetFindTextFromSelection(const QString& selected) {
    QString text = selected;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n' ||
            c == u'\r') {
            text.truncate(i);
            break;
        }
    }
    SetFindText(text);
}

QString TFindDialog::ReplaceText() const { return ReplaceEdit ? ReplaceEdit->text() : QString(); }

bool TFindDialog::MatchCase() const { return MatchCaseBox->isChecked(); }

bool TFindDialog::WholeWord() const { return WholeWordBox->isChecked(); }

void TFindDialog::UpdateButtons() {
    // Nothing to search for: the buttons wait for a text.
    const bool text = !FindEdit->text().isEmpty();
    for (QPushButton* b : {FindNextButton, ReplaceButton, ReplaceAllButton}) {
        if (b)
            b->setEnabled(text);
    }
}

void TFindDialog::ShowBeside(QWidget* document) {
    if (!Placed && document) {
        adjustSize();
        const QPoint topRight = document->mapToGlobal(QPoint(document->width(), 0));
        move(qMax(0, topRight.x() - frameGeometry().width() - 24), topRight.y() + 8);
        Placed = true;
    }
    show();
    raise();
    activateWindow();
    FindEdit->setFocus();
}

void TFindDialog::KeepClear(const QRect& area) {
    if (!isVisible() || !frameGeometry().intersects(area))
        return;
    const QScreen* screen = this->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    QRect frame = frameGeometry();
    frame.moveTop(area.bottom() + 24);
    if (available.isValid() && frame.bottom() > available.bottom())
        frame.moveBottom(area.top() - 24);
    move(frame.topLeft());
}
