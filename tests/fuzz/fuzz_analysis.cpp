// libFuzzer target for the analysis and its report: the input is decoded into a small bolt group
// (co-ordinates and stiffnesses drawn from a palette of awkward values: zeros, repeats, signs,
// tiny, huge) and analysed as after a read. A run either stops with one of the two
// floating-point errors, leaving both flags false and the buffers freed, or completes with
// finite results, a report whose numbers are all numbers and sums that are 1 and 0.
#include "document/tlinebuffers.h"
#include "foundation/tplatformerror.h"
#include "model/tboltgroupdocument.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

class TKeepingBuffers : public TLineBuffers {
public:
    QStringList Shown;
    void ShowOutput() override { Shown = OutputLines(); }
};

// Reads values from the input, one byte choosing among palette entries or, for the high codes,
// taking the next eight bytes as a double.
class TDecoder {
public:
    TDecoder(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    bool AtEnd() const { return Position >= Size; }
    int Byte() { return Position < Size ? Data[Position++] : 0; }
    double Value() {
        static const double palette[] = {0,    1,     -1,    2,     0.5,  10,    -10,  100,
                                         1e-9, 1e-300, 1e9,  1e150, 1e300, -1e300, 3,    7,
                                         0.1,  -0.25, 25,    -60,   1e-5, 1e5,   42,   -42};
        const int code = Byte();
        if (code < 200)
            return palette[code % (sizeof palette / sizeof palette[0])];
        double v = 0;
        if (Size - Position >= sizeof v) {
            std::memcpy(&v, Data + Position, sizeof v);
            Position += sizeof v;
        }
        return std::isfinite(v) ? v : 0; // the readers never hand over non-finite values
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Position = 0;
};

bool Fine(double v) { return std::isfinite(v); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TDecoder in(data, size);
    TKeepingBuffers buffers;
    TBoltGroupDocument document(buffers);
    document.AnalysisTitle = QStringLiteral("Fuzz");
    const int count = in.Byte() % 24;
    for (int i = 0; i < count && !in.AtEnd(); ++i) {
        TBolt b;
        b.X = in.Value();
        b.Y = in.Value();
        b.Z = in.Value();
        b.StiffnessX = in.Value();
        b.StiffnessY = in.Value();
        b.StiffnessZ = in.Value();
        b.Orientation = qint8(in.Byte() - 128);
        document.Bolts.append(b);
    }
    TAppliedLoad& l = document.AppliedLoad;
    l.X = in.Value();
    l.Y = in.Value();
    l.Z = in.Value();
    l.FX = in.Value();
    l.FY = in.Value();
    l.FZ = in.Value();
    document.UpdateLoadApplied();
    try {
        document.CalculateUnitLoads();
        document.CalculateActualLoads();
    } catch (const TPlatformError& e) {
        if (e.Text() != QLatin1String(TPlatformError::DivisionByZero) &&
            e.Text() != QLatin1String(TPlatformError::InvalidOperation))
            __builtin_trap();
        if (document.UnitLoadsCalculated && document.ActualLoadsCalculated)
            __builtin_trap();
        if (buffers.LineBuffersExist() && !document.UnitLoadsCalculated)
            __builtin_trap();
        return 0;
    }
    if (buffers.LineBuffersExist() || buffers.Busy)
        __builtin_trap();
    const bool runs = document.BoltCount() > 2 && document.LoadApplied;
    if (document.ActualLoadsCalculated != runs)
        __builtin_trap();
    if (!runs)
        return 0;
    if (document.UnitLoads.size() != document.Bolts.size() ||
        document.ActualLoads.size() != document.Bolts.size())
        __builtin_trap();
    double sxx = 0, syy = 0, szz = 0, sxy = 0, scale = 1;
    for (const TBoltUnitLoads& u : document.UnitLoads) {
        for (double v : {u.XDueToFX, u.YDueToFX, u.ZDueToFX, u.XDueToFY, u.YDueToFY, u.ZDueToFY,
                         u.XDueToFZ, u.YDueToFZ, u.ZDueToFZ}) {
            if (!Fine(v))
                __builtin_trap();
            scale = std::max(scale, std::fabs(v));
        }
        sxx += u.XDueToFX;
        syy += u.YDueToFY;
        szz += u.ZDueToFZ;
        sxy += u.XDueToFY;
    }
    // The direct shares add up, whatever the moments: the balance only moves load between
    // bolts. That holds within rounding for reasonable groups; with stiffnesses that differ by
    // a hundred orders of magnitude the arithmetic cannot keep it (the report's sums show it).
    bool reasonable = true;
    for (const TBolt& b : document.Bolts) {
        for (double k : {b.StiffnessX, b.StiffnessY, b.StiffnessZ})
            reasonable = reasonable && k >= 1e-3 && k <= 1e3;
        for (double c : {b.X, b.Y, b.Z, l.X, l.Y, l.Z})
            reasonable = reasonable && std::fabs(c) <= 1e6;
    }
    const double allowance = 1e-6 * scale * double(document.BoltCount());
    if (reasonable && (std::fabs(sxx - 1) > allowance || std::fabs(syy - 1) > allowance ||
                       std::fabs(szz - 1) > allowance || std::fabs(sxy) > allowance))
        __builtin_trap();
    for (const TBoltActualLoads& a : document.ActualLoads) {
        if (!Fine(a.LoadX) || !Fine(a.LoadY) || !Fine(a.LoadZ) || !Fine(a.ResultantXYZ) ||
            a.ResultantXY < 0 || a.ResultantXZ < 0 || a.ResultantYZ < 0)
            __builtin_trap();
    }
    for (const QString& line : buffers.Shown) {
        if (line.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
            line.contains(QLatin1String("inf"), Qt::CaseInsensitive))
            __builtin_trap();
    }
    return 0;
}
