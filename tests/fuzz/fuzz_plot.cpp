// Plots bolt groups made of arbitrary bytes: co-ordinates, load, view angles, lens, options and
// selection, including values no file can hold (infinities, not-a-number, the largest and
// smallest doubles). The plot must never crash or write outside the picture, and it either
// completes with every bolt drawn inside the picture or aborts leaving the previous picture.
#include "foundation/tdocumenthost.h"
#include "document/tlinebuffers.h"
#include "model/tboltgroupdocument.h"

#include <QGuiApplication>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

class TReader {
public:
    TReader(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    bool AtEnd() const { return Position >= Size; }
    uint8_t Byte() { return Position < Size ? Data[Position++] : 0; }
    double Real() {
        // Mostly small whole numbers, which make coincident points and equal depths likely;
        // sometimes the raw bits of a double.
        const uint8_t kind = Byte();
        if (kind < 200)
            return double(int8_t(Byte()));
        double value = 0;
        uint8_t bytes[8] = {};
        for (uint8_t& b : bytes)
            b = Byte();
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Position = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_plot";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
    TReader in(data, size);
    TLineBuffers buffers;
    TBoltGroupDocument document(buffers);
    TBoltView& view = document.View;
    const uint8_t options = in.Byte();
    view.SetViewingAngle(options % 12);
    view.ChangeLens((options >> 4) % 5);
    view.ShowBoltLabels = options & 0x40;
    view.DepthShaded = options & 0x80;
    if (in.Byte() & 1) {
        view.ViewRotX = in.Real();
        view.ViewRotY = in.Real();
        view.ViewRotZ = in.Real();
    }
    document.AppliedLoad = TAppliedLoad{in.Real(), in.Real(), in.Real(),
                                        in.Real(), in.Real(), in.Real(), 0, 0};
    while (!in.AtEnd() && document.Bolts.size() < 2000) {
        TBolt bolt;
        bolt.X = in.Real();
        bolt.Y = in.Real();
        bolt.Z = in.Real();
        document.Bolts.append(bolt);
        if (in.Byte() & 1)
            document.SelectedBolts.append(qint32(in.Byte()) - 8);
    }

    document.PlotBolts();
    const QImage before = view.Picture;
    if (view.Picture.size() != QSize(300, 400) || buffers.Busy || view.PlotRunning)
        std::abort();
    if (view.PlotComplete) {
        if (document.ProjectedBolts.size() < document.BoltCount())
            std::abort();
        for (qint32 i = 0; i < document.BoltCount(); ++i) {
            const TProjectedPoint& p = document.ProjectedBolts.at(i);
            if (!(p.PlotX >= 9 && p.PlotX <= 276 && p.PlotY >= 9 && p.PlotY <= 291))
                std::abort();
        }
    }
    // A second plot of the same scene ends the same way and draws the same picture.
    const bool complete = view.PlotComplete;
    document.PlotBolts();
    if (view.PlotComplete != complete || (complete && view.Picture != before))
        std::abort();
    return 0;
}
