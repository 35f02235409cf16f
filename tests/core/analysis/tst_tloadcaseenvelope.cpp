#include "analysis/tactualloadanalysis.h"
#include "analysis/tanalysisreport.h"
#include "analysis/tloadcaseenvelope.h"
#include "model/tboltgroupmodel.h"

#include <QTest>

namespace {

// The loads of a bolt that takes the whole of a load (x, y, z).
TBoltActualLoads Loads(double x, double y, double z) {
    return TActualLoadAnalysis::Calculate(TBoltUnitLoads{1, 0, 0, 0, 1, 0, 0, 0, 1},
                                          TAppliedLoad{0, 0, 0, x, y, z, 0, 0});
}

TLoadCase Case(const QString& title) {
    TLoadCase c;
    c.Title = title;
    return c;
}

} // namespace

class TstTLoadCaseEnvelope : public QObject {
    Q_OBJECT

private slots:
    // Ties go to the first case; a bolt without an axial direction has a resultant only, in the
    // table of the report and in the comma-separated file.
    void TiesAndUndefinedDirections() {
        TBoltGroupModel model;
        model.Bolts = {TBolt(), TBolt()};
        model.Bolts[1].Orientation = 3;
        const QList<TLoadCase> cases = {Case(QStringLiteral("Up")), Case(QStringLiteral("Down, hard")),
                                        Case(QStringLiteral("Up again"))};
        TLoadCaseEnvelope envelope(model.Bolts);
        envelope.Add(0, {Loads(0, 3, 4), Loads(0, 0, 5)});
        envelope.Add(1, {Loads(0, -4, 3), Loads(0, 0, -5)});
        envelope.Add(2, {Loads(3, 0, 4), Loads(0, 0, 5)});

        using TX = TLoadCaseEnvelope::TExtreme;
        const auto& e = envelope.Entries();
        QCOMPARE(e[0].Resultant, (TX{5, 0}));
        QVERIFY(!e[0].Tension.IsSet() && !e[0].Compression.IsSet() && !e[0].Shear.IsSet());
        QCOMPARE(e[1].Resultant, (TX{5, 0}));
        QCOMPARE(e[1].Tension, (TX{5, 0}));
        QCOMPARE(e[1].Compression, (TX{-5, 1}));
        QCOMPARE(e[1].Shear, (TX{0, 0}));

        QCOMPARE(envelope.CsvLine(0, cases), QByteArray("1,0,0,0,5,1,Up,,,,,,,,,\r\n"));
        QCOMPARE(envelope.CsvLine(1, cases),
                 QByteArray("2,0,0,0,5,1,Up,5,1,Up,-5,2,\"Down, hard\",0,1,Up\r\n"));

        TLineBuffers buffers;
        buffers.CreateLineBuffers();
        TAnalysisReport::WriteLoadCaseReport(model, cases, envelope, buffers);
        const QStringList lines = buffers.OutputLines();
        QCOMPARE(lines.at(5), QStringLiteral("   1           5.0000    1"));
        QCOMPARE(lines.at(6), QStringLiteral("   2           5.0000    1          5.0000    1"
                                             "         -5.0000    2          0.0000    1"));
        QCOMPARE(lines.mid(16, 2), (QStringList{"   2  Down, hard",
                                                "           0.000       0.000       0.000"
                                                "       0.000       0.000       0.000"}));
        QCOMPARE(buffers.TitleLines(), (QStringList{"Load Case Envelope", "Load Cases"}));
    }
};

QTEST_GUILESS_MAIN(TstTLoadCaseEnvelope)
#include "tst_tloadcaseenvelope.moc"
