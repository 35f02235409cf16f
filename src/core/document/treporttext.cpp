#include "treporttext.h"

#include "treportformatter.h"
#include "foundation/tplatformerror.h"
#include "foundation/tsavefile.h"
#include "trtfwriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// The document's own markers (U+FDD0, U+FDD1, U+FFFC, U+2029) become U+FFFD and a carriage
// return a space, as when the report is shown in a document; all in place, since each marker
// and its replacement take three bytes.
void TakeOutMarkers(QByteArray& piece) {
    const char* data = piece.constData();
    const qsizetype size = piece.size();
    if (!memchr(data, '\r', size_t(size)) && !memchr(data, '\xEF', size_t(size)) &&
        !memchr(data, '\xE2', size_t(size)))
        return;
    char* p = piece.data();
    for (qsizetype i = 0; i < size; ++i) {
        const auto b = uchar(p[i]);
        if (b == '\r') {
            p[i] = ' ';
        } else if (i + 2 < size && (b == 0xEF || b == 0xE2)) {
            const auto b1 = uchar(p[i + 1]), b2 = uchar(p[i + 2]);
            const bool marker = (b == 0xEF && b1 == 0xB7 && (b2 == 0x90 || b2 == 0x91)) ||
                                (b == 0xEF && b1 == 0xBF && b2 == 0xBC) ||
                                (b == 0xE2 && b1 == 0x80 && b2 == 0xA9);
            if (marker) {
                p[i] = '\xEF';
                p[i + 1] = '\xBF';
                p[i + 2] = '\xBD';
                i += 2;
            }
        }
    }
}

// UTF-16 code units of UTF-8 text: one for every byte that starts a character, two for one
// beyond the basic plane.
qint64 CodeUnits(const QByteArray& piece) {
    qint64 units = 0;
    for (const char c : piece) {
        const auto b = uchar(c);
        units += (b & 0xC0) != 0x80;
        units += b >= 0xF0;
    }
    return units;
}

} // namespace

TReportText::TReportText(QList<QByteArray> pieces, QStringList titleLines,
                         QStringList subtitleLines, TFontStyles titleStyle,
                         TFontStyles subtitleStyle)
    : Titles(std::move(titleLines)), Subtitles(std::move(subtitleLines)),
      TitleStyleOf(titleStyle), SubtitleStyleOf(subtitleStyle) {
    Pieces.reserve(pieces.size());
    // Where each piece starts in the whole text, for the titles' search.
    std::vector<qint64> pieceStart;
    for (QByteArray& piece : pieces) {
        if (piece.isEmpty())
            continue;
        if (!piece.endsWith('\n'))
            piece.append('\n');
        TakeOutMarkers(piece);
        PieceFirstLine.push_back(qsizetype(LineStart.size()));
        const char* const data = piece.constData();
        const qsizetype size = piece.size();
        for (qsizetype from = 0; from < size;) {
            const auto* end = static_cast<const char*>(memchr(data + from, '\n', size_t(size - from)));
            const qsizetype next = end - data + 1;
            LineStart.push_back(quint32(from));
            Longest = std::max(Longest, next - 1 - from);
            from = next;
        }
        pieceStart.push_back(Bytes);
        Bytes += size;
        Characters += CodeUnits(piece);
        Pieces.append(std::move(piece));
    }
    FindSpans(Titles, TitleStyleOf, 0, pieceStart);
    FindSpans(Subtitles, SubtitleStyleOf, 1, pieceStart);
    std::stable_sort(Spans.begin(), Spans.end(), [](const TFound& a, const TFound& b) {
        return a.Span.Line != b.Span.Line ? a.Span.Line < b.Span.Line : a.Order < b.Order;
    });
}

QByteArrayView TReportText::LineBytes(qsizetype index) const {
    if (index < 0 || index >= qsizetype(LineStart.size()))
        return {};
    const auto piece = qsizetype(std::upper_bound(PieceFirstLine.begin(), PieceFirstLine.end(),
                                                  index) - PieceFirstLine.begin()) - 1;
    const QByteArray& bytes = Pieces.at(piece);
    const qsizetype start = LineStart[size_t(index)];
    const bool lastOfPiece = piece + 1 == qsizetype(PieceFirstLine.size())
                                 ? index + 1 == qsizetype(LineStart.size())
                                 : index + 1 == PieceFirstLine[size_t(piece + 1)];
    const qsizetype end = lastOfPiece ? bytes.size() : qsizetype(LineStart[size_t(index + 1)]);
    return QByteArrayView(bytes).sliced(start, end - 1 - start);
}

QString TReportText::Line(qsizetype index) const { return QString::fromUtf8(LineBytes(index)); }

qsizetype TReportText::LineAt(qsizetype piece, qsizetype offset) const {
    const auto first = LineStart.begin() + PieceFirstLine[size_t(piece)];
    const auto last = piece + 1 < qsizetype(PieceFirstLine.size())
                          ? LineStart.begin() + PieceFirstLine[size_t(piece + 1)]
                          : LineStart.end();
    return qsizetype(std::upper_bound(first, last, quint32(offset)) - LineStart.begin()) - 1;
}

