#pragma once

#include <QByteArray>
#include <QHash>
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
    // Whether numbers are put together from the stamps of their characters: each glyph drawn at
    // the whole pixel at or before its place, which the text layout gives for the classes of the
    // number's characters, as the painter draws unantialiased text. This is checked against the
    // painter once, for every pair of characters and every digit at every place a number can
    // give it, and only when every check matches are numbers composed; otherwise each number is
    // drawn by the painter.
    bool ComposesNumbers();

    // When numbers are not composed, numbers up to this are kept once drawn; larger ones are
    // drawn afresh each time, those that PrepareLabels named in batches as the plot reaches
    // them in the same order.
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
    static void Stamp(QImage& image, qint64 left, qint64 top, const quint16* offsets,
                      size_t count, QRgb colour);
    bool PrepareText();
    bool PrepareCharacters();
    bool ComposedMatches(const QStringList& texts);
    // Glyph places in 64ths of a pixel and the width of the white cell of a text.
    struct TPlaces {
        int Place[16] = {};
        int Width = 0;
    };
    const TPlaces* Places(const char* text, int length);
    void ComposeText(QImage& image, qint64 left, qint64 top, const char* text, int length,
                     const TPlaces& places) const;
    bool ComposeLabel(QImage& image, int left, int top, const char* text, int length);
    void RenderLabels(const qint32* numbers, size_t count, TOffsets& pool, TLabel* labels);
    void RenderTexts(const QString* texts, size_t count, TOffsets& pool, TLabel* labels);
    // The number's white cell, clipped to the picture.
    void FillCell(QImage& image, int left, int top, int width) const;

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
    // Numbers beyond the kept ones that the plot being drawn labels, in its order, drawn by the
    // painter a batch at a time as the plot reaches them.
    std::vector<qint32> Pending;
    size_t PendingNext = 0;
    std::vector<qint32> ChunkNumbers;
    std::vector<TLabel> ChunkLabels;
    size_t ChunkNext = 0;
    TOffsets ChunkPool;
    const TLabel* NextPrepared(qint32 number);
    // The stamps of "0" to "9", "-" and " " and their advances, for composed numbers.
    static constexpr int CharacterCount = 12;
    static int CharacterIndex(char c) { return c == '-' ? 10 : c == ' ' ? 11 : c - '0'; }
    bool CharactersTried = false;
    bool CharactersReady = false;
    TLabel Characters[CharacterCount];
    // The character standing for each character's class: characters of one class have the same
    // advance and the same kerning with every character, so the glyph places of a text depend
    // only on its classes. Places are kept by the classes of a text's characters.
    char ClassOf[CharacterCount] = {};
    QHash<quint64, TPlaces> PlacesByClasses;
    bool LayoutPlaces(const QString& text, TPlaces& places) const;
    TOffsets CharacterPool;
};
