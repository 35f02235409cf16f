#include "tplotstamps.h"

#include "tplotfont.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

QRgb Opaque(QRgb colour) { return colour | 0xFF000000u; }

// The black pixels of a part of a scratch image (less than 256 pixels each way) as offsets from
// the part's top left corner, packed as (x << 8) | y.
void CollectInk(const QImage& image, const QRect& part, std::vector<quint16>& out) {
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = part.left(); x <= part.right(); ++x)
            if ((line[x] & 0xFFFFFF) == 0)
                out.push_back(quint16((x - part.left()) << 8 | (y - part.top())));
    }
}

} // namespace

TPlotStamps& TPlotStamps::Instance() {
    static TPlotStamps stamps;
    return stamps;
}

TPlotStamps::TPlotStamps() : Disc(ShapeOffsets(true, 6)), Ring(ShapeOffsets(false, 10)) {}

TPlotStamps::TOffsets TPlotStamps::ShapeOffsets(bool filled, int size) {
    QImage scratch(size + 2 * Margin, size + 2 * Margin, QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black);
        pen.setWidth(1);
        painter.setPen(pen);
        painter.setBrush(filled ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
        // The box without its right column and bottom row, as the plot draws it.
        painter.drawEllipse(QRect(Margin, Margin, size - 1, size - 1));
    }
    TOffsets offsets;
    CollectInk(scratch, scratch.rect(), offsets);
    return offsets;
}

