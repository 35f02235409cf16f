#pragma once

#include "spell/tspellcorrections.h"
#include "spell/tspellengine.h"

#include <QStringList>

// Runs a check of the text on the engine, answering each problem with the next decision:
// "R" Replace with the proposal, "R:text" Replace with a typed text, "I" Ignore, "A" Ignore All,
// "D" Add, "X" Exit. Returns the outcome (1 completed, 4 exited); a problem left without a
// decision, or a decision left over, makes the outcome aborted (0).
inline TSpellCorrections RunSpellDecisions(TSpellEngine& engine, const QString& text,
                                           QStringList decisions) {
    engine.SourceText = text;
    engine.PrepareCheck();
    engine.ContinueCheck();
    while (!engine.Complete()) {
        if (decisions.isEmpty())
            return TSpellCorrections::From(engine, 0);
        const QString decision = decisions.takeFirst();
        if (decision == QLatin1String("X")) {
            engine.AcceptRest();
            return TSpellCorrections::From(engine, decisions.isEmpty() ? 4 : 0);
        }
        if (decision == QLatin1String("R"))
            engine.Replace(engine.ProposedReplacement());
        else if (decision.startsWith(QLatin1String("R:")))
            engine.Replace(decision.mid(2));
        else if (decision == QLatin1String("I"))
            engine.Ignore();
        else if (decision == QLatin1String("A"))
            engine.IgnoreAll();
        else if (decision == QLatin1String("D"))
            engine.AddWord();
        engine.ContinueCheck();
    }
    return TSpellCorrections::From(engine, decisions.isEmpty() ? 1 : 0);
}
