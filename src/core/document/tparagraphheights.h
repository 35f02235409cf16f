#pragma once

#include <QtGlobal>

#include <vector>

// The heights of a text's paragraphs, by paragraph number, each with its count of lines and a
// mark for a paragraph waiting to be laid out. The paragraphs are held in chunks of about a thousand with a sum tree
// over the chunks, so that finding a paragraph by its height, the height above a paragraph and
// paragraphs added or taken away anywhere all cost about a chunk's length, not the text's.
class TParagraphHeights {
public:
    // The count of paragraphs, all of the height, of one line and waiting.
    void Reset(int count, float height);
    // Every paragraph waiting again, keeping its height.
    void MarkAllWaiting();
    // The paragraphs from first on, removed of them, replaced by added of the height and one
    // line, waiting.
    void Replace(int first, int removed, int added, float height);

    int Count() const { return Paragraphs; }
    double Total() const { return Sum; }
    float Height(int number) const;
    bool Waiting(int number) const;
    void MarkWaiting(int number);
    // Gives the paragraph its laid-out height and lines and takes its mark away.
    void SetLaidOut(int number, float height, int lines = 1);
    // The heights of the paragraphs above the one numbered added up.
    double Above(int number) const;
    // The lines of the paragraphs above the one numbered added up.
    qint64 LinesAbove(int number) const;
    // The paragraph at a height from the top: the last one whose top is no lower.
    int At(double y) const;
    // The first waiting paragraph from the one numbered on; Count() when there is none.
    int NextWaiting(int from) const;

private:
    struct TChunk {
        std::vector<float> Heights;
        std::vector<unsigned char> Waiting;
        std::vector<int> Lines;
        double Sum = 0;
        int Waits = 0;
        qint64 LineSum = 0;
    };
    // The chunk that holds the paragraph and the paragraph's place in it.
    int ChunkOf(int number, int* index) const;
    void Reindex();
    void AddToSum(int chunk, double delta);

    std::vector<TChunk> Chunks;
    // Sum trees over the chunks' heights, paragraph counts and lines.
    std::vector<double> HeightSums;
    std::vector<int> CountSums;
    std::vector<qint64> LineSums;
    int Paragraphs = 0;
    double Sum = 0;
};
