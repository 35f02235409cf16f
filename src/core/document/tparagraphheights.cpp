#include "tparagraphheights.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr int ChunkLength = 1024;

// The largest count of leading entries of a one-based sum tree whose total stays within the
// value, and the rest of the value past them.
template <typename T>
int Descend(const std::vector<T>& sums, T& value) {
    const int size = int(sums.size()) - 1;
    int step = 1;
    while (step * 2 <= size)
        step *= 2;
    int at = 0;
    for (; step > 0; step /= 2) {
        if (at + step <= size && sums[at + step] <= value) {
            at += step;
            value -= sums[at];
        }
    }
    return at;
}

template <typename T>
T Prefix(const std::vector<T>& sums, int count) {
    T sum = 0;
    for (int i = count; i > 0; i -= i & -i)
        sum += sums[i];
    return sum;
}

} // namespace

void TParagraphHeights::Reset(int count, float height) {
    Chunks.clear();
    Chunks.reserve(count / ChunkLength + 1);
    for (int first = 0; first < count; first += ChunkLength) {
        const int length = std::min(ChunkLength, count - first);
        TChunk chunk;
        chunk.Heights.assign(length, height);
        chunk.Waiting.assign(length, 1);
        chunk.Lines.assign(length, 1);
        chunk.Sum = double(height) * length;
        chunk.Waits = length;
        chunk.LineSum = length;
        Chunks.push_back(std::move(chunk));
    }
    Reindex();
}

void TParagraphHeights::MarkAllWaiting() {
    for (TChunk& chunk : Chunks) {
        std::fill(chunk.Waiting.begin(), chunk.Waiting.end(), 1);
        chunk.Waits = int(chunk.Waiting.size());
    }
}

void TParagraphHeights::Reindex() {
    const int size = int(Chunks.size());
    HeightSums.assign(size + 1, 0.0);
    CountSums.assign(size + 1, 0);
    LineSums.assign(size + 1, 0);
    Sum = 0;
    Paragraphs = 0;
    for (int i = 1; i <= size; ++i) {
        const TChunk& chunk = Chunks[i - 1];
        HeightSums[i] += chunk.Sum;
        CountSums[i] += int(chunk.Heights.size());
        LineSums[i] += chunk.LineSum;
        Sum += chunk.Sum;
        Paragraphs += int(chunk.Heights.size());
        const int parent = i + (i & -i);
        if (parent <= size) {
            HeightSums[parent] += HeightSums[i];
            CountSums[parent] += CountSums[i];
            LineSums[parent] += LineSums[i];
        }
    }
}

void TParagraphHeights::AddToSum(int chunk, double delta) {
    Chunks[chunk].Sum += delta;
    Sum += delta;
    for (int i = chunk + 1; i < int(HeightSums.size()); i += i & -i)
        HeightSums[i] += delta;
}

int TParagraphHeights::ChunkOf(int number, int* index) const {
    // The chunks wholly before the paragraph, and its place in the next.
    int rest = number;
    const int chunk = Descend(CountSums, rest);
    *index = rest;
    return chunk;
}

float TParagraphHeights::Height(int number) const {
    int index = 0;
    const int chunk = ChunkOf(number, &index);
    return Chunks[chunk].Heights[index];
}

bool TParagraphHeights::Waiting(int number) const {
    int index = 0;
    const int chunk = ChunkOf(number, &index);
    return Chunks[chunk].Waiting[index];
}

void TParagraphHeights::MarkWaiting(int number) {
    int index = 0;
    TChunk& held = Chunks[ChunkOf(number, &index)];
    if (!held.Waiting[index]) {
        held.Waiting[index] = 1;
        ++held.Waits;
    }
}

void TParagraphHeights::SetLaidOut(int number, float height, int lines) {
    int index = 0;
    const int chunk = ChunkOf(number, &index);
    TChunk& held = Chunks[chunk];
    if (held.Waiting[index]) {
        held.Waiting[index] = 0;
        --held.Waits;
    }
    if (held.Lines[index] != lines) {
        const qint64 delta = qint64(lines) - held.Lines[index];
        held.Lines[index] = lines;
        held.LineSum += delta;
        for (int i = chunk + 1; i < int(LineSums.size()); i += i & -i)
            LineSums[i] += delta;
    }
    if (held.Heights[index] != height) {
        AddToSum(chunk, double(height) - held.Heights[index]);
        held.Heights[index] = height;
    }
}

double TParagraphHeights::Above(int number) const {
    if (number >= Paragraphs)
        return Sum;
    int index = 0;
    const int chunk = ChunkOf(number, &index);
    const std::vector<float>& heights = Chunks[chunk].Heights;
    return Prefix(HeightSums, chunk) + std::accumulate(heights.begin(), heights.begin() + index, 0.0);
}

