#pragma once

#include <QtGlobal>

// Lengths in a text document. The document's layout measures indents, margins, tab stops and
// picture sizes in pixels at the resolution it takes for the screen (printing scales them by
// the printer's resolution over that one), while fonts are sized in points. Rich text measures
// in twips (1/20 point). These conversions keep a length in points drawn as that many points,
// on screen and on paper.
class TDocumentUnits {
public:
    // The dots per inch the layout takes for the screen: the primary screen's logical
    // resolution, 96 when the program asks for 96 throughout, 100 without a screen.
    static int LayoutDpi();
    static qreal PixelsPerPoint() { return LayoutDpi() / 72.0; }
    static qreal PointsToPixels(qreal points) { return points * PixelsPerPoint(); }
    static qreal PixelsToPoints(qreal pixels) { return pixels / PixelsPerPoint(); }
    static qreal TwipsToPixels(int twips) { return twips / 20.0 * PixelsPerPoint(); }
    // Rounded to whole twips, and within +-limit.
    static int PixelsToTwips(qreal pixels, int limit = 31680);
};
