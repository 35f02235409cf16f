#include "tboltgroupdocument.h"

#include "analysis/tboltgroupanalysis.h"
#include "document/tfreebuffersguard.h"
#include "foundation/tbusycursorguard.h"
#include "foundation/tfilenames.h"
#include "foundation/tplatformerror.h"
#include "tnisaexport.h"
#include "tnisaimport.h"
#include "tnumberformat.h"
#include "view/tboltplot.h"

#include <QFileInfo>
#include <new>

namespace {

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
        TNumberFormat::AppendGeneral(line, v);
        line += QLatin1Char(',');
    }
    line += QString::number(int(b.Orientation));
    line += QLatin1Char(',');
    line += QString::number(b.NodeNumber);
    return line;
}

} // namespace

TBoltGroupDocument::TBoltGroupDocument(TLineBuffers& buffers) : Buffers(buffers) {}

TBoltGroupDocument::~TBoltGroupDocument() = default;

void TBoltGroupDocument::MarkChanged() {
    DataSaved = false;
    Host().ShowInformation(QStringLiteral("Data File Modified"));
}

void TBoltGroupDocument::DeleteBoltAt(qint32 index) {
    if (index < 0 || index >= BoltCount())
        return;
    Bolts.removeAt(index);
    MarkChanged();
}

bool TBoltGroupDocument::SaveDataFile(const QString& fileName) {
    TBusyCursorGuard cursor(Host());
    Host().ShowInformation(QStringLiteral("Saving Data File"));
    Buffers.CreateLineBuffers();
    TFreeBuffersGuard freeBuffers(Buffers);
    try {
        Buffers.ClearLineBuffers();
        Buffers.AddOutputLine(QStringLiteral("[General]"));
        Buffers.AddOutputLine(QStringLiteral("Analysis Type=Bolt Group"));
        Buffers.AddBlankOutputLine();
        Buffers.AddOutputLine(QStringLiteral("[Analysis Data]"));
        Buffers.AddOutputLine(QStringLiteral("Analysis Title=") + AnalysisTitle);
        Buffers.AddOutputLine(QStringLiteral("Load Case Title=") + LoadCaseTitle);
        Buffers.AddOutputLine(QStringLiteral("Number of Bolts=") + QString::number(BoltCount()));
        for (qint32 i = 0; i < BoltCount(); ++i) {
            Buffers.AddOutputLine(DataLineForBolt(i + 1, Bolts.at(i)));
            if (i % 100 == 0)
                Host().ProcessEvents();
        }
        const TAppliedLoad& l = AppliedLoad;
        const QChar comma = QLatin1Char(',');
        Buffers.AddOutputLine(QStringLiteral("Applied Load=") + TNumberFormat::FormatGeneral(l.X) +
                              comma + TNumberFormat::FormatGeneral(l.Y) + comma +
                              TNumberFormat::FormatGeneral(l.Z) + comma +
                              TNumberFormat::FormatGeneral(l.FX) + comma +
                              TNumberFormat::FormatGeneral(l.FY) + comma +
                              TNumberFormat::FormatGeneral(l.FZ) + QStringLiteral(",0,0"));
        Buffers.SaveOutputLines(fileName);
    } catch (const std::exception& e) {
        const auto* platformError = dynamic_cast<const TPlatformError*>(&e);
        SaveDataError = platformError ? platformError->Text() : QString::fromLocal8Bit(e.what());
        Host().ShowInformation(QStringLiteral("Data File Not Saved"));
        return false;
    }
    SaveDataError.clear();
    DataSaved = true;
    Host().AddToQuickList(fileName);
    Host().ShowInformation(QStringLiteral("Data File Saved"));
    return true;
}

QString TBoltGroupDocument::ReadDataValue(const QString& name, const QString& fallback) {
    const QString value = Buffers.TakeDataValue(name);
    return value.isNull() ? fallback : value;
}

TBolt TBoltGroupDocument::ParseBoltFields(const QString& text) {
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
    b.X = TNumberFormat::ParseReal(fields[0], 0);
    b.Y = TNumberFormat::ParseReal(fields[1], 0);
    b.Z = TNumberFormat::ParseReal(fields[2], 0);
    b.StiffnessX = TNumberFormat::ParseReal(fields[3], 1);
    b.StiffnessY = TNumberFormat::ParseReal(fields[4], 1);
    b.StiffnessZ = TNumberFormat::ParseReal(fields[5], 1);
    b.Orientation = qint8(quint8(quint32(TNumberFormat::ParseInteger(fields[6], 0)) & 0xFF));
    b.NodeNumber = TNumberFormat::ParseInteger(fields[7], 0);
    return b;
}

