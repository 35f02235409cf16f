#include "tboltviewmenu.h"

#include "tboltgroupform.h"
#include "view/tboltview.h"

#include <QAction>
#include <QMenu>

namespace {

// The item names by view code, without their suffix.
const char* const ViewNames[] = {"Front", "Back",  "Left", "Right", "Top",        "Bottom",
                                 "Iso1",  "Iso2",  "Iso3", "Iso4",  "UserDefined"};
const char* const LensNames[] = {"None", "WideAngleLens", "StandardLens", "TelephotoLens"};

} // namespace

QList<QAction*> TBoltViewMenu::AddViewItems(QMenu* menu, const QString& suffix, bool hints) {
    QList<QAction*> items;
    const auto& views = TBoltView::StandardViews();
    for (int tag = 0; tag < int(views.size()); ++tag) {
        QAction* a = menu->addAction(QString::fromLatin1(views[size_t(tag)].Caption));
        a->setObjectName(QLatin1String(ViewNames[tag]) + suffix);
        a->setData(tag);
        a->setCheckable(true);
        if (hints)
            a->setStatusTip(QString::fromLatin1(views[size_t(tag)].Hint));
        items.append(a);
        if (tag == 5 || tag == 9)
            menu->addSeparator();
    }
    return items;
}

QList<QAction*> TBoltViewMenu::AddLensItems(QMenu* menu, const QString& suffix) {
    QList<QAction*> items;
    for (int lens = 0; lens < TBoltView::LensCount; ++lens) {
        QAction* a = menu->addAction(TBoltView::LensCaption(lens));
        a->setObjectName(QLatin1String(LensNames[lens]) + suffix);
        a->setData(lens);
        a->setCheckable(true);
        items.append(a);
    }
    return items;
}

void TBoltViewMenu::CheckTag(const QList<QAction*>& items, int code) {
    for (QAction* a : items)
        a->setChecked(a->data().toInt() == code);
}

void TBoltViewMenu::BuildFrameMenu(QMenu* view1, std::function<TBoltGroupForm*()> active) {
    const QString suffix = QStringLiteral("1");
    const QList<QAction*> views = AddViewItems(view1, suffix, true);
    QMenu* perspective = view1->addMenu(QStringLiteral("Perspective"));
    perspective->setObjectName(QStringLiteral("Perspective1"));
    perspective->menuAction()->setStatusTip(QStringLiteral("Perspective Lens of the View"));
    const QList<QAction*> lenses = AddLensItems(perspective, suffix);
    view1->addSeparator();
    QAction* labels = view1->addAction(QStringLiteral("Show Bolt Labels"));
    labels->setObjectName(QStringLiteral("ShowBoltLabels1"));
    labels->setStatusTip(QStringLiteral("Show the Bolt Numbers on the Plot"));
    labels->setCheckable(true);
    QAction* shaded = view1->addAction(QStringLiteral("Depth Shaded"));
    shaded->setObjectName(QStringLiteral("DepthShaded1"));
    shaded->setStatusTip(QStringLiteral("Shade the Bolts by their Depth"));
    shaded->setCheckable(true);

    for (QAction* a : views) {
        const int tag = a->data().toInt();
        QObject::connect(a, &QAction::triggered, view1, [active, tag] {
            if (TBoltGroupForm* form = active())
                form->ViewingAngleChange(tag);
        });
    }
    for (QAction* a : lenses) {
        const int lens = a->data().toInt();
        QObject::connect(a, &QAction::triggered, view1, [active, lens] {
            if (TBoltGroupForm* form = active())
                form->ChangeLens(lens);
        });
    }
    QObject::connect(labels, &QAction::triggered, view1, [active] {
        if (TBoltGroupForm* form = active())
            form->ChangeBoltLabels();
    });
    QObject::connect(shaded, &QAction::triggered, view1, [active] {
        if (TBoltGroupForm* form = active())
            form->ChangeDepthShading();
    });

    // The check marks show the active window's view each time the menus open.
    QObject::connect(view1, &QMenu::aboutToShow, view1, [active, views, labels, shaded] {
        const TBoltGroupForm* form = active();
        CheckTag(views, form ? form->Document.View.ViewingAngle : -1);
        labels->setChecked(form && form->Document.View.ShowBoltLabels);
        shaded->setChecked(form && form->Document.View.DepthShaded);
    });
    QObject::connect(perspective, &QMenu::aboutToShow, perspective, [active, lenses] {
        const TBoltGroupForm* form = active();
        CheckTag(lenses, form ? form->Document.View.Lens : -1);
    });
}
