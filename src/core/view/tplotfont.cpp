#include "tplotfont.h"

QFont TPlotFont::Font() {
    QFont font(QStringLiteral("Arial"));
    // 8 points at 96 dots per inch, rounded to whole pixels.
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    // Whole-pixel advances: without them the one-bit glyphs of a small font land on rounded
    // fractional places, and a number such as 90 shows a gap inside it.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
