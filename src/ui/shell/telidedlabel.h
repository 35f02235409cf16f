#pragma once

#include <QLabel>

// A status bar panel for texts of any length: a text wider than the panel is shown shortened in
// the middle with an ellipsis, and the whole text is the panel's tool tip. text() is always the
// whole text, and the panel never asks for more room than its minimum width.
class TElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // What the panel shows at its present width.
    QString ShownText() const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
