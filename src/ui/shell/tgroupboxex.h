#pragma once

#include <QGroupBox>

// A group box whose children are enabled exactly while the box is, and whose caption is drawn
// embossed (a light copy one pixel down and right under a shaded one) while it is disabled.
class TGroupBoxEx : public QGroupBox {
    Q_OBJECT
public:
    explicit TGroupBoxEx(const QString& caption, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
