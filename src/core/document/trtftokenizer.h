#pragma once

#include <QByteArrayView>

// One token of a rich-text byte stream.
enum class TRtfTokenType { End, GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text, Binary };

struct TRtfToken {
    TRtfTokenType Type = TRtfTokenType::End;
    // ControlWord: the letters of the word (any length; a word longer than MaxWordLength is
    // kept whole so that it matches no known word). Text: a run of text bytes without line
    // ends. Binary: the data of \binN.
    QByteArrayView Bytes;
    // ControlWord: the numeric parameter, clamped to the 32-bit range; HasParameter says
    // whether one was written.
    int Parameter = 0;
    bool HasParameter = false;
    // ControlSymbol: the character after the backslash. HexByte: the byte of \'hh.
    char Symbol = 0;
    quint8 Byte = 0;
};

// Splits rich-text bytes into tokens: braces, control words with their parameters, control
// symbols, \'hh bytes, runs of text and the raw data of \bin. It never looks back, keeps no
// state besides its position and reads each byte at most twice, so any input, however
// malformed, is tokenized in linear time. Carriage returns and line feeds between tokens are
// dropped, a backslash before a line end is the paragraph symbol "\par" (reported as the
// control symbol '\n'), and \binN takes the next N bytes (at most what is left) as data.
class TRtfTokenizer {
public:
    explicit TRtfTokenizer(QByteArrayView data) : Data(data) {}

    TRtfToken Next();
    qsizetype Position() const { return Pos; }
    bool AtEnd() const { return Pos >= Data.size(); }

    static constexpr int MaxWordLength = 32;

private:
    TRtfToken ReadControl();

    QByteArrayView Data;
    qsizetype Pos = 0;
};
