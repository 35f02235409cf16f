#include "trtfcodepage.h"

#include <QStringDecoder>

namespace {

constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct TCp1252Table {
    char16_t Chars[256];
    constexpr TCp1252Table() : Chars() {
        for (int i = 0; i < 256; ++i)
            Chars[i] = char16_t(i);
        for (int i = 0; i < 32; ++i)
            Chars[0x80 + i] = Cp1252High[i];
    }
};
constexpr TCp1252Table Cp1252Table;

// The converter names for the code pages that rich-text files name.
QByteArray ConverterName(int codePage) {
    switch (codePage) {
    case 437:
    case 850:
    case 852:
    case 855:
    case 857:
    case 860:
    case 861:
    case 862:
    case 863:
    case 864:
    case 865:
    case 866:
    case 869:
        return "IBM" + QByteArray::number(codePage);
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
    case 1361: // Johab has no converter; the other Korean page is the nearest
        return "windows-949";
    case 950:
        return "Big5";
    // Mac pages: the converters that exist, else the nearest page that has one (the Mac
    // double-byte pages are their Windows or EUC forms; Roman variants read as Mac Roman).
    case 10000:
    case 10010:
    case 10079:
    case 10082:
        return "macintosh";
    case 10001:
        return "Shift_JIS";
    case 10002:
        return "Big5";
    case 10003:
        return "EUC-KR";
    case 10004:
        return "windows-1256";
    case 10005:
        return "windows-1255";
    case 10006:
        return "x-mac-greek";
    case 10007:
    case 10017:
        return "x-mac-cyrillic";
    case 10008:
        return "GB2312";
    case 10021:
        return "windows-874";
    case 10029:
        return "x-mac-centraleurroman";
    case 10081:
        return "x-mac-turkish";
    case 65001:
        return "UTF-8";
    default:
        return "windows-" + QByteArray::number(codePage);
    }
}

} // namespace

char16_t TRtfCodePage::Cp1252Char(quint8 byte) { return Cp1252Table.Chars[byte]; }

TRtfCodePage::TRtfCodePage() = default;
TRtfCodePage::~TRtfCodePage() = default;

int TRtfCodePage::CodePageOfCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 2:
        return SymbolCodePage;
    case 77:
        return 10000;
    case 78:
        return 10001;
    case 79:
        return 10003;
    case 80:
        return 10008;
    case 81:
        return 10002;
    case 82:
        return 1361;
    case 83:
        return 10005;
    case 84:
        return 10004;
    case 85:
        return 10006;
    case 86:
        return 10081;
    case 87:
        return 10021;
    case 88:
        return 10029;
    case 89:
        return 10007;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

bool TRtfCodePage::Cp1252Byte(char16_t c, quint8& byte) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        byte = quint8(c);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        // The five bytes that code page 1252 leaves undefined are not written as bytes.
        if (Cp1252High[i] == c && c > 0x9F) {
            byte = quint8(0x80 + i);
            return true;
        }
    }
    return false;
}

QStringDecoder* TRtfCodePage::DecoderFor(int codePage) {
    auto it = Decoders.find(codePage);
    if (it == Decoders.end()) {
        auto decoder = std::make_unique<QStringDecoder>(ConverterName(codePage).constData(),
                                                        QStringConverter::Flag::Stateless);
        if (!decoder->isValid())
            decoder.reset();
        it = Decoders.emplace(codePage, std::move(decoder)).first;
    }
    return it->second.get();
}

void TRtfCodePage::Decode(int codePage, QByteArrayView bytes, QString& text) {
    if (codePage != 1252 && codePage != SymbolCodePage && codePage != 0) {
        if (QStringDecoder* decoder = DecoderFor(codePage)) {
            decoder->resetState();
            text += decoder->decode(bytes);
            return;
        }
    }
    const qsizetype start = text.size();
    text.resize(start + bytes.size());
    QChar* out = text.data() + start;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(Cp1252Table.Chars[quint8(bytes[i])]);
}
