#include "tboltloadscsv.h"

#include "model/tboltgroupmodel.h"
#include "tcsvwriter.h"
#include "tloadcaseanalysis.h"

QByteArray TBoltLoadsCsv::HeaderLine() {
    return QByteArrayLiteral(
        "Bolt,X,Y,Z,Stiffness X,Stiffness Y,Stiffness Z,"
        "X due to FX,Y due to FX,Z due to FX,X due to FY,Y due to FY,Z due to FY,"
        "X due to FZ,Y due to FZ,Z due to FZ,Load X,Load Y,Load Z,Resultant,Axial,Shear\r\n");
}

QByteArray TBoltLoadsCsv::BoltLine(const TBoltGroupModel& model, qint32 index) {
    return BoltLine(index, model.Bolts.at(index), model.UnitLoads.at(index),
                    model.ActualLoads.at(index));
}

QByteArray TBoltLoadsCsv::BoltLine(qint32 index, const TBolt& b, const TBoltUnitLoads& u,
                                   const TBoltActualLoads& a) {
    QByteArray line = QByteArray::number(index + 1);
    for (double v : {b.X, b.Y, b.Z, b.StiffnessX, b.StiffnessY, b.StiffnessZ, u.XDueToFX,
                     u.YDueToFX, u.ZDueToFX, u.XDueToFY, u.YDueToFY, u.ZDueToFY, u.XDueToFZ,
                     u.YDueToFZ, u.ZDueToFZ, a.LoadX, a.LoadY, a.LoadZ, a.ResultantXYZ})
        TCsvWriter::AppendNumber(line, v);
    const TBoltOrientation orientation = b.ResolvedOrientation();
    if (orientation == TBoltOrientation::NotDefined) {
        line += ",,";
    } else {
        TCsvWriter::AppendNumber(line, a.AxialLoad(orientation));
        TCsvWriter::AppendNumber(line, a.ShearLoad(orientation));
    }
    line += "\r\n";
    return line;
}

void TBoltLoadsCsv::Write(const TBoltGroupModel& model, const QString& fileName) {
    TCsvWriter file(fileName);
    file.Add(HeaderLine());
    const qint32 count = qint32(std::min({qsizetype(model.BoltCount()),
                                          model.UnitLoads.size(), model.ActualLoads.size()}));
    for (qint32 i = 0; i < count; ++i)
        file.Add(BoltLine(model, i));
    file.Commit();
}

QByteArray TBoltLoadsCsv::LoadCaseHeaderLine() { return "Case,Title," + HeaderLine(); }

void TBoltLoadsCsv::WriteLoadCases(const QList<TBolt>& bolts, const QList<TLoadCase>& cases,
                                   TLoadCaseAnalysis& analysis, const QString& fileName) {
    TCsvWriter file(fileName);
    file.Add(LoadCaseHeaderLine());
    analysis.ForEachCase([&](qsizetype c, const QList<TBoltUnitLoads>& unitLoads,
                             const QList<TBoltActualLoads>& loads) {
        const QByteArray prefix =
            QByteArray::number(c + 1) + ',' + TCsvWriter::Field(cases.at(c).Title) + ',';
        const qint32 count = qint32(std::min({bolts.size(), unitLoads.size(), loads.size()}));
        for (qint32 i = 0; i < count; ++i) {
            file.Add(prefix);
            file.Add(BoltLine(i, bolts.at(i), unitLoads.at(i), loads.at(i)));
        }
    });
    file.Commit();
}
