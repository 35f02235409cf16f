#pragma once

#include <QString>

class TBaseForm;
class TMainForm;

// Builds the frame's command surface: the menus with their items, captions, shortcuts, hints
// and help contexts, the tool bars with their buttons and the font boxes, each wired to the
// frame's command handlers; and keeps the commands in step with the active document.
class TFrameCommands {
public:
    static void CreateMenus(TMainForm* self);
    static void CreateToolBars(TMainForm* self);
    // The frame's tick for the active document (nullptr for none): which items and buttons are
    // enabled, visible and pressed, and what the font boxes show; the tool bars' minimum widths
    // once a second.
    static void UpdateCommands(TMainForm* self, TBaseForm* d, bool everySecond);

private:
    static void CreateFileMenu(TMainForm* self);
    static void CreateEditMenu(TMainForm* self);
    static void CreateOptionsMenu(TMainForm* self);
    static void CreateWindowMenu(TMainForm* self);
    static void CreateHelpMenu(TMainForm* self);
    static void SetDocumentControlsEnabled(TMainForm* self, bool enabled);
    // Undo and Redo, items and button: enabled while the document has something to undo or redo,
    // the items naming it.
    static void UpdateUndoRedo(TMainForm* self, TBaseForm* d);
};
