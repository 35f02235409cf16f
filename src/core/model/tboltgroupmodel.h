#pragma once

#include "analysis/tboltactualloads.h"
#include "analysis/tboltunitloads.h"
#include "tbolt.h"
#include "view/tprojectedpoint.h"

#include <QList>
#include <QString>
#include <vector>

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

    // The selection. SelectedBolts holds each index at most once; the commands that change it
    // sort it afterwards, and the delete command relies on that order. A membership table kept
    // beside the list makes IsBoltSelected and SelectBolt cost the same for 10 or 100,000 bolts;
    // the list may still be changed directly, which the next operation notices.
    void ClearBoltSelection();
    // Appends the index unless it is selected already or names no bolt.
    void SelectBolt(qint32 index);
    // Removes the entry equal to the index, later entries moving up one place.
    void DeselectBolt(qint32 index);
    void SortBoltSelection();
    // Every bolt, in ascending order.
    void SelectAllBolts();
    bool IsBoltSelected(qint32 index) const;
    // The smallest / largest selected index; 0 when nothing is selected.
    qint32 LowestSelectedBolt() const;
    qint32 HighestSelectedBolt() const;
    bool HasBoltSelection() const { return !SelectedBolts.isEmpty(); }
    qint32 SelectedBoltCount() const { return qint32(SelectedBolts.size()); }

private:
    // The list the membership table was built for, shared with SelectedBolts. A change made to
    // SelectedBolts from outside detaches the two, and the table is rebuilt when next needed.
    mutable QList<qint32> IndexedSelection;
    mutable std::vector<quint8> SelectionFlags;
    void EnsureSelectionIndex() const;
    // The selection operations change SelectedBolts between these two, so that the list is not
    // copied on the way.
    void BeginSelectionChange();
    void EndSelectionChange() { IndexedSelection = SelectedBolts; }
};
