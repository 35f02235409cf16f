#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTableWidget;

// The "NISA Node Numbers for Bolts" dialog: a grid with one row per bolt, the bolt number and the
// NISA node number, the node number edited in place. It can be resized, never below 404 by 300
// pixels, and the grid grows with it.
class TBoltNodeForm : public QDialog {
    Q_OBJECT
public:
    explicit TBoltNodeForm(QWidget* parent = nullptr);

    // Fills the grid: one row per entry of the bolt column.
    void SetRows(const QStringList& boltColumn, const QStringList& nodeColumn);
    // The texts of the node column, one per row, as the user left them.
    QStringList NodeColumn() const;

    static constexpr int MinimumWidth = 404;
    static constexpr int MinimumHeight = 300;

    QTableWidget* Bolts = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* HelpButton = nullptr;
};
