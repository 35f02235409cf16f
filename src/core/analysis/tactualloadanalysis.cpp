#include "tactualloadanalysis.h"

#include "foundation/tcheckedlist.h"
#include "foundation/tplatformerror.h"

#include <cmath>

namespace {

// A sum of squares that does not test as at least 0 gives a resultant of 0.
double Resultant(double sumOfSquares) { return sumOfSquares >= 0 ? std::sqrt(sumOfSquares) : 0.0; }

bool Finite(const TBoltActualLoads& a) {
    return std::isfinite(a.LoadX) && std::isfinite(a.LoadY) && std::isfinite(a.LoadZ) &&
           std::isfinite(a.ResultantXYZ) && std::isfinite(a.ResultantXY) &&
           std::isfinite(a.ResultantXZ) && std::isfinite(a.ResultantYZ);
}

} // namespace

TBoltActualLoads TActualLoadAnalysis::Calculate(const TBoltUnitLoads& u, const TAppliedLoad& l) {
    TBoltActualLoads a;
    a.LoadX = u.XDueToFZ * l.FZ + (u.XDueToFY * l.FY + u.XDueToFX * l.FX);
    a.LoadY = u.YDueToFZ * l.FZ + (u.YDueToFY * l.FY + u.YDueToFX * l.FX);
    a.LoadZ = u.ZDueToFZ * l.FZ + (u.ZDueToFY * l.FY + u.ZDueToFX * l.FX);
    const double x2 = a.LoadX * a.LoadX;
    const double y2 = a.LoadY * a.LoadY;
    const double z2 = a.LoadZ * a.LoadZ;
    a.ResultantXYZ = Resultant(z2 + (y2 + x2));
    a.ResultantXY = Resultant(y2 + x2);
    a.ResultantXZ = Resultant(z2 + x2);
    a.ResultantYZ = Resultant(z2 + y2);
    return a;
}

QList<TBoltActualLoads> TActualLoadAnalysis::Calculate(const QList<TBoltUnitLoads>& unitLoads,
                                                       const TAppliedLoad& load) {
    QList<TBoltActualLoads> loads = TCheckedList::Sized<TBoltActualLoads>(unitLoads.size());
    for (qsizetype i = 0; i < unitLoads.size(); ++i) {
        loads[i] = Calculate(unitLoads.at(i), load);
        if (!Finite(loads.at(i)))
            throw TPlatformError(QString::fromLatin1(TPlatformError::InvalidOperation));
    }
    return loads;
}
