#include "document/tparagraphheights.h"

#include <QRandomGenerator>
#include <QTest>

#include <numeric>
#include <vector>

class TstTParagraphHeights : public QObject {
    Q_OBJECT

private slots:
    // Random replacements and layouts, small and across many chunks, give what a plain list of
    // heights and marks gives.
    void MatchesAPlainList_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("largest");   // the most paragraphs one replacement adds or takes
        QTest::newRow("one paragraph") << 1 << 2;
        QTest::newRow("within a chunk") << 300 << 5;
        QTest::newRow("many chunks, small edits") << 20000 << 3;
        QTest::newRow("many chunks, pastes and cuts") << 20000 << 6000;
    }
    void MatchesAPlainList() {
        QFETCH(int, count);
        QFETCH(int, largest);
        QRandomGenerator random(count + largest);
        TParagraphHeights heights;
        heights.Reset(count, 15);
        std::vector<float> model(count, 15);
        std::vector<bool> waiting(count, true);
        std::vector<int> lines(count, 1);
        for (int round = 0; round < 300; ++round) {
            const int size = int(model.size());
            const int first = random.bounded(size + 1);
            const int removed = qMin(size - first, int(random.bounded(largest + 1)));
            // A text always keeps a paragraph.
            const int added = qMax(size - removed == 0 ? 1 : 0, int(random.bounded(largest + 1)));
            heights.Replace(first, removed, added, 15);
            model.erase(model.begin() + first, model.begin() + first + removed);
            model.insert(model.begin() + first, added, 15);
            waiting.erase(waiting.begin() + first, waiting.begin() + first + removed);
            waiting.insert(waiting.begin() + first, added, true);
            lines.erase(lines.begin() + first, lines.begin() + first + removed);
            lines.insert(lines.begin() + first, added, 1);
            for (int i = 0; i < 20; ++i) {
                const int n = random.bounded(int(model.size()));
                const float height = float(random.bounded(1, 60));
                const int shown = random.bounded(1, 5);
                heights.SetLaidOut(n, height, shown);
                model[n] = height;
                waiting[n] = false;
                lines[n] = shown;
            }
            QCOMPARE(heights.Count(), int(model.size()));
            const int n = random.bounded(int(model.size()));
            const double above = std::accumulate(model.begin(), model.begin() + n, 0.0);
            QCOMPARE(heights.Above(n), above);
            QCOMPARE(heights.LinesAbove(n), std::accumulate(lines.begin(), lines.begin() + n, qint64(0)));
            QCOMPARE(heights.Height(n), model[n]);
            // Halfway down the paragraph is the paragraph.
            QCOMPARE(heights.At(above + model[n] / 2), n);
            const int next = int(std::find(waiting.begin() + n, waiting.end(), true) - waiting.begin());
            QCOMPARE(heights.NextWaiting(n), next);
        }
        QCOMPARE(heights.Total(), std::accumulate(model.begin(), model.end(), 0.0));
        QCOMPARE(heights.At(1e12), int(model.size()) - 1);
    }
};

QTEST_APPLESS_MAIN(TstTParagraphHeights)
#include "tst_tparagraphheights.moc"
