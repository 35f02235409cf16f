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
    ShownTitles = TitleLines();
    ShownSubtitles = SubtitleLines();
}
