#include "tbatchtool.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>

namespace {

// Standard error carries the tool's own texts, one a line, for scripts to read; Qt's debug
// output and warnings about the desktop session it runs in (no runtime folder, say) are left
// out. Critical and fatal messages still reach standard error.
void FilterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fputs(message.toLocal8Bit().constData(), stderr);
        std::fputc('\n', stderr);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // The picture's texts need the GUI application; the batch tool draws off screen unless told
    // otherwise.
    qInstallMessageHandler(FilterQtMessages);
    // Under a file-size limit a write that passes it fails with its own error (the file is too
    // large) and the run ends with the file-error code, instead of the process being killed.
    std::signal(SIGXFSZ, SIG_IGN);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fastenex-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1"));
    TBatchTool tool;
    return tool.Execute(QCoreApplication::arguments());
}
