#include "tbatchhost.h"

#include "model/tnumberformat.h"
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

bool TBatchHost::EditNisaNodeNumbers(const QStringList&, QStringList& nodeColumn) {
    for (qsizetype i = 0; i < nodeColumn.size(); ++i) {
        if (TNumberFormat::ParseInteger(nodeColumn.at(i), 0) == 0) {
            LastMessage = QStringLiteral("Bolt %1 has no NISA node number").arg(i + 1);
            std::fputs(LastMessage.toLocal8Bit().constData(), stderr);
            std::fputc('\n', stderr);
            break;
        }
    }
    return false;
}
