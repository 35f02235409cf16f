#include "model/tboltgroupmodel.h"
#include "view/tboltselection.h"
#include "view/tboltview.h"

#include <QTest>

using TMode = TBoltSelection::TClickMode;

// A click on the picture: mode and pointer position.
struct TClick {
    TMode Mode;
    int X;
    int Y;
};
Q_DECLARE_METATYPE(TClick)

namespace {

// `count` bolts, bolt i projected at (10.9 + 20 i, 50.6), drawn in index order; the bolts in
// `stacked` lie on one another at (200.7, 200.2), the later drawn on top.
TBoltGroupModel Model(int count, const QList<qint32>& stacked = {}) {
    TBoltGroupModel model;
    model.Bolts.resize(count);
    for (qint32 i = 0; i < count; ++i) {
        const bool s = stacked.contains(i);
        model.ProjectedBolts.append({s ? 200.7 : 10.9 + 20 * i, s ? 200.2 : 50.6, 0, i, 0});
    }
    return model;
}

} // namespace

class TstTBoltSelection : public QObject {
    Q_OBJECT

private slots:
    void Clicks_data() {
        QTest::addColumn<QList<qint32>>("stacked");
        QTest::addColumn<QList<qint32>>("before");
        QTest::addColumn<QList<TClick>>("clicks");
        QTest::addColumn<QList<qint32>>("after");
        const QList<qint32> none;
        // Bolt 0's pixel is (10, 50): 3 across and 4 down hits, 4 and 4 misses.
        QTest::newRow("3 and 4 off hits") << none << none << QList<TClick>{{TMode::Add, 13, 54}}
                                          << QList<qint32>{0};
        QTest::newRow("4 and 4 off misses") << none << QList<qint32>{1}
                                            << QList<TClick>{{TMode::Add, 14, 54}} << QList<qint32>{1};
        QTest::newRow("plain on two stacked takes the top one")
            << QList<qint32>{2, 5} << none << QList<TClick>{{TMode::Plain, 200, 200}}
            << QList<qint32>{5};
        QTest::newRow("ctrl on two stacked takes both")
            << QList<qint32>{2, 5} << none << QList<TClick>{{TMode::Add, 200, 200}}
            << QList<qint32>{2, 5};
        QTest::newRow("shift on bolt 8 from nothing")
            << none << none << QList<TClick>{{TMode::Range, 150, 50}}
            << QList<qint32>{0, 1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("shift below, then inside")
            << none << QList<qint32>{5, 8} << QList<TClick>{{TMode::Range, 70, 50}, {TMode::Range, 130, 50}}
            << QList<qint32>{3, 4, 5, 6, 7, 8};
        QTest::newRow("ctrl on 6, 4, 2 sorts")
            << none << none
            << QList<TClick>{{TMode::Add, 110, 50}, {TMode::Add, 70, 50}, {TMode::Add, 30, 50}}
            << QList<qint32>{1, 3, 5};
        QTest::newRow("alt on an unselected bolt") << none << QList<qint32>{1}
                                                   << QList<TClick>{{TMode::Remove, 70, 50}}
                                                   << QList<qint32>{1};
        QTest::newRow("plain on nothing clears") << none << QList<qint32>{1, 3}
                                                 << QList<TClick>{{TMode::Plain, 250, 300}} << none;
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
        // Of several keys the later one wins: Alt over Ctrl over Shift.
        QCOMPARE(TBoltSelection::ClickMode(true, true, false), TMode::Add);
        QCOMPARE(TBoltSelection::ClickMode(true, true, true), TMode::Remove);
    }

    // The list may be changed directly; the operations still see it as it is.
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
        model.SelectBolt(6);
        QVERIFY(!model.HasBoltSelection());
    }

    void Band() {
        TBoltGroupModel model = Model(10);
        TBoltView view;
        const QImage before = view.Picture;
        QVERIFY(!TBoltSelection::MouseDown(model, view, TMode::Plain, 30, 40));
        QVERIFY(view.BandActive);
        QVERIFY(TBoltSelection::MouseMove(view, 70, 60));
        QVERIFY(view.Picture != before);
        // Bolts 1 to 3 at x 30.9, 50.9, 70.9 and y 50.6 lie inside 30..71 by 40..51.
        QVERIFY(TBoltSelection::MouseMove(view, 71, 51));
        QVERIFY(TBoltSelection::MouseUp(model, view));
        QCOMPARE(view.Picture, before);
        QCOMPARE(model.SelectedBolts, (QList<qint32>{1, 2, 3}));
        // With a selection present no band starts.
        QVERIFY(TBoltSelection::MouseDown(model, view, TMode::Plain, 250, 300));
        QVERIFY(!view.BandActive);
    }

