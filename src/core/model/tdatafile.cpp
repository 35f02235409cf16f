#include "tdatafile.h"

#include "document/tfreebuffersguard.h"
#include "foundation/tbusycursorguard.h"
#include "foundation/tcheckedlist.h"
#include "foundation/tplatformerror.h"
#include "tboltgroupmodel.h"
#include "tdecimalcommafields.h"
#include "tnumberformat.h"

#include <algorithm>

namespace {

// The line of a bolt: "Bolt N=" and its eight fields, the co-ordinates in fixed point.
QString DataLineForBolt(int number, const TBolt& b) {
    QString line;
    line.reserve(96);
    line += QLatin1StringView("Bolt ");
    line += QString::number(number);
    line += QLatin1Char('=');
    for (double v : {b.X, b.Y, b.Z}) {
        TNumberFormat::AppendFixedPoint(line, v);
        line += QLatin1Char(',');
    }
    for (double v : {b.StiffnessX, b.StiffnessY, b.StiffnessZ}) {
        TNumberFormat::AppendFileGeneral(line, v);
        line += QLatin1Char(',');
    }
    line += QString::number(int(b.Orientation));
    line += QLatin1Char(',');
    line += QString::number(b.NodeNumber);
    return line;
}

} // namespace

TDataFile::TDataFile(TBoltGroupModel& model, TLineBuffers& buffers)
    : Model(model), Buffers(buffers) {}

bool TDataFile::Save(const QString& fileName) {
    TDocumentHost& host = Buffers.Host();
    TBusyCursorGuard cursor(host);
    host.ShowInformation(QStringLiteral("Saving Data File"));
    Buffers.CreateLineBuffers();
    TFreeBuffersGuard freeBuffers(Buffers);
    try {
        Buffers.ClearLineBuffers();
        Buffers.AddOutputLine(QStringLiteral("[General]"));
        Buffers.AddOutputLine(QStringLiteral("Analysis Type=Bolt Group"));
        Buffers.AddBlankOutputLine();
        Buffers.AddOutputLine(QStringLiteral("[Analysis Data]"));
        Buffers.AddOutputLine(QStringLiteral("Analysis Title=") + Model.AnalysisTitle);
        Buffers.AddOutputLine(QStringLiteral("Load Case Title=") + Model.LoadCaseTitle);
        Buffers.AddOutputLine(QStringLiteral("Number of Bolts=") +
                              QString::number(Model.BoltCount()));
        for (qint32 i = 0; i < Model.BoltCount(); ++i) {
            Buffers.AddOutputLine(DataLineForBolt(i + 1, Model.Bolts.at(i)));
            if (i % 100 == 0)
                host.ProcessEvents();
        }
        const TAppliedLoad& l = Model.AppliedLoad;
        QString loadLine = QStringLiteral("Applied Load=");
        for (double v : {l.X, l.Y, l.Z, l.FX, l.FY, l.FZ}) {
            TNumberFormat::AppendFileGeneral(loadLine, v);
            loadLine += QLatin1Char(',');
        }
        Buffers.AddOutputLine(loadLine + QStringLiteral("0,0"));
        Buffers.SaveOutputLines(fileName);
    } catch (const std::exception& e) {
        SaveError = TPlatformError::TextOf(e);
        host.ShowInformation(QStringLiteral("Data File Not Saved"));
        return false;
    }
    SaveError.clear();
    Model.DataSaved = true;
    host.AddToQuickList(fileName);
    host.ShowInformation(QStringLiteral("Data File Saved"));
    return true;
}

QString TDataFile::ReadDataValue(const QString& name, const QString& fallback) {
    const QString value = Buffers.TakeDataValue(name);
    return value.isNull() ? fallback : value;
}

TBolt TDataFile::ParseBoltFields(const QString& text) {
    // Eight fields; commas at the front of what remains are skipped, so an empty field moves the
    // later values forward instead of being counted.
    QStringView rest(text);
    QStringView fields[8];
    for (QStringView& field : fields) {
        qsizetype start = 0;
        while (start < rest.size() && rest[start] == QLatin1Char(','))
            ++start;
        rest = rest.mid(start);
        qsizetype end = rest.indexOf(QLatin1Char(','));
        if (end < 0)
            end = rest.size();
        field = rest.left(end);
        rest = rest.mid(end);
    }
    TBolt b;
    b.X = TNumberFormat::ParseFileReal(fields[0], 0);
    b.Y = TNumberFormat::ParseFileReal(fields[1], 0);
    b.Z = TNumberFormat::ParseFileReal(fields[2], 0);
    b.StiffnessX = TNumberFormat::ParseFileReal(fields[3], 1);
    b.StiffnessY = TNumberFormat::ParseFileReal(fields[4], 1);
    b.StiffnessZ = TNumberFormat::ParseFileReal(fields[5], 1);
    b.Orientation = qint8(quint8(quint32(TNumberFormat::ParseInteger(fields[6], 0)) & 0xFF));
    b.NodeNumber = TNumberFormat::ParseInteger(fields[7], 0);
    return b;
}

