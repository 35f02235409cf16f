#include "tspellcharacters.h"

namespace {

constexpr bool InSet(char16_t c, const char16_t* set) {
    for (; *set; ++set)
        if (*set == c)
            return true;
    return false;
}

constexpr const char16_t Punctuation[] = u" !\"$%^&*()_+-={}[]:@~;#<>?,./\\|\t\u00A3\u00A9\u00AE";
constexpr const char16_t SentenceEnds[] = u"!?.:";
constexpr const char16_t SentenceStarts[] = u"!?.:\"();-+0123456789{}[]";

static_assert(sizeof(Punctuation) / sizeof(char16_t) == 35 + 1);

// Membership of the first 256 characters, built once: bit 0 punctuation, bit 1 sentence end,
// bit 2 sentence start.
struct TClassTable {
    unsigned char Bits[256] = {};
    constexpr TClassTable() {
        for (int c = 0; c < 256; ++c) {
            if (InSet(char16_t(c), Punctuation))
                Bits[c] |= 1;
            if (InSet(char16_t(c), SentenceEnds))
                Bits[c] |= 2;
            if (InSet(char16_t(c), SentenceStarts))
                Bits[c] |= 4;
        }
    }
};

constexpr TClassTable Table;

inline bool Has(QChar c, unsigned char bit) {
    return c.unicode() < 256 && (Table.Bits[c.unicode()] & bit) != 0;
}

} // namespace

bool TSpellCharacters::IsPunctuation(QChar c) { return Has(c, 1); }

bool TSpellCharacters::IsSentenceEnd(QChar c) { return Has(c, 2); }

bool TSpellCharacters::IsSentenceStart(QChar c) { return Has(c, 4); }

bool TSpellCharacters::ContainsSentenceEnd(QStringView text) {
    for (QChar c : text)
        if (IsSentenceEnd(c))
            return true;
    return false;
}

bool TSpellCharacters::ContainsSentenceStart(QStringView text) {
    for (QChar c : text)
        if (IsSentenceStart(c))
            return true;
    return false;
}
