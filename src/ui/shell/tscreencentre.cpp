#include "tscreencentre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void TScreenCentre::Place(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->geometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}
