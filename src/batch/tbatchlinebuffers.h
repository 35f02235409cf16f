#pragma once

#include "document/tlinebuffers.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// The batch tool's line buffers: where a window would show a finished report in its text, they
// keep the report's lines, and its title and subtitle lines, for the tool to print or write.
class TBatchLineBuffers : public TLineBuffers {
public:
    using TLineBuffers::TLineBuffers;

    void ShowOutput() override;
    void FormatOutput() override;
    void AddOutputLine(const QString& text) override;
    void ClearLineBuffers() override;

    // While set, output lines are kept as the UTF-8 text of a plain-text report (each line
    // followed by a line feed, in pieces of about a megabyte) instead of as a list of lines, so
    // that a large report takes a third of the memory. The tool sets it while the report is
    // built and only when it writes the report as plain text.
    bool KeepOutputAsText = false;
    // The shown report as that text, when it was kept so; then ShownLines is empty.
    QList<QByteArray> ShownText;
    bool ShownAsText = false;

    // Appends the output lines of other buffers to the shown report, and their title and
    // subtitle lines to the shown ones, as if they had been written after the report.
    void AppendShown(const TLineBuffers& section);

    QStringList ShownLines;
    QStringList ShownTitles;
    QStringList ShownSubtitles;
    bool OutputShown = false;

private:
    QList<QByteArray> PendingText;
};
