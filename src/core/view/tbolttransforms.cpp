#include "tbolttransforms.h"

#include "foundation/tcheckedlist.h"
#include "model/tdatafile.h"

#include <cmath>

namespace {

void SetPosition(TBolt& bolt, const TVector3& p) {
    bolt.X = p.X;
    bolt.Y = p.Y;
    bolt.Z = p.Z;
}

// A copy of the source bolt at a new place: same stiffnesses and orientation, no node number.
TBolt CopyAt(const TBolt& source, const TVector3& p) {
    TBolt copy = source;
    SetPosition(copy, p);
    copy.NodeNumber = 0;
    return copy;
}

bool IsFinite(const TBolt& b) {
    return std::isfinite(b.X) && std::isfinite(b.Y) && std::isfinite(b.Z);
}

bool IsBolt(const TBoltGroupModel& model, qint32 i) {
    return i >= 0 && i < model.BoltCount();
}

// The bolts a command acts on: the valid selected ones in selection order, else the example.
QList<qint32> Sources(const TBoltGroupModel& model, qint32 example) {
    QList<qint32> sources;
    if (!model.HasBoltSelection()) {
        if (IsBolt(model, example))
            sources.append(example);
        return sources;
    }
    sources.reserve(model.SelectedBolts.size());
    for (qint32 i : model.SelectedBolts)
        if (IsBolt(model, i))
            sources.append(i);
    return sources;
}

} // namespace

TViewMatrix TBoltTransforms::RotationMatrix(int axis, double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    TViewMatrix m;
    switch (axis) {
    case 1:
        m.M[0][0] = c;
        m.M[0][2] = s;
        m.M[2][0] = -s;
        m.M[2][2] = c;
        break;
    case 2:
        m.M[0][0] = c;
        m.M[0][1] = -s;
        m.M[1][0] = s;
        m.M[1][1] = c;
        break;
    default:
        m.M[1][1] = c;
        m.M[1][2] = -s;
        m.M[2][1] = s;
        m.M[2][2] = c;
        break;
    }
    return m;
}

TVector3 TBoltTransforms::TransformPoint(const TViewMatrix& m, const TVector3& p,
                                         const TVector3& centre) {
    return TViewMatrix::TransformPoint(m, p - centre) + centre;
}

TVector3 TBoltTransforms::RotationCentre(const TCopyMoveValues& values) {
    const double first = values.RotationCentre[0];
    const double second = values.RotationCentre[1];
    switch (values.RotationAxis) {
    case 1:
        return {first, 0, second};
    case 2:
        return {first, second, 0};
    default:
        return {0, first, second};
    }
}

TVector3 TBoltTransforms::Translated(const TVector3& p, const TCopyMoveValues& values, qint32 k) {
    return p + double(k) * values.CopyOffset;
}

TVector3 TBoltTransforms::Rotated(const TVector3& p, const TCopyMoveValues& values, qint32 k) {
    const double angle = TViewMatrix::Radians(double(k) * values.RotationAngle);
    return TransformPoint(RotationMatrix(values.RotationAxis, angle), p, RotationCentre(values));
}

TVector3 TBoltTransforms::Mirrored(const TVector3& p, const TCopyMoveValues& values) {
    TVector3 result = p;
    double& coordinate = values.MirrorPlane == 1   ? result.Y
                         : values.MirrorPlane == 2 ? result.Z
                                                   : result.X;
    coordinate = 2 * values.MirrorPosition - coordinate;
    return result;
}

TVector3 TBoltTransforms::Scaled(const TVector3& p, const TCopyMoveValues& values) {
    const TVector3& base = values.ScaleBase;
    const TVector3& factor = values.ScaleFactors;
    return {base.X + (p.X - base.X) * factor.X, base.Y + (p.Y - base.Y) * factor.Y,
            base.Z + (p.Z - base.Z) * factor.Z};
}

void TBoltTransforms::CopyBoltTranslated(TBoltGroupModel& model, qint32 i,
                                         const TCopyMoveValues& values) {
    const TBolt source = model.Bolts.at(i);
    for (qint32 k = 1; k <= values.CopyCount; ++k)
        model.Bolts.append(CopyAt(source, Translated(Position(source), values, k)));
}

void TBoltTransforms::CopyBoltRotated(TBoltGroupModel& model, qint32 i,
                                      const TCopyMoveValues& values) {
    const TBolt source = model.Bolts.at(i);
    for (qint32 k = 1; k <= values.CopyCount; ++k)
        model.Bolts.append(CopyAt(source, Rotated(Position(source), values, k)));
}

