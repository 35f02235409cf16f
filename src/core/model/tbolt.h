#pragma once

#include <QtGlobal>
#include <cmath>

// Which axis carries a bolt's axial load. Only codes 1 to 3 select an axial/shear resolution;
// any other stored value is treated like NotDefined.
enum class TBoltOrientation : qint8 { NotDefined = 0, XAxial = 1, YAxial = 2, ZAxial = 3 };

// One bolt: its position, its stiffness in each axis, its NISA node number (0 for none) and the
// signed 8-bit orientation code.
struct TBolt {
    double X = 0;
    double Y = 0;
    double Z = 0;
    double StiffnessX = 1;
    double StiffnessY = 1;
    double StiffnessZ = 1;
    qint32 NodeNumber = 0;
    qint8 Orientation = 0;

    // The orientation the analysis uses: codes outside 1 to 3 resolve like NotDefined.
    TBoltOrientation ResolvedOrientation() const {
        return Orientation >= 1 && Orientation <= 3 ? TBoltOrientation(Orientation)
                                                    : TBoltOrientation::NotDefined;
    }
    bool operator==(const TBolt&) const = default;
};

// The applied load: the point where it acts and its force components. It has the shape of a
// bolt, so one field parser serves both; the node and orientation places are always 0.
struct TAppliedLoad {
    double X = 0;
    double Y = 0;
    double Z = 0;
    double FX = 0;
    double FY = 0;
    double FZ = 0;
    qint32 NodeNumber = 0;
    qint8 Orientation = 0;

    bool IsApplied() const { return std::abs(FX) + std::abs(FY) + std::abs(FZ) != 0; }
    bool operator==(const TAppliedLoad&) const = default;
};
