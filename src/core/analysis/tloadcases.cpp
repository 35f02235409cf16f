#include "tloadcases.h"

#include "document/tlinebuffers.h"
#include "foundation/tplatformerror.h"

#include <QFileInfo>
#include <cmath>
#include <optional>

namespace {

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Splits a row into its fields; false, with the reason, when a quote is not closed or text
// follows a closing quote.
bool SplitFields(QStringView row, QStringList& fields, QString& reason) {
    fields.clear();
    qsizetype i = 0;
    const qsizetype n = row.size();
    for (;;) {
        while (i < n && IsBlank(row[i]))
            ++i;
        QString field;
        if (i < n && row[i] == QLatin1Char('"')) {
            ++i;
            for (;;) {
                if (i >= n) {
                    reason = QStringLiteral("a quote is not closed");
                    return false;
                }
                if (row[i] == QLatin1Char('"')) {
                    if (i + 1 < n && row[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += row[i++];
            }
            while (i < n && IsBlank(row[i]))
                ++i;
            if (i < n && row[i] != QLatin1Char(',')) {
                reason = QStringLiteral("text follows a closing quote");
                return false;
            }
        } else {
            const qsizetype start = i;
            while (i < n && row[i] != QLatin1Char(','))
                ++i;
            field = row.mid(start, i - start).toString();
            while (!field.isEmpty() && IsBlank(field.back()))
                field.chop(1);
        }
        fields.append(field);
        if (i >= n)
            return true;
        ++i; // the comma
    }
}

// A number with a decimal point, as the C locale writes it; no value for anything else, and for
// values that overflow or are not finite.
std::optional<double> ParseNumber(const QString& field) {
    for (QChar c : field) {
        if (c.unicode() > 0x7F)
            return std::nullopt;
    }
    bool ok = false;
    const double value = field.toLatin1().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The title as the report can show it on one line: control characters become spaces.
QString CleanTitle(QString title) {
    for (QChar& c : title) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return title;
}

const char* const FieldNames[7] = {"Title", "FX", "FY", "FZ", "X", "Y", "Z"};

// A field as a refusal quotes it: at most 40 characters of it.
QString Quoted(const QString& field) {
    return QLatin1Char('"') +
           (field.size() > 40 ? field.left(40) + QStringLiteral("...") : field) +
           QLatin1Char('"');
}

} // namespace

bool TLoadCases::Refuse(qsizetype row, const QString& reason) {
    Cases.clear();
    Error = QStringLiteral("Row %1: %2").arg(row).arg(reason);
    return false;
}

bool TLoadCases::Parse(const QStringList& lines) {
    Cases.clear();
    Error.clear();
    bool firstRow = true;
    QStringList fields;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const qsizetype row = index + 1;
        QString reason;
        if (!SplitFields(lines.at(index), fields, reason))
            return Refuse(row, reason);
        bool empty = true;
        for (const QString& field : std::as_const(fields))
            empty = empty && field.isEmpty();
        if (empty)
            continue;
        if (fields.size() != 4 && fields.size() != 7)
            return Refuse(row, QStringLiteral("%1 fields; a load case has 4 (Title,FX,FY,FZ) or 7 "
                                              "(Title,FX,FY,FZ,X,Y,Z)")
                                   .arg(fields.size()));
        std::optional<double> numbers[7];
        for (qsizetype k = 1; k < fields.size(); ++k)
            numbers[k] = ParseNumber(fields.at(k));
        const bool header = firstRow && !numbers[1] && !numbers[2] && !numbers[3];
        firstRow = false;
        if (header)
            continue;
        for (qsizetype k = 1; k < fields.size(); ++k) {
            if (!numbers[k])
                return Refuse(row, QStringLiteral("%1 %2 is not a number")
                                       .arg(QLatin1StringView(FieldNames[k]), Quoted(fields.at(k))));
        }
        if (Cases.size() >= MaxCaseCount)
            return Refuse(row, QStringLiteral("more than %1 load cases").arg(MaxCaseCount));
        TLoadCase c;
        c.Title = CleanTitle(fields.at(0));
        c.Load.FX = *numbers[1];
        c.Load.FY = *numbers[2];
        c.Load.FZ = *numbers[3];
        if (fields.size() == 7) {
            c.HasPosition = true;
            c.Load.X = *numbers[4];
            c.Load.Y = *numbers[5];
            c.Load.Z = *numbers[6];
        }
        Cases.append(c);
    }
    if (Cases.isEmpty()) {
        Error = QStringLiteral("No load cases in the table");
        return false;
    }
    return true;
}

bool TLoadCases::Read(const QString& fileName) {
    if (!QFileInfo::exists(fileName))
        throw TPlatformError(QStringLiteral("Cannot open file \"%1\". No such file or directory")
                                 .arg(fileName));
    TLineBuffers buffers;
    buffers.CreateLineBuffers();
    buffers.LoadDataLines(fileName);
    return Parse(buffers.DataLines());
}

void TLoadCases::SetDefaultPosition(const TAppliedLoad& load) {
    for (TLoadCase& c : Cases) {
        if (!c.HasPosition) {
            c.Load.X = load.X;
            c.Load.Y = load.Y;
            c.Load.Z = load.Z;
        }
    }
}
