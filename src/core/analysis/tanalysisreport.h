#pragma once

#include "document/tlinebuffers.h"
#include "model/tboltgroupmodel.h"
#include "tloadcase.h"
#include "tunitloadworkings.h"

class TLoadCaseEnvelope;

// The analysis report: a fixed-layout, column-aligned listing of the model, every intermediate
// quantity of the unit-load analysis, the unit loads and the loads of the load case, collected
// line by line in the output lines, with the lines to be styled registered as titles and
// subtitles. It is written in two halves, each after its calculation.
class TAnalysisReport {
public:
    // Empties the document and the line buffers and writes the model and the unit-load analysis,
    // up to the table of r^2 components.
    static void WriteUnitLoadReport(const TBoltGroupModel& model, const TUnitLoadWorkings& workings,
                                    TLineBuffers& buffers);
    // Appends the load case and its bolt loads, shows the finished report, styles it and frees
    // the line buffers.
    static void WriteActualLoadReport(const TBoltGroupModel& model, TLineBuffers& buffers);

    // Appends, to line buffers that exist, the envelope of many load cases (each bolt's largest
    // resultant, axial tension, axial compression and shear load with the numbers of the cases
    // that give them) and the list of the cases, with their titles registered as titles.
    static void WriteLoadCaseReport(const TBoltGroupModel& model, const QList<TLoadCase>& cases,
                                    const TLoadCaseEnvelope& envelope, TLineBuffers& buffers);

    // The subtitle written when the balance took a hundred iterations or more.
    static QString SlowConvergenceLine(int iterations);
    // The subtitle under it when the balance steps ran out, by how the balance was completed;
    // empty when they did not run out.
    static QString CompletionLine(const TUnitLoadWorkings& workings);
};
