#pragma once

#include <QString>

class TMainForm;

// Builds the frame's command surface: the menus with their items, captions, shortcuts, hints
// and help contexts, the tool bars with their buttons and the font boxes, each wired to the
// frame's command handlers.
class TFrameCommands {
public:
    static void CreateMenus(TMainForm* self);
    static void CreateToolBars(TMainForm* self);

private:
    static void CreateFileMenu(TMainForm* self);
    static void CreateEditMenu(TMainForm* self);
    static void CreateOptionsMenu(TMainForm* self);
    static void CreateWindowMenu(TMainForm* self);
    static void CreateHelpMenu(TMainForm* self);
};
