#pragma once

#include "analysis/tboltunitloads.h"
#include "model/tbolt.h"

#include <QList>

// An independent solution of the bolt group: a rigid plate on springs of the bolts' stiffnesses.
// The plate moves by a translation t and a small rotation w about the load point L; bolt i at p_i
// then carries f_i = K_i (t + w x (p_i - L)), and t, w follow from the six equilibrium equations
// sum f_i = F and sum (p_i - L) x f_i = 0, solved for F = +X, +Y and +Z in turn.
QList<TBoltUnitLoads> RigidBodyUnitLoads(const QList<TBolt>& bolts, const TAppliedLoad& load);

// The largest difference between two sets of unit loads, relative to the largest load.
double RelativeDifference(const QList<TBoltUnitLoads>& a, const QList<TBoltUnitLoads>& b);

// The nine values of a unit-load record, by direction of the unit load and component.
double UnitLoad(const TBoltUnitLoads& u, int direction, int component);
