#include "tbatchlinebuffers.h"

namespace {
constexpr qsizetype TextPiece = 1 << 20;
}

void TBatchLineBuffers::AddOutputLine(const QString& text) {
    if (!KeepOutputAsText || !LineBuffersExist()) {
        TLineBuffers::AddOutputLine(text);
        return;
    }
    if (PendingText.isEmpty() || PendingText.last().size() >= TextPiece) {
        PendingText.append(QByteArray());
        PendingText.last().reserve(TextPiece + 4096);
    }
    PendingText.last() += text.toUtf8();
    PendingText.last() += '\n';
}

void TBatchLineBuffers::ClearLineBuffers() {
    TLineBuffers::ClearLineBuffers();
    PendingText.clear();
}

void TBatchLineBuffers::ShowOutput() {
    if (!LineBuffersExist())
        return;
    ShownAsText = KeepOutputAsText;
    ShownText = std::move(PendingText);
    PendingText.clear();
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
