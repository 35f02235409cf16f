#pragma once

#include <QString>
#include <optional>

// The number formats of the program's files: the fixed-point form of bolt co-ordinates, the
// general form of every other real value, and the lenient parsing of both. All of them use the
// decimal separator of the user's locale.
class TNumberFormat {
public:
    // Rounded to 10 significant digits and written with exactly 4 decimals (12.5 -> "12.5000");
    // a value with more than 10 digits before the separator is written in exponent form.
    static QString FormatFixedPoint(double value);
    // The shortest form with up to 15 significant digits: plain decimals without trailing zeros
    // when 0.00001 <= |value| and at most 15 digits precede the separator, else exponent form
    // with a capital E ("1E-6", "1.5E20").
    static QString FormatGeneral(double value, int precision = 15);
    // As FormatFixedPoint and FormatGeneral, appended to a line under construction.
    static void AppendFixedPoint(QString& line, double value);
    static void AppendGeneral(QString& line, double value, int precision = 15);

    // A real number as the readers accept it: optional surrounding blanks, a sign, digits with
    // the locale's separator, an optional exponent. Anything else, and values that overflow or
    // are not finite, give no value.
    static std::optional<double> ParseReal(QStringView text);
    static double ParseReal(QStringView text, double fallback);
    // A decimal 32-bit integer with optional surrounding blanks and sign; no value otherwise.
    static std::optional<qint32> ParseInteger(QStringView text);
    static qint32 ParseInteger(QStringView text, qint32 fallback);
    // As ParseInteger, for the full 64-bit range.
    static std::optional<qint64> ParseInteger64(QStringView text);

    // The decimal separator of the user's locale.
    static QChar DecimalSeparator();
    // Tests and the batch tool may fix the separator; a null character returns to the locale's.
    static void SetDecimalSeparator(QChar separator);

    // The fixed-width numbers of the analysis report and the NISA fragment: the value rounded
    // once to at most 10 significant digits and written with exactly `decimals` decimals (ties
    // away from zero), at least one digit before the separator, a minus sign when negative and
    // no thousands separators; a value with more than 10 digits before the separator is written
    // in exponent form. The text is padded on the left with spaces to `width`, never shortened.
    static QString FormatFixed(double value, int width, int decimals);
    // As FormatFixed, appended to a line under construction.
    static void AppendFixed(QString& line, double value, int width, int decimals);
    // The text padded on the left with spaces to `width`; a longer text is kept whole.
    static QString PadLeft(const QString& text, int width);
};
