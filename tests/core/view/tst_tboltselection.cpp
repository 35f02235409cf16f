#include "model/tboltgroupmodel.h"
#include "view/tboltselection.h"
#include "view/tboltview.h"

#include <QTest>

using TMode = TBoltSelection::TClickMode;
using TCommand = TBoltSelection::TCommand;
Q_DECLARE_METATYPE(TMode)

// A click on the picture: mode and pointer position.
struct TClick {
    TMode Mode;
    int X;
    int Y;
};
Q_DECLARE_METATYPE(TClick)

namespace {

// A model of `count` bolts whose projection puts bolt i at (10 + 20 i, 50), drawn in index order,
// and bolts listed in `stacked` on top of one another at (200, 200), the later drawn on top.
TBoltGroupModel Model(int count, const QList<qint32>& stacked = {}) {
    TBoltGroupModel model;
    model.Bolts.resize(count);
    for (qint32 i = 0; i < count; ++i) {
        TProjectedPoint p;
        p.BoltIndex = i;
        p.PlotX = stacked.contains(i) ? 200.7 : 10 + 20 * i + 0.9;
        p.PlotY = stacked.contains(i) ? 200.2 : 50.6;
        model.ProjectedBolts.append(p);
    }
    return model;
}

QString Captions(const QList<TBoltSelection::TMenuItem>& items) {
    QStringList out;
    for (const auto& item : items) {
        if (item.Command == TCommand::Separator)
            out << QStringLiteral("-");
        else
            out << item.Caption + QLatin1Char('#') + QString::number(item.Tag) +
                       QLatin1Char('#') + QString::number(int(item.Command));
    }
    return out.join(QLatin1Char('|'));
}

} // namespace

