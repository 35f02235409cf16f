#include "tnumberformat.h"

#include <QLocale>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

QChar OverrideSeparator;

// A short ASCII text built without allocations.
struct TAscii {
    char Text[448];
    int Length = 0;
    void Add(char c) { Text[Length++] = c; }
    void Add(const char* p, int n) {
        std::memcpy(Text + Length, p, size_t(n));
        Length += n;
    }
    void AddZeros(int n) {
        for (int k = 0; k < n; ++k)
            Text[Length++] = '0';
    }
};

// Digits and decimal exponent of a value rounded to `digits` significant digits: the value is
// 0.d1d2d3... x 10^Exponent with d1 != 0. Zero gives no digits.
struct TDecimal {
    bool Negative = false;
    char Digits[24]; // trailing zeros removed
    int Count = 0;
    int Exponent = 0; // number of digits before the decimal point
};

TDecimal ToDecimal(double value, int digits) {
    TDecimal d;
    if (value == 0.0)
        return d;
    digits = std::clamp(digits, 1, 17);
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                 digits - 1);
    const char* p = buf;
    const char* end = r.ptr;
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    for (; p < end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && d.Count < int(sizeof d.Digits))
            d.Digits[d.Count++] = *p;
    }
    int exp10 = 0;
    if (p < end && *p == 'e')
        std::from_chars(p + 1 + (p[1] == '+'), end, exp10);
    while (d.Count > 1 && d.Digits[d.Count - 1] == '0')
        --d.Count;
    if (d.Count == 1 && d.Digits[0] == '0')
        return TDecimal();
    d.Exponent = exp10 + 1;
    return d;
}

// Exponent form of a rounded decimal: "d.ddddE[-]x".
void AddExponentForm(TAscii& out, const TDecimal& d) {
    if (d.Negative)
        out.Add('-');
    out.Add(d.Digits[0]);
    if (d.Count > 1) {
        out.Add('.');
        out.Add(d.Digits + 1, d.Count - 1);
    }
    out.Add('E');
    char buf[16];
    const auto r = std::to_chars(buf, buf + sizeof buf, d.Exponent - 1);
    out.Add(buf, int(r.ptr - buf));
}

void AddFixedPoint(TAscii& out, double value) {
    const TDecimal d = ToDecimal(value, 10);
    if (d.Count == 0) {
        out.Add("0.0000", 6);
        return;
    }
    if (d.Exponent > 10) {
        AddExponentForm(out, d);
        return;
    }
    // The (at most 10) significant digits around the decimal point, rounded once more to 4
    // decimals when they reach further.
    const int decimals = std::min(4, 10 - std::max(d.Exponent, 0));
    const int start = out.Length;
    const auto r = std::to_chars(out.Text + start, out.Text + sizeof out.Text - 8, value,
                                 std::chars_format::fixed, std::max(decimals, 0));
    out.Length = int(r.ptr - out.Text);
    if (decimals <= 0)
        out.Add('.');
    out.AddZeros(4 - std::max(decimals, 0));
    // No "-0.0000": a value that rounds to zero has no sign.
    if (out.Text[start] == '-') {
        bool allZero = true;
        for (int k = start + 1; k < out.Length; ++k)
            allZero = allZero && (out.Text[k] == '0' || out.Text[k] == '.');
        if (allZero) {
            std::memmove(out.Text + start, out.Text + start + 1, size_t(out.Length - start - 1));
            --out.Length;
        }
    }
}

