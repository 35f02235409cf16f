#pragma once

#include <QFont>

// The font of the plot's texts, in which the plot draws its angles and the plot stamps their bolt
// numbers: "Arial", 8 points at the screen's 96 dots per inch, drawn without antialiasing.
class TPlotFont {
public:
    static QFont Font();
};
