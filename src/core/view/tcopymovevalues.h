#pragma once

#include "tvector3.h"

#include <QtGlobal>

// The transform the copy and move dialog applies: the page showing when OK is pressed.
enum class TCopyMovePage { Translate = 0, Rotate = 1, Mirror = 2, Scale = 3 };

// The values of the copy and move dialog that a bolt group window remembers from one use to the
// next. They are not model data and are never written to the data file.
struct TCopyMoveValues {
    // Copies per source bolt for a translate or rotate copy, 1 to 100.
    qint32 CopyCount = 1;
    // The displacement per copy (dX, dY, dZ).
    TVector3 CopyOffset{};
    // 0 X axis, 1 Y axis, 2 Z axis.
    quint8 RotationAxis = 0;
    // The centre's co-ordinates on the two axes other than the rotation axis, in axis order: Y, Z
    // for the X axis; X, Z for the Y axis; X, Y for the Z axis.
    double RotationCentre[2] = {0, 0};
    // Degrees per copy.
    double RotationAngle = 0;
    // 0 YZ plane, 1 XZ plane, 2 XY plane.
    quint8 MirrorPlane = 0;
    // The plane's co-ordinate on its normal axis.
    double MirrorPosition = 0;
    TVector3 ScaleBase{};
    TVector3 ScaleFactors{1, 1, 1};

    static constexpr qint32 MinCopies = 1;
    static constexpr qint32 MaxCopies = 100;
};
