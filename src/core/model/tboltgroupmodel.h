#pragma once

#include "analysis/tboltactualloads.h"
#include "analysis/tboltunitloads.h"
#include "tbolt.h"
#include "view/tprojectedpoint.h"

#include <QList>
#include <QString>

// The bolt group of one document: the bolts, the applied load, the titles and the state flags
// that the readers, writers, analysis and editing commands share.
class TBoltGroupModel {
public:
    QList<TBolt> Bolts;
    TAppliedLoad AppliedLoad;
    bool LoadApplied = false;
    QString AnalysisTitle = QStringLiteral("Untitled Model");
    QString LoadCaseTitle = QStringLiteral("Untitled Load Case");
    bool DataSaved = true;
    QString ImageFileName;
    QString NisaLoadCaseId = QStringLiteral("1");
    QList<qint32> SelectedBolts;
    // The bolts as the current view projects them, then the load symbol; not model data.
    QList<TProjectedPoint> ProjectedBolts;
    // The loads of each bolt due to unit loads in +X, +Y and +Z, and due to the applied load,
    // one per bolt in bolt order; each keeps its last successful results until the next.
    QList<TBoltUnitLoads> UnitLoads;
    QList<TBoltActualLoads> ActualLoads;
    bool UnitLoadsCalculated = false;
    bool ActualLoadsCalculated = false;

    // The number of bolts, always the length of Bolts.
    qint32 BoltCount() const { return qint32(Bolts.size()); }

    // Empties the model before a file is read: no bolts, a zero load at the origin, empty titles
    // and no picture file. A reader that succeeds then supplies the titles.
    void ResetModel();
    // Recomputes the derived LoadApplied flag from the applied load.
    void UpdateLoadApplied() { LoadApplied = AppliedLoad.IsApplied(); }
    // Drops selected indexes that no longer name a bolt.
    void PruneSelection();
};
