#include "analysis/tboltgroupanalysis.h"
#include "foundation/tplatformerror.h"
#include "helper_capturebuffers.h"
#include "model/tboltgroupdocument.h"

#include <QTest>

namespace {

TBolt Bolt(double x, double y, double z) {
    TBolt b;
    b.X = x;
    b.Y = y;
    b.Z = z;
    return b;
}

const QList<TBolt> Square = {Bolt(0, -1, -1), Bolt(0, 1, -1), Bolt(0, 1, 1), Bolt(0, -1, 1)};

// A host that also notes whether the document was Busy whenever events ran.
class TBusyHost : public TReportHost {
public:
    const TLineBuffers* Buffers = nullptr;
    bool AlwaysBusy = true;
    void ProcessEvents() override {
        TReportHost::ProcessEvents();
        AlwaysBusy = AlwaysBusy && Buffers && Buffers->Busy;
    }
};

// A document analysed once with four bolts and a load FY = 100 at (10, 0, 0).
struct TAnalysed {
    TBusyHost Host;
    TCaptureBuffers Buffers{&Host};
    TBoltGroupDocument Document{Buffers};
    QList<TBoltUnitLoads> UnitLoads;
    QList<TBoltActualLoads> ActualLoads;
    QStringList Report;

    TAnalysed() {
        Host.Buffers = &Buffers;
        Document.Bolts = Square;
        Document.AppliedLoad.X = 10;
        Document.AppliedLoad.FY = 100;
        Document.RefreshAnalysis();
        UnitLoads = Document.UnitLoads;
        ActualLoads = Document.ActualLoads;
        Report = Buffers.Shown;
        Host.Information.clear();
        Host.EventPoints = 0;
    }
    // The previous results, report and text are all still there.
    void VerifyKept() const {
        QCOMPARE(Document.UnitLoads, UnitLoads);
        QCOMPARE(Document.ActualLoads, ActualLoads);
        QCOMPARE(Buffers.Shown, Report);
        QCOMPARE(Host.TextCleared, 1);
        QCOMPARE(Buffers.Calls, (QStringList{"ShowOutput", "FormatOutput"}));
    }
    void VerifyRestored() const {
        QCOMPARE(Host.CursorDepth, 0);
        QVERIFY(!Buffers.Busy);
        QVERIFY(!Buffers.LineBuffersExist());
    }
};

} // namespace

Q_DECLARE_METATYPE(TBolt)

class TstTBoltGroupAnalysis : public QObject {
    Q_OBJECT

private slots:
    void CompleteRun() {
        TAnalysed a;
        QVERIFY(a.Document.UnitLoadsCalculated);
        QVERIFY(a.Document.ActualLoadsCalculated);
        QCOMPARE(a.Document.UnitLoads.size(), 4);
        QCOMPARE(a.Document.ActualLoads.size(), 4);
        QCOMPARE(a.Document.ActualLoads[0].LoadX, 250.0);
        QCOMPARE(a.Document.ActualLoads[0].LoadY, 25.0);
        // The report went to the window once, whole, and was then styled.
        QCOMPARE(a.Buffers.Calls, (QStringList{"ShowOutput", "FormatOutput"}));
        QCOMPARE(a.Host.TextCleared, 1);
        QCOMPARE(a.Buffers.Shown.at(1), QStringLiteral("Analysis Results"));
        QVERIFY(a.Host.MaxCursorDepth >= 1);
        a.VerifyRestored();
        QVERIFY(a.Host.AlwaysBusy);
        // The model is read, never written.
        QCOMPARE(a.Document.Bolts, Square);
        QVERIFY(a.Document.DataSaved);
    }

    void StatusTexts() {
        TAnalysed a;
        a.Document.RefreshAnalysis();
        const QStringList tail{"Calculating Unit Loads", "Unit Loads Calculated",
                               "Calculating Actual Loads", "Analysis Complete"};
        QCOMPARE(a.Host.Information.mid(a.Host.Information.size() - 4), tail);
    }

    void Guard_data() {
        QTest::addColumn<int>("bolts");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("status");
        QTest::newRow("two bolts, a load") << 2 << true << "Not Enough Bolts";
        QTest::newRow("no bolts, a load") << 0 << true << "Not Enough Bolts";
        QTest::newRow("no bolts, no load") << 0 << false << "No Applied Load";
        QTest::newRow("five bolts, no load") << 5 << false << "No Applied Load";
    }
    void Guard() {
        QFETCH(int, bolts);
        QFETCH(bool, loaded);
        QFETCH(QString, status);
        TAnalysed a;
        a.Document.Bolts.clear();
        for (int i = 0; i < bolts; ++i)
            a.Document.Bolts.append(Bolt(i, i * i, 1));
        a.Document.AppliedLoad.FY = loaded ? 100 : 0;
        a.Document.RefreshAnalysis();
        QCOMPARE(a.Host.Information.last(), status);
        QVERIFY(!a.Document.UnitLoadsCalculated);
        QVERIFY(!a.Document.ActualLoadsCalculated);
        // The report of the earlier group gives way to the reason.
        QCOMPARE(a.Buffers.Shown, QStringList{QStringLiteral("No analysis: ") + status});
        QCOMPARE(a.Host.TextCleared, 2);
        a.VerifyRestored();
        QCOMPARE(QString::fromLatin1(TBoltGroupAnalysis::Refusal(a.Document)), status);
    }