void AddGeneral(TAscii& out, double value, int precision) {
    if (std::isnan(value)) {
        out.Add("NAN", 3);
        return;
    }
    if (std::isinf(value)) {
        if (value < 0)
            out.Add('-');
        out.Add("INF", 3);
        return;
    }
    const TDecimal d = ToDecimal(value, precision);
    if (d.Count == 0) {
        out.Add('0');
        return;
    }
    // 0.00001 and above is written plainly: its decimal exponent is -4 or more.
    if (d.Exponent < -4 || d.Exponent > precision) {
        AddExponentForm(out, d);
        return;
    }
    if (d.Negative)
        out.Add('-');
    if (d.Exponent <= 0) {
        out.Add("0.", 2);
        out.AddZeros(-d.Exponent);
        out.Add(d.Digits, d.Count);
    } else if (d.Count <= d.Exponent) {
        out.Add(d.Digits, d.Count);
        out.AddZeros(d.Exponent - d.Count);
    } else {
        out.Add(d.Digits, d.Exponent);
        out.Add('.');
        out.Add(d.Digits + d.Exponent, d.Count - d.Exponent);
    }
}

// Appends the ASCII number with the given decimal separator in place of the point.
void AppendWithSeparator(QString& line, const TAscii& text, QChar sep) {
    const qsizetype start = line.size();
    line.append(QLatin1StringView(text.Text, text.Length));
    if (sep != QLatin1Char('.')) {
        for (qsizetype k = start; k < line.size(); ++k) {
            if (line[k] == QLatin1Char('.'))
                line[k] = sep;
        }
    }
}

QStringView Trimmed(QStringView text) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && (text[b] == QLatin1Char(' ') || text[b] == QLatin1Char('\t')))
        ++b;
    while (e > b && (text[e - 1] == QLatin1Char(' ') || text[e - 1] == QLatin1Char('\t')))
        --e;
    return text.mid(b, e - b);
}

void AppendGeneralWith(QString& line, double value, int precision, QChar sep) {
    TAscii out;
    AddGeneral(out, value, precision);
    AppendWithSeparator(line, out, sep);
}

