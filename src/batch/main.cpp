#include "tbatchtool.h"

#include <QGuiApplication>

#include "foundation/tsavefile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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
    // A closed standard output is held by a descriptor that refuses writes, so that no file the
    // run opens takes its place and a report written there fails with the system's reason.
    if (::fcntl(STDOUT_FILENO, F_GETFD) == -1 && errno == EBADF) {
        const int held = ::open("/dev/null", O_RDONLY);
        if (held >= 0 && held != STDOUT_FILENO) {
            ::dup2(held, STDOUT_FILENO);
            ::close(held);
        }
    }
    // Outputs named on the command line may be pipes and devices (/dev/stdout, /dev/null, a
    // FIFO, a process substitution): they are written into, never replaced.
    TSaveFile::SetSpecialTargets(TSaveFile::TSpecialTargets::WriteInto);
    // Under a file-size limit a write that passes it fails with its own error (the file is too
    // large) and the run ends with the file-error code, instead of the process being killed.
    std::signal(SIGXFSZ, SIG_IGN);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fastenex-batch"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1"));
    TBatchTool tool;
    const int code = tool.Execute(QCoreApplication::arguments());
    // Texts printed on standard output (the help) reach it at the flush.
    errno = 0;
    if ((std::fflush(stdout) != 0 || std::ferror(stdout)) && code == TBatchTool::Done) {
        std::fprintf(stderr, "Cannot write standard output. %s\n",
                     std::strerror(errno != 0 ? errno : EIO));
        return TBatchTool::FileError;
    }
    return code;
}
