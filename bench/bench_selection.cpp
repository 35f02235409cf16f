// Times the selection of a 10^5-bolt group: SelectBolt on every bolt followed by
// SortBoltSelection (target: well under a second, here 100 ms), in ascending and in descending
// order, the membership test, a Shift-click that selects the whole range, an area selection over
// the whole picture, and the first test after the list was replaced from outside. For comparison
// it times the same SelectBolt loop with a plain search of the list, as a selection without the
// membership table would do it. Exits with 1 when the target is missed.
#include "model/tboltgroupmodel.h"
#include "view/tboltselection.h"
#include "view/tboltview.h"

#include <QElapsedTimer>
#include <algorithm>
#include <numeric>
#include <cstdio>
#include <vector>

namespace {

constexpr qint32 Count = 100'000;
constexpr double TargetMs = 100;

template <typename F>
double Milliseconds(F&& f) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        f();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A group of Count bolts spread over the picture, projected in index order.
TBoltGroupModel Group() {
    TBoltGroupModel model;
    model.Bolts.resize(Count);
    model.ProjectedBolts.resize(Count);
    for (qint32 i = 0; i < Count; ++i) {
        TProjectedPoint& p = model.ProjectedBolts[i];
        p.BoltIndex = i;
        p.PlotX = 17 + (qint64(i) * 7919) % 265;
        p.PlotY = 15 + (qint64(i) * 104729) % 270;
    }
    return model;
}

} // namespace

int main() {
    TBoltGroupModel model = Group();
    bool ok = true;
    const auto report = [&ok](const char* what, double ms, bool targeted) {
        std::printf("%-52s %9.2f ms%s\n", what, ms,
                    targeted ? (ms < TargetMs ? "  (target 100 ms: met)" : "  (target 100 ms: MISSED)")
                             : "");
        if (targeted && ms >= TargetMs)
            ok = false;
    };

    report("SelectBolt x 10^5 ascending + SortBoltSelection", Milliseconds([&] {
               model.ClearBoltSelection();
               for (qint32 i = 0; i < Count; ++i)
                   model.SelectBolt(i);
               model.SortBoltSelection();
           }),
           true);
    report("SelectBolt x 10^5 descending + SortBoltSelection", Milliseconds([&] {
               model.ClearBoltSelection();
               for (qint32 i = Count - 1; i >= 0; --i)
                   model.SelectBolt(i);
               model.SortBoltSelection();
           }),
           true);
    qint64 found = 0;
    report("IsBoltSelected x 10^5", Milliseconds([&] {
               for (qint32 i = 0; i < Count; ++i)
                   found += model.IsBoltSelected(i);
           }),
           false);
    TBoltView view;
    const TProjectedPoint& last = model.ProjectedBolts.at(Count - 1);
    report("Shift-click on the last bolt, nothing selected", Milliseconds([&] {
               model.ClearBoltSelection();
               TBoltSelection::MouseDown(model, view, TBoltSelection::TClickMode::Range,
                                         int(last.PlotX), int(last.PlotY));
           }),
           true);
    report("Area selection over the whole picture", Milliseconds([&] {
               model.ClearBoltSelection();
               TBoltSelection::SelectInRectangle(model, QPoint(0, 0), QPoint(299, 399));
           }),
           true);
    report("List replaced from outside, then one IsBoltSelected", Milliseconds([&] {
               QList<qint32> all(Count);
               std::iota(all.begin(), all.end(), 0);
               model.SelectedBolts = all;
               found += model.IsBoltSelected(Count / 2);
           }),
           false);
    std::printf("selected after the last step: %d, tests answered yes: %lld\n",
                model.SelectedBoltCount(), found);

    // The same loop searching the list itself, once.
    QList<qint32> plain;
    QElapsedTimer timer;
    timer.start();
    for (qint32 i = 0; i < Count; ++i)
        if (!plain.contains(i))
            plain.append(i);
    std::sort(plain.begin(), plain.end());
    report("for comparison: the loop with a search of the list", double(timer.nsecsElapsed()) / 1e6,
           false);
    return ok ? 0 : 1;
}
