#pragma once

#include "model/tbolt.h"
#include "tviewmatrix.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <array>
#include <functional>

// One of the standard views of the View menus: its caption, the main menu's hint and the three
// view angles it sets. The user-defined view (code 10) asks for its angles instead.
struct TStandardView {
    const char* Caption;
    const char* Hint;
    double RotX;
    double RotY;
    double RotZ;
};

// The view of a bolt group window: the rotation, the chosen standard view, the perspective lens,
// the plot options, the rotation dial's drag state and the 300 by 400 picture the plot is drawn
// on. None of it is model data: it is never written to the data file and changing it never marks
// the document as modified. The window, the batch tool and the tests share it through the
// document; the commands here change the state only, and the caller replots.
class TBoltView {
public:
    TBoltView();

    static constexpr int PictureWidth = 300;
    static constexpr int PictureHeight = 400;
    static constexpr int UserDefinedView = 10;
    static constexpr int LensCount = 4;

    // The eleven entries of the View menus, by view code (Tag).
    static const std::array<TStandardView, 11>& StandardViews();
    // The captions of the Perspective menu, by lens code: "None", "Wide Angle Lens", ...
    static QString LensCaption(int lens);

    // Stores the code and sets the angles of that standard view. Code 10 asks for the angles
    // through AskAngles instead (unchanged when it is cancelled or there is nobody to ask); any
    // code outside the table gives -90, 0, 0.
    void SetViewingAngle(int code);
    // Perspective: the lens code 0 to 3.
    void ChangeLens(int lens) { Lens = qint8(lens); }
    void ChangeBoltLabels() { ShowBoltLabels = !ShowBoltLabels; }
    void ChangeDepthShading() { DepthShaded = !DepthShaded; }

    // The rotation dial. Pressing it starts a drag from the pointer position and makes the view
    // user defined, even without movement. Each move while dragging turns the view by 5 degrees
    // per pixel: down about X, sideways about Z; true when the angles changed and the plot must
    // be redrawn. Releasing ends the drag.
    void Image2MouseDown(int x, int y);
    bool Image2MouseMove(int x, int y);
    void Image2MouseUp() { RotatingView = false; }

    // The rotation of the current angles.
    TViewMatrix ViewMatrix() const { return TViewMatrix::FromAngles(ViewRotX, ViewRotY, ViewRotZ); }

    // Writes the picture to the file as a 24-bit Windows bitmap, whatever the name's extension,
    // through a save file; a file that cannot be written throws TPlatformError and leaves any
    // previous file whole.
    void SavePicture(const QString& fileName) const;

    // Asked by the user-defined view for new angles, which it may change; false when cancelled.
    // The window answers it with the "Viewing Angle" dialog.
    std::function<bool(double& rotX, double& rotY, double& rotZ)> AskAngles;
    // Told when a plot has put a new picture in place, so that the window repaints it.
    std::function<void()> PictureChanged;

    // Degrees, never normalised: the dial can take them beyond plus or minus 360.
    double ViewRotX = -45;
    double ViewRotY = 0;
    double ViewRotZ = 45;
    qint8 ViewingAngle = 6;
    qint8 Lens = 0;
    bool ShowBoltLabels = true;
    bool DepthShaded = true;
    bool RotatingView = false;
    // Pointer position of the last dial event; also the start corner of an area selection.
    QPoint DragAnchor{0, 0};
    // An area selection on the picture is in progress; its moving corner, in picture pixels.
    bool BandActive = false;
    QPoint BandCorner{0, 0};

    // The plot: 300 by 400 pixels, 24-bit colour, white until the first plot.
    QImage Picture;

    // The last plot drew a new picture; false when it was aborted and the previous picture stayed.
    bool PlotComplete = false;
    // The bolts and load the picture was drawn from. A plot that stops for another group clears
    // the picture rather than leave one of a group the model no longer holds.
    QList<TBolt> PlottedBolts;
    TAppliedLoad PlottedLoad;

    // Set while a plot runs; a plot asked for meanwhile (from events the plot lets run) is done
    // as soon as the running one ends.
    bool PlotRunning = false;
    bool ReplotPending = false;
};
