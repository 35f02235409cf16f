#include "trtftokenizer.h"

#include <limits>

namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

TRtfToken MakeToken(TRtfTokenType type) {
    TRtfToken token;
    token.Type = type;
    return token;
}

} // namespace

TRtfToken TRtfTokenizer::Next() {
    const qsizetype size = Data.size();
    while (Pos < size) {
        const char c = Data[Pos];
        switch (c) {
        case '{':
            ++Pos;
            return MakeToken(TRtfTokenType::GroupStart);
        case '}':
            ++Pos;
            return MakeToken(TRtfTokenType::GroupEnd);
        case '\\':
            return ReadControl();
        case '\r':
        case '\n':
            ++Pos;
            continue;
        default: {
            const qsizetype start = Pos;
            while (Pos < size) {
                const char t = Data[Pos];
                if (t == '{' || t == '}' || t == '\\' || t == '\r' || t == '\n')
                    break;
                ++Pos;
            }
            TRtfToken token = MakeToken(TRtfTokenType::Text);
            token.Bytes = Data.sliced(start, Pos - start);
            return token;
        }
        }
    }
    return MakeToken(TRtfTokenType::End);
}

TRtfToken TRtfTokenizer::ReadControl() {
    const qsizetype size = Data.size();
    ++Pos; // the backslash
    if (Pos >= size)
        return MakeToken(TRtfTokenType::End);
    const char c = Data[Pos];
    if (!IsLetter(c)) {
        ++Pos;
        if (c == '\'') {
            // \'hh: up to two hex digits; without any the symbol stands for nothing.
            int value = 0;
            int digits = 0;
            while (digits < 2 && Pos < size) {
                const int h = HexValue(Data[Pos]);
                if (h < 0)
                    break;
                value = value * 16 + h;
                ++digits;
                ++Pos;
            }
            if (digits == 0) {
                TRtfToken token = MakeToken(TRtfTokenType::ControlSymbol);
                token.Symbol = '\'';
                return token;
            }
            TRtfToken token = MakeToken(TRtfTokenType::HexByte);
            token.Byte = quint8(value);
            return token;
        }
        TRtfToken token = MakeToken(TRtfTokenType::ControlSymbol);
        token.Symbol = (c == '\r') ? '\n' : c;
        if (c == '\r' && Pos < size && Data[Pos] == '\n')
            ++Pos;
        return token;
    }

    const qsizetype start = Pos;
    while (Pos < size && IsLetter(Data[Pos]))
        ++Pos;
    TRtfToken token = MakeToken(TRtfTokenType::ControlWord);
    token.Bytes = Data.sliced(start, Pos - start);

    bool negative = false;
    if (Pos < size && Data[Pos] == '-' && Pos + 1 < size && IsDigit(Data[Pos + 1])) {
        negative = true;
        ++Pos;
    }
    if (Pos < size && IsDigit(Data[Pos])) {
        constexpr qint64 limit = std::numeric_limits<int>::max();
        qint64 value = 0;
        while (Pos < size && IsDigit(Data[Pos])) {
            if (value <= limit)
                value = value * 10 + (Data[Pos] - '0');
            ++Pos;
        }
        if (value > limit)
            value = limit;
        token.Parameter = int(negative ? -value : value);
        token.HasParameter = true;
    }
    if (Pos < size && Data[Pos] == ' ')
        ++Pos;

    if (token.Bytes == QByteArrayView("bin")) {
        const qint64 wanted = token.HasParameter && token.Parameter > 0 ? token.Parameter : 0;
        const qint64 length = qMin<qint64>(wanted, size - Pos);
        TRtfToken data = MakeToken(TRtfTokenType::Binary);
        data.Bytes = Data.sliced(Pos, length);
        Pos += length;
        return data;
    }
    return token;
}
