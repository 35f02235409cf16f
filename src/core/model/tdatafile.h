#pragma once

#include "tbolt.h"

#include <QString>
#include <optional>

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
    // telling the user, when the file is no bolt group data file, declares too many bolts (or
    // far more than it has lines for), or was written with decimal commas that cannot be told
    // from its field separators; the model is then left empty. Numbers are read with a full
    // stop whatever the locale. A file that exists but cannot be read throws TPlatformError.
    bool Load(const QString& fileName);
    // The number of bolts the file being read declared; 0 until it is known.
    qint64 DeclaredBoltCount = 0;

    // Writes the model to the file, its numbers with a full stop whatever the locale; false (and "Data File Not Saved") when the file cannot be
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
    // Most bolts a file may declare beyond the bolt lines it holds (which take the default
    // bolt); a larger difference is refused before anything is allocated.
    static constexpr qint64 MaxUnlistedBolts = 100'000;

private:
    // The data lines that name a bolt ("Bolt " and anything).
    qint64 ListedBoltCount() const;
    // Takes the rewritten fields of a value written with decimal commas; without them, empties
    // the model, tells the user that the value named cannot be read, and gives false.
    bool ReadDecimalCommas(const QString& name, const std::optional<QString>& rewritten,
                           QString& fields);

    TBoltGroupModel& Model;
    TLineBuffers& Buffers;
};
