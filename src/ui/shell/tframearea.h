#pragma once

#include <QColor>
#include <QImage>
#include <QMdiArea>

// The frame's document area. While no document window is open it paints the empty-frame
// background itself: 64 horizontal gradient bands, the copyright line and the logo. It also
// tiles and arranges the document windows the way the Window menu asks.
class TFrameArea : public QMdiArea {
    Q_OBJECT
public:
    explicit TFrameArea(QWidget* parent = nullptr);

    // Colours are 0x00BBGGRR.
    quint32 TopColour = 0xFF0000;
    quint32 BottomColour = 0x000000;
    bool ShowCopyright = true;
    bool ShowLogo = true;

    static constexpr int BandCount = 64;
    // Height of each band for an area of that height.
    static int BandHeight(int areaHeight);
    // Colour of band i (0 to 63) between the two ends, as 0x00BBGGRR.
    static quint32 BandColour(quint32 top, quint32 bottom, int band);
    static QColor ToColor(quint32 bgr);
    static QString CopyrightText();

    // Paints the empty background into a painter over an area of the given size.
    void PaintBackground(QPainter& painter, const QSize& size);

    // Tile mode 0 horizontal (windows one above another), 1 vertical (side by side).
    void TileDocuments(int mode);
    // Minimized windows in a row along the bottom.
    void ArrangeIcons();

    // The logo, or a null image when its bitmap cannot be loaded.
    static QImage Logo();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};
