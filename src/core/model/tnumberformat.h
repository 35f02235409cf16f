#pragma once

#include <QString>
#include <optional>

// The number formats of the program's files and of the numbers it shows: the fixed-point form
// of bolt co-ordinates, the general form of every other real value, and the lenient parsing of
// both. The analysis data file and the NISA files always use a full stop as decimal separator,
// as a comma would be taken for their field separator, so that a file reads the same in every
// locale; the report and the numbers shown in dialogs and on the plot use the separator of the
// user's locale.
class TNumberFormat {
public:
    // The decimal separator of the program's files, whatever the locale.
    static constexpr QChar FileSeparator = QChar(u'.');

    // The co-ordinates of the data file: rounded to 10 significant digits and written with
    // exactly 4 decimals after a full stop (12.5 -> "12.5000"); a value with more than 10 digits
    // before the separator is written in exponent form.
    static QString FormatFixedPoint(double value);
    static void AppendFixedPoint(QString& line, double value);
    // The shortest form with up to 15 significant digits: plain decimals without trailing zeros
    // when 0.00001 <= |value| and at most 15 digits precede the separator, else exponent form
    // with a capital E ("1E-6", "1.5E20"). With the locale's separator, for numbers shown.
    static QString FormatGeneral(double value, int precision = 15);
    // The general form with the files' full stop, for every other real value of the data file.
    static QString FormatFileGeneral(double value);
    static void AppendFileGeneral(QString& line, double value);

    // A real number as the readers accept it: optional surrounding blanks, a sign, digits with
    // the decimal separator, an optional exponent. Anything else, and values that overflow or
    // are not finite, give no value. ParseReal takes the locale's separator (numbers typed by
    // the user), ParseFileReal the files' full stop.
    static std::optional<double> ParseReal(QStringView text);
    static double ParseReal(QStringView text, double fallback);
    static std::optional<double> ParseFileReal(QStringView text);
    static double ParseFileReal(QStringView text, double fallback);
    // A decimal 32-bit integer with optional surrounding blanks and sign; no value otherwise.
    static std::optional<qint32> ParseInteger(QStringView text);
    static qint32 ParseInteger(QStringView text, qint32 fallback);
    // As ParseInteger, for the full 64-bit range.
    static std::optional<qint64> ParseInteger64(QStringView text);

    // The decimal separator of the user's locale, for the report and the numbers shown.
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
