#pragma once

class QWidget;

// Places a window in the middle of the primary screen's free area, at the size it has now.
class TScreenCentre {
public:
    static void Place(QWidget* window);
};
