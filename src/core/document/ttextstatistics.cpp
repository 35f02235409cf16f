#include "ttextstatistics.h"

QStringView TTextStatistics::Trim(QStringView line) {
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && line.at(start).unicode() <= u' ')
        ++start;
    while (end > start && line.at(end - 1).unicode() <= u' ')
        --end;
    return line.sliced(start, end - start);
}

qint64 TTextStatistics::WordCount(QStringView trimmed) {
    qint64 words = 0;
    bool inWord = false;
    for (const QChar c : trimmed) {
        const bool space = c == u' ';
        if (!space && !inWord)
            ++words;
        inWord = !space;
    }
    return words;
}

void TTextStatistics::AddLine(QStringView line) {
    const QStringView trimmed = Trim(line);
    const bool empty = trimmed.isEmpty();
    if (Lines > 0 && !PreviousEmpty && empty)
        ++Paragraphs;
    Words += WordCount(trimmed);
    PreviousEmpty = empty;
    ++Lines;
}

void TTextStatistics::Finish() {
    if (Lines > 0 && !PreviousEmpty)
        ++Paragraphs;
}

TTextStatistics TTextStatistics::Count(const QStringList& lines) {
    TTextStatistics statistics;
    for (const QString& line : lines)
        statistics.AddLine(line);
    statistics.Finish();
    return statistics;
}
