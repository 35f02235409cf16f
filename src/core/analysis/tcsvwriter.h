#pragma once

#include <QByteArray>
#include <QString>

#include "foundation/tsavefile.h"

// A comma-separated file as the program writes its tables: lines added one by one, gathered in
// pieces and written through a save file, so that the file is whole or not written at all.
// Numbers are written in the C locale in the shortest form that reads back as the same value.
class TCsvWriter {
public:
    // Opens the save file; throws TPlatformError when it cannot be created.
    explicit TCsvWriter(const QString& fileName);

    // Adds a line that holds its own line end.
    void Add(const QByteArray& line);
    // Writes what is left and puts the file in place; throws TPlatformError when anything failed.
    void Commit();

    // Appends a comma and the number.
    static void AppendNumber(QByteArray& line, double value);
    // A text as one field: quoted, with its quotes doubled, when it holds a comma, a quote or a
    // line end, or starts or ends with a blank; unchanged otherwise. UTF-8.
    static QByteArray Field(const QString& text);

private:
    TSaveFile File;
    QByteArray Chunk;
};
