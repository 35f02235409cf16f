#include "tbatchhost.h"

#include "shell/tsettings.h"

#include <QFileInfo>
#include <cstdio>

void TBatchHost::ShowInformation(const QString& text) {
    if (Verbose) {
        std::fputs(text.toLocal8Bit().constData(), stderr);
        std::fputc('\n', stderr);
    }
}

TMessageResult TBatchHost::ShowMessage(const QString& text, const QString& caption, TMessageIcon,
                                       TMessageButtons buttons) {
    LastMessage = text;
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
    // Nobody can answer: a question is answered with its negative.
    switch (buttons) {
    case TMessageButtons::YesNo:
        return TMessageResult::No;
    case TMessageButtons::YesNoCancel:
    case TMessageButtons::OkCancel:
        return TMessageResult::Cancel;
    case TMessageButtons::Ok:
        break;
    }
    return TMessageResult::Ok;
}

void TBatchHost::AddToQuickList(const QString& fileName) {
    if (SettingsFile.isEmpty())
        return;
    TSettings(SettingsFile).AddToQuickList(QFileInfo(fileName).absoluteFilePath());
}
