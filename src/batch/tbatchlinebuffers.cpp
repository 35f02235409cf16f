#include "tbatchlinebuffers.h"

void TBatchLineBuffers::ShowOutput() {
    if (!LineBuffersExist())
        return;
    ShownLines = OutputLines();
    OutputShown = true;
}

void TBatchLineBuffers::FormatOutput() {
    if (!LineBuffersExist())
        return;
    // The styles are given when a rich-text report is written; the status texts follow the
    // report window's all the same.
    Host().ShowInformation(QStringLiteral("Formatting Output"));
    ShownTitles = TitleLines();
    ShownSubtitles = SubtitleLines();
}