void TPlotStamps::Stamp(QImage& image, qint64 left, qint64 top, const quint16* offsets,
                        size_t count, QRgb colour) {
    Q_ASSERT(image.format() == QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const qsizetype stride = image.bytesPerLine();
    uchar* bits = image.bits();
    const QRgb pixel = Opaque(colour);
    const qint64 originX = left - Margin;
    const qint64 originY = top - Margin;
    for (size_t i = 0; i < count; ++i) {
        const qint64 x = originX + (offsets[i] >> 8);
        const qint64 y = originY + (offsets[i] & 0xFF);
        if (x < 0 || y < 0 || x >= width || y >= height)
            continue;
        reinterpret_cast<QRgb*>(bits + y * stride)[x] = pixel;
    }
}

void TPlotStamps::DrawDisc(QImage& image, int left, int top, QRgb colour) const {
    Stamp(image, left, top, Disc.data(), Disc.size(), colour);
}

void TPlotStamps::DrawRing(QImage& image, int left, int top, QRgb colour) const {
    Stamp(image, left, top, Ring.data(), Ring.size(), colour);
}

bool TPlotStamps::PrepareText() {
    if (TextTried)
        return TextReady;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false; // tried again once there is a GUI application
    TextTried = true;
    const QFontMetrics metrics(TPlotFont::Font());
    CellHeight = metrics.height();
    // Each number is drawn in a band of its own: wide enough for the longest number and its
    // space, with margins for overhanging ink.
    BandWidth = metrics.horizontalAdvance(QStringLiteral("-2147483648 ")) + 2 * Margin;
    BandHeight = CellHeight + 2 * Margin;
    Scratch = QImage(BandWidth, BandHeight * BandsPerScratch, QImage::Format_RGB32);
    Scratch.setDotsPerMeterX(3780);
    Scratch.setDotsPerMeterY(3780);
    TextReady = BandWidth < 256 && BandHeight < 256;
    return TextReady;
}

void TPlotStamps::RenderLabels(const qint32* numbers, size_t count, TOffsets& pool,
                               TLabel* labels) {
    std::vector<QString> texts(count);
    for (size_t k = 0; k < count; ++k)
        texts[k] = QString::number(numbers[k]) + QLatin1Char(' ');
    RenderTexts(texts.data(), count, pool, labels);
}

void TPlotStamps::RenderTexts(const QString* texts, size_t count, TOffsets& pool,
                              TLabel* labels) {
    // Several texts to one painter, each in its own band of the scratch image.
    while (count > 0) {
        const size_t batch = std::min<size_t>(count, BandsPerScratch);
        Scratch.fill(Qt::white);
        {
            QPainter painter(&Scratch);
            painter.setFont(TPlotFont::Font());
            painter.setPen(Qt::black);
            const QFontMetrics metrics = painter.fontMetrics();
            for (size_t k = 0; k < batch; ++k) {
                painter.drawText(QPoint(Margin, int(k) * BandHeight + Margin + metrics.ascent()),
                                 texts[k]);
                labels[k].Width = quint16(metrics.horizontalAdvance(texts[k]));
            }
        }
        for (size_t k = 0; k < batch; ++k) {
            TLabel& label = labels[k];
            label.Start = quint32(pool.size());
            CollectInk(Scratch, QRect(0, int(k) * BandHeight, BandWidth, BandHeight), pool);
            label.Count = quint16(pool.size() - label.Start);
            label.Ready = true;
        }
        texts += batch;
        labels += batch;
        count -= batch;
    }
}

bool TPlotStamps::ComposesNumbers() { return PrepareText() && PrepareCharacters(); }

bool TPlotStamps::LayoutPlaces(const QString& text, TPlaces& places) const {
    if (text.size() > 16)
        return false;
    QTextLayout layout(text, TPlotFont::Font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1)
        return false;
    const QList<QPointF> positions = runs.first().positions();
    if (positions.size() != text.size())
        return false;
    for (qsizetype i = 0; i < positions.size(); ++i) {
        const qreal x = positions[i].x() * 64;
        places.Place[i] = int(std::lround(x));
        if (places.Place[i] != x || places.Place[i] < 0)
            return false;
    }
    places.Width = QFontMetrics(TPlotFont::Font()).horizontalAdvance(text);
    return true;
}

bool TPlotStamps::PrepareCharacters() {
    if (CharactersTried)
        return CharactersReady;
    CharactersTried = true;
    const std::string_view characters = "0123456789- ";
    QString texts[CharacterCount];
    for (int i = 0; i < CharacterCount; ++i)
        texts[i] = QString(QLatin1Char(characters[size_t(i)]));
    // Each character's class: its width alone and the places and widths of every pair it
    // stands in, first or second.
    std::vector<int> signatures[CharacterCount];
    for (int i = 0; i < CharacterCount; ++i) {
        TPlaces places;
        if (!LayoutPlaces(texts[i], places))
            return false;
        signatures[i].push_back(places.Width);
        for (int j = 0; j < CharacterCount; ++j) {
            TPlaces first;
            TPlaces second;
            if (!LayoutPlaces(texts[i] + texts[j], first) ||
                !LayoutPlaces(texts[j] + texts[i], second))
                return false;
            signatures[i].insert(signatures[i].end(),
                                 {first.Place[1], first.Width, second.Place[1], second.Width});
        }
    }
    for (int i = 0; i < CharacterCount; ++i) {
        ClassOf[i] = characters[size_t(i)];
        for (int j = 0; j < i; ++j)
            if (signatures[j] == signatures[i]) {
                ClassOf[i] = ClassOf[j];
                break;
            }
    }
    RenderTexts(texts, CharacterCount, CharacterPool, Characters);
    // Every pair of characters a number and its space can hold, and every digit at every place
    // a number of up to eleven characters gives it, after any number of ones, with and without
    // a minus sign: the places of the glyphs and how a glyph at a fractional place is drawn.
    QStringList checks;
    for (char a : std::string_view("0123456789-"))
        for (char b : std::string_view("0123456789 "))
            if (!(a == '-' && b == ' '))
                checks << QString(QLatin1Char(a)) + QLatin1Char(b) + QLatin1Char(' ');
    for (QLatin1String sign : {QLatin1String(""), QLatin1String("-")})
        for (int place = 0; place <= 10; ++place)
            for (int ones = 0; ones <= place; ++ones)
                for (char digit : std::string_view("0123456789"))
                    checks << sign + QString(ones, QLatin1Char('1')) +
                                  QString(place - ones, QLatin1Char('0')) + QLatin1Char(digit) +
                                  QLatin1Char(' ');
    checks << QStringLiteral("-2147483648 ") << QStringLiteral("2147483647 ");
    quint32 seed = 12345;
    for (int k = 0; k < 500; ++k) {
        seed = seed * 1664525u + 1013904223u;
        checks << QString::number(seed % 2147483647u >> (seed % 28)) + QLatin1Char(' ');
    }
    CharactersReady = ComposedMatches(checks);
    return CharactersReady;
}

const TPlotStamps::TPlaces* TPlotStamps::Places(const char* text, int length) {
    // The key: the length and, four bits each, the class of every character.
    if (length > 15)
        return nullptr;
    quint64 key = quint64(length) << 60;
    for (int i = 0; i < length; ++i)
        key |= quint64(CharacterIndex(ClassOf[CharacterIndex(text[i])])) << (4 * i);
    auto found = PlacesByClasses.constFind(key);
    if (found == PlacesByClasses.constEnd()) {
        QString standing(length, QLatin1Char(' '));
        for (int i = 0; i < length; ++i)
            standing[i] = QLatin1Char(ClassOf[CharacterIndex(text[i])]);
        TPlaces places;
        if (!LayoutPlaces(standing, places))
            return nullptr;
        found = PlacesByClasses.insert(key, places);
    }
    return &found.value();
}

void TPlotStamps::ComposeText(QImage& image, qint64 left, qint64 top, const char* text,
                              int length, const TPlaces& places) const {
    // Each glyph at the whole pixel at or before its place.
    for (int i = 0; i < length; ++i) {
        const TLabel& stamp = Characters[CharacterIndex(text[i])];
        Stamp(image, left + (places.Place[i] >> 6), top, CharacterPool.data() + stamp.Start,
              stamp.Count, qRgb(0, 0, 0));
    }
}

bool TPlotStamps::ComposedMatches(const QStringList& texts) {
    // A batch of texts at a time, each in its own band, drawn by the painter and composed.
    for (qsizetype first = 0; first < texts.size(); first += BandsPerScratch) {
        const int batch = int(std::min<qsizetype>(BandsPerScratch, texts.size() - first));
        Scratch.fill(Qt::white);
        QImage composed = Scratch;
        {
            QPainter painter(&Scratch);
            painter.setFont(TPlotFont::Font());
            painter.setPen(Qt::black);
            const QFontMetrics metrics = painter.fontMetrics();
            for (int k = 0; k < batch; ++k) {
                const QString& text = texts.at(first + k);
                const QByteArray latin = text.toLatin1();
                painter.drawText(QPoint(Margin, k * BandHeight + Margin + metrics.ascent()), text);
                const TPlaces* places = Places(latin.constData(), int(latin.size()));
                if (!places || places->Width != metrics.horizontalAdvance(text))
                    return false;
                ComposeText(composed, Margin, k * BandHeight + Margin, latin.constData(),
                            int(latin.size()), *places);
            }
        }
        if (composed != Scratch)
            return false;
    }
    return true;
}

bool TPlotStamps::ComposeLabel(QImage& image, int left, int top, const char* text,
                               int length) {
    const TPlaces* places = Places(text, length);
    if (!places)
        return false;
    FillCell(image, left, top, places->Width);
    ComposeText(image, left, top, text, length, *places);
    return true;
}

void TPlotStamps::FillCell(QImage& image, int left, int top, int width) const {
    const QRect cell = QRect(left, top, width, CellHeight).intersected(image.rect());
    const QRgb white = Opaque(qRgb(255, 255, 255));
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + cell.left(), line + cell.right() + 1, white);
    }
}

