#include "tboltnodeform.h"

#include "shell/tdialogbuttons.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TBoltNodeForm::TBoltNodeForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BoltNodeForm"));
    setWindowTitle(QStringLiteral("NISA Node Numbers for Bolts"));
    setSizeGripEnabled(true);
    setMinimumSize(MinimumWidth, MinimumHeight);
    resize(MinimumWidth, MinimumHeight);

    auto* layout = new QVBoxLayout(this);
    Bolts = new QTableWidget(0, 2, this);
    Bolts->setObjectName(QStringLiteral("Bolts"));
    Bolts->setHorizontalHeaderLabels({QStringLiteral("Bolt Number"),
                                      QStringLiteral("NISA Node Number")});
    Bolts->verticalHeader()->hide();
    Bolts->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Bolts->setSelectionMode(QAbstractItemView::SingleSelection);
    Bolts->setEditTriggers(QAbstractItemView::AllEditTriggers);
    layout->addWidget(Bolts, 1);

    const TDialogButtons buttons(this, layout, TDialogButtons::HelpHidden | TDialogButtons::OwnOK);
    OKButton = buttons.OKButton;
    CancelButton = buttons.CancelButton;
    HelpButton = buttons.HelpButton;
    connect(OKButton, &QPushButton::clicked, this, [this] {
        // A cell still being edited counts as entered: leaving it commits its text.
        Bolts->setCurrentIndex(QModelIndex());
        accept();
    });
}

void TBoltNodeForm::SetRows(const QStringList& boltColumn, const QStringList& nodeColumn) {
    Bolts->setRowCount(int(boltColumn.size()));
    for (int row = 0; row < boltColumn.size(); ++row) {
        auto* bolt = new QTableWidgetItem(boltColumn.at(row));
        // The bolt numbers name the rows; only the node numbers are entered.
        bolt->setFlags(bolt->flags() & ~Qt::ItemIsEditable);
        Bolts->setItem(row, 0, bolt);
        Bolts->setItem(row, 1, new QTableWidgetItem(nodeColumn.value(row)));
    }
    if (Bolts->rowCount() > 0)
        Bolts->setCurrentCell(0, 1);
}

QStringList TBoltNodeForm::NodeColumn() const {
    QStringList column;
    column.reserve(Bolts->rowCount());
    for (int row = 0; row < Bolts->rowCount(); ++row) {
        const QTableWidgetItem* item = Bolts->item(row, 1);
        column.append(item ? item->text() : QString());
    }
    return column;
}