    void ThreeBoltsAreAnalysed() {
        TAnalysed a;
        a.Document.Bolts.removeLast();
        a.Document.RefreshAnalysis();
        QVERIFY(a.Document.ActualLoadsCalculated);
        QCOMPARE(a.Document.UnitLoads.size(), 3);
        QCOMPARE(a.Document.ActualLoads.size(), 3);
        QCOMPARE(a.Host.TextCleared, 2);
    }

    // A floating-point error stops the run: both flags false, the previous results, report and
    // text kept, the label at "Calculating Unit Loads", cursor, Busy and buffers restored.
    void FloatingPointErrorKeepsTheState_data() {
        QTest::addColumn<QList<TBolt>>("bolts");
        QTest::addColumn<QString>("message");
        QTest::newRow("collinear along X")
            << QList<TBolt>{Bolt(0, 1, 1), Bolt(4, 1, 1), Bolt(9, 1, 1)}
            << QString(TPlatformError::DivisionByZero);
        QTest::newRow("all at the load point")
            << QList<TBolt>{Bolt(10, 0, 0), Bolt(10, 0, 0), Bolt(10, 0, 0)}
            << QString(TPlatformError::InvalidOperation);
    }
    void FloatingPointErrorKeepsTheState() {
        QFETCH(QList<TBolt>, bolts);
        QFETCH(QString, message);
        TAnalysed a;
        a.Document.Bolts = bolts;
        try {
            a.Document.RefreshAnalysis();
            QFAIL("no error");
        } catch (const TPlatformError& e) {
            QCOMPARE(e.Text(), message);
        }
        QVERIFY(!a.Document.UnitLoadsCalculated);
        QVERIFY(!a.Document.ActualLoadsCalculated);
        QCOMPARE(a.Host.Information.last(), QStringLiteral("Calculating Unit Loads"));
        a.VerifyKept();
        a.VerifyRestored();
    }

    // An actual load that overflows is an error too; the half-written report goes with its
    // buffers and the earlier actual loads stay.
    void OverflowingActualLoads() {
        TAnalysed a;
        a.Document.AppliedLoad.FY = 1e308;
        a.Document.CalculateUnitLoads();
        QVERIFY(a.Document.UnitLoadsCalculated);
        QVERIFY_THROWS_EXCEPTION(TPlatformError, a.Document.CalculateActualLoads());
        QVERIFY(!a.Document.ActualLoadsCalculated);
        QCOMPARE(a.Document.ActualLoads, a.ActualLoads);
        QCOMPARE(a.Buffers.Shown, a.Report);
        a.VerifyRestored();
    }

    void ActualLoadsNeedUnitLoads() {
        TAnalysed a;
        a.Document.UnitLoadsCalculated = false;
        a.Document.AppliedLoad.FY = 5;
        a.Document.CalculateActualLoads();
        QVERIFY(!a.Document.ActualLoadsCalculated);
        QVERIFY(a.Host.Information.isEmpty());
        a.VerifyKept();
        a.VerifyRestored();
    }

    // Lines left in the buffers by an interrupted operation do not enter the report.
    void LeftoverLinesAreDropped() {
        TAnalysed a;
        a.Buffers.CreateLineBuffers();
        a.Buffers.AddOutputLine(QStringLiteral("left over"));
        a.Buffers.AddTitleLine(QStringLiteral("left over title"));
        a.Document.RefreshAnalysis();
        QCOMPARE(a.Buffers.Shown, a.Report);
        QVERIFY(!a.Buffers.Titles.contains(QStringLiteral("left over title")));
    }

    // The unit loads depend on the load's point only; a new force rescales the actual loads.
    void ForcesScaleTheActualLoads() {
        TAnalysed a;
        a.Document.AppliedLoad.FY = 200;
        a.Document.RefreshAnalysis();
        QCOMPARE(a.Document.UnitLoads, a.UnitLoads);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(a.Document.ActualLoads[i].LoadX, 2 * a.ActualLoads[i].LoadX);
    }
};

QTEST_MAIN(TstTBoltGroupAnalysis)
#include "tst_tboltgroupanalysis.moc"
