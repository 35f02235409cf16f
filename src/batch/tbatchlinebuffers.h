#pragma once

#include "document/tlinebuffers.h"

#include <QStringList>

// The batch tool's line buffers: where a window would show a finished report in its text, they
// keep the report's lines, and its title and subtitle lines, for the tool to print or write.
class TBatchLineBuffers : public TLineBuffers {
public:
    using TLineBuffers::TLineBuffers;

    void ShowOutput() override;
    void FormatOutput() override;

    QStringList ShownLines;
    QStringList ShownTitles;
    QStringList ShownSubtitles;
    bool OutputShown = false;
};
