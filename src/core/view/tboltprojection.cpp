#include "tboltprojection.h"

#include "foundation/tdocumenthost.h"
#include "foundation/tplatformerror.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

[[noreturn]] void ThrowDivisionByZero() {
    throw TPlatformError(QString::fromLatin1(TPlatformError::DivisionByZero));
}

[[noreturn]] void ThrowInvalidOperation() {
    throw TPlatformError(QString::fromLatin1(TPlatformError::InvalidOperation));
}

double Divide(double numerator, double denominator) {
    if (denominator == 0)
        ThrowDivisionByZero();
    return numerator / denominator;
}

// Bolt entries the depth shading and the perspective read; with no bolts there are none.
void RequireBoltEntries(qint32 boltCount) {
    if (boltCount <= 0)
        throw std::out_of_range("the plot has no bolt entries");
}

} // namespace

int TBoltProjection::Truncate(double value) {
    const double whole = std::trunc(value);
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0))
        ThrowInvalidOperation();
    return int(whole);
}

void TBoltProjection::ProjectBolts(const QList<TBolt>& bolts, const TAppliedLoad& load,
                                   const QList<qint32>& selectedBolts, const TViewMatrix& matrix,
                                   int lens, bool depthShaded, TDocumentHost& host,
                                   TResult& result) {
    result = TResult();
    result.BoltCount = qint32(bolts.size());
    result.LoadApplied = load.IsApplied();
    QList<TProjectedPoint>& points = result.Points;

    points.resize(bolts.size());
    for (qint32 i = 0; i < result.BoltCount; ++i) {
        const TBolt& bolt = bolts.at(i);
        const TVector3 p = TViewMatrix::TransformPoint(matrix, bolt.X, bolt.Y, bolt.Z);
        TProjectedPoint& entry = points[i];
        entry.PlotX = p.X;
        entry.PlotY = p.Y;
        entry.Depth = p.Z;
        entry.BoltIndex = i;
        if (i % 100 == 0)
            host.ProcessEvents();
    }
    if (result.LoadApplied) {
        for (const TVector3& point : LoadSymbol(load, bolts)) {
            const TVector3 p = TViewMatrix::TransformPoint(matrix, point);
            points.append(TProjectedPoint{p.X, p.Y, p.Z, 0, 0});
        }
    }
    if (points.isEmpty())
        return;

    // Co-ordinates beyond the floating-point range cannot be drawn; they stop the plot before
    // they reach the ordering or the picture.
    for (const TProjectedPoint& entry : std::as_const(points))
        if (!std::isfinite(entry.PlotX) || !std::isfinite(entry.PlotY) ||
            !std::isfinite(entry.Depth))
            ThrowInvalidOperation();

    DepthOrder(points, result.BoltCount);
    ApplyPerspective(points, result.BoltCount, lens);

    std::vector<char> selected(size_t(result.BoltCount), 0);
    for (qint32 index : selectedBolts)
        if (index >= 0 && index < result.BoltCount)
            selected[size_t(index)] = 1;
    ShadeBolts(points, result.BoltCount, depthShaded, selected);

    FitToPicture(points, host);
}

QList<TVector3> TBoltProjection::LoadSymbol(const TAppliedLoad& load, const QList<TBolt>& bolts) {
    const double length = std::sqrt(load.FX * load.FX + load.FY * load.FY + load.FZ * load.FZ);
    TVector3 u{Divide(load.FX, length), Divide(load.FY, length), Divide(load.FZ, length)};
    const TVector3 w{u.Y, u.Z, -u.X};
    TVector3 v1 = TVector3::Cross(u, w);
    TVector3 v2 = TVector3::Cross(v1, u);

    const TVector3 l{load.X, load.Y, load.Z};
    double minX = l.X, maxX = l.X, minY = l.Y, maxY = l.Y, minZ = l.Z, maxZ = l.Z;
    if (bolts.isEmpty()) {
        minX = std::min(minX, 0.0);
        maxX = std::max(maxX, 0.0);
        minY = std::min(minY, 0.0);
        maxY = std::max(maxY, 0.0);
        minZ = std::min(minZ, 0.0);
        maxZ = std::max(maxZ, 0.0);
    }
    for (const TBolt& bolt : bolts) {
        minX = std::min(minX, bolt.X);
        maxX = std::max(maxX, bolt.X);
        minY = std::min(minY, bolt.Y);
        maxY = std::max(maxY, bolt.Y);
        minZ = std::min(minZ, bolt.Z);
        maxZ = std::max(maxZ, bolt.Z);
    }
    const double s = 0.2 * std::max(std::max(maxX - minX, maxY - minY), maxZ - minZ);
    u = s * u;
    v1 = s * v1;
    v2 = s * v2;

    const TVector3 head = l + 0.75 * u;
    const double half = 0.5 * s;
    QList<TVector3> points{
        l,
        l + u,
        head + 0.1 * v1,
        head - 0.1 * v1,
        head + 0.1 * v2,
        head - 0.1 * v2,
        l - TVector3{half, 0, 0},
        l + TVector3{half, 0, 0},
        l - TVector3{0, half, 0},
        l + TVector3{0, half, 0},
        l - TVector3{0, 0, half},
        l + TVector3{0, 0, half},
    };
    if (bolts.isEmpty())
        points << TVector3{-half, 0, 0} << TVector3{half, 0, 0} << TVector3{0, -half, 0}
               << TVector3{0, half, 0} << TVector3{0, 0, -half} << TVector3{0, 0, half};
    return points;
}

