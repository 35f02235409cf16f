#include "tboltview.h"
#include "foundation/tsavefile.h"

#include "foundation/tplatformerror.h"

#include <QImageWriter>
#include <cerrno>

namespace {

// 96 dots per inch, the resolution the plot's font sizes are given for.
constexpr int DotsPerMeter = 3780;

} // namespace

TBoltView::TBoltView() : Picture(PictureWidth, PictureHeight, QImage::Format_RGB32) {
    Picture.fill(Qt::white);
    Picture.setDotsPerMeterX(DotsPerMeter);
    Picture.setDotsPerMeterY(DotsPerMeter);
}

const std::array<TStandardView, 11>& TBoltView::StandardViews() {
    static const std::array<TStandardView, 11> views{{
        {"Front", "View the Front of the Model", -90, 0, 0},
        {"Back", "View the Back of the Model", -90, 0, 180},
        {"Left", "View the Left Side of the Model", -90, 0, 270},
        {"Right", "View the Right Side of the Model", -90, 0, 90},
        {"Top", "View the Top of the Model", 0, 0, 0},
        {"Bottom", "View the Bottom of the Model", 180, 0, 0},
        {"Iso 1", "View the Iso 1 View", -45, 0, 45},
        {"Iso 2", "View the Iso 2 View", -45, 0, 135},
        {"Iso 3", "View the Iso 3 View", -45, 0, -135},
        {"Iso 4", "View the Iso 4 View", -45, 0, -45},
        {"User Defined", "Define a Specific Angle of View", 0, 0, 0},
    }};
    return views;
}

QString TBoltView::LensCaption(int lens) {
    switch (lens) {
    case 0:
        return QStringLiteral("None");
    case 1:
        return QStringLiteral("Wide Angle Lens");
    case 2:
        return QStringLiteral("Standard Lens");
    case 3:
        return QStringLiteral("Telephoto Lens");
    default:
        return QString();
    }
}

void TBoltView::SetViewingAngle(int code) {
    ViewingAngle = qint8(code);
    if (code == UserDefinedView) {
        double rotX = ViewRotX;
        double rotY = ViewRotY;
        double rotZ = ViewRotZ;
        if (AskAngles && AskAngles(rotX, rotY, rotZ)) {
            ViewRotX = rotX;
            ViewRotY = rotY;
            ViewRotZ = rotZ;
        }
        return;
    }
    if (code < 0 || code > UserDefinedView) {
        ViewRotX = -90;
        ViewRotY = 0;
        ViewRotZ = 0;
        return;
    }
    const TStandardView& view = StandardViews()[size_t(code)];
    ViewRotX = view.RotX;
    ViewRotY = view.RotY;
    ViewRotZ = view.RotZ;
}

void TBoltView::Image2MouseDown(int x, int y) {
    DragAnchor = QPoint(x, y);
    RotatingView = true;
    ViewingAngle = qint8(UserDefinedView);
}

bool TBoltView::Image2MouseMove(int x, int y) {
    if (!RotatingView)
        return false;
    ViewRotX += 5 * (double(y) - DragAnchor.y());
    ViewRotZ += 5 * (double(DragAnchor.x()) - x);
    DragAnchor = QPoint(x, y);
    return true;
}

void TBoltView::SavePicture(const QString& fileName) const {
    TSaveFile file(fileName);
    // Qt writes 32-bit pictures as 24-bit bitmaps; the format is named so that the name's
    // extension has no say.
    QImageWriter writer(&file.Device(), QByteArrayLiteral("bmp"));
    errno = 0;
    if (!writer.write(Picture.convertToFormat(QImage::Format_RGB32)))
        file.Fail(errno, writer.errorString());
    file.Commit();
}
