#include "view/tboltpropertiesform.h"

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
};

QTEST_MAIN(TstTBoltPropertiesForm)
#include "tst_tboltpropertiesform.moc"
