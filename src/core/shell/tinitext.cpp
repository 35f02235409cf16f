#include "tinitext.h"

#include <QStringDecoder>
#include <limits>

namespace {

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value as readers see it: without surrounding blanks and without one pair of matching
// quotation marks (single or double) around the whole of it, as hand-written files often have.
QString StoredValue(const QString& text) {
    QString value = text.trimmed();
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

// Bytes that are not UTF-8 come from the Windows code page of Western Europe: Latin-1 with
// printable characters (the euro sign, typographic quotes and dashes) in 0x80 to 0x9F. The
// five bytes that code page leaves unassigned keep their Latin-1 meaning.
QString FromWindowsLatin(QByteArrayView data) {
    static constexpr char16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text = QString::fromLatin1(data);
    for (QChar& c : text) {
        if (c.unicode() >= 0x80 && c.unicode() <= 0x9F)
            c = QChar(High[c.unicode() - 0x80]);
    }
    return text;
}

} // namespace

TIniText TIniText::Parse(const QByteArray& bytes) {
    QByteArrayView data(bytes);
    QString text;
    // A file saved as UTF-16 says so with its byte-order mark.
    const bool utf16le = data.startsWith("\xFF\xFE");
    if (utf16le || data.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(utf16le ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        text = decoder(data.sliced(2));
    } else {
        if (data.startsWith("\xEF\xBB\xBF"))
            data = data.sliced(3);
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        text = decoder(data);
        if (decoder.hasError())
            text = FromWindowsLatin(data);
    }
    // Further marks would come back as a first mark when the text is written and read again.
    qsizetype marks = 0;
    while (marks < text.size() && text[marks] == QChar(0xFEFF))
        ++marks;
    text.remove(0, marks);

    TIniText result;
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        result.Lines.push_back(ParseLine(text.mid(start, end - start)));
        if (end < size && text[end] == QLatin1Char('\r') && end + 1 < size &&
            text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return result;
}

QByteArray TIniText::ToBytes() const {
    QByteArray out;
    for (const TLine& line : Lines) {
        out += line.Text.toUtf8();
        out += "\r\n";
    }
    return out;
}

TIniText::TLine TIniText::ParseLine(const QString& text) {
    TLine line;
    line.Text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            line.Kind = TLineKind::Section;
            line.Name = trimmed.mid(1, close - 1).trimmed();
        }
        return line;
    }
    // A line starting with a semicolon is a comment, whatever it holds.
    if (trimmed.startsWith(QLatin1Char(';')))
        return line;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals >= 0) {
        line.Kind = TLineKind::Entry;
        line.Name = text.left(equals).trimmed();
        line.Value = StoredValue(text.mid(equals + 1));
    }
    return line;
}

QString TIniText::Clean(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return result;
}

TIniText::TLine TIniText::MakeSection(const QString& name) {
    TLine line;
    line.Kind = TLineKind::Section;
    line.Name = Clean(name).trimmed();
    line.Text = QLatin1Char('[') + line.Name + QLatin1Char(']');
    return line;
}

TIniText::TLine TIniText::MakeEntry(const QString& key, const QString& value) {
    TLine line;
    line.Kind = TLineKind::Entry;
    line.Name = Clean(key).trimmed();
    QString written = Clean(value);
    // A value that itself starts and ends with the same quotation mark would lose that pair
    // when read; one more pair around it keeps it whole.
    if (StoredValue(written) != written.trimmed())
        written = QLatin1Char('"') + written.trimmed() + QLatin1Char('"');
    line.Value = StoredValue(written);
    line.Text = line.Name + QLatin1Char('=') + written;
    return line;
}

template <typename TVisit> void TIniText::VisitEntries(const QString& section, TVisit visit) const {
    bool inside = false;
    for (size_t i = 0; i < Lines.size(); ++i) {
        const TLine& line = Lines[i];
        if (line.Kind == TLineKind::Section)
            inside = SameName(line.Name, section);
        else if (inside && line.Kind == TLineKind::Entry && !visit(qsizetype(i)))
            return;
    }
}

qsizetype TIniText::FindEntry(const QString& section, const QString& key) const {
    qsizetype found = -1;
    VisitEntries(section, [&](qsizetype i) {
        if (!SameName(Lines[size_t(i)].Name, key))
            return true;
        found = i;
        return false;
    });
    return found;
}

bool TIniText::SectionExists(const QString& section) const {
    for (const TLine& line : Lines) {
        if (line.Kind == TLineKind::Section && SameName(line.Name, section))
            return true;
    }
    return false;
}

bool TIniText::ValueExists(const QString& section, const QString& key) const {
    return FindEntry(section, key) >= 0;
}