class TstTBoltSelection : public QObject {
    Q_OBJECT

private slots:
    // The pointer hits a bolt within 5 pixels of its truncated plot position.
    void HitRadius_data() {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("hit");
        QTest::newRow("3 across, 4 down") << 3 << 4 << true;
        QTest::newRow("4 across, 4 down") << 4 << 4 << false;
        QTest::newRow("-3 across, -4 up") << -3 << -4 << true;
        QTest::newRow("5 across") << 5 << 0 << true;
        QTest::newRow("6 down") << 0 << 6 << false;
    }
    void HitRadius() {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, hit);
        const TBoltGroupModel model = Model(1);
        // Bolt 0 is plotted at (10.9, 50.6), whose pixel is (10, 50).
        QCOMPARE(TBoltSelection::HitList(model, 10 + dx, 50 + dy),
                 hit ? QList<qint32>{0} : QList<qint32>{});
    }

    void Clicks_data() {
        QTest::addColumn<QList<qint32>>("stacked");
        QTest::addColumn<QList<qint32>>("before");
        QTest::addColumn<QList<TClick>>("clicks");
        QTest::addColumn<QList<qint32>>("after");
        const QList<qint32> none;
        const int top = 200;
        QTest::newRow("plain on two stacked bolts takes the top one")
            << QList<qint32>{2, 5} << none << QList<TClick>{{TMode::Plain, top, top}}
            << QList<qint32>{5};
        QTest::newRow("ctrl on two stacked bolts takes both")
            << QList<qint32>{2, 5} << none << QList<TClick>{{TMode::Add, top, top}}
            << QList<qint32>{2, 5};
        QTest::newRow("shift on bolt 8 from nothing selects 1 to 8")
            << none << none << QList<TClick>{{TMode::Range, 150, 50}}
            << QList<qint32>{0, 1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("shift below the selection")
            << none << QList<qint32>{5, 6} << QList<TClick>{{TMode::Range, 70, 50}}
            << QList<qint32>{3, 4, 5, 6};
        QTest::newRow("shift inside the selection fills it")
            << none << QList<qint32>{2, 6} << QList<TClick>{{TMode::Range, 90, 50}}
            << QList<qint32>{2, 3, 4, 5, 6};
        QTest::newRow("ctrl on bolts 6, 4, 2 sorts the selection")
            << none << none
            << QList<TClick>{{TMode::Add, 110, 50}, {TMode::Add, 70, 50}, {TMode::Add, 30, 50}}
            << QList<qint32>{1, 3, 5};
        QTest::newRow("alt on an unselected bolt changes nothing")
            << none << QList<qint32>{1} << QList<TClick>{{TMode::Remove, 70, 50}}
            << QList<qint32>{1};
        QTest::newRow("alt removes a selected bolt")
            << none << QList<qint32>{1, 3} << QList<TClick>{{TMode::Remove, 30, 50}}
            << QList<qint32>{3};
        QTest::newRow("plain on nothing clears the selection")
            << none << QList<qint32>{1, 3} << QList<TClick>{{TMode::Plain, 250, 300}} << none;
    }
    void Clicks() {
        QFETCH(QList<qint32>, stacked);
        QFETCH(QList<qint32>, before);
        QFETCH(QList<TClick>, clicks);
        QFETCH(QList<qint32>, after);
        TBoltGroupModel model = Model(10, stacked);
        TBoltView view;
        for (qint32 i : before)
            model.SelectBolt(i);
        for (const TClick& click : clicks)
            QVERIFY(TBoltSelection::MouseDown(model, view, click.Mode, click.X, click.Y));
        QCOMPARE(model.SelectedBolts, after);
        QVERIFY(!view.BandActive);
    }

    void ClickModeLaterKeyWins_data() {
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<TMode>("mode");
        QTest::newRow("none") << false << false << false << TMode::Plain;
        QTest::newRow("shift+ctrl") << true << true << false << TMode::Add;
        QTest::newRow("ctrl+alt") << false << true << true << TMode::Remove;
        QTest::newRow("shift+alt") << true << false << true << TMode::Remove;
    }
    void ClickModeLaterKeyWins() {
        QFETCH(bool, shift);
        QFETCH(bool, ctrl);
        QFETCH(bool, alt);
        QFETCH(TMode, mode);
        QCOMPARE(TBoltSelection::ClickMode(shift, ctrl, alt), mode);
    }

    // The list may be changed directly; the operations then still see it as it is.
    void ListChangedFromOutside() {
        TBoltGroupModel model = Model(6);
        model.SelectBolt(4);
        model.SelectedBolts = {2};
        QVERIFY(!model.IsBoltSelected(4));
        model.SelectBolt(2);
        model.SelectBolt(4);
        QCOMPARE(model.SelectedBolts, (QList<qint32>{2, 4}));
        model.SelectedBolts.clear();
        QVERIFY(!model.IsBoltSelected(2));
        model.SelectedBolts.append(5);
        model.DeselectBolt(5);
        QVERIFY(!model.HasBoltSelection());
        // Only indexes of bolts are selected.
        model.SelectBolt(6);
        model.SelectBolt(-1);
        QVERIFY(!model.HasBoltSelection());
        QCOMPARE(model.LowestSelectedBolt(), 0);
    }

    void BandSelectsInsideBoundsIncluded() {
        TBoltGroupModel model = Model(10);
        TBoltView view;
        const QImage before = view.Picture;
        // Nothing selected and nothing hit: a band starts, drawing nothing yet.
        QVERIFY(!TBoltSelection::MouseDown(model, view, TMode::Plain, 30, 40));
        QVERIFY(view.BandActive);
        QCOMPARE(view.Picture, before);
        QVERIFY(TBoltSelection::MouseMove(view, 70, 60));
        QVERIFY(view.Picture != before);
        // Bolts 1 to 3 lie at x 30.9, 50.9 and 70.9, y 50.6: inside 30..71 by 40..51.
        QVERIFY(TBoltSelection::MouseMove(view, 71, 51));
        QVERIFY(TBoltSelection::MouseUp(model, view));
        QCOMPARE(view.Picture, before);
        QVERIFY(!view.BandActive);
        QCOMPARE(model.SelectedBolts, (QList<qint32>{1, 2, 3}));
        // With a selection present a click on empty picture starts no band.
        QVERIFY(TBoltSelection::MouseDown(model, view, TMode::Plain, 250, 300));
        QVERIFY(!view.BandActive);
    }

    void BandOutlineErasesExactly_data() {
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("down right") << QPoint(10, 10) << QPoint(120, 200);
        QTest::newRow("up left, past the picture") << QPoint(290, 390) << QPoint(20, 405);
        QTest::newRow("one pixel") << QPoint(5, 5) << QPoint(6, 6);
        QTest::newRow("flat: nothing drawn") << QPoint(5, 5) << QPoint(80, 5);
    }
    void BandOutlineErasesExactly() {
        QFETCH(QPoint, anchor);
        QFETCH(QPoint, corner);
        QImage picture(300, 400, QImage::Format_RGB32);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 300; ++x)
                picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * y) & 0xFF));
        const QImage original = picture;
        TBoltSelection::DrawBand(picture, anchor, corner);
        QCOMPARE(picture == original, anchor.y() == corner.y());
        if (anchor.y() != corner.y()) {
            const QPoint c = TBoltSelection::BandRectangle(anchor, corner).topLeft();
            QCOMPARE(picture.pixel(c) & 0xFFFFFF, ~original.pixel(c) & 0xFFFFFF);
        }
        TBoltSelection::DrawBand(picture, anchor, corner);
        QCOMPARE(picture, original);
    }

    void PopupItems_data() {
        QTest::addColumn<bool>("loadApplied");
        QTest::addColumn<QList<qint32>>("selection");
        QTest::addColumn<QList<qint32>>("hits");
        QTest::addColumn<QString>("items");
        // Commands: 1 properties, 2 add, 3 copy, 4 move, 5 delete. Six bolts; 6 is the load.
        const QList<qint32> none;
        QTest::newRow("nothing under the pointer") << true << none << none << "-|Add Bolt#6#2";
        QTest::newRow("nothing, no load")
            << false << none << none << "-|Add Applied Load#6#1|-|Add Bolt#6#2";
        QTest::newRow("two bolts and the load")
            << true << none << QList<qint32>{4, 1, 6}
            << "-|Bolt 5 Properties#4#1|Bolt 2 Properties#1#1|Applied Load Properties#6#1|"
               "-|Add Bolt#6#2|Copy Bolt 5#4#3|Delete Bolt 5#4#5|Copy Bolt 2#1#3|Delete Bolt 2#1#5";
        QTest::newRow("a bolt, no load")
            << false << none << QList<qint32>{5}
            << "-|Bolt 6 Properties#5#1|Add Applied Load#6#1|-|Add Bolt#6#2|Copy Bolt 6#5#3|"
               "Delete Bolt 6#5#5";
        QTest::newRow("selection, over the load")
            << true << QList<qint32>{3, 5} << QList<qint32>{2, 6}
            << "-|Applied Load Properties#6#1|-|Copy Selected Bolts#3#3|Move Selected Bolts#3#4|"
               "-|Delete Selected Bolts#3#5";
        QTest::newRow("selection, no load")
            << false << QList<qint32>{1} << none
            << "-|Add Applied Load#6#1|-|Copy Selected Bolts#1#3|Move Selected Bolts#1#4|"
               "-|Delete Selected Bolts#1#5";
    }
    void PopupItems() {
        QFETCH(bool, loadApplied);
        QFETCH(QList<qint32>, selection);
        QFETCH(QList<qint32>, hits);
        QFETCH(QString, items);
        TBoltGroupModel model = Model(6);
        model.LoadApplied = loadApplied;
        for (qint32 i : selection)
            model.SelectBolt(i);
        QCOMPARE(Captions(TBoltSelection::PopupItems(model, hits)), items);
    }

    // The load point counts for the menu only while a load is applied.
    void MenuHitsTheLoadPoint() {
        TBoltGroupModel model = Model(2);
        TProjectedPoint load;
        load.PlotX = 30.5;
        load.PlotY = 52;
        model.ProjectedBolts.append(load);
        QCOMPARE(TBoltSelection::MenuHitList(model, 30, 50), (QList<qint32>{1}));
        model.LoadApplied = true;
        QCOMPARE(TBoltSelection::MenuHitList(model, 30, 50), (QList<qint32>{1, 2}));
        QCOMPARE(TBoltSelection::HitList(model, 30, 50), (QList<qint32>{1}));
    }
};

QTEST_GUILESS_MAIN(TstTBoltSelection)
#include "tst_tboltselection.moc"
