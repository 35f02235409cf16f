#include "tboltgroupanalysis.h"

#include "document/tbusyflagguard.h"
#include "foundation/tbusycursorguard.h"
#include "model/tboltgroupdocument.h"
#include "tactualloadanalysis.h"
#include "tanalysisreport.h"
#include "tunitloadanalysis.h"

namespace {

} // namespace

const char* TBoltGroupAnalysis::Refusal(const TBoltGroupDocument& document) {
    if (!document.LoadApplied)
        return "No Applied Load";
    if (document.BoltCount() <= 2)
        return "Not Enough Bolts";
    return "";
}

void TBoltGroupAnalysis::CalculateUnitLoads(TBoltGroupDocument& document) {
    TDocumentHost& host = document.Host();
    TBusyCursorGuard cursor(host);
    TBusyFlagGuard busy(document.Buffers);
    document.UnitLoadsCalculated = false;
    // The actual loads are derived from the unit loads being replaced: a run that stops on an
    // error must not leave them marked as current, or the NISA export would write the loads of
    // the previous model.
    document.ActualLoadsCalculated = false;
    const QString refusal = QString::fromLatin1(Refusal(document));
    if (!refusal.isEmpty()) {
        host.ShowInformation(refusal);
        return;
    }
    host.ShowInformation(QStringLiteral("Calculating Unit Loads"));
    // The results replace the previous ones only once the whole calculation has succeeded.
    TUnitLoadWorkings workings;
    QList<TBoltUnitLoads> unitLoads =
        TUnitLoadAnalysis::Calculate(document.Bolts, document.AppliedLoad, workings, host);
    document.UnitLoads = std::move(unitLoads);
    TAnalysisReport::WriteUnitLoadReport(document, workings, document.Buffers);
    host.ShowInformation(QStringLiteral("Unit Loads Calculated"));
    document.UnitLoadsCalculated = true;
}

void TBoltGroupAnalysis::CalculateActualLoads(TBoltGroupDocument& document) {
    TDocumentHost& host = document.Host();
    TBusyCursorGuard cursor(host);
    TBusyFlagGuard busy(document.Buffers);
    document.ActualLoadsCalculated = false;
    if (!document.UnitLoadsCalculated || document.UnitLoads.size() != document.Bolts.size())
        return;
    host.ShowInformation(QStringLiteral("Calculating Actual Loads"));
    try {
        QList<TBoltActualLoads> loads =
            TActualLoadAnalysis::Calculate(document.UnitLoads, document.AppliedLoad);
        document.ActualLoads = std::move(loads);
        TAnalysisReport::WriteActualLoadReport(document, document.Buffers);
    } catch (...) {
        // The half-written report is dropped with its buffers.
        document.Buffers.FreeLineBuffers();
        throw;
    }
    document.ActualLoadsCalculated = true;
    host.ShowInformation(QStringLiteral("Analysis Complete"));
}
