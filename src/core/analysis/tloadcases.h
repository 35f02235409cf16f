#pragma once

#include "tloadcase.h"

#include <QList>
#include <QStringList>

// A table of load cases, one a row, comma-separated: Title,FX,FY,FZ or Title,FX,FY,FZ,X,Y,Z.
// Numbers take a decimal point whatever the locale. A first row whose force fields are none of
// them numbers is a header. A field may be quoted with double quotes, which allows a comma and a
// doubled quote inside it; blanks around a field are dropped. Rows that are empty, or hold only
// empty fields, are passed over; rows are numbered as the lines of the file.
class TLoadCases {
public:
    // Most cases a table may hold.
    static constexpr qsizetype MaxCaseCount = 1'000'000;

    QList<TLoadCase> Cases;
    // Why the table was refused, naming the row: "Row 3: FY \"abc\" is not a number".
    QString Error;

    // Reads the table from the lines of a file; false, with Error, when a row is not valid or
    // the table holds no case.
    bool Parse(const QStringList& lines);
    // Reads the file as the data file's reader reads its lines (UTF-8 or Latin-1, any line
    // ends, pipes to their end). A file that cannot be read throws TPlatformError.
    bool Read(const QString& fileName);
    // Gives every case read without a point the point of that load.
    void SetDefaultPosition(const TAppliedLoad& load);

private:
    bool Refuse(qsizetype row, const QString& reason);
};
