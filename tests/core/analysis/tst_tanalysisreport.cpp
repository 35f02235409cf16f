#include "analysis/tanalysisreport.h"
#include "analysis/tunitloadanalysis.h"
#include "helper_capturebuffers.h"
#include "model/tboltgroupdocument.h"
#include "model/tnumberformat.h"

#include <QFile>
#include <QTest>
#include <algorithm>

namespace {

TBolt Bolt(double x, double y, double z, int orientation = 0) {
    TBolt b;
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.Orientation = qint8(orientation);
    return b;
}

QStringList ReadLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read ") + path};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A document over capturing buffers, analysed through the document's own steps.
struct TReport {
    TReportHost Host;
    TCaptureBuffers Buffers{&Host};
    TBoltGroupDocument Document{Buffers};

    TReport(const QList<TBolt>& bolts, const TAppliedLoad& load) {
        Document.Bolts = bolts;
        Document.AppliedLoad = load;
        Document.UpdateLoadApplied();
        Document.CalculateUnitLoads();
        Document.CalculateActualLoads();
    }
    // The report rows of a section: the lines after its heading and blank line, up to the
    // next blank line.
    QStringList Rows(const QString& title, const QString& heading) const {
        qsizetype i = Buffers.Shown.indexOf(title);
        if (i < 0)
            return {};
        i = Buffers.Shown.indexOf(heading, i);
        QStringList rows;
        for (i += 2; i < Buffers.Shown.size() && !Buffers.Shown.at(i).isEmpty(); ++i)
            rows.append(Buffers.Shown.at(i));
        return rows;
    }
};

TAppliedLoad Load(double x, double y, double z) {
    TAppliedLoad l;
    l.X = x;
    l.Y = y;
    l.Z = z;
    l.FX = 10;
    l.FY = -20;
    l.FZ = 30;
    return l;
}

const QList<TBolt> Square = {Bolt(0, -1, -1), Bolt(0, 1, -1), Bolt(0, 1, 1), Bolt(0, -1, 1)};

const QString Undefined = QStringLiteral("Resolved Loads for Attachments with Undefined Orientations");
const QString Defined = QStringLiteral("Resolved Loads for Attachments with Defined Orientations");
const QString Definition = QStringLiteral("Definition of Bolt Axial Direction and Shear Plane");

} // namespace

