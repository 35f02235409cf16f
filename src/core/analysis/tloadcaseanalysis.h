#pragma once

#include "foundation/tdocumenthost.h"
#include "model/tbolt.h"
#include "tboltactualloads.h"
#include "tboltunitloads.h"
#include "tloadcase.h"

#include <QList>
#include <functional>
#include <optional>
#include <vector>

// The loads of many load cases on one bolt group, each case analysed as the group's own applied
// load is: the unit loads at the case's point, then the loads of its forces. Cases that act at
// the same point share one unit-load analysis.
class TLoadCaseAnalysis {
public:
    // Unit loads of every point are kept from one pass to the next while all of them together
    // take at most this much memory; otherwise those of a point are dropped after its last case
    // and worked out again in the next pass.
    static constexpr qint64 KeptUnitLoadBytes = qint64(256) << 20;

    // The cases must all have their points (TLoadCases::SetDefaultPosition), and the group more
    // than 2 bolts.
    TLoadCaseAnalysis(const QList<TBolt>& bolts, const QList<TLoadCase>& cases,
                      TDocumentHost& host = TDocumentHost::Null());

    using TVisitor = std::function<void(qsizetype caseIndex, const QList<TBoltUnitLoads>& unitLoads,
                                        const QList<TBoltActualLoads>& loads)>;
    // Calls visit for every case in table order with the unit loads at its point and its loads,
    // one per bolt in bolt order. A zero divisor or an overflow throws TPlatformError as the
    // analysis of the group's own load does.
    void ForEachCase(const TVisitor& visit);

    // The number of distinct points, and of unit-load analyses run so far.
    qsizetype PointCount() const { return qsizetype(UnitLoads.size()); }
    int UnitLoadRuns() const { return Runs; }

private:
    const QList<TBolt> Bolts;
    const QList<TLoadCase> Cases;
    TDocumentHost& Host;
    // Per case the index of its point; per point the index of its last case and its unit loads
    // while they are kept.
    std::vector<qsizetype> PointOf;
    std::vector<qsizetype> LastCaseOf;
    std::vector<std::optional<QList<TBoltUnitLoads>>> UnitLoads;
    bool KeepAll = false;
    int Runs = 0;
};
