#include "tloadcaseanalysis.h"

#include "tactualloadanalysis.h"
#include "tunitloadanalysis.h"

#include <array>
#include <cstring>
#include <map>

namespace {

// A point by the bits of its co-ordinates, so that cases share unit loads only when their
// analyses would be the same to the last bit.
std::array<quint64, 3> PointKey(const TAppliedLoad& load) {
    std::array<quint64, 3> key{};
    std::memcpy(&key[0], &load.X, sizeof(double));
    std::memcpy(&key[1], &load.Y, sizeof(double));
    std::memcpy(&key[2], &load.Z, sizeof(double));
    return key;
}

} // namespace

TLoadCaseAnalysis::TLoadCaseAnalysis(const QList<TBolt>& bolts, const QList<TLoadCase>& cases,
                                     TDocumentHost& host)
    : Bolts(bolts), Cases(cases), Host(host) {
    std::map<std::array<quint64, 3>, qsizetype> points;
    PointOf.reserve(size_t(cases.size()));
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const auto [at, added] =
            points.try_emplace(PointKey(cases.at(i).Load), qsizetype(LastCaseOf.size()));
        if (added)
            LastCaseOf.push_back(i);
        else
            LastCaseOf[size_t(at->second)] = i;
        PointOf.push_back(at->second);
    }
    UnitLoads.resize(LastCaseOf.size());
    KeepAll = qint64(UnitLoads.size()) * bolts.size() * qint64(sizeof(TBoltUnitLoads)) <=
              KeptUnitLoadBytes;
}

void TLoadCaseAnalysis::ForEachCase(const TVisitor& visit) {
    for (qsizetype i = 0; i < Cases.size(); ++i) {
        const TAppliedLoad& load = Cases.at(i).Load;
        const size_t point = size_t(PointOf[size_t(i)]);
        std::optional<QList<TBoltUnitLoads>>& unitLoads = UnitLoads[point];
        if (!unitLoads) {
            TUnitLoadWorkings workings;
            unitLoads = TUnitLoadAnalysis::Calculate(Bolts, load, workings, Host);
            ++Runs;
        }
        const QList<TBoltActualLoads> loads = TActualLoadAnalysis::Calculate(*unitLoads, load);
        visit(i, *unitLoads, loads);
        if (!KeepAll && LastCaseOf[point] == i)
            unitLoads.reset();
    }
}
