#include "model/tboltnodeform.h"
#include "shell/tdialogs.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs the step on the modal dialog as soon as it is shown.
void WhenShown(std::function<void(TBoltNodeForm*)> step) {
    QTimer::singleShot(0, [step] {
        auto* form = qobject_cast<TBoltNodeForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        step(form);
    });
}

} // namespace

class TstTBoltNodeForm : public QObject {
    Q_OBJECT

    const QStringList BoltColumn{"   1", "   2", "   3"};
    const QStringList NodeColumn{"   0", "   7", "   0"};

private slots:
    void LayoutAndSize() {
        TBoltNodeForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("NISA Node Numbers for Bolts"));
        QCOMPARE(form.Bolts->columnCount(), 2);
        QCOMPARE(form.Bolts->horizontalHeaderItem(0)->text(), QStringLiteral("Bolt Number"));
        QCOMPARE(form.Bolts->horizontalHeaderItem(1)->text(), QStringLiteral("NISA Node Number"));
        QVERIFY(form.HelpButton->isHidden());
        QCOMPARE(form.minimumSize(), QSize(404, 300));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Smaller than the least size is refused; larger lets the grid grow with it.
        form.resize(200, 100);
        QCOMPARE(form.size(), QSize(404, 300));
        const QSize gridBefore = form.Bolts->size();
        form.resize(700, 550);
        QTRY_VERIFY(form.Bolts->width() > gridBefore.width() + 250);
        QVERIFY(form.Bolts->height() > gridBefore.height() + 200);
    }

    void RowsAndColumns() {
        TBoltNodeForm form;
        form.SetRows(BoltColumn, NodeColumn);
        QCOMPARE(form.Bolts->rowCount(), 3);
        QCOMPARE(form.Bolts->item(2, 0)->text(), QStringLiteral("   3"));
        QVERIFY(!(form.Bolts->item(0, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(form.Bolts->item(0, 1)->flags() & Qt::ItemIsEditable);
        QCOMPARE(form.NodeColumn(), NodeColumn);
    }

    void DialogAnswers_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void DialogAnswers() {
        QFETCH(bool, accept);
        QStringList nodes = NodeColumn;
        WhenShown([accept](TBoltNodeForm* form) {
            form->Bolts->item(0, 1)->setText(QStringLiteral("  21"));
            // The last cell is still being edited when OK is pressed.
            form->Bolts->setCurrentCell(2, 1);
            form->Bolts->editItem(form->Bolts->item(2, 1));
            auto* editor = form->Bolts->findChild<QLineEdit*>();
            QVERIFY(editor);
            editor->setText(QStringLiteral("23"));
            (accept ? form->OKButton : form->CancelButton)->click();
        });
        const bool answered = TDialogs::Current().NisaNodeNumbers(nullptr, BoltColumn, nodes);
        QCOMPARE(answered, accept);
        const QStringList expected = accept ? QStringList{"  21", "   7", "23"} : NodeColumn;
        QCOMPARE(nodes, expected);
    }
};

QTEST_MAIN(TstTBoltNodeForm)
#include "tst_tboltnodeform.moc"
