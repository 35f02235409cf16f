#pragma once

#include "model/tboltgroupmodel.h"
#include "tcopymovevalues.h"
#include "tviewmatrix.h"

// The copy and move transforms of a bolt group: translate, rotate about an axis, mirror in a
// plane and scale about a base point, on single points and on the bolts of a model. Copies are
// appended to the bolts with the source's stiffnesses and orientation and node number 0; moves
// change only the positions.
class TBoltTransforms {
public:
    // The right-handed rotation by an angle in radians about axis 0 (X), 1 (Y) or 2 (Z), rows
    // first; a positive angle about Z turns +X towards +Y.
    static TViewMatrix RotationMatrix(int axis, double radians);
    // m * (p - centre) + centre.
    static TVector3 TransformPoint(const TViewMatrix& m, const TVector3& p, const TVector3& centre);
    // The centre of rotation from the axis and the two remembered centre co-ordinates; its
    // co-ordinate on the rotation axis is 0.
    static TVector3 RotationCentre(const TCopyMoveValues& values);

    // Copy k (from 1) of a point; k = 1 is also the move.
    static TVector3 Translated(const TVector3& p, const TCopyMoveValues& values, qint32 k);
    static TVector3 Rotated(const TVector3& p, const TCopyMoveValues& values, qint32 k);
    static TVector3 Mirrored(const TVector3& p, const TCopyMoveValues& values);
    static TVector3 Scaled(const TVector3& p, const TCopyMoveValues& values);

    static TVector3 Position(const TBolt& bolt) { return {bolt.X, bolt.Y, bolt.Z}; }

    // Appends the copies of bolt i: CopyCount of them, k = 1 first, for a translation or a
    // rotation; one for a mirror or a scale.
    static void CopyBoltTranslated(TBoltGroupModel& model, qint32 i, const TCopyMoveValues& values);
    static void CopyBoltRotated(TBoltGroupModel& model, qint32 i, const TCopyMoveValues& values);
    static void CopyBoltMirrored(TBoltGroupModel& model, qint32 i, const TCopyMoveValues& values);
    static void CopyBoltScaled(TBoltGroupModel& model, qint32 i, const TCopyMoveValues& values);
    // Moves bolt i in place.
    static void MoveBoltTranslated(TBoltGroupModel& model, qint32 i, const TCopyMoveValues& values);
    static void MoveBoltRotated(TBoltGroupModel& model, qint32 i, const TCopyMoveValues& values);
    static void MoveBoltMirrored(TBoltGroupModel& model, qint32 i, const TCopyMoveValues& values);
    static void MoveBoltScaled(TBoltGroupModel& model, qint32 i, const TCopyMoveValues& values);

    // How many bolts CopyBolts would append.
    static qint64 CopiesToAdd(const TBoltGroupModel& model, TCopyMovePage page, qint32 example,
                              const TCopyMoveValues& values);

    // What became of a copy or move command. Refused commands change nothing, the selection
    // included.
    enum class TResult {
        Done,
        // A move without selected bolts.
        NothingSelected,
        // The copies would take the group beyond the most bolts a window holds.
        TooManyBolts,
        // Some new position would be infinite or not a number.
        OutOfRange
    };
    // The copy command: copies every selected bolt in selection order, each with all its copies
    // before the next, and then clears the selection; without a selection copies bolt `example`.
    static TResult CopyBolts(TBoltGroupModel& model, TCopyMovePage page, qint32 example,
                             const TCopyMoveValues& values);
    // The move command: moves every selected bolt and clears the selection.
    static TResult MoveBolts(TBoltGroupModel& model, TCopyMovePage page,
                             const TCopyMoveValues& values);
};
