#include "tboltediting.h"

#include "model/tboltgroupdocument.h"
#include "model/tnumberformat.h"

#include <algorithm>

namespace {

QString Text(double value) { return TNumberFormat::FormatGeneral(value); }

double Number(const QString& text) { return TNumberFormat::ParseReal(text, 0); }

TBoltEditing::TProperties BoltProperties(const TBolt& bolt) {
    TBoltEditing::TProperties values;
    values.X = Text(bolt.X);
    values.Y = Text(bolt.Y);
    values.Z = Text(bolt.Z);
    values.FX = Text(bolt.StiffnessX);
    values.FY = Text(bolt.StiffnessY);
    values.FZ = Text(bolt.StiffnessZ);
    values.Node = QString::number(bolt.NodeNumber);
    values.Orientation = bolt.Orientation >= 0 && bolt.Orientation <= 3 ? bolt.Orientation : -1;
    return values;
}

} // namespace

TBoltEditing::TProperties TBoltEditing::PropertiesOf(const TBoltGroupModel& model, qint32 tag) {
    if (tag == model.BoltCount()) {
        const TAppliedLoad& load = model.AppliedLoad;
        TProperties values;
        values.Caption = QStringLiteral("Applied Load Properties");
        values.ForLoad = true;
        values.X = Text(load.X);
        values.Y = Text(load.Y);
        values.Z = Text(load.Z);
        values.FX = Text(load.FX);
        values.FY = Text(load.FY);
        values.FZ = Text(load.FZ);
        values.Node = QStringLiteral("0");
        return values;
    }
    TProperties values = BoltProperties(model.Bolts.at(tag));
    values.Caption = QStringLiteral("Bolt %1 Properties").arg(tag + 1);
    return values;
}

TBolt TBoltEditing::BoltOf(const TProperties& values, qint8 previous) {
    TBolt bolt;
    bolt.X = Number(values.X);
    bolt.Y = Number(values.Y);
    bolt.Z = Number(values.Z);
    bolt.StiffnessX = Number(values.FX);
    bolt.StiffnessY = Number(values.FY);
    bolt.StiffnessZ = Number(values.FZ);
    bolt.NodeNumber = TNumberFormat::ParseInteger(values.Node, 0);
    bolt.Orientation =
        values.Orientation >= 0 && values.Orientation <= 3 ? qint8(values.Orientation) : previous;
    return bolt;
}

void TBoltEditing::ApplyProperties(TBoltGroupDocument& document, qint32 tag,
                                   const TProperties& values) {
    if (tag == document.BoltCount()) {
        TAppliedLoad& load = document.AppliedLoad;
        load.X = Number(values.X);
        load.Y = Number(values.Y);
        load.Z = Number(values.Z);
        load.FX = Number(values.FX);
        load.FY = Number(values.FY);
        load.FZ = Number(values.FZ);
    } else {
        TBolt& bolt = document.Bolts[tag];
        bolt = BoltOf(values, bolt.Orientation);
    }
    document.MarkChanged();
}

TBoltEditing::TProperties TBoltEditing::AddBoltProposal(const TBoltGroupModel& model) {
    TProperties values = BoltProperties(model.Bolts.isEmpty() ? TBolt() : model.Bolts.constLast());
    values.Node = QStringLiteral("0");
    values.Caption = QStringLiteral("Add Bolt Number") + QString::number(model.BoltCount() + 1);
    return values;
}

void TBoltEditing::AddBolt(TBoltGroupDocument& document, const TProperties& values) {
    document.Bolts.append(BoltOf(values, 0));
    document.MarkChanged();
}

QString TBoltEditing::DeleteTitle(const TBoltGroupModel& model, qint32 tag) {
    QString title = QStringLiteral("Delete Bolt");
    if (!model.HasBoltSelection()) {
        title += QLatin1Char(' ') + QString::number(tag + 1);
    } else if (model.SelectedBoltCount() == 1) {
        title += QLatin1Char(' ') + QString::number(model.SelectedBolts.constFirst() + 1);
    } else {
        title += QStringLiteral("s ");
        for (qint32 i : model.SelectedBolts)
            title += QString::number(i + 1) + QLatin1Char(',');
    }
    return title;
}

void TBoltEditing::DeleteBolts(TBoltGroupDocument& document, qint32 tag) {
    if (!document.HasBoltSelection()) {
        document.DeleteBoltAt(tag);
        return;
    }
    // From the highest index down, so that each deletion leaves the indexes still to be deleted
    // where they were. The indexes are sorted and taken once each, also when the list was
    // changed from outside.
    QList<qint32> selected = document.SelectedBolts;
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    for (qsizetype k = selected.size() - 1; k >= 0; --k)
        document.DeleteBoltAt(selected.at(k));
    document.ClearBoltSelection();
}
