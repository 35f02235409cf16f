#include "tloadcaseenvelope.h"

#include "tcsvwriter.h"

namespace {

void TakeLarger(TLoadCaseEnvelope::TExtreme& e, double value, qsizetype caseIndex) {
    if (!e.IsSet() || value > e.Value)
        e = {value, caseIndex};
}

void TakeSmaller(TLoadCaseEnvelope::TExtreme& e, double value, qsizetype caseIndex) {
    if (!e.IsSet() || value < e.Value)
        e = {value, caseIndex};
}

} // namespace

TLoadCaseEnvelope::TLoadCaseEnvelope(const QList<TBolt>& bolts)
    : Bolts(bolts), Envelope(size_t(bolts.size())) {}

void TLoadCaseEnvelope::Add(qsizetype caseIndex, const QList<TBoltActualLoads>& loads) {
    const qsizetype n = std::min(loads.size(), Bolts.size());
    for (qsizetype i = 0; i < n; ++i) {
        const TBoltActualLoads& a = loads.at(i);
        TBoltEnvelope& e = Envelope[size_t(i)];
        TakeLarger(e.Resultant, a.ResultantXYZ, caseIndex);
        const TBoltOrientation o = Bolts.at(i).ResolvedOrientation();
        if (o == TBoltOrientation::NotDefined)
            continue;
        const double axial = a.AxialLoad(o);
        TakeLarger(e.Tension, axial, caseIndex);
        TakeSmaller(e.Compression, axial, caseIndex);
        TakeLarger(e.Shear, a.ShearLoad(o), caseIndex);
    }
}

QByteArray TLoadCaseEnvelope::CsvHeaderLine() {
    return QByteArrayLiteral(
        "Bolt,X,Y,Z,Max Resultant,Max Resultant Case,Max Resultant Title,"
        "Max Tension,Max Tension Case,Max Tension Title,"
        "Max Compression,Max Compression Case,Max Compression Title,"
        "Max Shear,Max Shear Case,Max Shear Title\r\n");
}

QByteArray TLoadCaseEnvelope::CsvLine(qint32 index, const QList<TLoadCase>& cases) const {
    const TBolt& b = Bolts.at(index);
    const TBoltEnvelope& e = Envelope[size_t(index)];
    QByteArray line = QByteArray::number(index + 1);
    for (double v : {b.X, b.Y, b.Z})
        TCsvWriter::AppendNumber(line, v);
    for (const TExtreme* x : {&e.Resultant, &e.Tension, &e.Compression, &e.Shear}) {
        if (!x->IsSet() || x->Case >= cases.size()) {
            line += ",,,";
            continue;
        }
        TCsvWriter::AppendNumber(line, x->Value);
        line += ',';
        line += QByteArray::number(x->Case + 1);
        line += ',';
        line += TCsvWriter::Field(cases.at(x->Case).Title);
    }
    line += "\r\n";
    return line;
}

void TLoadCaseEnvelope::WriteCsv(const QString& fileName, const QList<TLoadCase>& cases) const {
    TCsvWriter file(fileName);
    file.Add(CsvHeaderLine());
    for (qint32 i = 0; i < qint32(Envelope.size()); ++i)
        file.Add(CsvLine(i, cases));
    file.Commit();
}
