#pragma once

#include "document/tlinebuffers.h"
#include "model/tboltgroupdocument.h"
#include "trecordinghost.h"

#include <QImage>
#include <QRect>
#include <memory>

// A bolt group document on a recording host, ready to plot.
struct TPlotFixture {
    TRecordingHost Host;
    TLineBuffers Buffers{&Host};
    TBoltGroupDocument Document{Buffers};
    void AddBolt(double x, double y, double z) {
        TBolt bolt;
        bolt.X = x;
        bolt.Y = y;
        bolt.Z = z;
        Document.Bolts.append(bolt);
    }
    void SetLoad(double x, double y, double z, double fx, double fy, double fz) {
        Document.AppliedLoad = TAppliedLoad{x, y, z, fx, fy, fz, 0, 0};
    }
    const QImage& Picture() const { return Document.View.Picture; }
    QString LastInformation() const {
        return Host.Information.isEmpty() ? QString() : Host.Information.last();
    }
    // The truncated picture position of a bolt's entry, found by its index.
    QPoint BoltPixel(qint32 boltIndex) const {
        for (qint32 i = 0; i < Document.BoltCount(); ++i) {
            const TProjectedPoint& p = Document.ProjectedBolts.at(i);
            if (p.BoltIndex == boltIndex)
                return QPoint(int(p.PlotX), int(p.PlotY));
        }
        return QPoint(-1, -1);
    }
};

// Pixels in the rectangle whose colour is not the given one.
inline int CountOtherThan(const QImage& image, const QRect& rect, QRgb colour) {
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF))
                ++count;
    return count;
}

// Pixels in the rectangle of exactly the given colour.
inline int CountOf(const QImage& image, const QRect& rect, QRgb colour) {
    const QRect r = rect.intersected(image.rect());
    return r.width() * r.height() - CountOtherThan(image, r, colour);
}

inline QRgb Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
inline QRgb Rgb(const QImage& image, QPoint p) { return Rgb(image, p.x(), p.y()); }
inline QRgb Colour(int r, int g, int b) { return qRgb(r, g, b) & 0xFFFFFF; }
