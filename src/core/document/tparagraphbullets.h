#pragma once

class QTextCursor;

// The bullets of the paragraphs a selection touches, as the Bullets command toggles them.
class TParagraphBullets {
public:
    // When the caret's paragraph is in a list, every selected paragraph leaves its list;
    // otherwise every selected paragraph joins one new bulleted list, those already in a list
    // too, so that all items look alike: each takes the caret paragraph's left margin and
    // first-line indent, and its bullet is drawn in the font of the caret paragraph's text.
    // One undoable edit.
    static void Toggle(const QTextCursor& selection);
};