void TPlotStamps::PrepareLabels(const std::vector<qint32>& numbers) {
    if (!PrepareText() || PrepareCharacters())
        return;
    std::vector<qint32> missing;
    for (qint32 number : numbers)
        if (number >= 1 && number <= CachedNumbers &&
            (Labels.size() < size_t(number) || !Labels[size_t(number) - 1].Ready)) {
            if (Labels.size() < size_t(number))
                Labels.resize(size_t(number));
            Labels[size_t(number) - 1].Ready = true; // listed once
            missing.push_back(number);
        }
    std::vector<TLabel> rendered(missing.size());
    RenderLabels(missing.data(), missing.size(), LabelPool, rendered.data());
    for (size_t k = 0; k < missing.size(); ++k)
        Labels[size_t(missing[k]) - 1] = rendered[k];
    Pending.clear();
    for (qint32 number : numbers)
        if (number < 1 || number > CachedNumbers)
            Pending.push_back(number);
    PendingNext = 0;
    ChunkNumbers.clear();
    ChunkNext = 0;
}

const TPlotStamps::TLabel* TPlotStamps::NextPrepared(qint32 number) {
    if (ChunkNext == ChunkNumbers.size() && PendingNext < Pending.size() &&
        Pending[PendingNext] == number) {
        const size_t batch = std::min<size_t>(BandsPerScratch, Pending.size() - PendingNext);
        ChunkNumbers.assign(Pending.begin() + qsizetype(PendingNext),
                            Pending.begin() + qsizetype(PendingNext + batch));
        PendingNext += batch;
        ChunkLabels.assign(batch, TLabel());
        ChunkPool.clear();
        RenderLabels(ChunkNumbers.data(), batch, ChunkPool, ChunkLabels.data());
        ChunkNext = 0;
    }
    if (ChunkNext < ChunkNumbers.size() && ChunkNumbers[ChunkNext] == number)
        return &ChunkLabels[ChunkNext++];
    return nullptr;
}

void TPlotStamps::DrawLabel(QImage& image, int left, int top, qint32 number) {
    if (!PrepareText())
        return;
    if (PrepareCharacters()) {
        char text[16];
        char* end = std::to_chars(text, text + 15, number).ptr;
        *end++ = ' ';
        if (ComposeLabel(image, left, top, text, int(end - text)))
            return;
    }
    const TOffsets* pool = &LabelPool;
    TLabel label;
    if (number >= 1 && number <= CachedNumbers) {
        if (Labels.size() < size_t(number))
            Labels.resize(size_t(number));
        TLabel& cached = Labels[size_t(number) - 1];
        if (!cached.Ready)
            RenderLabels(&number, 1, LabelPool, &cached);
        label = cached;
    } else if (const TLabel* prepared = NextPrepared(number)) {
        label = *prepared;
        pool = &ChunkPool;
    } else {
        Uncached.clear();
        RenderLabels(&number, 1, Uncached, &label);
        pool = &Uncached;
    }
    // The white cell, clipped to the picture, then the glyphs.
    FillCell(image, left, top, label.Width);
    Stamp(image, left, top, pool->data() + label.Start, label.Count, qRgb(0, 0, 0));
}
