#include "tboltselection.h"

#include "model/tboltgroupmodel.h"
#include "tboltview.h"

#include <cmath>
#include <optional>

namespace {

// A plot position as a pixel co-ordinate, truncated towards zero; none for a position that is
// not a number or lies beyond the pixel range (left by a plot that could not be formed).
std::optional<int> PixelOf(double value) {
    if (!std::isfinite(value) || std::abs(value) >= 2147483647.0)
        return std::nullopt;
    return int(std::trunc(value));
}

bool Under(const TProjectedPoint& entry, int x, int y) {
    const std::optional<int> px = PixelOf(entry.PlotX);
    const std::optional<int> py = PixelOf(entry.PlotY);
    return px && py &&
           TBoltSelection::WithinRadius(TBoltSelection::HitRadius, *px, *py, x, y);
}

// The bolt entries of the projection: never more than there are bolts.
qint32 BoltEntries(const TBoltGroupModel& model) {
    return qint32(std::min<qsizetype>(model.BoltCount(), model.ProjectedBolts.size()));
}

bool Degenerate(QPoint anchor, QPoint corner) {
    return anchor.x() == corner.x() || anchor.y() == corner.y();
}

} // namespace

TBoltSelection::TClickMode TBoltSelection::ClickMode(bool shift, bool ctrl, bool alt) {
    if (alt)
        return TClickMode::Remove;
    if (ctrl)
        return TClickMode::Add;
    if (shift)
        return TClickMode::Range;
    return TClickMode::Plain;
}

bool TBoltSelection::WithinRadius(double r, double x1, double y1, double x2, double y2) {
    return (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1) <= r * r;
}

QList<qint32> TBoltSelection::HitList(const TBoltGroupModel& model, int x, int y) {
    QList<qint32> hits;
    for (qint32 k = BoltEntries(model) - 1; k >= 0; --k) {
        const TProjectedPoint& entry = model.ProjectedBolts.at(k);
        if (entry.BoltIndex >= 0 && entry.BoltIndex < model.BoltCount() && Under(entry, x, y))
            hits.append(entry.BoltIndex);
    }
    return hits;
}

QList<qint32> TBoltSelection::MenuHitList(const TBoltGroupModel& model, int x, int y) {
    QList<qint32> hits = HitList(model, x, y);
    const qint32 count = model.BoltCount();
    if (model.LoadApplied && model.ProjectedBolts.size() > count &&
        Under(model.ProjectedBolts.at(count), x, y))
        hits.append(count);
    return hits;
}

bool TBoltSelection::MouseDown(TBoltGroupModel& model, TBoltView& view, TClickMode mode, int x,
                               int y) {
    const QList<qint32> hits = HitList(model, x, y);
    if (hits.isEmpty() && !model.HasBoltSelection()) {
        view.DragAnchor = QPoint(x, y);
        view.BandCorner = QPoint(x, y);
        view.BandActive = true;
        return false;
    }
    switch (mode) {
    case TClickMode::Plain:
        model.ClearBoltSelection();
        if (!hits.isEmpty())
            model.SelectBolt(hits.constFirst());
        break;
    case TClickMode::Add:
        for (qint32 h : hits)
            model.SelectBolt(h);
        break;
    case TClickMode::Remove:
        for (qint32 h : hits)
            model.DeselectBolt(h);
        break;
    case TClickMode::Range: {
        // The lowest and highest selected bolt are taken afresh for every hit; as each step
        // selects a whole range they follow from the previous ones without a search.
        qint32 lo = model.LowestSelectedBolt();
        qint32 hi = model.HighestSelectedBolt();
        for (qint32 h : hits) {
            const qint32 from = h < lo ? h : h > hi ? hi : lo;
            const qint32 to = h < lo ? lo : h > hi ? h : hi;
            const bool wasEmpty = !model.HasBoltSelection();
            // Nothing to add when every index from lo to hi is selected already.
            if (wasEmpty || model.SelectedBoltCount() != qint64(hi) - lo + 1 || from < lo ||
                to > hi) {
                for (qint32 i = from; i <= to; ++i)
                    model.SelectBolt(i);
            }
            lo = wasEmpty ? from : std::min(lo, from);
            hi = wasEmpty ? to : std::max(hi, to);
        }
        break;
    }
    }
    model.SortBoltSelection();
    return true;
}

bool TBoltSelection::MouseMove(TBoltView& view, int x, int y) {
    if (!view.BandActive)
        return false;
    DrawBand(view.Picture, view.DragAnchor, view.BandCorner);
    view.BandCorner = QPoint(x, y);
    DrawBand(view.Picture, view.DragAnchor, view.BandCorner);
    return true;
}

