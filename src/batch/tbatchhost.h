#pragma once

#include "foundation/tdocumenthost.h"

#include <QStringList>

// The batch tool's stand-in for a window: information-label texts go to standard error when
// verbose, messages always do, and the last message is kept as the reason for a refusal. Files
// read or written enter the recent-file list of SettingsFile only when one is given.
class TBatchHost : public TDocumentHost {
public:
    bool Verbose = false;
    QString LastMessage;
    QString SettingsFile;

    void ShowInformation(const QString& text) override;
    TMessageResult ShowMessage(const QString& text, const QString& caption, TMessageIcon icon,
                               TMessageButtons buttons) override;
    void AddToQuickList(const QString& fileName) override;
    // Nobody can give node numbers: the first bolt without one is named and the export refused.
    bool EditNisaNodeNumbers(const QStringList& boltColumn, QStringList& nodeColumn) override;
};
