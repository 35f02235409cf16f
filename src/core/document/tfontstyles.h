#pragma once

#include <QtGlobal>

// Font styles by bit number, the tags that style menu items and buttons carry.
enum class TFontStyle : int { Bold = 0, Italic = 1, Underline = 2, StrikeOut = 3 };

// A set of font styles {bold, italic, underline, strikeout}.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
        for (TFontStyle s : styles)
            Bits |= Bit(s);
    }
    static constexpr TFontStyles FromBits(quint8 bits) {
        TFontStyles s;
        s.Bits = bits & 0x0F;
        return s;
    }
    constexpr quint8 ToBits() const { return Bits; }
    constexpr bool Has(TFontStyle s) const { return (Bits & Bit(s)) != 0; }
    constexpr void Include(TFontStyle s) { Bits |= Bit(s); }
    constexpr void Exclude(TFontStyle s) { Bits &= quint8(~Bit(s)); }
    constexpr void Toggle(TFontStyle s) { Bits ^= Bit(s); }
    constexpr bool IsEmpty() const { return Bits == 0; }
    constexpr bool operator==(const TFontStyles&) const = default;

private:
    static constexpr quint8 Bit(TFontStyle s) { return quint8(1u << int(s)); }
    quint8 Bits = 0;
};
