#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

// The spell checker's progress display: a 64 by 64 animation of eight frames (a page of text
// with a magnifying glass going round over it) and below it a counter line in "MS Sans Serif"
// 8 point, which shows the words examined or the word being imported.
class TSpellProgress : public QWidget {
public:
    explicit TSpellProgress(QWidget* parent = nullptr);

    static constexpr int FrameCount = 8;
    static constexpr int FrameSize = 64;
    // The frame, drawn once and kept.
    static const QImage& Frame(int index);

    // What is shown; each setter draws at once.
    void ShowFrame(int index);
    void HideFrame();
    void ShowCounter(const QString& text);

    int FrameShown() const { return CurrentFrame; }
    QString Counter() const { return CounterText; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static QImage DrawFrame(int index);

    int CurrentFrame = -1;
    QString CounterText;
};