qint64 TParagraphHeights::LinesAbove(int number) const {
    if (number <= 0)
        return 0;
    if (number >= Paragraphs)
        return Prefix(LineSums, int(Chunks.size()));
    int index = 0;
    const int chunk = ChunkOf(number, &index);
    const std::vector<int>& lines = Chunks[chunk].Lines;
    return Prefix(LineSums, chunk) + std::accumulate(lines.begin(), lines.begin() + index, qint64(0));
}

int TParagraphHeights::At(double y) const {
    if (Paragraphs == 0)
        return 0;
    double rest = y;
    const int chunk = Descend(HeightSums, rest);
    if (chunk >= int(Chunks.size()))
        return Paragraphs - 1;
    int number = Prefix(CountSums, chunk);
    for (const float height : Chunks[chunk].Heights) {
        if (rest < height)
            break;
        rest -= height;
        ++number;
    }
    return std::min(number, Paragraphs - 1);
}

int TParagraphHeights::NextWaiting(int from) const {
    if (from >= Paragraphs)
        return Paragraphs;
    int index = 0;
    int chunk = ChunkOf(std::max(0, from), &index);
    int number = from - index;
    for (; chunk < int(Chunks.size()); ++chunk, index = 0) {
        const TChunk& held = Chunks[chunk];
        if (held.Waits > 0) {
            const auto at = std::find(held.Waiting.begin() + index, held.Waiting.end(), 1);
            if (at != held.Waiting.end())
                return number + int(at - held.Waiting.begin());
        }
        number += int(held.Heights.size());
    }
    return Paragraphs;
}

void TParagraphHeights::Replace(int first, int removed, int added, float height) {
    if (Chunks.empty()) {
        Reset(added, height);
        return;
    }
    int index = 0;
    int chunk = ChunkOf(std::min(first, Paragraphs - 1), &index);
    if (first >= Paragraphs) {
        chunk = int(Chunks.size()) - 1;
        index = int(Chunks[chunk].Heights.size());
    }
    // Taken away, chunk by chunk from the first.
    int left = removed;
    int at = chunk;
    int from = index;
    while (left > 0 && at < int(Chunks.size())) {
        TChunk& held = Chunks[at];
        const int take = std::min(left, int(held.Heights.size()) - from);
        held.Sum -= std::accumulate(held.Heights.begin() + from, held.Heights.begin() + from + take, 0.0);
        held.Waits -= int(std::count(held.Waiting.begin() + from, held.Waiting.begin() + from + take, 1));
        held.LineSum -= std::accumulate(held.Lines.begin() + from, held.Lines.begin() + from + take, qint64(0));
        held.Heights.erase(held.Heights.begin() + from, held.Heights.begin() + from + take);
        held.Waiting.erase(held.Waiting.begin() + from, held.Waiting.begin() + from + take);
        held.Lines.erase(held.Lines.begin() + from, held.Lines.begin() + from + take);
        left -= take;
        ++at;
        from = 0;
    }
    // Added into the first chunk, which is then cut to chunks of the usual length.
    TChunk& target = Chunks[chunk];
    target.Heights.insert(target.Heights.begin() + index, added, height);
    target.Waiting.insert(target.Waiting.begin() + index, added, 1);
    target.Lines.insert(target.Lines.begin() + index, added, 1);
    target.Sum += double(height) * added;
    target.Waits += added;
    target.LineSum += added;
    std::vector<TChunk> pieces;
    if (int(target.Heights.size()) > 2 * ChunkLength) {
        for (std::size_t start = 0; start < target.Heights.size(); start += ChunkLength) {
            const std::size_t end = std::min(target.Heights.size(), start + ChunkLength);
            TChunk piece;
            piece.Heights.assign(target.Heights.begin() + start, target.Heights.begin() + end);
            piece.Waiting.assign(target.Waiting.begin() + start, target.Waiting.begin() + end);
            piece.Lines.assign(target.Lines.begin() + start, target.Lines.begin() + end);
            piece.Sum = std::accumulate(piece.Heights.begin(), piece.Heights.end(), 0.0);
            piece.Waits = int(std::count(piece.Waiting.begin(), piece.Waiting.end(), 1));
            piece.LineSum = std::accumulate(piece.Lines.begin(), piece.Lines.end(), qint64(0));
            pieces.push_back(std::move(piece));
        }
        Chunks.erase(Chunks.begin() + chunk);
        Chunks.insert(Chunks.begin() + chunk, std::make_move_iterator(pieces.begin()),
                      std::make_move_iterator(pieces.end()));
    }
    Chunks.erase(std::remove_if(Chunks.begin(), Chunks.end(), [](const TChunk& c) { return c.Heights.empty(); }),
                 Chunks.end());
    Reindex();
}
