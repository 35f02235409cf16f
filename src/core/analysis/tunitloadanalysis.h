#pragma once

#include "foundation/tdocumenthost.h"
#include "model/tbolt.h"
#include "tboltunitloads.h"
#include "tunitloadworkings.h"

#include <QList>

// The unit-load analysis of a bolt group: how a load of 1 at the applied load's point, once in
// +X, once in +Y and once in +Z, is shared among the bolts. Each bolt takes a direct part in
// proportion to its stiffness in the load's direction and parts that resist the moments of the
// load about the stiffness-weighted centroids of the three co-ordinate planes; an iterative
// moment balance then removes the moments that the first distribution leaves unbalanced.
class TUnitLoadAnalysis {
public:
    // The moment-balance tolerance: a residual moment of at most this size counts as balanced.
    static constexpr double ConvergenceTolerance = 1e-05;
    // Most steps of the stepwise balance. When they pass without convergence the balance is
    // completed by solving it directly.
    static constexpr int MaxBalanceSteps = 200;
    // The unit load.
    static constexpr double UnitLoad = 1.0;

    // The unit loads of the bolts, one per bolt in bolt order, with the intermediate results in
    // `workings`. Only the point of the load (X, Y, Z) is used. A zero divisor (a stiffness column
    // that sums to zero, or bolts on one line parallel to an axis) throws TPlatformError with
    // "Floating point division by zero", or "Invalid floating point operation" for 0/0 and for any
    // result that would not be a finite number. Pending events run every 100 bolts while the
    // unit loads are summed. `maxBalanceSteps` is MaxBalanceSteps except in tests.
    static QList<TBoltUnitLoads> Calculate(const QList<TBolt>& bolts, const TAppliedLoad& load,
                                           TUnitLoadWorkings& workings, TDocumentHost& host,
                                           int maxBalanceSteps = MaxBalanceSteps);
};
