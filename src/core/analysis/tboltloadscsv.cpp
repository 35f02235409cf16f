#include "tboltloadscsv.h"

#include "foundation/tsavefile.h"
#include "model/tboltgroupmodel.h"

#include <QLocale>

namespace {

void AppendNumber(QByteArray& line, double value) {
    line += ',';
    line += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

QByteArray TBoltLoadsCsv::HeaderLine() {
    return QByteArrayLiteral(
        "Bolt,X,Y,Z,Stiffness X,Stiffness Y,Stiffness Z,"
        "X due to FX,Y due to FX,Z due to FX,X due to FY,Y due to FY,Z due to FY,"
        "X due to FZ,Y due to FZ,Z due to FZ,Load X,Load Y,Load Z,Resultant,Axial,Shear\r\n");
}

QByteArray TBoltLoadsCsv::BoltLine(const TBoltGroupModel& model, qint32 index) {
    const TBolt& b = model.Bolts.at(index);
    const TBoltUnitLoads& u = model.UnitLoads.at(index);
    const TBoltActualLoads& a = model.ActualLoads.at(index);
    QByteArray line = QByteArray::number(index + 1);
    for (double v : {b.X, b.Y, b.Z, b.StiffnessX, b.StiffnessY, b.StiffnessZ, u.XDueToFX,
                     u.YDueToFX, u.ZDueToFX, u.XDueToFY, u.YDueToFY, u.ZDueToFY, u.XDueToFZ,
                     u.YDueToFZ, u.ZDueToFZ, a.LoadX, a.LoadY, a.LoadZ, a.ResultantXYZ})
        AppendNumber(line, v);
    const TBoltOrientation orientation = b.ResolvedOrientation();
    if (orientation == TBoltOrientation::NotDefined) {
        line += ",,";
    } else {
        AppendNumber(line, a.AxialLoad(orientation));
        AppendNumber(line, a.ShearLoad(orientation));
    }
    line += "\r\n";
    return line;
}

void TBoltLoadsCsv::Write(const TBoltGroupModel& model, const QString& fileName) {
    TSaveFile file(fileName);
    QByteArray chunk = HeaderLine();
    const qint32 count = qint32(std::min({qsizetype(model.BoltCount()),
                                          model.UnitLoads.size(), model.ActualLoads.size()}));
    for (qint32 i = 0; i < count; ++i) {
        chunk += BoltLine(model, i);
        if (chunk.size() >= (1 << 16)) {
            file.Write(chunk);
            chunk.clear();
        }
    }
    file.Write(chunk);
    file.Commit();
}
