#pragma once

#include "model/tbolt.h"

// The load that the applied load of the load case puts on one bolt: its components, positive in
// the positive axis directions, and the resultants in space and in the three co-ordinate planes
// (never negative).
struct TBoltActualLoads {
    double LoadX = 0;
    double LoadY = 0;
    double LoadZ = 0;
    double ResultantXYZ = 0;
    double ResultantXY = 0;
    double ResultantXZ = 0;
    double ResultantYZ = 0;

    // The axial load of a bolt of that orientation: the component along its axis, keeping its
    // sign; 0 for NotDefined, which has no axial load.
    double AxialLoad(TBoltOrientation orientation) const {
        switch (orientation) {
        case TBoltOrientation::XAxial:
            return LoadX;
        case TBoltOrientation::YAxial:
            return LoadY;
        case TBoltOrientation::ZAxial:
            return LoadZ;
        case TBoltOrientation::NotDefined:
            break;
        }
        return 0;
    }
    // The shear load of a bolt of that orientation: the resultant in the plane across its axis;
    // the whole resultant for NotDefined.
    double ShearLoad(TBoltOrientation orientation) const {
        switch (orientation) {
        case TBoltOrientation::XAxial:
            return ResultantYZ;
        case TBoltOrientation::YAxial:
            return ResultantXZ;
        case TBoltOrientation::ZAxial:
            return ResultantXY;
        case TBoltOrientation::NotDefined:
            break;
        }
        return ResultantXYZ;
    }

    bool operator==(const TBoltActualLoads&) const = default;
};
