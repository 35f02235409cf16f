#include "tboltgrouphistory.h"

#include "tboltgroupmodel.h"

#include <QUndoCommand>
#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace {

template <typename T> struct TChange {
    T Old;
    T New;
};

bool SameValues(const TCopyMoveValues& a, const TCopyMoveValues& b) {
    return std::memcmp(&a, &b, sizeof(TCopyMoveValues)) == 0;
}

} // namespace

// What one change altered. Going forward: the bolts at Removed indexes (of the old list) go,
// the bolts at Changed indexes (of the remaining list) take their new values, then Appended
// bolts are added at the end.
struct TBoltGroupHistory::TStep {
    QList<qint32> RemovedIndexes;
    QList<TBolt> RemovedBolts;
    QList<qint32> ChangedIndexes;
    QList<TChange<TBolt>> ChangedBolts;
    QList<TBolt> Appended;
    std::optional<TChange<TAppliedLoad>> AppliedLoad;
    std::optional<TChange<QString>> AnalysisTitle;
    std::optional<TChange<QString>> LoadCaseTitle;
    std::optional<TChange<QString>> NisaLoadCaseId;
    std::optional<TChange<QList<qint32>>> Selection;
    std::optional<TChange<TCopyMoveValues>> CopyMoveValues;

    bool IsEmpty() const {
        return RemovedIndexes.isEmpty() && ChangedIndexes.isEmpty() && Appended.isEmpty() &&
               !AppliedLoad && !AnalysisTitle && !LoadCaseTitle && !NisaLoadCaseId &&
               (!Selection || Selection->Old == Selection->New) && !CopyMoveValues;
    }
    qint64 Bytes() const {
        qint64 bytes = sizeof(TStep) + RemovedIndexes.size() * qint64(sizeof(qint32)) +
                       RemovedBolts.size() * qint64(sizeof(TBolt)) +
                       ChangedIndexes.size() * qint64(sizeof(qint32)) +
                       ChangedBolts.size() * qint64(sizeof(TChange<TBolt>)) +
                       Appended.size() * qint64(sizeof(TBolt));
        if (Selection) {
            bytes += Selection->Old.size() * qint64(sizeof(qint32));
            if (Selection->New.constData() != Selection->Old.constData())
                bytes += Selection->New.size() * qint64(sizeof(qint32));
        }
        return bytes;
    }
};

namespace {

class TStepCommand : public QUndoCommand {
public:
    TStepCommand(TBoltGroupHistory& history, TBoltGroupHistory::TStep step, const QString& text)
        : QUndoCommand(text), History(history), Step(std::move(step)) {}
    // The change is already made when the step is pushed.
    void redo() override {
        if (Done)
            History.Apply(Step, true);
        Done = true;
    }
    void undo() override { History.Apply(Step, false); }
    const TBoltGroupHistory::TStep& Data() const { return Step; }

private:
    TBoltGroupHistory& History;
    TBoltGroupHistory::TStep Step;
    bool Done = false;
};

} // namespace

TBoltGroupHistory::TBoltGroupHistory(TBoltGroupModel& model) : Model(model) {}

TBoltGroupHistory::~TBoltGroupHistory() = default;

TBoltGroupHistory::TState TBoltGroupHistory::Capture() const {
    TState state;
    // The lists are shared until the change writes to them.
    state.Bolts = Model.Bolts;
    state.AppliedLoad = Model.AppliedLoad;
    state.AnalysisTitle = Model.AnalysisTitle;
    state.LoadCaseTitle = Model.LoadCaseTitle;
    state.NisaLoadCaseId = Model.NisaLoadCaseId;
    state.SelectedBolts = Model.SelectedBolts;
    if (CopyMoveValues)
        state.CopyMoveValues = *CopyMoveValues;
    return state;
}

void TBoltGroupHistory::Begin() {
    Before = Capture();
    Pending = true;
}

