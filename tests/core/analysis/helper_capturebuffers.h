#pragma once

#include "document/tlinebuffers.h"
#include "trecordinghost.h"

#include <QStringList>

// Line buffers that keep what a window would show: the report's lines when ShowOutput runs and
// its title and subtitle lines when FormatOutput runs, with the order of the calls.
class TCaptureBuffers : public TLineBuffers {
public:
    using TLineBuffers::TLineBuffers;

    QStringList Shown;
    QStringList Titles;
    QStringList Subtitles;
    QStringList Calls;

    void ShowOutput() override {
        Calls.append(QStringLiteral("ShowOutput"));
        if (LineBuffersExist())
            Shown = OutputLines();
    }
    void FormatOutput() override {
        Calls.append(QStringLiteral("FormatOutput"));
        Titles = TitleLines();
        Subtitles = SubtitleLines();
    }
};

// A recording host that also counts the emptying of the document's text.
class TReportHost : public TRecordingHost {
public:
    int TextCleared = 0;
    void ClearText() override { ++TextCleared; }
};
