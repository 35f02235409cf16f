#include "tnumberformat.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

QChar OverrideSeparator;

// Digits and decimal exponent of a value rounded to `digits` significant digits: the value is
// 0.d1d2d3... x 10^exponent with d1 != 0. Zero gives no digits.
struct TDecimal {
    bool Negative = false;
    QByteArray Digits; // trailing zeros removed
    int Exponent = 0;  // number of digits before the decimal point
};

TDecimal ToDecimal(double value, int digits) {
    TDecimal d;
    if (value == 0.0)
        return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    const char* p = buf;
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    QByteArray mantissa;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            mantissa += *p;
    }
    int exp10 = 0;
    if (*p == 'e')
        exp10 = std::atoi(p + 1);
    while (mantissa.size() > 1 && mantissa.endsWith('0'))
        mantissa.chop(1);
    if (mantissa == "0")
        return TDecimal();
    d.Digits = mantissa;
    d.Exponent = exp10 + 1;
    return d;
}

QString Localised(QByteArray text) {
    const QChar sep = TNumberFormat::DecimalSeparator();
    QString s = QString::fromLatin1(text);
    if (sep != QLatin1Char('.'))
        s.replace(QLatin1Char('.'), sep);
    return s;
}

// Exponent form of a rounded decimal: "d.ddddE[-]x".
QByteArray ExponentForm(const TDecimal& d) {
    QByteArray out;
    if (d.Negative)
        out += '-';
    out += d.Digits.at(0);
    if (d.Digits.size() > 1) {
        out += '.';
        out += d.Digits.mid(1);
    }
    out += 'E';
    out += QByteArray::number(d.Exponent - 1);
    return out;
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
    if (!std::isfinite(value))
        return FormatGeneral(value);
    const TDecimal d = ToDecimal(value, 10);
    if (d.Digits.isEmpty())
        return Localised("0.0000");
    if (d.Exponent > 10)
        return Localised(ExponentForm(d));
    // Place the (at most 10) significant digits around the decimal point, then round once more
    // to 4 decimals when the significant digits reach further.
    const int decimals = std::min(4, 10 - std::max(d.Exponent, 0));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", std::max(decimals, 0), value);
    QByteArray out(buf);
    if (decimals <= 0)
        out += '.';
    const qsizetype point = out.indexOf('.');
    const qsizetype have = out.size() - point - 1;
    out.append(QByteArray(4 - have, '0'));
    // No "-0.0000": a value that rounds to zero has no sign.
    if (out.startsWith('-') && out.count('0') == out.size() - 2)
        out.remove(0, 1);
    return Localised(out);
}

QString TNumberFormat::FormatGeneral(double value, int precision) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const TDecimal d = ToDecimal(value, precision);
    if (d.Digits.isEmpty())
        return QStringLiteral("0");
    // 0.00001 and above is written plainly: its decimal exponent is -4 or more.
    if (d.Exponent < -4 || d.Exponent > precision)
        return Localised(ExponentForm(d));
    QByteArray out;
    if (d.Negative)
        out += '-';
    if (d.Exponent <= 0) {
        out += "0.";
        out += QByteArray(-d.Exponent, '0');
        out += d.Digits;
    } else if (d.Digits.size() <= d.Exponent) {
        out += d.Digits;
        out += QByteArray(d.Exponent - d.Digits.size(), '0');
    } else {
        out += d.Digits.left(d.Exponent);
        out += '.';
        out += d.Digits.mid(d.Exponent);
    }
    return Localised(out);
}

std::optional<double> TNumberFormat::ParseReal(QStringView text) {
    const QStringView t = Trimmed(text);
    if (t.isEmpty() || t.size() > 400)
        return std::nullopt;
    const QChar sep = DecimalSeparator();
    char buf[512];
    qsizetype n = 0;
    for (QChar c : t) {
        char ch;
        if (c == sep)
            ch = '.';
        else if (c.unicode() < 128 && c != QLatin1Char('.'))
            ch = char(c.unicode());
        else if (c == QLatin1Char('.') && sep == QLatin1Char('.'))
            ch = '.';
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
    quint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > quint64(1) << 63)
            return std::nullopt;
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
