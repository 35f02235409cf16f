#include "tboltplot.h"

#include "document/tbusyflagguard.h"
#include "foundation/tbusycursorguard.h"
#include "model/tboltgroupmodel.h"
#include "model/tnumberformat.h"
#include "tboltview.h"
#include "tplotfont.h"
#include "tplotstamps.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <exception>
#include <optional>

namespace {

// Marks the view's plot as running for the lifetime of the guard.
class TPlotRunningGuard {
public:
    explicit TPlotRunningGuard(TBoltView& view) : View(view) { View.PlotRunning = true; }
    ~TPlotRunningGuard() { View.PlotRunning = false; }
    TPlotRunningGuard(const TPlotRunningGuard&) = delete;
    TPlotRunningGuard& operator=(const TPlotRunningGuard&) = delete;

private:
    TBoltView& View;
};

// One-pixel lines with flat ends leave out one end pixel; the toolkit's line drawing leaves out
// the end with the larger co-ordinate along the line's main direction, whichever way it runs.
QPen PlotPen(QRgb colour) {
    QPen pen{QColor(colour)};
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

int Truncate(double value) { return TBoltProjection::Truncate(value); }

QPoint Pixel(const QPointF& p) {
    return QPoint(TBoltProjection::Truncate(p.x()), TBoltProjection::Truncate(p.y()));
}

QPoint Pixel(const TProjectedPoint& p) {
    return QPoint(TBoltProjection::Truncate(p.PlotX), TBoltProjection::Truncate(p.PlotY));
}

// The ellipse in the box (x1, y1)-(x2, y2), without the box's right column and bottom row.
void DrawEllipse(QPainter& painter, int x1, int y1, int x2, int y2) {
    painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

// The plot's texts, placed by their top left corner. Fonts need the GUI application; code that
// runs without one (file checks, fuzzing) gets the picture without its texts.
class TPlotText {
public:
    explicit TPlotText(QPainter& painter) : Painter(painter) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            Painter.setFont(TPlotFont::Font());
            Metrics.emplace(Painter.fontMetrics());
        }
    }
    void Draw(int x, int y, const QString& text) {
        if (Metrics)
            Painter.drawText(QPoint(x, y + Metrics->ascent()), text);
    }
private:
    QPainter& Painter;
    std::optional<QFontMetrics> Metrics;
};

// The arrow of an axis or of the load: shaft and tip, the tip's four strokes and the loop
// around the arrow head, from the base b, the tip t and the head corners h0 to h3.
void DrawArrow(QPainter& painter, QPoint b, QPoint t, QPoint h0, QPoint h1, QPoint h2, QPoint h3) {
    const QPoint shaft[3] = {b, t, h0};
    painter.drawPolyline(shaft, 3);
    const QPoint strokes[3] = {h1, t, h2};
    painter.drawPolyline(strokes, 3);
    painter.drawLine(h3, t);
    const QPoint loop[5] = {h0, h2, h1, h3, h0};
    painter.drawPolyline(loop, 5);
}

} // namespace

void TBoltPlot::PlotBolts(TBoltGroupModel& model, TBoltView& view, TLineBuffers& buffers) {
    if (view.PlotRunning) {
        view.ReplotPending = true;
        return;
    }
    TPlotRunningGuard running(view);
    do {
        view.ReplotPending = false;
        PlotOnce(model, view, buffers);
    } while (view.ReplotPending);
}

void TBoltPlot::PlotOnce(TBoltGroupModel& model, TBoltView& view, TLineBuffers& buffers) {
    TDocumentHost& host = buffers.Host();
    TBusyCursorGuard cursor(host);
    host.ShowInformation(QStringLiteral("Plotting Bolts"));
    TBusyFlagGuard busy(buffers);

    // The plot works on its own copies (shared until changed), so that events let run in the
    // middle of it may change the model or the view without pulling them from under it.
    const QList<TBolt> bolts = model.Bolts;
    const QList<qint32> selected = model.SelectedBolts;
    const TAppliedLoad load = model.AppliedLoad;
    const TViewMatrix matrix = view.ViewMatrix();
    TPaintOptions options;
    options.ViewRotX = view.ViewRotX;
    options.ViewRotY = view.ViewRotY;
    options.ViewRotZ = view.ViewRotZ;
    options.ShowBoltLabels = view.ShowBoltLabels;

    model.LoadApplied = load.IsApplied();
    TBoltProjection::TResult projection;
    try {
        TBoltProjection::ProjectBolts(bolts, load, selected, matrix, view.Lens, view.DepthShaded,
                                      host, projection);
        const std::array<QPointF, 16> triad = TBoltProjection::AxisTriad(matrix);
        QImage picture = PaintPicture(projection, triad, options, host);
        model.ProjectedBolts = std::move(projection.Points);
        view.Picture = std::move(picture);
    } catch (const std::exception&) {
        // The projection as far as it went stays for the selection code: one entry per bolt,
        // then the load symbol once it was built. The picture keeps its previous content.
        model.ProjectedBolts = std::move(projection.Points);
        view.PlotComplete = false;
        host.ShowInformation(QStringLiteral("Plotting Bolts Aborted"));
        if (bolts != view.PlottedBolts || !(load == view.PlottedLoad)) {
            view.Picture.fill(Qt::white);
            view.PlottedBolts = bolts;
            view.PlottedLoad = load;
            if (view.PictureChanged)
                view.PictureChanged();
        }
        return;
    }
    view.PlottedBolts = bolts;
    view.PlottedLoad = load;
    view.PlotComplete = true;
    host.ShowInformation(QStringLiteral("Plotting Bolts Complete"));
    if (view.PictureChanged)
        view.PictureChanged();
}

