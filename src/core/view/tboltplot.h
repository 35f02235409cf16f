#pragma once

#include "tboltprojection.h"

#include <QImage>
#include <QString>
#include <array>

class TBoltGroupModel;
class TBoltView;
class TLineBuffers;

// The bolt plot: projects the bolt group for the current view and draws it on a fresh 300 by 400
// picture: the frame, the three view angles, the axis triad, the bolts far to near with their
// numbers, and the applied load in red. The information label tells "Plotting Bolts", then
// "Plotting Bolts Complete", or "Plotting Bolts Aborted" when the view cannot be formed, in which
// case the previous picture stays.
class TBoltPlot {
public:
    // Redraws the picture of the view from the model; also recomputes the model's LoadApplied
    // and rewrites its ProjectedBolts. Sets Busy and shows the busy cursor while it runs; both
    // are restored on every exit. A plot asked for while one runs (from the events the plot lets
    // run) follows as soon as the running one ends.
    static void PlotBolts(TBoltGroupModel& model, TBoltView& view, TLineBuffers& buffers);

    // What the painting draws besides the projected points.
    struct TPaintOptions {
        double ViewRotX = 0;
        double ViewRotY = 0;
        double ViewRotZ = 0;
        bool ShowBoltLabels = true;
    };
    // Paints a projection onto a new picture; events are let run every 100 bolts.
    static QImage PaintPicture(const TBoltProjection::TResult& projection,
                               const std::array<QPointF, 16>& triad,
                               const TPaintOptions& options, TDocumentHost& host);

private:
    static void PlotOnce(TBoltGroupModel& model, TBoltView& view, TLineBuffers& buffers);
};
