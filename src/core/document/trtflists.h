#pragma once

#include "trtfstate.h"

#include <QByteArrayView>
#include <QHash>
#include <QTextListFormat>
#include <vector>

class QTextCursor;
class QTextList;

// The lists a document's paragraphs are joining while rich text is read, by level: for each
// list of the list table (\lsN), and under 0 for paragraph numbering, which only paragraphs
// right after each other share.
struct TRtfOpenLists {
    struct TLevels {
        QTextList* Lists[9] = {};
        TRtfListStyle Styles[9];
    };
    QHash<int, TLevels> Owners;
    bool PreviousWasNumbered = false;
};

// The lists of rich text: the list table (\listtable, \listoverridetable) with each list's
// levels, the list style a paragraph takes from it or from its own numbering (\pn), the
// joining of paragraphs into the document's lists, and the numbering rules of lists and notes.
class TRtfLists {
public:
    // The list table as it is read; false when it holds as many as it may.
    bool AddList();
    bool AddLevel();
    void SetListId(int id);
    void SetLevelKind(int nfc);
    void SetLevelText(const QString& levelText);
    bool AddOverride();
    void SetOverrideListId(int id);
    void SetOverrideNumber(int number);

    // The style of a paragraph's number: its list's level, or its own paragraph numbering.
    TRtfListStyle StyleOf(const TRtfParaProps& props) const;
    // Puts the cursor's paragraph into the list of its level, so that a list numbers on
    // across other paragraphs and after a nested list, while a nested list starts anew after
    // a paragraph of a higher level; paragraph numbering goes on only from the paragraph right
    // before.
    void Join(TRtfOpenLists& open, QTextCursor& cursor, const TRtfParaProps& props) const;

    static constexpr int MaxLevels = 9;

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

private:
    struct TDefinition {
        int Id = 0;
        std::vector<TRtfListStyle> Levels;
    };
    struct TOverride {
        int ListId = 0;
        int Number = 0;
    };
    TRtfListStyle Resolve(const TRtfParaProps& props) const;

    std::vector<TDefinition> Definitions;
    std::vector<TOverride> Overrides;
    mutable QHash<quint64, TRtfListStyle> Styles;
};
