#pragma once

#include <QByteArray>
#include <QtGlobal>

// Line ends as every reader of the program takes them: CR LF, a lone CR and a lone LF each end
// one line. A final line without an end counts as a line; a final line end starts no further
// line.
namespace TLineEnds {

// How many line ends the bytes hold.
qint64 Count(const QByteArray& bytes);

// Calls line(start, length) for each line of the characters from begin to end, in order, the
// line ends left out. Char is char or QChar.
template <typename Char, typename Line> void Split(const Char* begin, const Char* end, Line line) {
    const Char cr = Char(u'\r');
    const Char lf = Char(u'\n');
    const Char* start = begin;
    const Char* p = begin;
    while (p < end) {
        const Char c = *p;
        if (c == cr || c == lf) {
            line(start, qsizetype(p - start));
            if (c == cr && p + 1 < end && p[1] == lf)
                ++p;
            start = ++p;
        } else {
            ++p;
        }
    }
    if (start < end)
        line(start, qsizetype(end - start));
}

} // namespace TLineEnds