TAppliedLoad TBoltGroupDocument::ParseLoadFields(const QString& text) {
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

QString TBoltGroupDocument::ReportFileName(const QString& fileName) {
    if (fileName.contains(QStringLiteral("Bolt Group Loads")))
        return TFileNames::ChangeExtension(fileName, QStringLiteral(".rtf"));
    return TFileNames::ChangeExtension(fileName, QStringLiteral(" Bolt Group Loads.rtf"));
}

void TBoltGroupDocument::DiscardOutOfMemory(qint64 boltCount, const QString& fileName) {
    // Whatever was read or calculated goes, so that the memory is free again and no part of
    // the group is taken for the whole.
    ResetModel();
    ProjectedBolts.clear();
    UnitLoads.clear();
    ActualLoads.clear();
    UnitLoadsCalculated = false;
    ActualLoadsCalculated = false;
    Buffers.FreeLineBuffers();
    throw TPlatformError(boltCount > 0 ? QStringLiteral("Not enough memory for %1 bolts").arg(boltCount)
                                       : QStringLiteral("Not enough memory to read file \"%1\".")
                                             .arg(fileName));
}

bool TBoltGroupDocument::LoadDataFile(const QString& fileName) {
    qint64 declared = 0;
    try {
        return ReadDataFile(fileName, declared);
    } catch (const std::bad_alloc&) {
        DiscardOutOfMemory(std::max<qint64>(declared, BoltCount()), fileName);
    }
}

bool TBoltGroupDocument::ReadDataFile(const QString& fileName, qint64& declared) {
    {
        Buffers.CreateLineBuffers();
        TFreeBuffersGuard freeBuffers(Buffers);
        Buffers.LoadDataLines(fileName);

        if (!ReadDataValue(QStringLiteral("Analysis Type"), QStringLiteral("None"))
                 .contains(QStringLiteral("Bolt Group"))) {
            Host().ShowMessage(QStringLiteral("Not a Bolt Group Analysis Data File"),
                               QStringLiteral("Warning"), TMessageIcon::Exclamation,
                               TMessageButtons::Ok);
            return false;
        }
        Host().ShowInformation(QStringLiteral("Loading Data File"));
        Host().AddToQuickList(fileName);

        AnalysisTitle = ReadDataValue(QStringLiteral("Analysis Title"),
                                      QStringLiteral("Untitled Model"));
        LoadCaseTitle = ReadDataValue(QStringLiteral("Load Case Title"),
                                      QStringLiteral("Untitled Load Case"));

        // A count that is not a number gives no bolts, and so does a negative one; a count beyond
        // what can be analysed is refused before anything is allocated for it.
        const qint64 count = std::max<qint64>(
            0, TNumberFormat::ParseInteger(
                   ReadDataValue(QStringLiteral("Number of Bolts"), QStringLiteral("0")))
                   .value_or(0));
        declared = count;
        if (count > MaxBoltCount) {
            Host().ShowMessage(
                QStringLiteral("The data file gives %1 bolts; at most %2 bolts can be read.")
                    .arg(count)
                    .arg(MaxBoltCount),
                QStringLiteral("Warning"), TMessageIcon::Exclamation, TMessageButtons::Ok);
            return false;
        }
        Bolts.resize(count);
        const QString defaultFields = QStringLiteral("0,0,0,1,1,1,0,0");
        for (qint32 i = 0; i < qint32(count); ++i) {
            Bolts[i] = ParseBoltFields(
                ReadDataValue(QStringLiteral("Bolt ") + QString::number(i + 1), defaultFields));
            if (i > 0 && i % 100 == 0) {
                Host().ShowInformation(QStringLiteral("Loading Bolt ") + QString::number(i));
                Host().ProcessEvents();
            }
        }
        AppliedLoad = ParseLoadFields(ReadDataValue(QStringLiteral("Applied Load"), defaultFields));
    }
    UpdateLoadApplied();
    AnalyseAfterRead(fileName, QStringLiteral("Data File Loaded"));
    return true;
}

void TBoltGroupDocument::AnalyseAfterRead(const QString& fileName, const QString& loadedText) {
    // The model now holds the file. Even when the analysis fails the document takes the file's
    // name, so that a later save cannot write this model over the previous document's files.
    auto takeName = [&] {
        DataSaved = true;
        Buffers.FileName = ReportFileName(fileName);
        ImageFileName.clear();
    };
    try {
        RefreshAnalysis();
    } catch (...) {
        takeName();
        throw;
    }
    DataSaved = true;
    Host().ShowInformation(loadedText);
    takeName();
}

bool TBoltGroupDocument::ImportNisaFile(const QString& fileName) {
    try {
        if (!TNisaImport(*this, Buffers).ImportNisaFile(fileName))
            return false;
        AnalyseAfterRead(fileName, QStringLiteral("NISA File Loaded"));
        return true;
    } catch (const std::bad_alloc&) {
        DiscardOutOfMemory(BoltCount(), fileName);
    }
}

bool TBoltGroupDocument::ExportNisaLoads(const QString& fileName) {
    return TNisaExport(*this, Buffers).ExportNisaLoads(fileName);
}

void TBoltGroupDocument::PlotBolts() { TBoltPlot::PlotBolts(*this, View, Buffers); }

void TBoltGroupDocument::SavePicture(const QString& fileName) {
    View.SavePicture(fileName);
    Host().ShowInformation(QStringLiteral("Picture File Saved"));
}

void TBoltGroupDocument::RefreshAnalysis() {
    PlotBolts();
    CalculateUnitLoads();
    CalculateActualLoads();
}

void TBoltGroupDocument::CalculateUnitLoads() {
    TBoltGroupAnalysis::CalculateUnitLoads(*this, Buffers);
}

void TBoltGroupDocument::CalculateActualLoads() {
    TBoltGroupAnalysis::CalculateActualLoads(*this, Buffers);
}
