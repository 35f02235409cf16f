#include "tboltgroupmodel.h"

#include <algorithm>

void TBoltGroupModel::ResetModel() {
    Bolts.clear();
    AppliedLoad = TAppliedLoad();
    AnalysisTitle.clear();
    LoadCaseTitle.clear();
    ImageFileName.clear();
    ClearBoltSelection();
}

void TBoltGroupModel::PruneSelection() {
    const qint32 count = BoltCount();
    BeginSelectionChange();
    SelectedBolts.removeIf([count](qint32 i) { return i < 0 || i >= count; });
    EndSelectionChange();
}

void TBoltGroupModel::EnsureSelectionIndex() const {
    if (IndexedSelection.size() == SelectedBolts.size() &&
        (SelectedBolts.isEmpty() || IndexedSelection.constData() == SelectedBolts.constData()))
        return;
    // The list was changed from outside (or never indexed): rebuild the table for it.
    std::fill(SelectionFlags.begin(), SelectionFlags.end(), quint8(0));
    for (qint32 i : SelectedBolts) {
        if (i < 0)
            continue;
        if (size_t(i) >= SelectionFlags.size())
            SelectionFlags.resize(size_t(i) + 1, 0);
        SelectionFlags[size_t(i)] = 1;
    }
    IndexedSelection = SelectedBolts;
}

void TBoltGroupModel::BeginSelectionChange() {
    EnsureSelectionIndex();
    // Drop the shared copy so that the list is changed in place.
    IndexedSelection = QList<qint32>();
}

void TBoltGroupModel::ClearBoltSelection() {
    IndexedSelection = QList<qint32>();
    SelectedBolts.clear();
    SelectionFlags.clear();
    EndSelectionChange();
}

bool TBoltGroupModel::IsBoltSelected(qint32 index) const {
    if (index < 0)
        return SelectedBolts.contains(index);
    EnsureSelectionIndex();
    return size_t(index) < SelectionFlags.size() && SelectionFlags[size_t(index)] != 0;
}

void TBoltGroupModel::SelectBolt(qint32 index) {
    if (index < 0 || index >= BoltCount() || IsBoltSelected(index))
        return;
    BeginSelectionChange();
    if (size_t(index) >= SelectionFlags.size())
        SelectionFlags.resize(std::max(size_t(index) + 1, size_t(BoltCount())), 0);
    SelectionFlags[size_t(index)] = 1;
    SelectedBolts.append(index);
    EndSelectionChange();
}

void TBoltGroupModel::DeselectBolt(qint32 index) {
    if (!IsBoltSelected(index))
        return;
    BeginSelectionChange();
    SelectedBolts.removeAt(SelectedBolts.indexOf(index));
    // An index the list held twice (put there from outside) stays selected.
    if (index >= 0 && !SelectedBolts.contains(index))
        SelectionFlags[size_t(index)] = 0;
    EndSelectionChange();
}

void TBoltGroupModel::SortBoltSelection() {
    if (std::is_sorted(SelectedBolts.cbegin(), SelectedBolts.cend()))
        return;
    BeginSelectionChange();
    std::sort(SelectedBolts.begin(), SelectedBolts.end());
    EndSelectionChange();
}

void TBoltGroupModel::SelectAllBolts() {
    IndexedSelection = QList<qint32>();
    SelectedBolts.clear();
    SelectedBolts.reserve(BoltCount());
    for (qint32 i = 0; i < BoltCount(); ++i)
        SelectedBolts.append(i);
    SelectionFlags.assign(size_t(BoltCount()), 1);
    EndSelectionChange();
}

qint32 TBoltGroupModel::LowestSelectedBolt() const {
    if (SelectedBolts.isEmpty())
        return 0;
    return *std::min_element(SelectedBolts.cbegin(), SelectedBolts.cend());
}

qint32 TBoltGroupModel::HighestSelectedBolt() const {
    if (SelectedBolts.isEmpty())
        return 0;
    return *std::max_element(SelectedBolts.cbegin(), SelectedBolts.cend());
}
