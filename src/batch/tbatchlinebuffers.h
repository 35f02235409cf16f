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

    // The shown report as the text the buffers kept, when they kept it so (the tool asks for it
    // unless it writes the report as a PDF document); then ShownLines is empty.
    QList<QByteArray> ShownText;
    bool ShownAsText = false;

    // Appends the output lines of other buffers to the shown report, and their title and
    // subtitle lines to the shown ones, as if they had been written after the report.
    void AppendShown(const TLineBuffers& section);

    QStringList ShownLines;
    QStringList ShownTitles;
    QStringList ShownSubtitles;
    bool OutputShown = false;
};
