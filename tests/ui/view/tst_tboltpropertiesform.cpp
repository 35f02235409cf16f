#include "view/tboltpropertiesform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TstTBoltPropertiesForm : public QObject {
    Q_OBJECT

private slots:
    // The applied load: load labels, no orientation or node, a shorter dialog with the buttons
    // still below the edits.
    void LoadHidesBoltFields() {
        TBoltPropertiesForm bolt;
        TBoltPropertiesForm load;
        TBoltEditing::TProperties values;
        values.ForLoad = true;
        values.FX = QStringLiteral("2.5");
        load.SetValues(values);
        bolt.show();
        load.show();
        QCOMPARE(load.StiffnessLabels[0]->text(), QStringLiteral("X Load"));
        QCOMPARE(bolt.StiffnessLabels[0]->text(), QStringLiteral("X Stiffness"));
        QVERIFY(!load.BoltOrientation->isVisible() && !load.Node->isVisible() &&
                !load.NodeLabel->isVisible());
        QVERIFY(bolt.BoltOrientation->isVisible() && bolt.Node->isVisible());
        QVERIFY(load.height() < bolt.height());
        QVERIFY(load.OKButton->geometry().top() > load.FZ->geometry().bottom());
        QCOMPARE(load.Values().FX, QStringLiteral("2.5"));
    }

    // Tab from the node number reaches the orientation group at its checked item, the first
    // when none is checked.
    void TabReachesCheckedOrientation_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("focused");
        QTest::newRow("not defined") << 0 << 0;
        QTest::newRow("y axial") << 2 << 2;
        QTest::newRow("z axial") << 3 << 3;
        QTest::newRow("none checked") << 7 << 0;
    }
    void TabReachesCheckedOrientation() {
        QFETCH(int, orientation);
        QFETCH(int, focused);
        TBoltPropertiesForm form;
        TBoltEditing::TProperties values;
        values.Orientation = orientation;
        form.SetValues(values);
        form.show();
        QApplication::setActiveWindow(&form);
        form.Node->setFocus();
        QTest::keyClick(form.Node, Qt::Key_Tab);
        QCOMPARE(form.focusWidget(), form.OrientationItems->button(focused));
    }
};

QTEST_MAIN(TstTBoltPropertiesForm)
#include "tst_tboltpropertiesform.moc"