std::optional<QString> TIniText::Value(const QString& section, const QString& key) const {
    const qsizetype i = FindEntry(section, key);
    if (i < 0)
        return std::nullopt;
    return Lines[size_t(i)].Value;
}

QString TIniText::Value(const QString& section, const QString& key,
                        const QString& fallback) const {
    return Value(section, key).value_or(fallback);
}

std::optional<qint32> TIniText::ParseInteger(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+'))) {
        negative = text[0] == QLatin1Char('-');
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(QLatin1Char('$'))) {
        base = 16;
        text = text.mid(1);
    } else if (text.size() > 2 && text[0] == QLatin1Char('0') &&
               (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    // Hexadecimal values are bit patterns: up to eight digits, so that a colour with its top byte
    // set ($FF000000) reads as the negative number it was written from.
    if (base == 16 && text.size() > 8)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        int digit;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = c.unicode() - '0';
        else if (base == 16 && c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            digit = c.unicode() - 'a' + 10;
        else if (base == 16 && c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            digit = c.unicode() - 'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (base == 10 && value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    if (base == 16)
        value = qint32(quint32(value));
    if (negative)
        value = -value;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

qint32 TIniText::IntegerValue(const QString& section, const QString& key, qint32 fallback) const {
    const std::optional<QString> value = Value(section, key);
    if (!value)
        return fallback;
    return ParseInteger(*value).value_or(fallback);
}

bool TIniText::BoolValue(const QString& section, const QString& key, bool fallback) const {
    return IntegerValue(section, key, fallback ? 1 : 0) != 0;
}

QList<TIniEntry> TIniText::Entries(const QString& section) const {
    QList<TIniEntry> result;
    VisitEntries(section, [&](qsizetype i) {
        result.append({Lines[size_t(i)].Name, Lines[size_t(i)].Value});
        return true;
    });
    return result;
}

QStringList TIniText::SectionNames() const {
    QStringList result;
    for (const TLine& line : Lines) {
        if (line.Kind == TLineKind::Section && !result.contains(line.Name, Qt::CaseInsensitive))
            result.append(line.Name);
    }
    return result;
}

void TIniText::SetValue(const QString& section, const QString& key, const QString& value) {
    const qsizetype found = FindEntry(section, key);
    if (found >= 0) {
        TLine& line = Lines[size_t(found)];
        line = MakeEntry(line.Name, value);
        return;
    }
    // The first section of that name takes the new key after its last entry.
    size_t header = Lines.size();
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (Lines[i].Kind == TLineKind::Section && SameName(Lines[i].Name, section)) {
            header = i;
            break;
        }
    }
    if (header == Lines.size()) {
        AppendSection(section, {{key, value}});
        return;
    }
    size_t insertAt = header + 1;
    for (size_t i = header + 1; i < Lines.size() && Lines[i].Kind != TLineKind::Section; ++i) {
        if (Lines[i].Kind == TLineKind::Entry)
            insertAt = i + 1;
    }
    Lines.insert(Lines.begin() + qsizetype(insertAt), MakeEntry(key, value));
}

void TIniText::SetInteger(const QString& section, const QString& key, qint32 value) {
    SetValue(section, key, QString::number(value));
}

void TIniText::SetBool(const QString& section, const QString& key, bool value) {
    SetValue(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniText::DeleteKey(const QString& section, const QString& key) {
    std::vector<TLine> kept;
    kept.reserve(Lines.size());
    bool inside = false;
    for (TLine& line : Lines) {
        if (line.Kind == TLineKind::Section)
            inside = SameName(line.Name, section);
        else if (inside && line.Kind == TLineKind::Entry && SameName(line.Name, key))
            continue;
        kept.push_back(std::move(line));
    }
    Lines = std::move(kept);
}

void TIniText::EraseSection(const QString& section) {
    std::vector<TLine> kept;
    kept.reserve(Lines.size());
    bool inside = false;
    for (TLine& line : Lines) {
        if (line.Kind == TLineKind::Section)
            inside = SameName(line.Name, section);
        if (!inside)
            kept.push_back(std::move(line));
    }
    Lines = std::move(kept);
}

void TIniText::ReplaceSection(const QString& section, const QList<TIniEntry>& entries) {
    EraseSection(section);
    AppendSection(section, entries);
}

void TIniText::AppendSection(const QString& section, const QList<TIniEntry>& entries) {
    // Sections are kept apart by one blank line.
    if (!Lines.empty() && !Lines.back().Text.trimmed().isEmpty())
        Lines.push_back(TLine());
    Lines.push_back(MakeSection(section));
    for (const TIniEntry& entry : entries)
        Lines.push_back(MakeEntry(entry.first, entry.second));
}