QImage TBoltPlot::PaintPicture(const TBoltProjection::TResult& projection,
                               const std::array<QPointF, 16>& triad, const TPaintOptions& options,
                               TDocumentHost& host) {
    QImage picture(TBoltView::PictureWidth, TBoltView::PictureHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);

    // White with a one-pixel black frame, the right column and bottom row left out.
    painter.setPen(PlotPen(black));
    painter.setBrush(QColor(white));
    painter.drawRect(QRect(0, 0, 298, 398));

    TPlotText text(painter);

    // The view angles, each clipped to its own white box.
    const struct {
        const char* Caption;
        double Value;
        int Top;
    } angles[3] = {{"Rot X = ", options.ViewRotX, 338},
                   {"Rot Y = ", options.ViewRotY, 358},
                   {"Rot Z = ", options.ViewRotZ, 378}};
    for (const auto& angle : angles) {
        const QRect box(200, angle.Top, 97, 19);
        painter.setClipRect(box);
        painter.fillRect(box, QColor(white));
        text.Draw(201, angle.Top + 1,
                  QLatin1String(angle.Caption) + TNumberFormat::FormatGeneral(angle.Value));
        painter.setClipping(false);
    }

    // The axis triad and its letters.
    painter.setBrush(Qt::NoBrush);
    QPoint t[16];
    for (int i = 0; i < 16; ++i)
        t[i] = Pixel(triad[size_t(i)]);
    DrawArrow(painter, t[0], t[1], t[2], t[3], t[4], t[5]);
    DrawArrow(painter, t[0], t[6], t[7], t[8], t[9], t[10]);
    DrawArrow(painter, t[0], t[11], t[12], t[13], t[14], t[15]);
    const struct {
        const char* Letter;
        int Tip;
    } letters[3] = {{"X", 1}, {"Y", 6}, {"Z", 11}};
    for (const auto& letter : letters) {
        const QPointF& tip = triad[size_t(letter.Tip)];
        text.Draw(Truncate(tip.x() + 5), Truncate(tip.y() - 5), QLatin1String(letter.Letter));
    }

    painter.end();

    // The bolts, far to near: a disc, the number on white, a ring.
    const QList<TProjectedPoint>& points = projection.Points;
    const qint32 boltCount = std::min<qint32>(projection.BoltCount, qint32(points.size()));
    TPlotStamps& stamps = TPlotStamps::Instance();
    if (options.ShowBoltLabels) {
        std::vector<qint32> numbers(static_cast<size_t>(boltCount));
        for (qint32 i = 0; i < boltCount; ++i)
            numbers[size_t(i)] = points.at(i).BoltIndex + 1;
        stamps.PrepareLabels(numbers);
    }
    for (qint32 i = 0; i < boltCount; ++i) {
        const TProjectedPoint& entry = points.at(i);
        const double x = entry.PlotX;
        const double y = entry.PlotY;
        stamps.DrawDisc(picture, Truncate(x - 3), Truncate(y - 3), entry.Colour);
        if (options.ShowBoltLabels)
            stamps.DrawLabel(picture, Truncate(x + 5), Truncate(y - 5), entry.BoltIndex + 1);
        stamps.DrawRing(picture, Truncate(x - 5), Truncate(y - 5), entry.Colour);
        if (i % 100 == 0)
            host.ProcessEvents();
    }

    // The applied load in red: arrow, cross and a ring around the load point; with no bolts a
    // black cross at the origin.
    if (projection.LoadApplied && points.size() >= boltCount + 12) {
        painter.begin(&picture);
        QPoint p[18];
        const int symbolPoints = int(std::min<qsizetype>(18, points.size() - boltCount));
        for (int k = 0; k < symbolPoints; ++k)
            p[k] = Pixel(points.at(boltCount + k));
        painter.setPen(PlotPen(qRgb(255, 0, 0)));
        painter.setBrush(Qt::NoBrush);
        DrawArrow(painter, p[0], p[1], p[2], p[3], p[4], p[5]);
        painter.drawLine(p[6], p[7]);
        painter.drawLine(p[8], p[9]);
        painter.drawLine(p[10], p[11]);
        const TProjectedPoint& loadPoint = points.at(boltCount);
        DrawEllipse(painter, Truncate(loadPoint.PlotX - 8), Truncate(loadPoint.PlotY - 8),
                    Truncate(loadPoint.PlotX + 8), Truncate(loadPoint.PlotY + 8));
        if (boltCount == 0 && points.size() > 17) {
            painter.setPen(PlotPen(black));
            painter.drawLine(p[12], p[13]);
            painter.drawLine(p[14], p[15]);
            painter.drawLine(p[16], p[17]);
        }
        painter.end();
    }
    return picture;
}
