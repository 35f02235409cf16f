#pragma once

#include <QImage>
#include <QRgb>
#include <QtGlobal>
#include <vector>

// The small shapes the plot draws once per bolt (the disc, the ring and the bolt number on its
// white cell), rendered once by the painter and then copied pixel for pixel wherever a bolt
// stands. A shape at whole-pixel positions is the same wherever it is drawn, so the copies match
// what the painter draws, at a fraction of its cost per bolt; the rotation dial replots large
// groups on every mouse move. Every copy is clipped to the picture.
class TPlotStamps {
public:
    // The shared stamps; the number stamps need the GUI application, without one they draw
    // nothing.
    static TPlotStamps& Instance();

    // The filled ellipse in the 6 by 6 box whose top left pixel is (left, top).
    void DrawDisc(QImage& image, int left, int top, QRgb colour) const;
    // The ellipse outline in the 10 by 10 box whose top left pixel is (left, top).
    void DrawRing(QImage& image, int left, int top, QRgb colour) const;
    // The number followed by one space, black on an opaque white cell whose top left corner is
    // (left, top), as the plot font draws it.
    void DrawLabel(QImage& image, int left, int top, qint32 number);
    // Draws the numbers not yet kept all at once, ahead of a plot that labels them.
    void PrepareLabels(const std::vector<qint32>& numbers);

    // Numbers up to this are kept once drawn; larger ones are drawn afresh each time.
    static constexpr qint32 CachedNumbers = 100'000;

private:
    TPlotStamps();

    // Pixel offsets from the top left corner of the shape, less Margin, packed as (x << 8) | y.
    using TOffsets = std::vector<quint16>;
    struct TLabel {
        quint32 Start = 0;
        quint16 Count = 0;
        quint16 Width = 0;
        bool Ready = false;
    };
    static constexpr int Margin = 4;

    static TOffsets ShapeOffsets(bool filled, int size);
    static void Stamp(QImage& image, int left, int top, const quint16* offsets, size_t count,
                      QRgb colour);
    bool PrepareText();
    void RenderLabels(const qint32* numbers, size_t count, TOffsets& pool, TLabel* labels);

    TOffsets Disc;
    TOffsets Ring;
    bool TextTried = false;
    bool TextReady = false;
    int CellHeight = 0;
    int BandWidth = 0;
    int BandHeight = 0;
    static constexpr int BandsPerScratch = 256;
    QImage Scratch;
    std::vector<TLabel> Labels;
    TOffsets LabelPool;
    TOffsets Uncached;
};
