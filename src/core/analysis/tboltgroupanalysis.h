#pragma once

class TBoltGroupModel;
class TLineBuffers;

// The two analysis steps of a bolt group, each with its status texts, hourglass and Busy flag,
// run after every change of the model: the unit loads with the first half of the report, then
// the loads of the load case with the second half. The report is written to the line buffers.
class TBoltGroupAnalysis {
public:
    // Runs the unit-load analysis when the group has more than 2 bolts and a load, and writes
    // the first half of the report; otherwise shows "Not Enough Bolts" or "No Applied Load" and
    // changes nothing else. A zero divisor throws TPlatformError and leaves the previous results
    // and report; UnitLoadsCalculated is true only after a run that finished.
    static void CalculateUnitLoads(TBoltGroupModel& model, TLineBuffers& buffers);
    // Scales the unit loads by the applied load, writes the second half of the report and shows
    // the finished report; does nothing more when the unit loads were not calculated.
    static void CalculateActualLoads(TBoltGroupModel& model, TLineBuffers& buffers);
    // Why the analysis cannot run: "No Applied Load", "Not Enough Bolts", or empty when it can.
    static const char* Refusal(const TBoltGroupModel& model);
};
