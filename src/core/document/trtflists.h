#pragma once

#include "trtfstate.h"

#include <QByteArrayView>
#include <QTextListFormat>

// The numbering rules of lists and notes in rich text: list level formats (\levelnfc), the text
// around a number (\leveltext, \pntxtb, \pntxta) and the numbers of notes.
class TRtfLists {
public:
    static TRtfListKind KindOfNfc(int nfc);
    static QTextListFormat::Style StyleOfKind(TRtfListKind kind);
    // The text of note number n (from 1) as the document numbers its notes. Letters repeat
    // (a ... z, aa ... zz, ...) and symbols double, up to 16 of them; Roman numbers go up to
    // 3999, and larger numbers are written in digits.
    static QString NoteNumberText(int n, TRtfNoteNumbering numbering);
    static TRtfNoteNumbering NumberingOfWord(QByteArrayView word);
    // The text before or after a list number as the document keeps it: short, printable,
    // without the ";" that ends a level's text in a file.
    static QString NumberText(QStringView text);
    // The text around the number in a list level's text: its first character is the length,
    // and characters 0 to 8 stand for the numbers of the levels; a ";" ends it.
    static void ReadLevelText(QString levelText, TRtfListStyle& style);
};
