#include "document/tbaseform.h"
#include "shell/tapplication.h"
#include "shell/tmainform.h"
#include "shell/tsettings.h"

#include <QScreen>
#include <QTimer>

namespace {

// For the smoke test only: open a file, then save a picture of the screen and quit.
void RunSmokeHook(TMainForm& frame) {
    const QString open = qEnvironmentVariable("FASTENEX_SMOKE_OPEN");
    const QString picture = qEnvironmentVariable("FASTENEX_SMOKE_SCREENSHOT");
    if (picture.isEmpty())
        return;
    // FASTENEX_SMOKE_TOOL=BoltGroupAnalysis opens the file as New and Open of a bolt group
    // analysis do, without the question which tool opens a ".dat" file.
    const bool boltGroup = qEnvironmentVariable("FASTENEX_SMOKE_TOOL") == QLatin1String("BoltGroupAnalysis");
    QTimer::singleShot(500, &frame, [&frame, open, boltGroup] {
        if (open.isEmpty())
            return;
        if (!boltGroup)
            frame.OpenFileByType(open);
        else if (TBaseForm* form = frame.BoltGroupAnalysis1Click())
            form->OpenDocument(open);
    });
    QTimer::singleShot(2500, &frame, [&frame, picture] {
        QScreen* screen = frame.screen();
        const QPixmap grab = screen ? screen->grabWindow(0) : frame.grab();
        const bool saved = grab.save(picture, "PNG");
        frame.grab().save(picture + QStringLiteral(".frame.png"), "PNG");
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

int main(int argc, char* argv[]) {
    TApplication app(argc, argv);
    // The smoke test keeps its settings apart from the user's.
    if (qEnvironmentVariableIsSet("FASTENEX_SMOKE_SETTINGS"))
        TSettings::SetLocation(qEnvironmentVariable("FASTENEX_SMOKE_SETTINGS"));
    TMainForm frame;
    frame.show();
    RunSmokeHook(frame);
    return app.exec();
}
