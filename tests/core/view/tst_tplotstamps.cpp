#include "view/tplotfont.h"
#include "view/tplotstamps.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

namespace {

QImage Blank() {
    QImage image(300, 400, QImage::Format_RGB32);
    image.fill(qRgb(200, 220, 240));
    return image;
}

QPen Pen(QRgb colour) {
    QPen pen{QColor(colour)};
    pen.setWidth(1);
    return pen;
}

} // namespace

// The copied shapes must be exactly what the painter draws, at every position and clipped at
// the picture's edges.
class TstTPlotStamps : public QObject {
    Q_OBJECT

private slots:
    void ShapesMatchThePainter_data() {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("margin"); // how far positions may fall outside the picture
        QTest::newRow("inside") << 1 << -20;
        QTest::newRow("across the edges") << 2 << 20;
    }
    void ShapesMatchThePainter() {
        QFETCH(int, seed);
        QFETCH(int, margin);
        QRandomGenerator random{quint32(seed)};
        QImage stamped = Blank();
        QImage painted = Blank();
        QPainter painter(&painted);
        TPlotStamps& stamps = TPlotStamps::Instance();
        for (int i = 0; i < 400; ++i) {
            const int x = random.bounded(-margin, 300 + margin);
            const int y = random.bounded(-margin, 400 + margin);
            const QRgb colour = qRgb(random.bounded(256), random.bounded(256), 0);
            stamps.DrawDisc(stamped, x - 3, y - 3, colour);
            stamps.DrawRing(stamped, x - 5, y - 5, colour);
            painter.setPen(Pen(colour));
            painter.setBrush(QColor(colour));
            painter.drawEllipse(QRect(x - 3, y - 3, 5, 5));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QRect(x - 5, y - 5, 9, 9));
        }
        painter.end();
        QCOMPARE(stamped, painted);
    }

    void LabelsMatchThePainter_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        QTest::newRow("1 to 3000") << 1 << 3000 << 1;
        QTest::newRow("kept numbers near the limit")
            << TPlotStamps::CachedNumbers - 50 << 50 << 1;
        QTest::newRow("numbers drawn afresh") << TPlotStamps::CachedNumbers + 1 << 50 << 1;
        QTest::newRow("past 100,000, every length") << 100'000 << 2000 << 1'000'003;
        QTest::newRow("negative") << -2147483647 - 1 << 200 << 10'000'019;
        QTest::newRow("largest") << 2147483647 - 3 << 3 << 1;
    }
    void LabelsMatchThePainter() {
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(int, step);
        QRandomGenerator random(7);
        QImage stamped = Blank();
        QImage painted = Blank();
        QPainter painter(&painted);
        painter.setFont(TPlotFont::Font());
        painter.setPen(Qt::black);
        const QFontMetrics metrics = painter.fontMetrics();
        // Twice over, the second time from what was kept; the first time named ahead in the
        // order they are drawn, as a plot does.
        std::vector<qint32> numbers;
        for (int k = 0; k < count; ++k)
            numbers.push_back(qint32(qint64(first) + qint64(k) * step));
        TPlotStamps::Instance().PrepareLabels(numbers);
        for (int pass = 0; pass < 2; ++pass)
            for (int k = 0; k < count; ++k) {
                const qint32 number = qint32(qint64(first) + qint64(k) * step);
                const int x = random.bounded(-30, 310);
                const int y = random.bounded(-15, 410);
                TPlotStamps::Instance().DrawLabel(stamped, x, y, number);
                const QString text = QString::number(number) + QLatin1Char(' ');
                painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()),
                                 Qt::white);
                painter.drawText(QPoint(x, y + metrics.ascent()), text);
            }
        painter.end();
        QCOMPARE(stamped, painted);
    }
};

QTEST_MAIN(TstTPlotStamps)
#include "tst_tplotstamps.moc"
