#pragma once

#include "model/tbolt.h"

#include <QString>

// One load case of a load-case table: its title and the load, forces and the point where it
// acts. A case read without a point acts at the analysis data file's applied-load point.
struct TLoadCase {
    QString Title;
    TAppliedLoad Load;
    // Whether the table gave the point (X, Y, Z) of the load.
    bool HasPosition = false;
};