void TBoltTransforms::CopyBoltMirrored(TBoltGroupModel& model, qint32 i,
                                       const TCopyMoveValues& values) {
    const TBolt source = model.Bolts.at(i);
    model.Bolts.append(CopyAt(source, Mirrored(Position(source), values)));
}

void TBoltTransforms::CopyBoltScaled(TBoltGroupModel& model, qint32 i,
                                     const TCopyMoveValues& values) {
    const TBolt source = model.Bolts.at(i);
    model.Bolts.append(CopyAt(source, Scaled(Position(source), values)));
}

void TBoltTransforms::MoveBoltTranslated(TBoltGroupModel& model, qint32 i,
                                         const TCopyMoveValues& values) {
    TBolt& bolt = model.Bolts[i];
    SetPosition(bolt, Translated(Position(bolt), values, 1));
}

void TBoltTransforms::MoveBoltRotated(TBoltGroupModel& model, qint32 i,
                                      const TCopyMoveValues& values) {
    TBolt& bolt = model.Bolts[i];
    SetPosition(bolt, Rotated(Position(bolt), values, 1));
}

void TBoltTransforms::MoveBoltMirrored(TBoltGroupModel& model, qint32 i,
                                       const TCopyMoveValues& values) {
    TBolt& bolt = model.Bolts[i];
    SetPosition(bolt, Mirrored(Position(bolt), values));
}

void TBoltTransforms::MoveBoltScaled(TBoltGroupModel& model, qint32 i,
                                     const TCopyMoveValues& values) {
    TBolt& bolt = model.Bolts[i];
    SetPosition(bolt, Scaled(Position(bolt), values));
}

qint64 TBoltTransforms::CopiesToAdd(const TBoltGroupModel& model, TCopyMovePage page,
                                    qint32 example, const TCopyMoveValues& values) {
    const qint64 perBolt =
        page == TCopyMovePage::Translate || page == TCopyMovePage::Rotate ? values.CopyCount : 1;
    return qint64(Sources(model, example).size()) * std::max<qint64>(0, perBolt);
}

TBoltTransforms::TResult TBoltTransforms::CopyBolts(TBoltGroupModel& model, TCopyMovePage page,
                                                    qint32 example, const TCopyMoveValues& values) {
    const QList<qint32> sources = Sources(model, example);
    const qint32 before = model.BoltCount();
    const qint64 added = CopiesToAdd(model, page, example, values);
    if (before + added > TDataFile::MaxBoltCount)
        return TResult::TooManyBolts;
    TCheckedList::Reserve(model.Bolts, before + added);
    void (*copy)(TBoltGroupModel&, qint32, const TCopyMoveValues&) =
        page == TCopyMovePage::Rotate   ? CopyBoltRotated
        : page == TCopyMovePage::Mirror ? CopyBoltMirrored
        : page == TCopyMovePage::Scale  ? CopyBoltScaled
                                        : CopyBoltTranslated;
    for (qint32 i : sources)
        copy(model, i, values);
    for (qint32 i = before; i < model.BoltCount(); ++i) {
        if (!IsFinite(model.Bolts.at(i))) {
            model.Bolts.resize(before);
            return TResult::OutOfRange;
        }
    }
    model.ClearBoltSelection();
    return TResult::Done;
}

TBoltTransforms::TResult TBoltTransforms::MoveBolts(TBoltGroupModel& model, TCopyMovePage page,
                                                    const TCopyMoveValues& values) {
    if (!model.HasBoltSelection())
        return TResult::NothingSelected;
    void (*move)(TBoltGroupModel&, qint32, const TCopyMoveValues&) =
        page == TCopyMovePage::Rotate   ? MoveBoltRotated
        : page == TCopyMovePage::Mirror ? MoveBoltMirrored
        : page == TCopyMovePage::Scale  ? MoveBoltScaled
                                        : MoveBoltTranslated;
    // The moves are tried on copies of the selected bolts first, so that a move that fails
    // leaves every bolt where it was.
    const QList<qint32> sources = Sources(model, -1);
    TBoltGroupModel moved;
    moved.Bolts.reserve(sources.size());
    for (qint32 i : sources) {
        moved.Bolts.append(model.Bolts.at(i));
        move(moved, moved.BoltCount() - 1, values);
        if (!IsFinite(moved.Bolts.constLast()))
            return TResult::OutOfRange;
    }
    for (qsizetype k = 0; k < sources.size(); ++k)
        model.Bolts[sources.at(k)] = moved.Bolts.at(k);
    model.ClearBoltSelection();
    return TResult::Done;
}
