#pragma once

#include <QString>

// How a plain-text file is encoded: its character encoding and its line ends. A document read
// from a plain-text file is written back the same way; a new document is UTF-8 with LF line
// ends. Whether the file ended with a line end needs no flag: that line end is the document's
// last, empty line.
struct TPlainTextFormat {
    enum class TEncoding {
        Utf8,
        Utf8WithMark, // UTF-8 after the byte-order mark EF BB BF
        Utf16LE,      // UTF-16 after the mark FF FE
        Utf16BE,      // UTF-16 after the mark FE FF
        Windows1252,  // the 8-bit code page of files that are not UTF-8
    };
    enum class TLineEnd { Lf, CrLf, Cr };

    TEncoding Encoding = TEncoding::Utf8;
    TLineEnd LineEnd = TLineEnd::Lf;

    // The encoding's name as the user is told it: "UTF-8", "Windows-1252", ...
    QString EncodingName() const {
        switch (Encoding) {
        case TEncoding::Utf8:
            return QStringLiteral("UTF-8");
        case TEncoding::Utf8WithMark:
            return QStringLiteral("UTF-8 with a byte-order mark");
        case TEncoding::Utf16LE:
        case TEncoding::Utf16BE:
            return QStringLiteral("UTF-16");
        case TEncoding::Windows1252:
            return QStringLiteral("Windows-1252");
        }
        return QString();
    }

    bool operator==(const TPlainTextFormat&) const = default;
};
