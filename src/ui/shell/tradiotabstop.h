#pragma once

class QButtonGroup;

// A radio group is one Tab stop: Tab reaches it at its checked button (the first when none is
// checked), and the arrow keys move the choice within it.
class TRadioTabStop {
public:
    // Keeps the group's Tab stop on its checked button from now on.
    static void Attach(QButtonGroup* group);
};
