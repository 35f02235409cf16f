#pragma once

#include "foundation/tdocumenthost.h"
#include "tfontstyles.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// A data line found by its name: the 0-based index and the whole line; -1 and empty when absent.
struct TDataLineMatch {
    int Index = -1;
    QString Line;
};

// The four line buffers of a document window and the small output machinery around them:
// data lines read from a file and looked up by name or position, output lines assembled one by
// one and written to a file or shown as the window's text, and the title and subtitle lines that
// are styled once the text is shown. With them go the window's Busy flag, the progress position
// of a long operation and the document's file name.
//
// A window (or the batch tool) overrides the virtual operations it shows or keeps differently.
// Every buffer operation does nothing, or returns 0 or empty text, while the buffers do not exist.
class TLineBuffers {
public:
    explicit TLineBuffers(TDocumentHost* host = nullptr);
    virtual ~TLineBuffers();
    TLineBuffers(const TLineBuffers&) = delete;
    TLineBuffers& operator=(const TLineBuffers&) = delete;

    virtual void AddTitleLine(const QString& text);
    virtual void AddSubtitleLine(const QString& text);
    virtual void FormatOutput();
    virtual void UpdateProgress();
    virtual void AddBlankOutputLine();
    virtual void FreeLineBuffers();
    virtual void CreateLineBuffers();
    virtual void ClearLineBuffers();
    virtual void ShowOutput();
    virtual void AddOutputLine(const QString& text);
    virtual void AddDataLine(const QString& text);
    virtual int FindInDataLine(int index, const QString& text) const;
    virtual QString GetDataLine(int index) const;
    virtual void DeleteDataLine(int index);
    virtual void InsertOutputLine(int index, const QString& text);
    virtual int FindInOutputLine(int index, const QString& text) const;
    virtual int OutputLineCount() const;
    virtual void DeleteOutputLine(int index);
    virtual int DataLineCount() const;
    virtual void LoadDataLines(const QString& fileName);
    virtual QString GetOutputLine(int index) const;
    virtual void SetOutputLine(int index, const QString& text);
    virtual void SetDataLine(int index, const QString& text);

    // Writes the output lines to the file, each ended by CR LF, through a save file: a failed
    // write throws TPlatformError and leaves the previous file whole.
    void SaveOutputLines(const QString& fileName) const;
    // Lets the output lines go once they have been written where they are shown, and gives
    // their memory back to the system at once.
    void ReleaseOutputLines();
    // The output lines kept as text (see OutputAsTextFrom), which the buffers give up; the
    // buffers then keep lines as a list again until the mode starts anew.
    QList<QByteArray> TakeOutputText();
    bool OutputKeptAsText() const { return !OutputText.isEmpty(); }
    // The first data line whose part before "=" equals the name, ignoring letter case.
    TDataLineMatch FindDataLine(const QString& name) const;
    // Finds the first data line of that name as FindDataLine does and removes it, returning the
    // text after its first "="; a null string when there is none. Amortised constant time, so a
    // reader that takes every value by name stays linear in the size of the file.
    QString TakeDataValue(const QString& name);

    const QStringList& DataLines() const;
    const QStringList& OutputLines() const { return Output; }
    const QStringList& TitleLines() const { return Titles; }
    const QStringList& SubtitleLines() const { return Subtitles; }
    bool LineBuffersExist() const { return Exist; }

    // The progress gauge position that UpdateProgress would draw for a position and total.
    static int ProgressPercent(int position, int total);

    TDocumentHost& Host() const { return *HostPtr; }
    void SetHost(TDocumentHost* host);

    // Largest file LoadDataLines reads, and most lines it accepts, so that a hostile file cannot
    // exhaust memory.
    static constexpr qint64 MaxFileSize = qint64(1) << 30;
    static constexpr qint64 MaxLineCount = 20'000'000;

    // Whether the analysis report writes its lines. A holder that will neither show nor write
    // the report (the batch tool asked only for other outputs) clears it: the report then goes
    // through the same steps and status texts without building its text.
    bool ReportLinesWanted = true;
    // Once this many output lines have been added (0: from the first), the lines so far and all
    // later ones are kept as UTF-8 text, each line followed by a line feed, in pieces of about a
    // megabyte that end at a line end: a third of the memory of a list of lines, for a report of
    // millions of lines. Meanwhile the indexed output operations see no lines; only appending,
    // SaveOutputLines and TakeOutputText are meant for it. -1 never.
    qsizetype OutputAsTextFrom = -1;

    // Fields of the window that this machinery uses.
    bool Busy = false;
    int ProgressPosition = 0;
    int ProgressTotal = 0;
    int ProgressShown = 0;
    TFontStyles TitleStyle{TFontStyle::Bold};
    TFontStyles SubtitleStyle{TFontStyle::Underline};
    QString FileName;
    QString DefaultExtension = QStringLiteral(".rtf");

private:
    void CompactDataLines() const;
    void InvalidateIndex() const;
    void BuildIndex() const;
    int FindPhysical(QStringView name) const;

    TDocumentHost* HostPtr;
    bool Exist = false;
    QStringList Output;
    QList<QByteArray> OutputText;
    void AppendOutputText(const QString& text);
    QStringList Titles;
    QStringList Subtitles;

    // Data lines with lazily removed entries: TakeDataValue marks a line removed, and the next
    // operation that needs positions compacts the list once. NextAlive[i] is i for a line still
    // there and points forward past removed lines otherwise (with path compression); it is empty
    // while nothing is removed.
    mutable QStringList Data;
    mutable std::vector<int> NextAlive;
    mutable qsizetype RemovedCount = 0;
    bool IsRemoved(qsizetype i) const { return !NextAlive.empty() && NextAlive[size_t(i)] != i; }
    int FirstAliveFrom(int i) const;
    // Name index over the data lines: hash of the case-folded name part to the first line with
    // that hash, and a chain to the next line with the same hash, in line order.
    mutable bool IndexValid = false;
    mutable QHash<quint64, int> IndexHead;
    mutable std::vector<int> IndexNext;
};