std::optional<double> ParseRealWith(QStringView text, QChar sep) {
    const QStringView t = Trimmed(text);
    if (t.isEmpty() || t.size() > 400)
        return std::nullopt;
    char buf[512];
    buf[0] = 0;
    qsizetype n = 0;
    for (QChar c : t) {
        char ch;
        if (c == sep)
            ch = '.';
        else if (c.unicode() < 128 && c != QLatin1Char('.'))
            ch = char(c.unicode());
        else
            return std::nullopt;
        // Only digits, one sign, the point and an exponent belong in a number; this also keeps
        // "inf", "nan" and hexadecimal forms out.
        if (!((ch >= '0' && ch <= '9') || ch == '.' || ch == 'e' || ch == 'E' || ch == '+' ||
              ch == '-'))
            return std::nullopt;
        buf[n++] = ch;
    }
    const char* first = buf;
    const char* last = buf + n;
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    if (first == last || !((*first >= '0' && *first <= '9') || *first == '.'))
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

QChar TNumberFormat::DecimalSeparator() {
    if (!OverrideSeparator.isNull())
        return OverrideSeparator;
    static const QChar localeSeparator = [] {
        const QString sep = QLocale::system().decimalPoint();
        return sep.size() == 1 ? sep.at(0) : QLatin1Char('.');
    }();
    return localeSeparator;
}

void TNumberFormat::SetDecimalSeparator(QChar separator) { OverrideSeparator = separator; }

QString TNumberFormat::FormatFixedPoint(double value) {
    QString s;
    AppendFixedPoint(s, value);
    return s;
}

void TNumberFormat::AppendFixedPoint(QString& line, double value) {
    if (!std::isfinite(value)) {
        AppendFileGeneral(line, value);
        return;
    }
    TAscii out;
    AddFixedPoint(out, value);
    AppendWithSeparator(line, out, FileSeparator);
}

QString TNumberFormat::FormatGeneral(double value, int precision) {
    QString s;
    AppendGeneralWith(s, value, precision, DecimalSeparator());
    return s;
}

QString TNumberFormat::FormatFileGeneral(double value) {
    QString s;
    AppendFileGeneral(s, value);
    return s;
}

void TNumberFormat::AppendFileGeneral(QString& line, double value) {
    AppendGeneralWith(line, value, 15, FileSeparator);
}

std::optional<double> TNumberFormat::ParseReal(QStringView text) {
    return ParseRealWith(text, DecimalSeparator());
}

std::optional<double> TNumberFormat::ParseFileReal(QStringView text) {
    return ParseRealWith(text, FileSeparator);
}

double TNumberFormat::ParseFileReal(QStringView text, double fallback) {
    return ParseFileReal(text).value_or(fallback);
}

double TNumberFormat::ParseReal(QStringView text, double fallback) {
    return ParseReal(text).value_or(fallback);
}

std::optional<qint64> TNumberFormat::ParseInteger64(QStringView text) {
    const QStringView t = Trimmed(text);
    if (t.isEmpty() || t.size() > 40)
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    // The magnitude may reach 2^63 (the smallest value); the test comes before the digit is
    // added, so that no value wraps around.
    constexpr quint64 Limit = quint64(1) << 63;
    quint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < '0' || c > '9')
            return std::nullopt;
        const unsigned digit = c - '0';
        if (value > (Limit - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    if (!negative && value > quint64(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return negative ? qint64(0 - value) : qint64(value);
}

std::optional<qint32> TNumberFormat::ParseInteger(QStringView text) {
    const auto v = ParseInteger64(text);
    if (!v || *v < std::numeric_limits<qint32>::min() || *v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*v);
}

qint32 TNumberFormat::ParseInteger(QStringView text, qint32 fallback) {
    return ParseInteger(text).value_or(fallback);
}

namespace {

// The fixed-point text of a finite value with `decimals` decimals, at most 10 significant
// digits and ties rounded away from zero, using "." as the separator; more than 10 digits before
// the separator give the exponent form "d.dddE10". Writes into out (at least 64 + decimals bytes)
// and returns the length.
// The common case exactly and without a decimal conversion: |value| below 10^10 and at most 9
// decimals. The value, a 53-bit integer times a power of two, is scaled by a power of ten in
// 128-bit integers and rounded half away from zero; 0 when the case is not covered.
int FastFixedText(char* out, double value, int decimals) {
    static constexpr double Powers[11] = {1,   1e1, 1e2, 1e3, 1e4, 1e5,
                                          1e6, 1e7, 1e8, 1e9, 1e10};
    static constexpr quint64 IntPowers[11] = {1,           10,           100,        1000,
                                              10000,       100000,       1000000,    10000000,
                                              100000000,   1000000000,   10000000000};
    const double a = std::fabs(value);
    const auto bits = std::bit_cast<quint64>(a);
    const int biased = int(bits >> 52);
    if (!(a < 1e10) || decimals > 9 || biased == 0)
        return 0; // large, many decimals, zero or subnormal: the general path
    int before = 0; // digits before the separator
    while (before < 10 && a >= Powers[before])
        ++before;
    const int scaled = std::min(decimals, 10 - before); // decimals within 10 significant digits
    // a = mantissa * 2^-shift, with shift > 18 as a < 2^34.
    const quint64 mantissa = (bits & ((quint64(1) << 52) - 1)) | (quint64(1) << 52);
    const int shift = 1075 - biased;
    const unsigned __int128 product = (unsigned __int128)mantissa * IntPowers[scaled];
    quint64 q = 0;
    if (shift < 128) {
        q = quint64(product >> shift);
        const unsigned __int128 rest = product & ((((unsigned __int128)1) << shift) - 1);
        if (rest >= (((unsigned __int128)1) << (shift - 1)))
            ++q;
    }
    if (scaled == 0 && q >= IntPowers[10])
        return 0; // rounded up to 11 digits: exponent form
    // The digits of q, and a 0 before the separator when they are all decimals.
    char digits[24];
    int count = int(std::to_chars(digits, digits + 24, q).ptr - digits);
    char* p = out;
    if (value < 0 && q != 0)
        *p++ = '-';
    if (count <= scaled)
        *p++ = '0';
    const int whole = std::max(count - scaled, 0);
    std::memcpy(p, digits, size_t(whole));
    p += whole;
    if (decimals > 0) {
        *p++ = '.';
        for (int i = count; i < scaled; ++i)
            *p++ = '0';
        std::memcpy(p, digits + whole, size_t(count - whole));
        p += count - whole;
        for (int i = scaled; i < decimals; ++i)
            *p++ = '0';
    }
    return int(p - out);
}

int FixedText(char* out, double value, int decimals) {
    if (const int length = FastFixedText(out, value, decimals))
        return length;
    char* p = out;
    auto zero = [&] {
        *p++ = '0';
        if (decimals > 0) {
            *p++ = '.';
            for (int i = 0; i < decimals; ++i)
                *p++ = '0';
        }
        return int(p - out);
    };
    if (value == 0)
        return zero();
    // 17 significant digits identify the double; the rounding below works on them in decimal.
    char sci[48];
    const auto result =
        std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 16);
    *result.ptr = '\0';
    char digits[20];
    digits[0] = '0'; // room for a carry out of the first digit
    digits[1] = sci[0];
    std::memcpy(digits + 2, sci + 2, 16);
    const int exp10 = std::atoi(sci + 19);
    const int keep = std::min(10, exp10 + 1 + decimals); // significant digits kept
    if (keep < 0)
        return zero();
    if (digits[keep + 1] >= '5') {
        int i = keep;
        while (digits[i] == '9')
            digits[i--] = '0';
        ++digits[i];
    }
    int first = 0;
    int before = exp10 + 2; // digits before the separator, counted from digits[0]
    if (digits[0] == '0') {
        first = 1;
        --before;
    }
    const int count = keep + 1 - first; // significant digits from digits[first]
    bool nonZero = false;
    for (int i = 0; i < count; ++i)
        nonZero = nonZero || digits[first + i] != '0';
    if (!nonZero)
        return zero();
    if (value < 0)
        *p++ = '-';
    if (before > 10) {
        int last = count;
        while (last > 1 && digits[first + last - 1] == '0')
            --last;
        *p++ = digits[first];
        if (last > 1) {
            *p++ = '.';
            std::memcpy(p, digits + first + 1, size_t(last - 1));
            p += last - 1;
        }
        *p++ = 'E';
        p += std::snprintf(p, 8, "%d", before - 1);
        return int(p - out);
    }
    auto digitAt = [&](int index) { // index from the first significant digit
        return index >= 0 && index < count ? digits[first + index] : '0';
    };
    if (before <= 0) {
        *p++ = '0';
    } else {
        for (int i = 0; i < before; ++i)
            *p++ = digitAt(i);
    }
    if (decimals > 0) {
        *p++ = '.';
        for (int i = 0; i < decimals; ++i)
            *p++ = digitAt(before + i);
    }
    return int(p - out);
}

} // namespace

void TNumberFormat::AppendFixed(QString& line, double value, int width, int decimals) {
    decimals = std::clamp(decimals, 0, 40);
    if (!std::isfinite(value)) {
        line += PadLeft(FormatGeneral(value), width);
        return;
    }
    char text[128];
    const int length = FixedText(text, value, decimals);
    if (width > length)
        line.resize(line.size() + (width - length), QLatin1Char(' '));
    const qsizetype start = line.size();
    line.append(QLatin1StringView(text, length));
    const QChar separator = DecimalSeparator();
    if (separator != QLatin1Char('.')) {
        for (qsizetype i = start; i < line.size(); ++i) {
            if (line.at(i) == QLatin1Char('.'))
                line[i] = separator;
        }
    }
}

QString TNumberFormat::FormatFixed(double value, int width, int decimals) {
    QString text;
    AppendFixed(text, value, width, decimals);
    return text;
}

QString TNumberFormat::PadLeft(const QString& text, int width) {
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}
