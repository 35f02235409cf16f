#pragma once

#include "model/tbolt.h"
#include "tprojectedpoint.h"
#include "tviewmatrix.h"

#include <QList>
#include <QPointF>
#include <array>
#include <vector>

class TDocumentHost;

// The geometry of the plot: turns the bolts and the load symbol into picture positions for the
// current view (rotation, depth order, perspective, colours, fit to the picture) and places the
// axis triad. Every step throws when it cannot be formed (TPlatformError for a division by zero
// or a value that is not a number, std::out_of_range for a bolt entry that is not there), which
// aborts the plot.
class TBoltProjection {
public:
    // Picture positions of the bolts and the load symbol: the first BoltCount entries of Points
    // are the bolts in depth order (nearest last), the load symbol's 12 or 18 points follow.
    struct TResult {
        QList<TProjectedPoint> Points;
        qint32 BoltCount = 0;
        bool LoadApplied = false;
    };

    // The whole projection with the options of the view, into result. Events are let run every
    // 100 bolts. When a step throws, result holds what was done before it.
    static void ProjectBolts(const QList<TBolt>& bolts, const TAppliedLoad& load,
                             const QList<qint32>& selectedBolts, const TViewMatrix& matrix,
                             int lens, bool depthShaded, TDocumentHost& host, TResult& result);

    // The load symbol in model co-ordinates: the load point, the arrow tip along the force, the
    // four corners of the arrow head and the three arms of a cross at the load point; with no
    // bolts, six more for a cross at the origin. Its size is one fifth of the largest extent of
    // the scene.
    static QList<TVector3> LoadSymbol(const TAppliedLoad& load, const QList<TBolt>& bolts);
    // Sorts the first boltCount entries into ascending depth, keeping the order of equal depths.
    static void DepthOrder(QList<TProjectedPoint>& points, qint32 boltCount);
    // Moves every entry towards the centre of the scene, farther bolts more, for lens 1 (wide
    // angle), 2 (standard) or 3 (telephoto); nothing for any other code.
    static void ApplyPerspective(QList<TProjectedPoint>& points, qint32 boltCount, int lens);
    // The colours of the bolt entries: by depth from mid-grey (farthest) to black (nearest) and
    // from pink to red when selected, or black and red without shading. selected is indexed by
    // BoltIndex.
    static void ShadeBolts(QList<TProjectedPoint>& points, qint32 boltCount, bool depthShaded,
                           const std::vector<char>& selected);
    // Scales and centres all entries into the 265 by 270 pixel box inside the top 300 by 300
    // pixels of the picture, view y drawn upwards.
    static void FitToPicture(QList<TProjectedPoint>& points, TDocumentHost& host);
    // The 16 points of the axis triad, fitted into a 70-pixel box near the bottom-left corner:
    // the origin, then for each of X, Y and Z the axis tip and the four corners of its arrow head.
    static std::array<QPointF, 16> AxisTriad(const TViewMatrix& matrix);

    // A pixel co-ordinate: the value truncated towards zero. A value that is not a number or
    // lies beyond the integer range throws "Invalid floating point operation".
    static int Truncate(double value);
};
