#pragma once

#include "trtfwords.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QString>
#include <vector>

class TRtfCodePage;

// The font table (\fonttbl: each font's name and the code page of its character set) and the
// colour table (\colortbl) of a rich-text file, as they are read, and what the text looks up
// in them.
class TRtfFontTable {
public:
    explicit TRtfFontTable(TRtfCodePage& codePages) : CodePages(codePages) {}

    // The font table: \fN starts an entry, whose name ends at a ';'.
    void BeginFont(int index, int documentCodePage);
    void SetCharset(int charset);
    void SetCodePage(int codePage);
    void FontBytes(QByteArrayView bytes, int documentCodePage);
    void FontUnit(int unit, int documentCodePage);
    void CommitFont(int documentCodePage);
    void SetDefaultFont(int font) { DefaultFont = font; }

    // The colour table: \redN, \greenN, \blueN, each entry ended by ';'.
    void BeginColours();
    void ColourWord(TRtfWord word, int value);
    void ColourBytes(QByteArrayView bytes);

    // The code page of a font's text (the document's when the font names none); its name.
    int CodePageOfFont(int font, int documentCodePage) const;
    QString FontName(int font) const;
    // The colour of an index; invalid for 0 (automatic) and indexes past the table.
    QColor ColourAt(int index) const;
    const std::vector<QColor>& Colours() const { return ColourList; }

private:
    struct TEntry {
        QString Name;
        int CodePage = 0; // 0: the document's code page
    };
    TRtfCodePage& CodePages;
    int DefaultFont = 0;
    QHash<int, TEntry> Fonts;
    std::vector<QColor> ColourList;
    // The entry being read.
    bool Open = false;
    int Index = 0;
    int CodePage = 0;
    QByteArray NameBytes;
    QString NameText;
    int Red = 0, Green = 0, Blue = 0;
    bool ColourSet = false;
};