bool TBoltGroupHistory::Commit(const QString& text) {
    if (!Pending)
        return false;
    Pending = false;
    TState before = std::exchange(Before, TState());
    const QList<TBolt>& oldBolts = before.Bolts;
    const QList<TBolt>& newBolts = Model.Bolts;
    TStep step;
    if (oldBolts.constData() != newBolts.constData() || oldBolts.size() != newBolts.size()) {
        const qsizetype oldCount = oldBolts.size();
        const qsizetype newCount = newBolts.size();
        bool described = false;
        if (newCount < oldCount) {
            // Removal: the new list is the old one with some bolts left out.
            qsizetype j = 0;
            for (qsizetype i = 0; i < oldCount; ++i) {
                if (j < newCount && oldBolts.at(i) == newBolts.at(j)) {
                    ++j;
                } else {
                    step.RemovedIndexes.append(qint32(i));
                    step.RemovedBolts.append(oldBolts.at(i));
                }
            }
            described = j == newCount;
        } else {
            // Changes in place, then bolts appended.
            for (qsizetype i = 0; i < oldCount; ++i) {
                if (!(oldBolts.at(i) == newBolts.at(i))) {
                    step.ChangedIndexes.append(qint32(i));
                    step.ChangedBolts.append({oldBolts.at(i), newBolts.at(i)});
                }
            }
            step.Appended = newBolts.mid(oldCount);
            described = true;
        }
        if (!described) {
            // Any other change: every old bolt goes and every new one is appended.
            step = TStep();
            step.RemovedIndexes.reserve(oldCount);
            for (qsizetype i = 0; i < oldCount; ++i)
                step.RemovedIndexes.append(qint32(i));
            step.RemovedBolts = oldBolts;
            step.Appended = newBolts;
        }
    }
    if (!(before.AppliedLoad == Model.AppliedLoad))
        step.AppliedLoad = TChange<TAppliedLoad>{before.AppliedLoad, Model.AppliedLoad};
    if (before.AnalysisTitle != Model.AnalysisTitle)
        step.AnalysisTitle = TChange<QString>{before.AnalysisTitle, Model.AnalysisTitle};
    if (before.LoadCaseTitle != Model.LoadCaseTitle)
        step.LoadCaseTitle = TChange<QString>{before.LoadCaseTitle, Model.LoadCaseTitle};
    if (before.NisaLoadCaseId != Model.NisaLoadCaseId)
        step.NisaLoadCaseId = TChange<QString>{before.NisaLoadCaseId, Model.NisaLoadCaseId};
    // The selection may change between steps without being one, so every step restores it.
    const bool selectionChanged = before.SelectedBolts != Model.SelectedBolts;
    step.Selection = TChange<QList<qint32>>{before.SelectedBolts, selectionChanged
                                                                      ? Model.SelectedBolts
                                                                      : before.SelectedBolts};
    if (CopyMoveValues && !SameValues(before.CopyMoveValues, *CopyMoveValues))
        step.CopyMoveValues = TChange<TCopyMoveValues>{before.CopyMoveValues, *CopyMoveValues};
    if (step.IsEmpty())
        return true;
    // The saved state cannot be reached again once the redo steps before it are dropped.
    if (Stack.cleanIndex() > Stack.index())
        Stack.resetClean();
    Stack.push(new TStepCommand(*this, std::move(step), text));
    return true;
}

void TBoltGroupHistory::Apply(const TStep& step, bool forward) {
    QList<TBolt>& bolts = Model.Bolts;
    if (forward) {
        if (!step.RemovedIndexes.isEmpty()) {
            QList<TBolt> kept;
            kept.reserve(bolts.size() - step.RemovedIndexes.size());
            qsizetype r = 0;
            for (qsizetype i = 0; i < bolts.size(); ++i) {
                if (r < step.RemovedIndexes.size() && step.RemovedIndexes.at(r) == i)
                    ++r;
                else
                    kept.append(bolts.at(i));
            }
            bolts = std::move(kept);
        }
        for (qsizetype k = 0; k < step.ChangedIndexes.size(); ++k)
            if (step.ChangedIndexes.at(k) < bolts.size())
                bolts[step.ChangedIndexes.at(k)] = step.ChangedBolts.at(k).New;
        bolts.append(step.Appended);
    } else {
        bolts.resize(std::max<qsizetype>(0, bolts.size() - step.Appended.size()));
        for (qsizetype k = 0; k < step.ChangedIndexes.size(); ++k)
            if (step.ChangedIndexes.at(k) < bolts.size())
                bolts[step.ChangedIndexes.at(k)] = step.ChangedBolts.at(k).Old;
        if (!step.RemovedIndexes.isEmpty()) {
            QList<TBolt> whole;
            whole.reserve(bolts.size() + step.RemovedIndexes.size());
            qsizetype r = 0;
            qsizetype j = 0;
            const qsizetype total = bolts.size() + step.RemovedIndexes.size();
            for (qsizetype i = 0; i < total; ++i) {
                if (r < step.RemovedIndexes.size() && step.RemovedIndexes.at(r) == i)
                    whole.append(step.RemovedBolts.at(r++));
                else if (j < bolts.size())
                    whole.append(bolts.at(j++));
            }
            bolts = std::move(whole);
        }
    }
    auto pick = [forward](const auto& change) { return forward ? change->New : change->Old; };
    if (step.AppliedLoad)
        Model.AppliedLoad = pick(step.AppliedLoad);
    Model.UpdateLoadApplied();
    if (step.AnalysisTitle)
        Model.AnalysisTitle = pick(step.AnalysisTitle);
    if (step.LoadCaseTitle)
        Model.LoadCaseTitle = pick(step.LoadCaseTitle);
    if (step.NisaLoadCaseId)
        Model.NisaLoadCaseId = pick(step.NisaLoadCaseId);
    if (step.Selection)
        Model.SelectedBolts = pick(step.Selection);
    Model.PruneSelection();
    if (step.CopyMoveValues && CopyMoveValues)
        *CopyMoveValues = pick(step.CopyMoveValues);
}

void TBoltGroupHistory::Undo() {
    Pending = false;
    Stack.undo();
    Model.DataSaved = Stack.isClean();
}

void TBoltGroupHistory::Redo() {
    Pending = false;
    Stack.redo();
    Model.DataSaved = Stack.isClean();
}

void TBoltGroupHistory::Clear() {
    Pending = false;
    Before = TState();
    Stack.clear();
    Stack.setClean();
}

qint64 TBoltGroupHistory::MemoryUsed() const {
    qint64 bytes = 0;
    for (int i = 0; i < Stack.count(); ++i)
        bytes += static_cast<const TStepCommand*>(Stack.command(i))->Data().Bytes();
    return bytes;
}
