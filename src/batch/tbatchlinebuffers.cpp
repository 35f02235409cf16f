#include "tbatchlinebuffers.h"

void TBatchLineBuffers::ShowOutput() {
    if (!LineBuffersExist())
        return;
    ShownAsText = OutputKeptAsText();
    ShownText = TakeOutputText();
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

void TBatchLineBuffers::AppendShown(const TLineBuffers& section) {
    if (ShownAsText) {
        QByteArray text;
        for (const QString& line : section.OutputLines()) {
            text += line.toUtf8();
            text += '\n';
        }
        ShownText.append(text);
    } else {
        ShownLines += section.OutputLines();
    }
    ShownTitles += section.TitleLines();
    ShownSubtitles += section.SubtitleLines();
}
