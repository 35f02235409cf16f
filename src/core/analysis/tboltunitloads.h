#pragma once

// The loads on one bolt due to a load of 1 at the applied load's point, once in +X, once in +Y
// and once in +Z. YDueToFX is the Y component of the bolt's load when the unit load acts in +X,
// and so on; signs follow the positive directions of the axes. Over all bolts the three
// components in the unit load's own direction add up to 1 and the six others to 0.
struct TBoltUnitLoads {
    double XDueToFX = 0;
    double YDueToFX = 0;
    double ZDueToFX = 0;
    double XDueToFY = 0;
    double YDueToFY = 0;
    double ZDueToFY = 0;
    double XDueToFZ = 0;
    double YDueToFZ = 0;
    double ZDueToFZ = 0;

    bool operator==(const TBoltUnitLoads&) const = default;
};
