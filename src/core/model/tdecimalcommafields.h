#pragma once

#include <QString>
#include <optional>

// The bolt and load values of a data file that an earlier version of the program wrote in a
// locale with a decimal comma, where the commas inside the numbers look like the commas between
// the fields ("Bolt 1=12,5000,0,0000,0,0000,1,1,1,0,0"). Such a value is split again by the
// forms the writer used: every co-ordinate has exactly four decimals (or is in exponent form),
// the other real values have no trailing zeros, and orientation and node number are whole
// numbers. A value that splits in exactly one way is read; one that splits in several ways, or
// in none, cannot be read, and the reader says so instead of guessing.
class TDecimalCommaFields {
public:
    // Whether a bolt value was written with decimal commas: no full stop, more than the eight
    // fields of a bolt, and the first co-ordinate a whole number followed by four decimals (or
    // an exponent form's digits).
    static bool IsDecimalCommaBolt(QStringView value);
    // Whether a load value of such a file was written with decimal commas: no full stop and
    // more than eight fields.
    static bool IsDecimalCommaLoad(QStringView value);

    // The value rewritten with full stops in the numbers, eight comma-separated fields as the
    // data file's reader takes them; no value when the commas cannot be told apart.
    static std::optional<QString> BoltFields(QStringView value);
    static std::optional<QString> LoadFields(QStringView value);
};
