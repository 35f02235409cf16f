#include "tboltgroupanalysis.h"

#include "document/tbusyflagguard.h"
#include "foundation/tbusycursorguard.h"
#include "model/tboltgroupmodel.h"
#include "tactualloadanalysis.h"
#include "tanalysisreport.h"
#include "tunitloadanalysis.h"

namespace {

} // namespace

const char* TBoltGroupAnalysis::Refusal(const TBoltGroupModel& model) {
    if (!model.LoadApplied)
        return "No Applied Load";
    if (model.BoltCount() <= 2)
        return "Not Enough Bolts";
    return "";
}

void TBoltGroupAnalysis::CalculateUnitLoads(TBoltGroupModel& model, TLineBuffers& buffers) {
    TDocumentHost& host = buffers.Host();
    TBusyCursorGuard cursor(host);
    TBusyFlagGuard busy(buffers);
    model.UnitLoadsCalculated = false;
    // The actual loads are derived from the unit loads being replaced: a run that stops on an
    // error must not leave them marked as current, or the NISA export would write the loads of
    // the previous model.
    model.ActualLoadsCalculated = false;
    const QString refusal = QString::fromLatin1(Refusal(model));
    if (!refusal.isEmpty()) {
        // The report of an earlier group must not stay beside this one: it gives way to one line
        // that says why there is no analysis.
        buffers.CreateLineBuffers();
        buffers.ClearLineBuffers();
        host.ClearText();
        if (buffers.ReportLinesWanted) {
            buffers.AddOutputLine(QStringLiteral("No analysis: ") + refusal);
            buffers.ShowOutput();
        }
        buffers.FreeLineBuffers();
        host.ShowInformation(refusal);
        return;
    }
    host.ShowInformation(QStringLiteral("Calculating Unit Loads"));
    // The results replace the previous ones only once the whole calculation has succeeded.
    TUnitLoadWorkings workings;
    QList<TBoltUnitLoads> unitLoads =
        TUnitLoadAnalysis::Calculate(model.Bolts, model.AppliedLoad, workings, host);
    model.UnitLoads = std::move(unitLoads);
    TAnalysisReport::WriteUnitLoadReport(model, workings, buffers);
    host.ShowInformation(QStringLiteral("Unit Loads Calculated"));
    model.UnitLoadsCalculated = true;
}

void TBoltGroupAnalysis::CalculateActualLoads(TBoltGroupModel& model, TLineBuffers& buffers) {
    TDocumentHost& host = buffers.Host();
    TBusyCursorGuard cursor(host);
    TBusyFlagGuard busy(buffers);
    model.ActualLoadsCalculated = false;
    if (!model.UnitLoadsCalculated || model.UnitLoads.size() != model.Bolts.size())
        return;
    host.ShowInformation(QStringLiteral("Calculating Actual Loads"));
    try {
        QList<TBoltActualLoads> loads =
            TActualLoadAnalysis::Calculate(model.UnitLoads, model.AppliedLoad);
        model.ActualLoads = std::move(loads);
        TAnalysisReport::WriteActualLoadReport(model, buffers);
    } catch (...) {
        // The half-written report is dropped with its buffers.
        buffers.FreeLineBuffers();
        throw;
    }
    model.ActualLoadsCalculated = true;
    host.ShowInformation(QStringLiteral("Analysis Complete"));
}
