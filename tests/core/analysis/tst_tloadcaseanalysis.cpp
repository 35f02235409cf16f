#include "analysis/tloadcaseanalysis.h"
#include "analysis/tloadcaseenvelope.h"
#include "document/tlinebuffers.h"
#include "model/tboltgroupdocument.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A bracket whose balance needs steps, with bolts of every axial direction and without one.
// Position, stiffnesses, node number and orientation code of each bolt.
const QList<TBolt> Group = {{0, -60, 40, 1, 1, 1, 0, 1},   {0, 60, 40, 2, 1, 1, 0, 1},
                            {0, -60, 160, 1, 1.5, 1, 0, 0}, {0, 60, 160, 1, 1, 1, 0, 2},
                            {80, -60, 0, 1, 1, 3, 0, 3},    {80, 60, 5, 1, 1, 1, 0, 3}};

TLoadCase Case(const char* title, double fx, double fy, double fz, double x, double y, double z) {
    TLoadCase c;
    c.Title = QString::fromLatin1(title);
    c.Load = {x, y, z, fx, fy, fz, 0, 0};
    c.HasPosition = true;
    return c;
}

// Cases at three points, two of them shared, with ties in the loads of cases 1 and 5.
const QList<TLoadCase> Cases = {
    Case("Outboard", 2500, 1500, -5000, 150, 0, 120), Case("Inboard", -2500, 1500, -5000, 150, 0, 120),
    Case("Hoist", 1000, 0, 2000, 150, 0, 200),        Case("Side", 0, 3000, 0, 150, 0, 120),
    Case("Outboard again", 2500, 1500, -5000, 150, 0, 120), Case("Pull", 1800, -600, 0, 150, 55, 120),
    Case("Hoist down", -1000, 0, -2000.5, 150, 0, 200)};

// The results of a separate analysis of a data file whose applied load is the case.
struct TSeparateRun {
    QList<TBoltUnitLoads> UnitLoads;
    QList<TBoltActualLoads> Loads;
};

TSeparateRun AnalyseDataFile(const TLoadCase& c, const QString& fileName) {
    TLineBuffers writeBuffers;
    TBoltGroupDocument written(writeBuffers);
    written.Bolts = Group;
    written.AppliedLoad = c.Load;
    written.LoadCaseTitle = c.Title;
    if (!written.SaveDataFile(fileName))
        return {};
    TLineBuffers buffers;
    TBoltGroupDocument read(buffers);
    read.ResetModel();
    if (!read.LoadDataFile(fileName) || !read.ActualLoadsCalculated)
        return {};
    return {read.UnitLoads, read.ActualLoads};
}

} // namespace

class TstTLoadCaseAnalysis : public QObject {
    Q_OBJECT

private slots:
    // Every case's unit loads and loads are those of a separate run on a data file holding
    // the case as its load, and the envelope is that of a direct scan of those runs.
    void SameAsSeparateRuns() {
        QTemporaryDir dir;
        QList<TSeparateRun> runs;
        for (qsizetype c = 0; c < Cases.size(); ++c) {
            runs.append(AnalyseDataFile(Cases.at(c), dir.filePath(QStringLiteral("%1.dat").arg(c))));
            QCOMPARE(runs.last().Loads.size(), Group.size());
        }

        TLoadCaseAnalysis analysis(Group, Cases);
        TLoadCaseEnvelope envelope(Group);
        qsizetype visited = 0;
        analysis.ForEachCase([&](qsizetype c, const QList<TBoltUnitLoads>& unitLoads,
                                 const QList<TBoltActualLoads>& loads) {
            QCOMPARE(c, visited++);
            QCOMPARE(unitLoads, runs.at(c).UnitLoads);
            QCOMPARE(loads, runs.at(c).Loads);
            envelope.Add(c, loads);
        });
        QCOMPARE(visited, Cases.size());
        // One unit-load analysis per point, kept for the next pass.
        QCOMPARE(analysis.PointCount(), 3);
        QCOMPARE(analysis.UnitLoadRuns(), 3);
        analysis.ForEachCase([](qsizetype, const auto&, const auto&) {});
        QCOMPARE(analysis.UnitLoadRuns(), 3);

        for (qsizetype i = 0; i < Group.size(); ++i) {
            const TBoltOrientation o = Group.at(i).ResolvedOrientation();
            TLoadCaseEnvelope::TBoltEnvelope expected;
            for (qsizetype c = 0; c < runs.size(); ++c) {
                const TBoltActualLoads& a = runs.at(c).Loads.at(i);
                const auto take = [c](TLoadCaseEnvelope::TExtreme& e, double v, bool better) {
                    if (e.Case < 0 || better)
                        e = {v, c};
                };
                take(expected.Resultant, a.ResultantXYZ, a.ResultantXYZ > expected.Resultant.Value);
                if (o == TBoltOrientation::NotDefined)
                    continue;
                take(expected.Tension, a.AxialLoad(o), a.AxialLoad(o) > expected.Tension.Value);
                take(expected.Compression, a.AxialLoad(o), a.AxialLoad(o) < expected.Compression.Value);
                take(expected.Shear, a.ShearLoad(o), a.ShearLoad(o) > expected.Shear.Value);
            }
            QCOMPARE(envelope.Entries().at(size_t(i)), expected);
        }
        // The repeated case ties with the first and loses to it.
        QVERIFY(envelope.Entries().at(0).Resultant.Case != 4);
    }
};

QTEST_GUILESS_MAIN(TstTLoadCaseAnalysis)
#include "tst_tloadcaseanalysis.moc"
