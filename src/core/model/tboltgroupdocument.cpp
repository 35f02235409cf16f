#include "tboltgroupdocument.h"

#include "analysis/tboltgroupanalysis.h"
#include "foundation/tfilenames.h"
#include "foundation/tplatformerror.h"
#include "foundation/treadfile.h"
#include "tnisaexport.h"
#include "tnisaimport.h"
#include "view/tboltplot.h"

#include <QFileInfo>
#include <algorithm>
#include <new>

TBoltGroupDocument::TBoltGroupDocument(TLineBuffers& buffers) : Buffers(buffers) {}

TBoltGroupDocument::~TBoltGroupDocument() = default;

void TBoltGroupDocument::MarkChanged() {
    DataSaved = false;
    Host().ShowInformation(QStringLiteral("Data File Modified"));
}

bool TBoltGroupDocument::SaveDataFile(const QString& fileName) {
    TDataFile dataFile(*this, Buffers);
    const bool saved = dataFile.Save(fileName);
    SaveDataError = dataFile.SaveError;
    if (saved)
        History.SetSaved();
    return saved;
}

bool TBoltGroupDocument::LoadDataFile(const QString& fileName) {
    TDataFile dataFile(*this, Buffers);
    return ReadAndAnalyse(
        fileName, QStringLiteral("Data File Loaded"), [&] { return dataFile.Load(fileName); },
        dataFile.DeclaredBoltCount);
}

bool TBoltGroupDocument::ImportNisaFile(const QString& fileName) {
    const qint64 undeclared = 0;
    return ReadAndAnalyse(
        fileName, QStringLiteral("NISA File Loaded"),
        [&] { return TNisaImport(*this, Buffers).ImportNisaFile(fileName); }, undeclared);
}

bool TBoltGroupDocument::ReadAndAnalyse(const QString& fileName, const QString& loadedText,
                                        const std::function<bool()>& read,
                                        const qint64& declaredBolts) {
    FileTaken = false;
    try {
        if (!read())
            return false;
        // The model now holds the file, so no earlier step applies to it.
        History.Clear();
        FileTaken = true;
        AnalyseAfterRead(fileName, loadedText);
        return true;
    } catch (const std::bad_alloc&) {
        DiscardOutOfMemory(std::max<qint64>(declaredBolts, BoltCount()), fileName);
    }
}

QString TBoltGroupDocument::ReadDataValue(const QString& name, const QString& fallback) {
    return TDataFile(*this, Buffers).ReadDataValue(name, fallback);
}

TBolt TBoltGroupDocument::ParseBoltFields(const QString& text) {
    return TDataFile::ParseBoltFields(text);
}

TAppliedLoad TBoltGroupDocument::ParseLoadFields(const QString& text) {
    return TDataFile::ParseLoadFields(text);
}

void TBoltGroupDocument::DeleteBoltAt(qint32 index) {
    if (index < 0 || index >= BoltCount())
        return;
    Bolts.removeAt(index);
    MarkChanged();
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
    // The bolts are named when they, and not the rest of the file (a huge title, say), are
    // what the memory could not hold.
    const qint64 fileSize = QFileInfo(fileName).size();
    if (boltCount > 0 && boltCount * MemoryPerBolt >= fileSize)
        throw TPlatformError(QStringLiteral("Not enough memory for %1 bolts").arg(boltCount));
    throw TReadFile::TooLargeForMemory(fileName);
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
