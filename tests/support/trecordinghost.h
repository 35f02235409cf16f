#pragma once

#include "foundation/tdocumenthost.h"

#include <QStringList>

// A host that records what core shows, and answers messages with a preset result.
class TRecordingHost : public TDocumentHost {
public:
    QStringList Information;
    QStringList Messages;
    QStringList QuickList;
    QList<int> Progress;
    int EventPoints = 0;
    int CursorDepth = 0;
    int MaxCursorDepth = 0;
    TMessageResult Answer = TMessageResult::Ok;

    void ShowInformation(const QString& text) override { Information.append(text); }
    void ShowProgress(int percent) override { Progress.append(percent); }
    void ProcessEvents() override { ++EventPoints; }
    void PushBusyCursor() override { MaxCursorDepth = std::max(MaxCursorDepth, ++CursorDepth); }
    void PopBusyCursor() override { --CursorDepth; }
    TMessageResult ShowMessage(const QString& text, const QString& caption, TMessageIcon,
                               TMessageButtons) override {
        Messages.append(caption + QStringLiteral(": ") + text);
        return Answer;
    }
    void AddToQuickList(const QString& fileName) override { QuickList.append(fileName); }
};
