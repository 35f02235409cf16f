#include "tboltediting.h"

#include "model/tboltgroupdocument.h"
#include "model/tnumberformat.h"

#include <algorithm>
#include <array>

namespace {

QString Text(double value) { return TNumberFormat::FormatGeneral(value); }

double Number(const QString& text) { return TNumberFormat::ParseReal(text, 0); }

// The six numbers of the dialog (position, then stiffnesses or forces) as its texts, and back.
void ShowNumbers(TBoltEditing::TProperties& values, const std::array<double, 6>& numbers) {
    QString* texts[] = {&values.X, &values.Y, &values.Z, &values.FX, &values.FY, &values.FZ};
    for (size_t i = 0; i < numbers.size(); ++i)
        *texts[i] = Text(numbers[i]);
}

void ReadNumbers(const TBoltEditing::TProperties& values, const std::array<double*, 6>& numbers) {
    const QString* texts[] = {&values.X, &values.Y, &values.Z, &values.FX, &values.FY, &values.FZ};
    for (size_t i = 0; i < numbers.size(); ++i)
        *numbers[i] = Number(*texts[i]);
}

TBoltEditing::TProperties BoltProperties(const TBolt& bolt) {
    TBoltEditing::TProperties values;
    ShowNumbers(values, {bolt.X, bolt.Y, bolt.Z, bolt.StiffnessX, bolt.StiffnessY, bolt.StiffnessZ});
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
        ShowNumbers(values, {load.X, load.Y, load.Z, load.FX, load.FY, load.FZ});
        values.Node = QStringLiteral("0");
        return values;
    }
    TProperties values = BoltProperties(model.Bolts.at(tag));
    values.Caption = QStringLiteral("Bolt %1 Properties").arg(tag + 1);
    return values;
}

TBolt TBoltEditing::BoltOf(const TProperties& values, qint8 previous) {
    TBolt bolt;
    ReadNumbers(values, {&bolt.X, &bolt.Y, &bolt.Z, &bolt.StiffnessX, &bolt.StiffnessY,
                         &bolt.StiffnessZ});
    bolt.NodeNumber = TNumberFormat::ParseInteger(values.Node, 0);
    bolt.Orientation =
        values.Orientation >= 0 && values.Orientation <= 3 ? qint8(values.Orientation) : previous;
    return bolt;
}

void TBoltEditing::ApplyProperties(TBoltGroupDocument& document, qint32 tag,
                                   const TProperties& values) {
    if (tag == document.BoltCount()) {
        TAppliedLoad& load = document.AppliedLoad;
        ReadNumbers(values, {&load.X, &load.Y, &load.Z, &load.FX, &load.FY, &load.FZ});
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
