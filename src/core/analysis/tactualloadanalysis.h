#pragma once

#include "model/tbolt.h"
#include "tboltactualloads.h"
#include "tboltunitloads.h"

#include <QList>

// The loads of the load case: the unit loads of each bolt scaled by the components of the
// applied load, with the resultants in space and in the three co-ordinate planes.
class TActualLoadAnalysis {
public:
    // One TBoltActualLoads per unit load, in the same order. A load or resultant that would not
    // be a finite number (an overflow) throws TPlatformError "Invalid floating point operation".
    static QList<TBoltActualLoads> Calculate(const QList<TBoltUnitLoads>& unitLoads,
                                             const TAppliedLoad& load);
    // The loads of one bolt.
    static TBoltActualLoads Calculate(const TBoltUnitLoads& u, const TAppliedLoad& load);
};