void TBoltProjection::DepthOrder(QList<TProjectedPoint>& points, qint32 boltCount) {
    // A stable sort gives exactly the order of repeated neighbour swaps of strictly smaller
    // depths, in O(n log n) and complete for groups of any size.
    const qint32 count = std::clamp<qint32>(boltCount, 0, qint32(points.size()));
    std::stable_sort(points.begin(), points.begin() + count,
                     [](const TProjectedPoint& a, const TProjectedPoint& b) {
                         return a.Depth < b.Depth;
                     });
}

void TBoltProjection::ApplyPerspective(QList<TProjectedPoint>& points, qint32 boltCount,
                                       int lens) {
    if (lens < 1 || lens > 3)
        return;
    RequireBoltEntries(boltCount);
    const double zmax = points.at(boltCount - 1).Depth;
    const double zmin = points.at(0).Depth;
    const double d = zmax - zmin;
    double eye = 0;
    double plane = 0;
    switch (lens) {
    case 1:
        eye = zmax + d;
        plane = zmax + 0.5 * d;
        break;
    case 2:
        eye = zmax + 4 * d;
        plane = zmax + d;
        break;
    default:
        eye = zmax + 20 * d;
        plane = zmax + d;
        break;
    }
    const double eyeToPlane = eye - plane;

    double minX = points.at(0).PlotX, maxX = minX;
    double minY = points.at(0).PlotY, maxY = minY;
    for (const TProjectedPoint& entry : std::as_const(points)) {
        minX = std::min(minX, entry.PlotX);
        maxX = std::max(maxX, entry.PlotX);
        minY = std::min(minY, entry.PlotY);
        maxY = std::max(maxY, entry.PlotY);
    }
    const double cx = (minX + maxX) / 2;
    const double cy = (minY + maxY) / 2;
    for (TProjectedPoint& entry : points) {
        const double f = Divide(plane - entry.Depth, eyeToPlane) + 1;
        entry.PlotX = cx + Divide(entry.PlotX - cx, f);
        entry.PlotY = cy + Divide(entry.PlotY - cy, f);
    }
}

void TBoltProjection::ShadeBolts(QList<TProjectedPoint>& points, qint32 boltCount,
                                 bool depthShaded, const std::vector<char>& selected) {
    const auto isSelected = [&selected](qint32 index) {
        return index >= 0 && size_t(index) < selected.size() && selected[size_t(index)];
    };
    if (!depthShaded) {
        for (qint32 i = 0; i < boltCount; ++i) {
            TProjectedPoint& entry = points[i];
            entry.Colour = isSelected(entry.BoltIndex) ? qRgb(255, 0, 0) : qRgb(0, 0, 0);
        }
        return;
    }
    RequireBoltEntries(boltCount);
    const double zmax = points.at(boltCount - 1).Depth;
    const double zmin = points.at(0).Depth;
    const double range = std::max(1e-05, zmax - zmin);
    for (qint32 i = 0; i < boltCount; ++i) {
        TProjectedPoint& entry = points[i];
        const int c = Truncate((zmin - entry.Depth) * 128 / range + 128) & 0xFF;
        entry.Colour = isSelected(entry.BoltIndex) ? qRgb(255, c, c) : qRgb(c, c, c);
    }
}

void TBoltProjection::FitToPicture(QList<TProjectedPoint>& points, TDocumentHost& host) {
    if (points.isEmpty())
        return;
    double minX = points.at(0).PlotX, maxX = minX;
    double minY = points.at(0).PlotY, maxY = minY;
    for (const TProjectedPoint& entry : std::as_const(points)) {
        minX = std::min(minX, entry.PlotX);
        maxX = std::max(maxX, entry.PlotX);
        minY = std::min(minY, entry.PlotY);
        maxY = std::max(maxY, entry.PlotY);
    }
    if (std::abs(maxX - minX) < 1e-05)
        maxX = minX + 1e-05;
    if (std::abs(maxY - minY) < 1e-05)
        maxY = minY + 1e-05;
    const double s = std::min(std::abs(265 / (maxX - minX)), std::abs(270 / (maxY - minY)));
    const double offX = (265 - s * (maxX - minX)) * 0.5 + 10;
    const double offY = (270 - s * (maxY - minY)) * 0.5 + 10;
    qsizetype i = 0;
    for (TProjectedPoint& entry : points) {
        entry.PlotX = (entry.PlotX - minX) * s + offX;
        entry.PlotY = 300 - ((entry.PlotY - minY) * s + offY);
        if (!std::isfinite(entry.PlotX) || !std::isfinite(entry.PlotY))
            ThrowInvalidOperation();
        if (++i % 100 == 0)
            host.ProcessEvents();
    }
}

std::array<QPointF, 16> TBoltProjection::AxisTriad(const TViewMatrix& matrix) {
    static const TVector3 model[16] = {
        {0, 0, 0},       {1, 0, 0},       {0.75, 0, 0.1},  {0.75, 0, -0.1},
        {0.75, -0.1, 0}, {0.75, 0.1, 0},  {0, 1, 0},       {0, 0.75, 0.1},
        {0, 0.75, -0.1}, {-0.1, 0.75, 0}, {0.1, 0.75, 0},  {0, 0, 1},
        {-0.1, 0, 0.75}, {0.1, 0, 0.75},  {0, -0.1, 0.75}, {0, 0.1, 0.75},
    };
    std::array<QPointF, 16> points;
    for (size_t i = 0; i < points.size(); ++i) {
        const TVector3 p = TViewMatrix::TransformPoint(matrix, model[i]);
        points[i] = QPointF(p.X, p.Y);
    }
    double minX = points[0].x(), maxX = minX, minY = points[0].y(), maxY = minY;
    for (const QPointF& p : points) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    const double t = std::min(Divide(70, maxX - minX), Divide(70, maxY - minY));
    for (QPointF& p : points)
        p = QPointF((p.x() - minX) * t + (10 - minX), 400 - ((p.y() - minY) * t + (10 - minY)));
    return points;
}
