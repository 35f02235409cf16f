#pragma once

#include "tbolt.h"

#include <QString>

class TBoltGroupModel;
class TLineBuffers;

// The analysis data file: a [General] section that names the analysis type and an [Analysis
// Data] section with the two titles, the number of bolts, a line per bolt and the applied load,
// each as "name=value". Reads a file into a model and writes a model to a file through the line
// buffers, which it creates and frees again; it does not analyse what it read.
class TDataFile {
public:
    TDataFile(TBoltGroupModel& model, TLineBuffers& buffers);

    // Reads the file into the freshly reset model and recomputes LoadApplied; false, after
    // telling the user, when the file is no bolt group data file or declares too many bolts. A
    // file that exists but cannot be read throws TPlatformError.
    bool Load(const QString& fileName);
    // The number of bolts the file being read declared; 0 until it is known.
    qint64 DeclaredBoltCount = 0;

    // Writes the model to the file; false (and "Data File Not Saved") when the file cannot be
    // written, which leaves any previous file whole. SaveError then holds the reason; it is
    // empty after a successful save, which marks the model saved.
    bool Save(const QString& fileName);
    QString SaveError;

    // The value of the first data line of that name, which is then removed; else the default.
    QString ReadDataValue(const QString& name, const QString& fallback);
    // Eight comma-separated fields as a bolt: co-ordinates (default 0), stiffnesses (default 1),
    // orientation (low 8 bits, default 0) and node number (default 0). Empty fields are skipped.
    static TBolt ParseBoltFields(const QString& text);
    // The applied load read from the same eight fields.
    static TAppliedLoad ParseLoadFields(const QString& text);

    // Most bolts a data file may declare; a larger count is refused before anything is allocated.
    static constexpr qint64 MaxBoltCount = 10'000'000;

private:
    TBoltGroupModel& Model;
    TLineBuffers& Buffers;
};
