#pragma once

#include "analysis/tboltactualloads.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class TBoltGroupModel;
class TLineBuffers;
struct TBolt;

// Writes the calculated bolt loads as a fragment of NISA input for the package's pre- and
// post-processor: a node card with the bolts' co-ordinates, a load case card and a
// concentrated-force card with each bolt's non-zero load components, assembled in the line
// buffers. Every bolt needs a NISA node number and the load case a number; the export asks the
// window for both.
class TNisaExport {
public:
    TNisaExport(TBoltGroupModel& model, TLineBuffers& buffers);

    // Writes the fragment; false when there are no actual loads or the user cancels a question,
    // and then nothing is written. A file that cannot be written throws TPlatformError. Node
    // numbers accepted before a cancel stay in the model.
    bool ExportNisaLoads(const QString& fileName);

    // Writes one fragment that holds many load cases: the nodes once, then for each case its
    // load case card, numbered firstId, firstId + 1, ... in the order in which forEachCase hands
    // over the cases' loads, and its forces. Node numbers are asked for as ExportNisaLoads asks
    // for them; false when that is cancelled, and then nothing is written. The file is written
    // case by case through a save file; a failed write throws TPlatformError.
    using TCaseLoads = std::function<void(const QList<TBoltActualLoads>& loads)>;
    bool ExportNisaLoadCases(const QString& fileName, qint64 firstId,
                             const std::function<void(const TCaseLoads&)>& forEachCase);

    // Today's date for the fragment's creation line; tests fix it.
    std::function<QDate()> Today = [] { return QDate::currentDate(); };

    // A real number in exponent form with 6 significant digits and an exponent of at least two
    // digits with its sign, right-aligned in 12 characters: 100 as " 1.00000E+02".
    static QString FormatExponent(double value);
    static QString NodeLine(const TBolt& bolt);
    // A force line for the label "FX", "FY" or "FZ".
    static QString ForceLine(qint32 nodeNumber, const char* label, double value);
    // The load case number as the decimal text of its integer value; 1 when it is not one.
    static QString NormaliseLoadCaseId(const QString& text);
    // The date as "dddd, d mmmm yyyy" ("Friday, 13 February 2004").
    static QString FormatCreationDate(QDate date);
    // The load case card with that number, its option line, "*CFORCE" and the force lines of
    // the bolts' non-zero load components, sorted.
    QStringList LoadCaseLines(const QString& id, const QList<TBoltActualLoads>& loads) const;
    // The lines sorted as text ignoring letter case, each kept once.
    static QStringList SortedUnique(QStringList lines);

    // The program date written in the fragment's header.
    static constexpr const char* ProgramDate = "15 December 2003";

private:
    bool AskNodeNumbers();
    bool AskLoadCaseId();
    // The header lines and the node lines, in the output lines.
    void AddHeader();
    // Writes the fragment through a save file: the header and node lines, the lines of the load
    // cases that addCases adds case by case, and "*ENDDATA"; then enters it in the recent-file
    // list and shows "NISA File Saved".
    using TAddLines = std::function<void(const QStringList& lines)>;
    void WriteFragment(const QString& fileName, const std::function<void(const TAddLines&)>& addCases);

    TBoltGroupModel& Model;
    TLineBuffers& Buffers;
};
