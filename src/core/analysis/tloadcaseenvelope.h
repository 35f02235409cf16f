#pragma once

#include "model/tbolt.h"
#include "tboltactualloads.h"
#include "tloadcase.h"

#include <QByteArray>
#include <QList>
#include <vector>

// The envelope of many load cases on a bolt group: for each bolt the largest resultant, the
// largest axial tension (the largest axial load, which keeps its sign as in the report), the
// largest axial compression (the smallest, most negative axial load) and the largest shear
// load, each with the case that gives it. When cases give the same value the first of them is
// kept. A bolt whose axial direction is not defined has no axial or shear values.
class TLoadCaseEnvelope {
public:
    // One extreme value and the 0-based index of its case; Case is -1 while there is none.
    struct TExtreme {
        double Value = 0;
        qsizetype Case = -1;
        bool IsSet() const { return Case >= 0; }
        bool operator==(const TExtreme&) const = default;
    };
    struct TBoltEnvelope {
        TExtreme Resultant;
        TExtreme Tension;
        TExtreme Compression;
        TExtreme Shear;
        bool operator==(const TBoltEnvelope&) const = default;
    };

    explicit TLoadCaseEnvelope(const QList<TBolt>& bolts);

    // Takes in the loads of one case, one per bolt in bolt order; cases come in table order.
    void Add(qsizetype caseIndex, const QList<TBoltActualLoads>& loads);
    const std::vector<TBoltEnvelope>& Entries() const { return Envelope; }

    // The envelope as comma-separated values, one line per bolt after a header line: the bolt's
    // number and position, then for each extreme its value, case number and case title (empty
    // fields when there is none). Numbers in full precision with a decimal point; lines end
    // with CR LF.
    static QByteArray CsvHeaderLine();
    QByteArray CsvLine(qint32 index, const QList<TLoadCase>& cases) const;
    // Writes the file through a save file; a failed write throws TPlatformError and leaves the
    // previous file whole.
    void WriteCsv(const QString& fileName, const QList<TLoadCase>& cases) const;

private:
    const QList<TBolt> Bolts;
    std::vector<TBoltEnvelope> Envelope;
};
