#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>
#include <unordered_map>

class QStringDecoder;

// Decoding of the 8-bit text of a rich-text file by Windows code page. Code page 1252, the
// default, is decoded by the program itself; other code pages go through Qt's converters. A
// Mac or Korean page without a converter of its own is read in the nearest page that has one
// (Mac Japanese as Shift_JIS, Mac Arabic as Windows Arabic, ...); any other unknown page as
// 1252.
class TRtfCodePage {
public:
    TRtfCodePage();
    ~TRtfCodePage();
    TRtfCodePage(const TRtfCodePage&) = delete;
    TRtfCodePage& operator=(const TRtfCodePage&) = delete;

    // Appends the bytes, decoded by the code page, to the text. Multi-byte code pages need the
    // whole byte sequence in one call.
    void Decode(int codePage, QByteArrayView bytes, QString& text);

    // The code page of a font character set (\fcharsetN); 0 for the default character set,
    // which takes the document's code page.
    static int CodePageOfCharset(int charset);
    // The character of code page 1252 for a byte.
    static char16_t Cp1252Char(quint8 byte);
    // The byte of code page 1252 for a character; false when it has none.
    static bool Cp1252Byte(char16_t c, quint8& byte);

    static constexpr int DefaultCodePage = 1252;
    static constexpr int SymbolCodePage = 42;

private:
    QStringDecoder* DecoderFor(int codePage);

    std::unordered_map<int, std::unique_ptr<QStringDecoder>> Decoders;
};
