#include "document/tlinebuffers.h"
#include "model/tboltgroupdocument.h"
#include "model/tnumberformat.h"
#include "trecordinghost.h"
#include "view/tboltediting.h"

#include <QTest>

namespace {

// Six bolts; bolt i lies at x = i, the second with orientation 2.
void SixBolts(TBoltGroupDocument& d) {
    for (int i = 0; i < 6; ++i) {
        TBolt b;
        b.X = i;
        b.Orientation = i == 1 ? 2 : 0;
        d.Bolts.append(b);
    }
}

} // namespace

class TstTBoltEditing : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { TNumberFormat::SetDecimalSeparator(QLatin1Char('.')); }

    // Anything that is not a plain number reads as 0; no orientation chosen keeps the old one.
    void TextsReadBack_data() {
        QTest::addColumn<QString>("stiffness");
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<double>("storedStiffness");
        QTest::addColumn<int>("storedNode");
        QTest::addColumn<int>("storedOrientation");
        QTest::newRow("numbers") << " 2.5E3 " << "17" << 3 << 2500.0 << 17 << 3;
        QTest::newRow("a letter") << "k" << "12a" << 0 << 0.0 << 0 << 0;
        QTest::newRow("inf, hex") << "inf" << "0x10" << -1 << 0.0 << 0 << 2;
        QTest::newRow("nan") << "nan" << "-4" << 1 << 0.0 << -4 << 1;
    }
    void TextsReadBack() {
        QFETCH(QString, stiffness);
        QFETCH(QString, node);
        QFETCH(int, orientation);
        QFETCH(double, storedStiffness);
        QFETCH(int, storedNode);
        QFETCH(int, storedOrientation);
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        SixBolts(d);
        TBoltEditing::TProperties values = TBoltEditing::PropertiesOf(d, 1);
        QCOMPARE(values.Caption, QStringLiteral("Bolt 2 Properties"));
        values.FX = stiffness;
        values.Node = node;
        values.Orientation = orientation;
        TBoltEditing::ApplyProperties(d, 1, values);
        QCOMPARE(d.Bolts[1].X, 1.0);
        QCOMPARE(d.Bolts[1].StiffnessX, storedStiffness);
        QCOMPARE(d.Bolts[1].NodeNumber, storedNode);
        QCOMPARE(int(d.Bolts[1].Orientation), storedOrientation);
        QCOMPARE(host.Information, QStringList{"Data File Modified"});
    }

    void DeleteTitleAndBolts_data() {
        QTest::addColumn<QList<qint32>>("selected");
        QTest::addColumn<qint32>("tag");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QList<double>>("left");
        QTest::newRow("no selection") << QList<qint32>{} << 4 << "Delete Bolt 5"
                                      << QList<double>{0, 1, 2, 3, 5};
        QTest::newRow("one selected") << QList<qint32>{2} << 0 << "Delete Bolt 3"
                                      << QList<double>{0, 1, 3, 4, 5};
        QTest::newRow("2 and 5 of six") << QList<qint32>{1, 4} << 1 << "Delete Bolts 2,5,"
                                        << QList<double>{0, 2, 3, 5};
    }
    void DeleteTitleAndBolts() {
        QFETCH(QList<qint32>, selected);
        QFETCH(qint32, tag);
        QFETCH(QString, title);
        QFETCH(QList<double>, left);
        TLineBuffers buffers;
        TBoltGroupDocument d(buffers);
        SixBolts(d);
        for (qint32 i : selected)
            d.SelectBolt(i);
        QCOMPARE(TBoltEditing::DeleteTitle(d, tag), title);
        TBoltEditing::DeleteBolts(d, tag);
        QList<double> xs;
        for (const TBolt& b : d.Bolts)
            xs.append(b.X);
        QCOMPARE(xs, left);
        QVERIFY(!d.HasBoltSelection());
        QVERIFY(!d.DataSaved);
    }
};

QTEST_GUILESS_MAIN(TstTBoltEditing)
#include "tst_tboltediting.moc"
