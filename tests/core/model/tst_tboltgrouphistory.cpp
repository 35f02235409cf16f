#include "model/tboltgroupdocument.h"
#include "trecordinghost.h"
#include "view/tboltediting.h"
#include "view/tbolttransforms.h"

#include <QTemporaryDir>
#include <QTest>
#include <random>

namespace {

struct TSnapshot {
    QList<TBolt> Bolts;
    TAppliedLoad AppliedLoad;
    QString AnalysisTitle, LoadCaseTitle;
    QList<qint32> Selection;
    TCopyMoveValues Values;

    static TSnapshot Of(const TBoltGroupModel& m, const TCopyMoveValues& v) {
        return {m.Bolts, m.AppliedLoad, m.AnalysisTitle, m.LoadCaseTitle, m.SelectedBolts, v};
    }
    bool operator==(const TSnapshot& o) const {
        return Bolts == o.Bolts && AppliedLoad == o.AppliedLoad &&
               AnalysisTitle == o.AnalysisTitle && LoadCaseTitle == o.LoadCaseTitle &&
               Selection == o.Selection && Values.CopyCount == o.Values.CopyCount &&
               Values.CopyOffset.X == o.Values.CopyOffset.X;
    }
};

void SelectRandom(TBoltGroupModel& m, std::mt19937& rng) {
    m.ClearBoltSelection();
    for (qint32 i = 0; i < m.BoltCount(); ++i)
        if (rng() % 3 == 0)
            m.SelectBolt(i);
}

} // namespace

class TstTBoltGroupHistory : public QObject {
    Q_OBJECT

private slots:
    void UndoAllAndRedoAll_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {1u, 2u, 3u, 17u, 99u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    // Random changes of every kind: undoing all gives the start back, redoing all the end.
    void UndoAllAndRedoAll() {
        QFETCH(unsigned, seed);
        std::mt19937 rng(seed);
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        TCopyMoveValues values;
        d.History.TrackCopyMoveValues(&values);
        for (int i = 0; i < 12; ++i)
            d.Bolts.append(TBolt{double(i), double(i % 4), 0, 1, 1, 1, 0, qint8(i % 4)});
        SelectRandom(d, rng);
        const TSnapshot start = TSnapshot::Of(d, values);
        const int steps = 30;
        for (int s = 0; s < steps; ++s) {
            // Picking bolts between changes is no step, but undo gives each step's selection back.
            if (s > 0)
                SelectRandom(d, rng);
            d.History.Begin();
            const qint32 tag = d.BoltCount() ? qint32(rng() % d.BoltCount()) : 0;
            switch (rng() % 7) {
            case 0: { // properties of a bolt or of the load
                const qint32 which = d.BoltCount() ? tag + qint32(rng() % 2) : 0;
                TBoltEditing::TProperties p = TBoltEditing::PropertiesOf(d, which);
                p.X = QString::number(int(rng() % 50));
                p.FY = QString::number(int(rng() % 3));
                TBoltEditing::ApplyProperties(d, which, p);
                break;
            }
            case 1:
                TBoltEditing::AddBolt(d, TBoltEditing::AddBoltProposal(d));
                break;
            case 2:
                if (d.BoltCount() > 1)
                    TBoltEditing::DeleteBolts(d, tag);
                break;
            case 3:
            case 4: {
                if (!d.BoltCount() || d.BoltCount() > 200)
                    break;
                values.CopyCount = 1 + qint32(rng() % 3);
                values.CopyOffset = TVector3{double(rng() % 9), 1, 0};
                const auto page = TCopyMovePage(rng() % 4);
                if (rng() % 2 && d.HasBoltSelection())
                    TBoltTransforms::MoveBolts(d, page, values);
                else
                    TBoltTransforms::CopyBolts(d, page, tag, values);
                break;
            }
            case 5:
                d.AnalysisTitle = QStringLiteral("Title %1").arg(s);
                d.LoadCaseTitle = QStringLiteral("Case %1").arg(rng() % 5);
                break;
            case 6:
                if (d.BoltCount())
                    d.Bolts[tag].NodeNumber = qint32(rng() % 100);
                break;
            }
            QVERIFY(d.History.Commit(QStringLiteral("Step")));
        }
        const TSnapshot end = TSnapshot::Of(d, values);
        while (d.History.CanUndo())
            d.History.Undo();
        QVERIFY(TSnapshot::Of(d, values) == start);
        while (d.History.CanRedo())
            d.History.Redo();
        QVERIFY(TSnapshot::Of(d, values) == end);
    }

    // The state last saved is unmodified again however it is reached; a read forgets the steps.
    void SavedState() {
        QTemporaryDir dir;
        TRecordingHost host;
        TLineBuffers buffers(&host);
        TBoltGroupDocument d(buffers);
        auto change = [&](double x) {
            d.History.Begin();
            d.Bolts.append(TBolt{x, 0, 0, 1, 1, 1, 0, 0});
            d.MarkChanged();
            d.History.Commit(QStringLiteral("Add Bolt"));
        };
        change(1);
        change(2);
        QVERIFY(d.SaveDataFile(dir.filePath(QStringLiteral("g.dat"))));
        QVERIFY(d.DataSaved);
        change(3);
        QVERIFY(!d.DataSaved);
        d.History.Undo();
        QVERIFY(d.DataSaved);
        d.History.Undo();
        QVERIFY(!d.DataSaved);
        d.History.Redo();
        QVERIFY(d.DataSaved);
        QCOMPARE(d.History.Count(), 3); // saving keeps the steps
        d.History.Undo();
        change(4); // the saved state can no longer be reached
        d.History.Undo();
        d.History.Redo();
        QVERIFY(!d.DataSaved);
        QCOMPARE(d.History.UndoText(), QStringLiteral("Add Bolt"));
        d.LoadDataFile(dir.filePath(QStringLiteral("g.dat")));
        QVERIFY(!d.History.CanUndo());
        QVERIFY(!d.History.CanRedo());
    }
};

QTEST_GUILESS_MAIN(TstTBoltGroupHistory)
#include "tst_tboltgrouphistory.moc"