void TReportText::FindSpans(const QStringList& lines, TFontStyles style, int order,
                            const std::vector<qint64>& pieceStart) {
    // Positions are bytes of the whole text; a match never spans a line end, so never a piece.
    auto pieceOf = [&](qint64 position) {
        return qsizetype(std::upper_bound(pieceStart.begin(), pieceStart.end(), position) -
                         pieceStart.begin()) - 1;
    };
    TReportFormatter::FindLines(
        lines,
        [&](const QString& wanted, qsizetype from) -> std::pair<qsizetype, qsizetype> {
            const QByteArray needle = wanted.toUtf8();
            for (qsizetype p = from < Bytes ? pieceOf(from) : Pieces.size(); p < Pieces.size(); ++p) {
                const QByteArray& piece = Pieces.at(p);
                const qsizetype offset = std::max<qint64>(0, from - pieceStart[size_t(p)]);
                const void* found = memmem(piece.constData() + offset, size_t(piece.size() - offset),
                                           needle.constData(), size_t(needle.size()));
                if (found) {
                    const qsizetype start =
                        pieceStart[size_t(p)] + (static_cast<const char*>(found) - piece.constData());
                    return {start, start + needle.size()};
                }
            }
            return {-1, -1};
        },
        [&](qsizetype start, qsizetype end) {
            const qsizetype p = pieceOf(start);
            const qsizetype offset = start - pieceStart[size_t(p)];
            const qsizetype line = LineAt(p, offset);
            const char* lineData = Pieces.at(p).constData() + LineStart[size_t(line)];
            const char* matchData = Pieces.at(p).constData() + offset;
            TSpan span;
            span.Line = line;
            span.Column = int(QString::fromUtf8(lineData, matchData - lineData).size());
            span.Length = int(QString::fromUtf8(matchData, end - start).size());
            span.Style = style;
            Spans.push_back({span, order});
        },
        [] {});
}

QList<TReportText::TSpan> TReportText::SpansOn(qsizetype line) const {
    auto [first, last] = std::equal_range(
        Spans.begin(), Spans.end(), line, [](const auto& a, const auto& b) {
            if constexpr (std::is_same_v<std::decay_t<decltype(a)>, TFound>)
                return a.Span.Line < b;
            else
                return a < b.Span.Line;
        });
    QList<TSpan> spans;
    for (auto it = first; it != last; ++it)
        spans.append(it->Span);
    return spans;
}

QString TReportText::Text(qsizetype fromLine, int fromColumn, qsizetype toLine,
                          int toColumn) const {
    QString text;
    for (qsizetype i = fromLine; i <= toLine && i < LineCount(); ++i) {
        const QString line = Line(i);
        const int start = i == fromLine ? std::min<int>(fromColumn, int(line.size())) : 0;
        const int end = i == toLine ? std::min<int>(toColumn, int(line.size())) : int(line.size());
        text += QStringView(line).sliced(start, std::max(0, end - start));
        if (i != toLine)
            text += QLatin1Char('\n');
    }
    return text;
}

QString TReportText::Text() const {
    QString text;
    text.reserve(qsizetype(Bytes));
    for (const QByteArray& piece : Pieces)
        text += QString::fromUtf8(piece);
    return text;
}

void TReportText::WriteRtf(QIODevice& device, const QFont& font, qsizetype partLines) const {
    // Parts of lines, the last with the empty line that ends the report.
    qsizetype next = 0;
    TRtfWriter::WriteParts(device, [&](QTextDocument& part) {
        if (next >= LineCount())
            return false;
        const qsizetype end = std::min(next + partLines, LineCount());
        TReportFormatter::ShowText(part, Text(next, 0, end - 1, INT_MAX), font);
        QTextCursor cursor(&part);
        for (qsizetype line = next; line < end; ++line) {
            const int start = part.findBlockByNumber(int(line - next)).position();
            for (const TSpan& span : SpansOn(line)) {
                cursor.setPosition(start + span.Column);
                cursor.setPosition(start + span.Column + span.Length, QTextCursor::KeepAnchor);
                TReportFormatter::ApplyStyle(cursor, span.Style);
            }
        }
        next = end;
        return true;
    });
}

void TReportText::WriteRtf(const QString& fileName, const QFont& font) const {
    TSaveFile file(fileName);
    try {
        WriteRtf(file.Device(), font);
    } catch (const TPlatformError& error) {
        file.Fail(errno, error.Text());
    }
    file.Commit();
}

TReportText::TMatch TReportText::Find(qsizetype line, int column, const QString& text,
                                      bool matchCase, bool wholeWord) const {
    if (text.isEmpty() || text.contains(QLatin1Char('\n')))
        return {};
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype i = std::max<qsizetype>(0, line); i < LineCount(); ++i) {
        const QString content = Line(i);
        for (qsizetype at = content.indexOf(text, i == line ? column : 0, cs); at >= 0;
             at = content.indexOf(text, at + 1, cs)) {
            const qsizetype end = at + text.size();
            if (wholeWord && ((at > 0 && content.at(at - 1).isLetterOrNumber()) ||
                              (end < content.size() && content.at(end).isLetterOrNumber())))
                continue;
            return {i, int(at), int(text.size())};
        }
    }
    return {};
}