class TstTAnalysisReport : public QObject {
    Q_OBJECT

private slots:
    void Golden_data() {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("golden");
        QTest::newRow("3-D bracket, all oriented")
            << FASTENEX_EXAMPLES "/bracket-3d.dat" << FASTENEX_TEST_DATA "/bracket-3d-report.txt";
        QTest::newRow("balanced, mixed orientations")
            << FASTENEX_TEST_DATA "/balancing-mixed.dat"
            << FASTENEX_TEST_DATA "/balancing-mixed-report.txt";
    }
    void Golden() {
        QFETCH(QString, data);
        QFETCH(QString, golden);
        TReportHost host;
        TCaptureBuffers buffers(&host);
        TBoltGroupDocument document(buffers);
        document.ResetModel();
        QVERIFY(document.LoadDataFile(data));
        QVERIFY(document.ActualLoadsCalculated);
        const QStringList expected = ReadLines(golden);
        QCOMPARE(buffers.Shown.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(buffers.Shown.at(i), expected.at(i));
    }

    void Sections_data() {
        QTest::addColumn<QList<int>>("orientations");
        QTest::addColumn<QStringList>("undefinedRows");
        QTest::addColumn<QStringList>("definedRows");
        QTest::newRow("none oriented") << QList<int>{0, 0, 0, 0} << QStringList{"   1 ", "   2 ", "   3 ", "   4 "}
                                       << QStringList{};
        QTest::newRow("all oriented") << QList<int>{1, 2, 3, 3} << QStringList{}
                                      << QStringList{"   1 ", "   2 ", "   3 ", "   4 "};
        QTest::newRow("mixed, code 7 undefined") << QList<int>{0, 3, 7, 1}
                                                 << QStringList{"   1 ", "   3 "}
                                                 << QStringList{"   2 ", "   4 "};
    }
    void Sections() {
        QFETCH(QList<int>, orientations);
        QFETCH(QStringList, undefinedRows);
        QFETCH(QStringList, definedRows);
        QList<TBolt> bolts = Square;
        for (int i = 0; i < 4; ++i)
            bolts[i].Orientation = qint8(orientations[i]);
        TReport r(bolts, Load(10, 0, 0));
        const QStringList& shown = r.Buffers.Shown;
        QCOMPARE(shown.contains(Definition), !definedRows.isEmpty());
        QCOMPARE(shown.contains(Undefined), !undefinedRows.isEmpty());
        QCOMPARE(shown.contains(Defined), !definedRows.isEmpty());
        auto numbers = [](const QStringList& rows) {
            QStringList n;
            for (const QString& row : rows)
                n.append(row.left(5));
            return n;
        };
        QCOMPARE(numbers(r.Rows(Undefined, QStringLiteral("Attachment   XYZ Resultant        In XY "
                                                          "Plane         In XZ Plane         In YZ Plane"))),
                 undefinedRows);
        QCOMPARE(numbers(r.Rows(Defined, QStringLiteral("Attachment    Axial Load          Shear Load"))),
                 definedRows);
        if (!definedRows.isEmpty()) {
            const QStringList definition =
                r.Rows(Definition, QStringLiteral("Attachment      Axial Direction   Shear Plane"));
            QCOMPARE(definition.size(), 4);
            const QString texts[4] = {"  Not Defined     Not Defined", "  X Axis          YZ Plane",
                                      "  Y Axis          XZ Plane", "  Z Axis          XY Plane"};
            for (int i = 0; i < 4; ++i) {
                const int code = orientations[i] >= 1 && orientations[i] <= 3 ? orientations[i] : 0;
                QCOMPARE(definition[i], QStringLiteral("   %1            ").arg(i + 1) + texts[code]);
            }
        }
    }

    // A Z-axial bolt shows LoadZ, with its sign, as axial load and the XY resultant as shear.
    void AxialLoadKeepsItsSign() {
        QList<TBolt> bolts = Square;
        for (TBolt& b : bolts)
            b.Orientation = 3;
        TAppliedLoad load = Load(0, 0, 0);
        load.FZ = -400;
        TReport r(bolts, load);
        const QStringList rows =
            r.Rows(Defined, QStringLiteral("Attachment    Axial Load          Shear Load"));
        QCOMPARE(rows.size(), 4);
        const TBoltActualLoads& a = r.Document.ActualLoads[0];
        QCOMPARE(a.LoadZ, -100.0);
        QCOMPARE(rows[0], QStringLiteral("   1 ") + TNumberFormat::FormatFixed(-100, 18, 4) + "  " +
                              TNumberFormat::FormatFixed(a.ResultantXY, 18, 4));
    }

    void BalanceLines_data() {
        QTest::addColumn<int>("iterations");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("lines");
        const QString completed = QStringLiteral(
            "Moment Balance did not converge in 200 iterations; the loads were completed by a "
            "direct solution of the balance.");
        QTest::newRow("1") << 1 << int(TBalanceOutcome::NotNeeded) << QStringList{};
        QTest::newRow("99") << 99 << int(TBalanceOutcome::Converged) << QStringList{};
        QTest::newRow("100") << 100 << int(TBalanceOutcome::Converged)
                             << QStringList{"Moment Balance Convergence was slow, there were 100 "
                                            "balance iterations."};
        QTest::newRow("completed directly")
            << 200 << int(TBalanceOutcome::DirectSolution)
            << QStringList{"Moment Balance Convergence was slow, there were 200 balance iterations.",
                           completed};
        QTest::newRow("not solvable")
            << 200 << int(TBalanceOutcome::NotConverged)
            << QStringList{"Moment Balance Convergence was slow, there were 200 balance iterations.",
                           "Moment Balance did not converge in 200 iterations."};
    }
    void BalanceLines() {
        QFETCH(int, iterations);
        QFETCH(int, outcome);
        QFETCH(QStringList, lines);
        TBoltGroupModel model;
        model.Bolts = Square;
        TUnitLoadWorkings w;
        model.UnitLoads = TUnitLoadAnalysis::Calculate(model.Bolts, Load(1, 2, 3), w,
                                                       TDocumentHost::Null());
        w.BalanceIterations = iterations;
        w.BalanceOutcome = TBalanceOutcome(outcome);
        TLineBuffers buffers;
        TAnalysisReport::WriteUnitLoadReport(model, w, buffers);
        const QStringList& out = buffers.OutputLines();
        const qsizetype title = out.indexOf(QStringLiteral("Residual Rotational Moments"));
        QVERIFY(title > 0);
        QCOMPARE(out.mid(title + 1, lines.size()), lines);
        QCOMPARE(out.at(title + 1 + lines.size()),
                 QStringLiteral("               Residual Moment due to load in each Direction"));
        QCOMPARE(buffers.SubtitleLines(), QStringList{"Positive Directions are:-"} + lines);
    }

    void RegistrationOrder() {
        QList<TBolt> bolts = Square;
        bolts[1].Orientation = 2;
        TReport r(bolts, Load(0, 0, 0));
        r.Document.AnalysisTitle = QStringLiteral("Model A");
        r.Document.LoadCaseTitle = QStringLiteral("Case B");
        r.Document.CalculateUnitLoads();
        r.Document.CalculateActualLoads();
        const QString at = QStringLiteral(" at X     0.000, Y     0.000, Z     0.000");
        const QStringList titles{
            "Analysis Results",
            "Model A",
            "Position of Applied Load",
            "Loads Due to Unit Applied Load in each Direction" + at,
            "Residual Rotational Moments",
            "Attachment Positions (X, Y & Z) and Stiffnesses in each Axis (fx, fy & fz)",
            Definition,
            "Calculation of Attachment CG's in each plane",
            "Calculation of Distances from Attachment CG's in each plane",
            "Calculation of Components of r^2 for each plane",
            "Case B",
            "Actual Applied Load" + at,
            "Actual Attachment Loads",
            Undefined,
            Defined};
        QCOMPARE(r.Buffers.Titles, titles);
        QCOMPARE(r.Buffers.Subtitles, (QStringList{"Positive Directions are:-", "Load Case"}));
        // Every registered line but the two title texts is a whole report line.
        for (const QString& t : titles) {
            if (t != QLatin1String("Model A") && t != QLatin1String("Case B"))
                QVERIFY2(r.Buffers.Shown.contains(t), qPrintable(t));
        }
        QVERIFY(r.Buffers.Shown.contains(QStringLiteral("Analysis Title = Model A")));
        QVERIFY(r.Buffers.Shown.contains(QStringLiteral("Load Case = Case B")));
    }

    void LoadAtTheOrigin() {
        TReport r(Square, Load(0, 0, 0));
        const QStringList& s = r.Buffers.Shown;
        QVERIFY(s.contains(QStringLiteral(
            "Loads Due to Unit Applied Load in each Direction at X     0.000, Y     0.000, Z     0.000")));
        for (const char* axis : {"X", "Y", "Z"})
            QVERIFY(s.contains(QStringLiteral("\t%1 =        0.000").arg(QLatin1String(axis))));
        // No balancing: the residual lines show zeros throughout.
        QVERIFY(s.contains(QStringLiteral("X Axis           0.0000              0.0000              0.0000")));
        QVERIFY(s.contains(QStringLiteral("Z Axis           0.0000              0.0000              0.0000")));
        QVERIFY(s.contains(QStringLiteral("   1x            0.2500              0.0000              0.0000")));
        QVERIFY(s.contains(QStringLiteral("    z            0.0000              0.0000              0.2500")));
        QVERIFY(s.contains(QStringLiteral("\tFY =      -20.000")));
    }

    void BlankLinesAreEmpty() {
        TReport r(Square, Load(1, 0, 0));
        QVERIFY(!r.Buffers.Shown.contains(QStringLiteral(" ")));
        QCOMPARE(r.Buffers.Shown.first(), QString());
        QCOMPARE(r.Buffers.Shown.last(), QString());
    }

    void EmptyAnalysisTitle() {
        TReport r(Square, Load(1, 0, 0));
        r.Document.AnalysisTitle.clear();
        r.Document.CalculateUnitLoads();
        r.Document.CalculateActualLoads();
        QVERIFY(r.Buffers.Shown.contains(QStringLiteral("Analysis Title = ")));
        QCOMPARE(r.Buffers.Titles.at(1), QString());
    }

    // Numbers wider than their fields widen the row instead of being cut.
    void WideFields() {
        QList<TBolt> bolts;
        for (int i = 0; i < 10001; ++i)
            bolts.append(Bolt(i % 100, i / 100, (i * 37) % 11));
        bolts[10000].X = 1e11;
        TReport r(bolts, Load(1, 2, 3));
        const QStringList& s = r.Buffers.Shown;
        const qsizetype positions = s.indexOf(QStringLiteral(
            "Attachment       X           Y           Z           fx          fy          fz"));
        QVERIFY(positions > 0);
        QCOMPARE(s.at(positions + 2).left(10), QStringLiteral("   1      "));
        QCOMPARE(s.at(positions + 2 + 9999).left(11), QStringLiteral("10000      "));
        QCOMPARE(s.at(positions + 2 + 9999).size(), 5 + 6 + 6 * 12);
        QCOMPARE(s.at(positions + 2 + 10000).left(23), QStringLiteral("10001              1E11"));
        QVERIFY(std::any_of(s.begin(), s.end(),
                            [](const QString& l) { return l.startsWith(QLatin1String("10000x ")); }));
    }

    // A holder that never shows the report gets the same steps and the loads, without lines.
    void ReportWithoutItsLines() {
        TReportHost host;
        TCaptureBuffers buffers(&host);
        buffers.ReportLinesWanted = false;
        TBoltGroupDocument document(buffers);
        document.ResetModel();
        QVERIFY(document.LoadDataFile(QStringLiteral(FASTENEX_EXAMPLES "/bracket-3d.dat")));
        QVERIFY(document.ActualLoadsCalculated);
        QCOMPARE(document.ActualLoads.size(), document.Bolts.size());
        QCOMPARE(buffers.Calls, (QStringList{QStringLiteral("ShowOutput"), QStringLiteral("FormatOutput")}));
        QVERIFY(buffers.Shown.isEmpty() && buffers.Titles.isEmpty());
        QCOMPARE(host.TextCleared, 1);
        QVERIFY(!buffers.LineBuffersExist());
    }

    // The loops over the bolts let events run every 100 bolts: while the unit loads are summed
    // and in the unit-load, position, orientation, distance and r^2 rows.
    void EventPoints_data() {
        QTest::addColumn<bool>("oriented");
        QTest::addColumn<int>("points");
        QTest::newRow("no orientations") << false << 3 * 5;
        QTest::newRow("with orientations") << true << 3 * 6;
    }
    void EventPoints() {
        QFETCH(bool, oriented);
        QFETCH(int, points);
        QList<TBolt> bolts;
        for (int i = 0; i < 250; ++i)
            bolts.append(Bolt(i % 10, i / 10, (i * 7) % 13, oriented && i == 5 ? 1 : 0));
        TReport r(bolts, Load(1, 2, 3));
        QCOMPARE(r.Host.EventPoints, points);
    }
};

QTEST_MAIN(TstTAnalysisReport)
#include "tst_tanalysisreport.moc"
