#pragma once

#include <QRgb>
#include <QtGlobal>

// One point of the plot as the current view projects it: its picture position, its depth towards
// the viewer (larger is nearer) and, for a bolt, the bolt's 0-based index in Bolts and the colour
// it is drawn in. The points of the load symbol follow the bolts and carry no index or colour.
struct TProjectedPoint {
    double PlotX = 0;
    double PlotY = 0;
    double Depth = 0;
    qint32 BoltIndex = 0;
    QRgb Colour = 0;
};
