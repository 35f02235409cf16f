#pragma once

#include <QStatusBar>
#include <functional>

class QDate;
class QLabel;
class QTime;
class TBaseForm;

// The frame's status bar: six sunken panels showing the active document's caret line and column,
// the lock keys, the time, the date, insert or typeover, and the hints of menus, buttons and the
// active document. The frame's tick keeps the panels up to date; a click on a panel types its
// text into the active document.
class TFrameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TFrameStatusBar(QWidget* parent = nullptr);

    // The frame's active document window; nullptr while there is none.
    std::function<TBaseForm*()> ActiveDocument;

    // One tick for the active document (nullptr for none): typing mode, caret and hints, with
    // the time, the date and the lock keys when the clock is due, and the lock keys after one
    // was pressed. Reading the lock keys waits for the X server, which may be busy drawing.
    void Tick(TBaseForm* document, bool clock);
    // Panel 4: " Insert" or " Typeover" for the document, " " without one.
    void ShowInsertMode(const TBaseForm* document);
    // Panel 5 shows the long part of a hint (after its bar); a hint without one shows the active
    // document's hint instead, and with no document the panel keeps its text.
    void ShowHint(const QString& hint);
    // A status tip reached the frame: its hint is shown. One the editor sent (EditorStatusTip
    // came first) is the document's file name, which the tick keeps showing.
    void ShowStatusTip(const QString& tip);
    void EditorStatusTip() { EditorHint = true; }
    // A lock key was pressed: the next tick reads the lock keys' states.
    void LockKeyPressed() { LocksDue = true; }
    // A click at a position of the bar, only with a document open: the text of the last panel
    // whose left edge lies left of the position, trimmed and followed by a space, is typed into
    // the document.
    void StatusBar1MouseDown(const QPoint& pos);

    // The text of the lock-key panel.
    static QString LockKeysText(bool caps, bool num, bool scroll);
    static QString TimeText(const QTime& time);
    static QString DateText(const QDate& date);

    QLabel* Panels[6] = {};

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The long part of the hint shown last; empty while no menu or button hint is shown.
    QString CurrentHint;
    bool HintFromEditor = false;
    bool EditorHint = false;
    bool LocksDue = true;
};
