#include "tboltgroupmodel.h"

void TBoltGroupModel::ResetModel() {
    Bolts.clear();
    AppliedLoad = TAppliedLoad();
    AnalysisTitle.clear();
    LoadCaseTitle.clear();
    ImageFileName.clear();
    SelectedBolts.clear();
}

void TBoltGroupModel::PruneSelection() {
    const qint32 count = BoltCount();
    SelectedBolts.removeIf([count](qint32 i) { return i < 0 || i >= count; });
}
