#pragma once

#include <QList>
#include <QString>
#include <QTextOption>

// The formatting state the rich-text reader keeps for each group: what a character and a
// paragraph look like, and the list style a paragraph's number takes.

enum class TRtfListKind : quint8 { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

// How a list level numbers its paragraphs. Explicit says that the file gave the text around
// the number; otherwise the document's default (a "." after it) stands.
struct TRtfListStyle {
    TRtfListKind Kind = TRtfListKind::None;
    QString Before;
    QString After;
    bool Explicit = false;
    bool operator==(const TRtfListStyle&) const = default;
};

// How notes are numbered (\ftnn..., \aftnn...); Symbols is *, †, ‡, §, then doubled.
enum class TRtfNoteNumbering : quint8 { Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman, Symbols };

struct TRtfCharProps {
    int Font = -1; // -1: the default font
    int HalfPoints = 24;
    int Colour = 0;
    int Highlight = 0;
    // The link the text belongs to: 1 + its index among the reader's link addresses; 0 none.
    int Link = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    // Hidden text (\v) is left out: the document cannot hide part of a paragraph.
    bool Hidden = false;
    quint8 Script = 0; // 0 normal, 1 superscript, 2 subscript
    bool operator==(const TRtfCharProps&) const = default;
};

struct TRtfParaProps {
    int Alignment = 0; // 0 left, 1 centre, 2 right, 3 justify
    int Left = 0;      // twips
    int Right = 0;
    int First = 0;
    int Before = 0;
    int After = 0;
    TRtfListStyle Pn;
    int ListOverride = 0;
    int ListLevel = 0;
    // Tab stops, positions in twips; the type of the next stop until its position is read.
    QList<QTextOption::Tab> Tabs;
    QTextOption::TabType NextTabType = QTextOption::LeftTab;
    // The table nesting level of the paragraph: \intbl, \itapN; 0 outside tables.
    bool InTable = false;
    int Nesting = 0;
    int Level() const { return InTable ? qMax(Nesting, 1) : Nesting; }
    bool operator==(const TRtfParaProps&) const = default;
};