    void BandEndsWhenThePictureLosesTheMouse() {
        TBoltGroupModel model = Model(10);
        TBoltView view;
        const QImage before = view.Picture;
        QVERIFY(!TBoltSelection::MouseDown(model, view, TMode::Plain, 30, 40));
        QVERIFY(TBoltSelection::MouseMove(view, 71, 51));
        QVERIFY(TBoltSelection::CancelBand(view));
        QCOMPARE(view.Picture, before);
        QVERIFY(!TBoltSelection::CancelBand(view));
        // Later moves and releases leave the picture and the selection alone.
        QVERIFY(!TBoltSelection::MouseMove(view, 90, 90));
        QVERIFY(!TBoltSelection::MouseUp(model, view));
        QVERIFY(!model.HasBoltSelection());
        QVERIFY(TBoltSelection::MouseDown(model, view, TMode::Plain, 30, 50));
        QCOMPARE(model.SelectedBolts, (QList<qint32>{1}));
    }

    // A second drawing of the outline restores every pixel; a flat band draws nothing, so that
    // the erasing, which skips flat bands, leaves no line behind.
    void BandOutlineErasesExactly_data() {
        QTest::addColumn<QPoint>("corner");
        QTest::newRow("down right") << QPoint(120, 200);
        QTest::newRow("up left, past the edge") << QPoint(-20, -30);
        QTest::newRow("flat") << QPoint(80, 10);
    }
    void BandOutlineErasesExactly() {
        QFETCH(QPoint, corner);
        QImage picture(300, 400, QImage::Format_RGB32);
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 300; ++x)
                picture.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * y) & 0xFF));
        const QImage original = picture;
        TBoltSelection::DrawBand(picture, QPoint(10, 10), corner);
        QCOMPARE(picture == original, corner.y() == 10);
        TBoltSelection::DrawBand(picture, QPoint(10, 10), corner);
        QCOMPARE(picture, original);
    }

    void PopupItems_data() {
        QTest::addColumn<bool>("loadApplied");
        QTest::addColumn<QList<qint32>>("selection");
        QTest::addColumn<QList<qint32>>("hits");
        QTest::addColumn<QString>("items");
        // Six bolts, 6 is the load. Commands: 1 properties, 2 add, 3 copy, 4 move, 5 delete.
        const QList<qint32> none;
        QTest::newRow("two bolts and the load")
            << true << none << QList<qint32>{4, 1, 6}
            << "-|Bolt 5 Properties 4 1|Bolt 2 Properties 1 1|Applied Load Properties 6 1|"
               "-|Add Bolt 6 2|Copy Bolt 5 4 3|Delete Bolt 5 4 5|Copy Bolt 2 1 3|Delete Bolt 2 1 5";
        QTest::newRow("a bolt, no load")
            << false << none << QList<qint32>{5}
            << "-|Bolt 6 Properties 5 1|Add Applied Load 6 1|-|Add Bolt 6 2|Copy Bolt 6 5 3|"
               "Delete Bolt 6 5 5";
        QTest::newRow("selection, over the load")
            << true << QList<qint32>{3, 5} << QList<qint32>{2, 6}
            << "-|Applied Load Properties 6 1|-|Copy Selected Bolts 3 3|Move Selected Bolts 3 4|"
               "-|Delete Selected Bolts 3 5";
        QTest::newRow("selection, no load")
            << false << QList<qint32>{1} << none
            << "-|Add Applied Load 6 1|-|Copy Selected Bolts 1 3|Move Selected Bolts 1 4|"
               "-|Delete Selected Bolts 1 5";
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
        QStringList out;
        for (const auto& item : TBoltSelection::PopupItems(model, hits))
            out << (item.Command == TBoltSelection::TCommand::Separator
                        ? QStringLiteral("-")
                        : QStringLiteral("%1 %2 %3").arg(item.Caption).arg(item.Tag).arg(int(item.Command)));
        QCOMPARE(out.join(QLatin1Char('|')), items);
    }

    // The load point counts for the menu only, and only while a load is applied.
    void MenuHitsTheLoadPoint() {
        TBoltGroupModel model = Model(2);
        model.ProjectedBolts.append({30.5, 52, 0, 0, 0});
        QCOMPARE(TBoltSelection::MenuHitList(model, 30, 50), (QList<qint32>{1}));
        model.LoadApplied = true;
        QCOMPARE(TBoltSelection::MenuHitList(model, 30, 50), (QList<qint32>{1, 2}));
        QCOMPARE(TBoltSelection::HitList(model, 30, 50), (QList<qint32>{1}));
    }
};

QTEST_GUILESS_MAIN(TstTBoltSelection)
#include "tst_tboltselection.moc"
