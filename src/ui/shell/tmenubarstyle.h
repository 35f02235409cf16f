#pragma once

#include <QProxyStyle>

// The style of a menu bar whose menus may carry a picture: a menu with a picture shows it in
// front of its caption, where the toolkit's styles would show the picture instead of the
// caption.
class TMenuBarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

    // Room between the picture and the caption.
    static constexpr int Spacing = 4;
};
