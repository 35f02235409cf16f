#include "tdecimalcommafields.h"

#include <QList>
#include <algorithm>

namespace {

// What the writer put in a field: a co-ordinate (fixed point with four decimals), another real
// value (general form) or a whole number.
enum class TSlot { Fixed, General, Whole };

constexpr TSlot BoltSlots[8] = {TSlot::Fixed,   TSlot::Fixed,   TSlot::Fixed, TSlot::General,
                                TSlot::General, TSlot::General, TSlot::Whole, TSlot::Whole};
constexpr TSlot LoadSlots[8] = {TSlot::General, TSlot::General, TSlot::General, TSlot::General,
                                TSlot::General, TSlot::General, TSlot::Whole,   TSlot::Whole};

// No written value has more fields than two for every slot.
constexpr int MaxFields = 16;

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool IsDigits(QStringView t) { return !t.isEmpty() && std::all_of(t.begin(), t.end(), IsDigit); }

// Digits with an optional minus sign.
bool IsWhole(QStringView t) {
    return IsDigits(t.startsWith(QLatin1Char('-')) ? t.mid(1) : t);
}

// "E" and a whole exponent, as the writer's exponent form ends.
bool IsExponent(QStringView t) {
    return t.startsWith(QLatin1Char('E')) && IsWhole(t.mid(1));
}

// One digit before the point of the exponent form, 1 to 9, with an optional minus sign.
bool IsLeadingDigit(QStringView t) {
    if (t.startsWith(QLatin1Char('-')))
        t = t.mid(1);
    return t.size() == 1 && t[0] >= QLatin1Char('1') && t[0] <= QLatin1Char('9');
}

// The exponent form without decimals ("1E20", "-5E-7").
bool IsBareExponentForm(QStringView t) {
    const qsizetype e = t.indexOf(QLatin1Char('E'));
    return e > 0 && IsLeadingDigit(t.left(e)) && IsExponent(t.mid(e));
}

bool IsNonFinite(QStringView t) {
    return t == QLatin1StringView("NAN") || t == QLatin1StringView("INF") ||
           t == QLatin1StringView("-INF");
}

// The field is a whole value of the slot by itself.
bool IsSingle(TSlot slot, QStringView t) {
    switch (slot) {
    case TSlot::Whole:
        return IsWhole(t);
    case TSlot::Fixed:
        return IsBareExponentForm(t) || IsNonFinite(t);
    case TSlot::General:
        return IsWhole(t) || IsBareExponentForm(t) || IsNonFinite(t);
    }
    return false;
}

// The two fields are the whole part and the decimals of one value of the slot. Decimals never
// end in a zero, except the four of a co-ordinate.
bool IsSplit(TSlot slot, QStringView whole, QStringView decimals) {
    if (slot == TSlot::Whole)
        return false;
    const qsizetype e = decimals.indexOf(QLatin1Char('E'));
    if (e >= 0) {
        return IsLeadingDigit(whole) && IsDigits(decimals.left(e)) &&
               decimals[e - 1] != QLatin1Char('0') && IsExponent(decimals.mid(e));
    }
    if (!IsWhole(whole) || !IsDigits(decimals))
        return false;
    return slot == TSlot::Fixed ? decimals.size() == 4 : !decimals.endsWith(QLatin1Char('0'));
}

// The value's fields joined into the eight values of the kinds given, each value's whole part and
// decimals joined by a full stop; no value unless there is exactly one way to do so.
std::optional<QString> Rewrite(QStringView value, const TSlot (&kinds)[8]) {
    const QList<QStringView> fields = value.split(QLatin1Char(','));
    const int n = int(fields.size());
    if (n > MaxFields)
        return std::nullopt;
    // ways[i][s]: the ways (0, 1 or "2 or more") in which fields i onwards make values s onwards.
    int ways[MaxFields + 1][9] = {};
    ways[n][8] = 1;
    for (int i = n - 1; i >= 0; --i) {
        for (int s = 7; s >= 0; --s) {
            int w = 0;
            if (IsSingle(kinds[s], fields[i]))
                w += ways[i + 1][s + 1];
            if (i + 1 < n && IsSplit(kinds[s], fields[i], fields[i + 1]))
                w += ways[i + 2][s + 1];
            ways[i][s] = std::min(w, 2);
        }
    }
    if (ways[0][0] != 1)
        return std::nullopt;
    QString out;
    int i = 0;
    for (int s = 0; s < 8; ++s) {
        if (s > 0)
            out += QLatin1Char(',');
        out += fields[i];
        if (IsSingle(kinds[s], fields[i]) && ways[i + 1][s + 1] > 0) {
            ++i;
        } else {
            out += QLatin1Char('.');
            out += fields[i + 1];
            i += 2;
        }
    }
    return out;
}

bool HasMoreThanEightFields(QStringView value) {
    return !value.contains(QLatin1Char('.')) && value.count(QLatin1Char(',')) >= 8;
}

} // namespace

bool TDecimalCommaFields::IsDecimalCommaBolt(QStringView value) {
    if (!HasMoreThanEightFields(value))
        return false;
    const qsizetype first = value.indexOf(QLatin1Char(','));
    const qsizetype second = value.indexOf(QLatin1Char(','), first + 1);
    return IsSplit(TSlot::Fixed, value.left(first), value.mid(first + 1, second - first - 1));
}

bool TDecimalCommaFields::IsDecimalCommaLoad(QStringView value) {
    return HasMoreThanEightFields(value);
}

std::optional<QString> TDecimalCommaFields::BoltFields(QStringView value) {
    return Rewrite(value, BoltSlots);
}

std::optional<QString> TDecimalCommaFields::LoadFields(QStringView value) {
    return Rewrite(value, LoadSlots);
}
