#pragma once

#include <QChar>
#include <QStringView>

// The character classes of the spell checker. The punctuation set is shared by the dictionary
// import (every character of it is removed from an imported word) and by the checking engine
// (it is stripped from the edges of a token). The apostrophe is not punctuation, so "don't" stays
// one word.
class TSpellCharacters {
public:
    // The 35 punctuation characters: space, tab, !"$%^&*()_+-={}[]:@~;#<>?,./\| and the Latin-1
    // characters 163, 169 and 174.
    static bool IsPunctuation(QChar c);
    static bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
    // Only these 52 letters start a word.
    static bool IsLetter(QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    }
    // "!?.:"
    static bool IsSentenceEnd(QChar c);
    // The sentence ends followed by "\"();-+0123456789{}[]".
    static bool IsSentenceStart(QChar c);
    // Characters stripped from the edges of a token: punctuation, and digits when numbers are
    // ignored.
    static bool IsEdge(QChar c, bool ignoreNumbers) {
        return IsPunctuation(c) || (ignoreNumbers && IsDigit(c));
    }

    static bool ContainsSentenceEnd(QStringView text);
    static bool ContainsSentenceStart(QStringView text);
};
