#pragma once

#include <QStringList>
#include <QStringView>

// Counts the words and paragraphs of a text line by line, so that a window can show the
// counts while they grow. Each line is trimmed first: characters up to and including the space
// code go at both ends. A word is a run of characters other than the space character, so a tab
// inside a word does not split it. A paragraph ends where a line that is not empty is followed
// by an empty one, and at the end when the last line is not empty.
class TTextStatistics {
public:
    void AddLine(QStringView line);
    // Counts the paragraph the last line ends; call once after the last line.
    void Finish();

    qint64 Words = 0;
    qint64 Paragraphs = 0;
    qint64 Lines = 0;

    static QStringView Trim(QStringView line);
    static qint64 WordCount(QStringView trimmed);
    // Every line, then Finish.
    static TTextStatistics Count(const QStringList& lines);

private:
    bool PreviousEmpty = true;
};
