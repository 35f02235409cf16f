#pragma once

#include "tbolt.h"
#include "view/tcopymovevalues.h"

#include <QList>
#include <QString>
#include <QUndoStack>

class TBoltGroupModel;

// The undo history of a bolt group: one step per change of the model. A change is bracketed by
// Begin and Commit; Commit keeps only what the change altered (the bolts changed in place by
// index, the bolts removed with their indexes, the bolts appended at the end, and the load, the
// titles, the selection and the remembered copy and move values when they differ), so that a
// step on a large group costs what it changed, not the group. Undo and Redo restore the model
// and leave the analysis to the caller. The stack's clean index marks the state last saved.
class TBoltGroupHistory {
public:
    explicit TBoltGroupHistory(TBoltGroupModel& model);
    ~TBoltGroupHistory();

    // The copy and move values the steps restore alongside the model; none by default.
    void TrackCopyMoveValues(TCopyMoveValues* values) { CopyMoveValues = values; }

    // Notes the state before a change.
    void Begin();
    // Records the change since Begin as one step named `text` ("Delete Bolts"); a change that
    // altered nothing records nothing. False when there was no Begin.
    bool Commit(const QString& text);
    // Forgets the state noted by Begin (the change was refused or cancelled).
    void Cancel() { Pending = false; }

    bool CanUndo() const { return Stack.canUndo(); }
    bool CanRedo() const { return Stack.canRedo(); }
    QString UndoText() const { return Stack.undoText(); }
    QString RedoText() const { return Stack.redoText(); }
    qint32 Count() const { return qint32(Stack.count()); }
    qint32 Index() const { return qint32(Stack.index()); }
    // Steps the model back or forward; then sets DataSaved from the saved-state mark.
    void Undo();
    void Redo();
    // The current state is the one on disk.
    void SetSaved() { Stack.setClean(); }
    bool AtSavedState() const { return Stack.isClean(); }
    // Forgets every step (another file was read); the state read counts as saved.
    void Clear();
    // The bytes the stored steps hold, roughly.
    qint64 MemoryUsed() const;

    // Applies the difference of `step` backward or forward; used by the stack's commands.
    struct TStep;
    void Apply(const TStep& step, bool forward);

private:
    struct TState {
        QList<TBolt> Bolts;
        TAppliedLoad AppliedLoad;
        QString AnalysisTitle;
        QString LoadCaseTitle;
        QString NisaLoadCaseId;
        QList<qint32> SelectedBolts;
        TCopyMoveValues CopyMoveValues;
    };
    TState Capture() const;
    TBoltGroupModel& Model;
    TCopyMoveValues* CopyMoveValues = nullptr;
    QUndoStack Stack;
    TState Before;
    bool Pending = false;
};
