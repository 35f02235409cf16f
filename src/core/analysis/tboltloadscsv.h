#pragma once

#include "model/tbolt.h"
#include "tboltactualloads.h"
#include "tboltunitloads.h"
#include "tloadcase.h"

#include <QByteArray>
#include <QList>
#include <QString>

class TBoltGroupModel;
class TLoadCaseAnalysis;

// The bolt loads of an analysed group as comma-separated values, one line per bolt after a
// header line: the bolt's number, position and stiffnesses, its nine unit loads, its loads in
// the load case with their resultant, and its axial and shear load when its axial direction is
// defined (empty fields otherwise). Numbers are written in the C locale in the shortest form
// that reads back as the same value, so nothing is lost to rounding; lines end with CR LF.
class TBoltLoadsCsv {
public:
    static QByteArray HeaderLine();
    // The line of bolt index i; the loads must have been calculated.
    static QByteArray BoltLine(const TBoltGroupModel& model, qint32 index);
    // The line of a bolt with its unit loads and loads.
    static QByteArray BoltLine(qint32 index, const TBolt& bolt, const TBoltUnitLoads& u,
                               const TBoltActualLoads& a);
    // Writes the file through a save file; a failed write throws TPlatformError and leaves the
    // previous file whole.
    static void Write(const TBoltGroupModel& model, const QString& fileName);

    // The same for many load cases: one line per case and bolt, cases in table order and bolts
    // in bolt order, each the case's number and title followed by the bolt's line in that case.
    static QByteArray LoadCaseHeaderLine();
    static void WriteLoadCases(const QList<TBolt>& bolts, const QList<TLoadCase>& cases,
                               TLoadCaseAnalysis& analysis, const QString& fileName);
};
