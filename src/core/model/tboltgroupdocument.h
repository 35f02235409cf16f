#pragma once

#include "document/tlinebuffers.h"
#include "tboltgrouphistory.h"
#include "tboltgroupmodel.h"
#include "tdatafile.h"
#include "view/tboltview.h"

#include <functional>

// A bolt group document: the model together with the line buffers and host of the window that
// holds it, and the operations that read, write and analyse it. The reading and writing is done
// by one class per file format (TDataFile, TNisaImport, TNisaExport) and the analysis by
// TBoltGroupAnalysis; the document coordinates them, analysing after every successful read. The
// bolt group window, the batch tool and the tests each hold one.
class TBoltGroupDocument : public TBoltGroupModel {
public:
    explicit TBoltGroupDocument(TLineBuffers& buffers);
    virtual ~TBoltGroupDocument();

    TLineBuffers& Buffers;
    TDocumentHost& Host() const { return Buffers.Host(); }

    // Marks a change of the model: the data file on disk no longer holds it.
    void MarkChanged();
    // The changes of the model that can be undone. A successful data file save marks the saved
    // state; every read forgets the steps.
    TBoltGroupHistory History{*this};
    // Deletes one bolt and marks the change: every later bolt moves one place forward, so its
    // number falls by one. An index that names no bolt changes nothing.
    void DeleteBoltAt(qint32 index);

    // Writes the model to the analysis data file; false (and "Data File Not Saved") when the
    // file cannot be written, which leaves any previous file whole. SaveDataError then holds
    // the reason.
    bool SaveDataFile(const QString& fileName);
    QString SaveDataError;
    // Reads an analysis data file into the freshly reset model and analyses it; false when the
    // file is refused. A file that exists but cannot be read throws TPlatformError, and so does
    // a group or file too large for the memory ("Not enough memory for N bolts", or that the
    // file is too large to read), which leaves the model empty.
    bool LoadDataFile(const QString& fileName);
    // Reads a NISA input file (its first rigid link, nodes, forces and titles) into the freshly
    // reset model and analyses it; false when the file is refused. Throws as LoadDataFile does.
    bool ImportNisaFile(const QString& fileName);
    // Writes the calculated bolt loads as a NISA load fragment, asking for missing node numbers
    // and the load case number; false when refused or cancelled, and then nothing is written. A
    // file that cannot be written throws TPlatformError. Does not change the report's name.
    bool ExportNisaLoads(const QString& fileName);
    // The data file's value and field readers, as TDataFile reads them.
    QString ReadDataValue(const QString& name, const QString& fallback);
    static TBolt ParseBoltFields(const QString& text);
    static TAppliedLoad ParseLoadFields(const QString& text);
    // The name of the report written for a data or NISA file.
    static QString ReportFileName(const QString& fileName);

    // The fixed sequence after every change of the model and every successful read: the plot,
    // the unit loads, the actual loads.
    virtual void RefreshAnalysis();
    // The unit-load analysis and the first half of the report; "Not Enough Bolts" or "No Applied
    // Load" when it cannot run. A zero divisor throws TPlatformError.
    void CalculateUnitLoads();
    // The loads of the load case and the second half of the report, which is then shown; nothing
    // unless the unit loads have just been calculated.
    void CalculateActualLoads();

    // The view of the window (rotation, lens, plot options) and its picture; not model data.
    TBoltView View;
    // Redraws View.Picture for the current model and view; also recomputes LoadApplied and
    // ProjectedBolts. A view that cannot be formed leaves the previous picture.
    void PlotBolts();
    // Writes the picture as a bitmap file and shows "Picture File Saved"; a file that cannot be
    // written throws TPlatformError and leaves the information label as it was.
    void SavePicture(const QString& fileName);

    // Most bolts a data file may declare; a larger count is refused before anything is allocated.
    static constexpr qint64 MaxBoltCount = TDataFile::MaxBoltCount;

private:
    // Reads a file into the model through read and analyses it. Memory running out on the way
    // empties the model and throws, naming the larger of declaredBolts (as far as the reader
    // has set it) and the bolts read.
    bool ReadAndAnalyse(const QString& fileName, const QString& loadedText,
                        const std::function<bool()>& read, const qint64& declaredBolts);
    // The end of every successful read: the analysis, then the document named after the file.
    void AnalyseAfterRead(const QString& fileName, const QString& loadedText);
    // Empties the model after the memory ran out while reading or analysing it, and throws the
    // error that tells so: "Not enough memory for N bolts" when the bolts outweigh the file's
    // other contents, else that the file is too large to read.
    [[noreturn]] void DiscardOutOfMemory(qint64 boltCount, const QString& fileName);
    // About the memory the analysis takes for one bolt, in bytes.
    static constexpr qint64 MemoryPerBolt = 1024;
};
