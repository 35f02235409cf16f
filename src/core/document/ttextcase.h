#pragma once

#include <QString>

class QTextCursor;

// Changing the case of a selection: upper case, lower case or initial capitals.
class TTextCase {
public:
    enum TMode { Upper = 0, Lower = 1, InitialCapitals = 2 };

    // The text in the mode. For initial capitals a character goes to lower case after one of
    // the 52 letters a-z and A-Z, and to upper case otherwise; an apostrophe right after such a
    // letter counts as one, so "don't" gives "Don't" rather than "Don'T". The preceding text
    // is what stands before the text in the document (its last two characters matter); empty
    // at the start of the document. Characters without case stay; the length never changes.
    static QString Convert(const QString& text, int mode, const QString& preceding = QString());

    // Changes the case of the selection in place, keeping every character's format, as one
    // undoable edit; the selection stays as it was. Nothing without a selection.
    static void Apply(QTextCursor& selection, int mode);

    // One of the 52 letters a-z, A-Z.
    static bool IsLetter(QChar c);
};