bool TBoltSelection::CancelBand(TBoltView& view) {
    if (!view.BandActive)
        return false;
    view.BandActive = false;
    DrawBand(view.Picture, view.DragAnchor, view.BandCorner);
    return true;
}

bool TBoltSelection::MouseUp(TBoltGroupModel& model, TBoltView& view) {
    if (!view.BandActive)
        return false;
    view.BandActive = false;
    DrawBand(view.Picture, view.DragAnchor, view.BandCorner);
    if (model.BoltCount() == 0 || model.ProjectedBolts.isEmpty())
        return false;
    SelectInRectangle(model, view.DragAnchor, view.BandCorner);
    return true;
}

QRect TBoltSelection::BandRectangle(QPoint anchor, QPoint corner) {
    return QRect(QPoint(std::min(anchor.x(), corner.x()), std::min(anchor.y(), corner.y())),
                 QPoint(std::max(anchor.x(), corner.x()), std::max(anchor.y(), corner.y())));
}

void TBoltSelection::SelectInRectangle(TBoltGroupModel& model, QPoint anchor, QPoint corner) {
    const QRect band = BandRectangle(anchor, corner);
    for (qint32 k = 0; k < BoltEntries(model); ++k) {
        const TProjectedPoint& entry = model.ProjectedBolts.at(k);
        if (entry.PlotX >= band.left() && entry.PlotX <= band.right() &&
            entry.PlotY >= band.top() && entry.PlotY <= band.bottom())
            model.SelectBolt(entry.BoltIndex);
    }
    model.SortBoltSelection();
}

void TBoltSelection::DrawBand(QImage& picture, QPoint anchor, QPoint corner) {
    // Drawing and erasing follow one rule, so an outline that was not drawn is never "erased"
    // into the picture.
    if (Degenerate(anchor, corner) || picture.isNull())
        return;
    if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    const QRect band = BandRectangle(anchor, corner);
    // The outline runs through both corners, the band's bounds being included. It is walked
    // once round, clockwise from the top left corner, so every pixel is inverted exactly once:
    // 6 pixels on, 3 off.
    constexpr int Dash = 6;
    constexpr int Gap = 3;
    qint64 step = 0;
    const auto invert = [&picture, &step](int x, int y) {
        if (step++ % (Dash + Gap) < Dash && x >= 0 && y >= 0 && x < picture.width() &&
            y < picture.height()) {
            QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            line[x] ^= 0x00FFFFFF;
        }
    };
    const int l = band.left(), t = band.top(), r = band.right(), b = band.bottom();
    for (int x = l; x < r; ++x)
        invert(x, t);
    for (int y = t; y < b; ++y)
        invert(r, y);
    for (int x = r; x > l; --x)
        invert(x, b);
    for (int y = b; y > t; --y)
        invert(l, y);
}

QList<TBoltSelection::TMenuItem> TBoltSelection::PopupItems(const TBoltGroupModel& model,
                                                            const QList<qint32>& hits) {
    const qint32 count = model.BoltCount();
    QList<TMenuItem> items;
    const auto add = [&items](TCommand command, const QString& caption, qint32 tag) {
        items.append({command, caption, tag});
    };
    const auto separator = [&items] { items.append({TCommand::Separator, QString(), 0}); };
    const QString loadCaption = QStringLiteral("Applied Load Properties");
    const QString addLoadCaption = QStringLiteral("Add Applied Load");

    if (model.HasBoltSelection()) {
        for (qint32 h : hits) {
            if (h == count) {
                separator();
                add(TCommand::Properties, loadCaption, count);
            }
        }
        if (!model.LoadApplied) {
            separator();
            add(TCommand::Properties, addLoadCaption, count);
        }
        const qint32 lowest = model.LowestSelectedBolt();
        separator();
        add(TCommand::Copy, QStringLiteral("Copy Selected Bolts"), lowest);
        add(TCommand::Move, QStringLiteral("Move Selected Bolts"), lowest);
        separator();
        add(TCommand::Delete, QStringLiteral("Delete Selected Bolts"), lowest);
        return items;
    }

    if (!hits.isEmpty()) {
        separator();
        for (qint32 h : hits)
            add(TCommand::Properties,
                h < count ? QStringLiteral("Bolt %1 Properties").arg(h + 1) : loadCaption, h);
    }
    if (!model.LoadApplied) {
        if (hits.isEmpty())
            separator();
        add(TCommand::Properties, addLoadCaption, count);
    }
    separator();
    add(TCommand::Add, QStringLiteral("Add Bolt"), count);
    for (qint32 h : hits) {
        if (h < count) {
            add(TCommand::Copy, QStringLiteral("Copy Bolt %1").arg(h + 1), h);
            add(TCommand::Delete, QStringLiteral("Delete Bolt %1").arg(h + 1), h);
        }
    }
    return items;
}
