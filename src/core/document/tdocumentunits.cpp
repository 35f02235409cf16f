#include "tdocumentunits.h"

#include <QGuiApplication>
#include <QScreen>

int TDocumentUnits::LayoutDpi() {
    if (QCoreApplication::instance() && QCoreApplication::testAttribute(Qt::AA_Use96Dpi))
        return 96;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return qMax(1, qRound(screen->logicalDotsPerInchY()));
    }
    return 100;
}

int TDocumentUnits::PixelsToTwips(qreal pixels, int limit) {
    const qreal twips = PixelsToPoints(pixels) * 20.0;
    if (!(twips < limit))
        return limit;
    if (!(twips > -limit))
        return -limit;
    return qRound(twips);
}