TAppliedLoad TDataFile::ParseLoadFields(const QString& text) {
    const TBolt b = ParseBoltFields(text);
    TAppliedLoad load;
    load.X = b.X;
    load.Y = b.Y;
    load.Z = b.Z;
    load.FX = b.StiffnessX;
    load.FY = b.StiffnessY;
    load.FZ = b.StiffnessZ;
    return load;
}

bool TDataFile::Load(const QString& fileName) {
    TDocumentHost& host = Buffers.Host();
    Buffers.CreateLineBuffers();
    TFreeBuffersGuard freeBuffers(Buffers);
    Buffers.LoadDataLines(fileName);
    // Counted before any line is taken, while the lines are still as read.
    const qint64 listed = ListedBoltCount();

    if (!ReadDataValue(QStringLiteral("Analysis Type"), QStringLiteral("None"))
             .contains(QStringLiteral("Bolt Group"))) {
        host.ShowMessage(QStringLiteral("Not a Bolt Group Analysis Data File"),
                         QStringLiteral("Warning"), TMessageIcon::Exclamation, TMessageButtons::Ok);
        return false;
    }
    host.ShowInformation(QStringLiteral("Loading Data File"));
    host.AddToQuickList(fileName);

    Model.AnalysisTitle =
        ReadDataValue(QStringLiteral("Analysis Title"), QStringLiteral("Untitled Model"));
    Model.LoadCaseTitle =
        ReadDataValue(QStringLiteral("Load Case Title"), QStringLiteral("Untitled Load Case"));

    // A count that is not a number gives no bolts, and so does a negative one; a count beyond
    // what can be analysed is refused before anything is allocated for it.
    const qint64 count = std::max<qint64>(
        0, TNumberFormat::ParseInteger(
               ReadDataValue(QStringLiteral("Number of Bolts"), QStringLiteral("0")))
               .value_or(0));
    DeclaredBoltCount = count;
    if (count > MaxBoltCount) {
        host.ShowMessage(
            QStringLiteral("The data file gives %1 bolts; at most %2 bolts can be read.")
                .arg(count)
                .arg(MaxBoltCount),
            QStringLiteral("Warning"), TMessageIcon::Exclamation, TMessageButtons::Ok);
        return false;
    }
    // Bolts without a line take the default; so that a short file cannot cost the memory and
    // time of millions of them, only so many may be left out.
    if (count - listed > MaxUnlistedBolts) {
        host.ShowMessage(QStringLiteral("The data file gives %1 bolts but has lines for only %2 of "
                                        "them.\nAt most %3 bolts may be left without a line; the "
                                        "file is not read.")
                             .arg(count)
                             .arg(listed)
                             .arg(MaxUnlistedBolts),
                         QStringLiteral("Warning"), TMessageIcon::Exclamation, TMessageButtons::Ok);
        return false;
    }
    TCheckedList::Reserve(Model.Bolts, count);
    Model.Bolts.resize(count);
    const QString defaultFields = QStringLiteral("0,0,0,1,1,1,0,0");
    bool decimalCommas = false;
    for (qint32 i = 0; i < qint32(count); ++i) {
        const QString name = QStringLiteral("Bolt ") + QString::number(i + 1);
        QString fields = ReadDataValue(name, defaultFields);
        if (TDecimalCommaFields::IsDecimalCommaBolt(fields)) {
            decimalCommas = true;
            if (!ReadDecimalCommas(name, TDecimalCommaFields::BoltFields(fields), fields))
                return false;
        }
        Model.Bolts[i] = ParseBoltFields(fields);
        if (i > 0 && i % 100 == 0) {
            host.ShowInformation(QStringLiteral("Loading Bolt ") + QString::number(i));
            host.ProcessEvents();
        }
    }
    const QString loadName = QStringLiteral("Applied Load");
    QString loadFields = ReadDataValue(loadName, defaultFields);
    if (decimalCommas && TDecimalCommaFields::IsDecimalCommaLoad(loadFields) &&
        !ReadDecimalCommas(loadName, TDecimalCommaFields::LoadFields(loadFields), loadFields))
        return false;
    Model.AppliedLoad = ParseLoadFields(loadFields);
    Model.UpdateLoadApplied();
    return true;
}

qint64 TDataFile::ListedBoltCount() const {
    qint64 listed = 0;
    for (const QString& line : Buffers.DataLines()) {
        if (line.startsWith(QLatin1StringView("Bolt "), Qt::CaseInsensitive))
            ++listed;
    }
    return listed;
}

bool TDataFile::ReadDecimalCommas(const QString& name, const std::optional<QString>& rewritten,
                                  QString& fields) {
    if (rewritten) {
        fields = *rewritten;
        return true;
    }
    Model.ResetModel();
    Buffers.Host().ShowMessage(
        QStringLiteral("The data file was written with a decimal comma, and the values of \"%1\" "
                       "cannot be told apart from the commas between them.\nWrite its numbers "
                       "with a full stop (1.5, not 1,5) and open the file again.")
            .arg(name),
        QStringLiteral("Warning"), TMessageIcon::Exclamation, TMessageButtons::Ok);
    return false;
}
