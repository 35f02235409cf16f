#pragma once

#include "shell/tdroppedfiles.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QDropEvent;
class QMimeData;
class QWidget;

// Makes a window accept files dragged onto it from the file manager: anywhere on the window,
// document windows and their editors included (an editor never takes a file drop as text).
// The dropped paths are collected with their folders expanded (TDroppedFiles), and OnDrop is
// raised after a drop that found at least one file. Drops are refused while a modal dialog is
// open, and drags that carry no local file are left to the widgets.
class TFileDropper : public QObject {
    Q_OBJECT
public:
    explicit TFileDropper(QObject* owner = nullptr);
    ~TFileDropper() override;

    // The window that accepts drops; Update attaches to it.
    QPointer<QWidget> DropSite;
    // Dropped folders are expanded into their files.
    bool AllowDirDrop = true;
    // The files of the last drop, full paths in the order found.
    QStringList DroppedFiles;
    // The last drop stopped collecting at TDroppedFiles::MaxFiles.
    bool DropTruncated = false;

    // Attaches to DropSite; does nothing when that window is the one attached last.
    void Update();
    // Collects the local files of a drop and raises OnDrop when there were any.
    void DropFiles(const QMimeData* data);
    // The local paths a drag carries, in order.
    static QStringList LocalPaths(const QMimeData* data);

signals:
    void OnDrop(TFileDropper* sender);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Takes(QObject* receiver, const QMimeData* data) const;

    QPointer<QWidget> Attached;
};
