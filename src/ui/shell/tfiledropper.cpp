#include "tfiledropper.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

TFileDropper::TFileDropper(QObject* owner) : QObject(owner) {}

TFileDropper::~TFileDropper() {
    if (Attached && qApp)
        qApp->removeEventFilter(this);
}

void TFileDropper::Update() {
    if (!DropSite || DropSite == Attached)
        return;
    if (!Attached)
        qApp->installEventFilter(this);
    Attached = DropSite;
    // Drags over widgets that take no drops of their own end up at the window.
    DropSite->setAcceptDrops(true);
}

QStringList TFileDropper::LocalPaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void TFileDropper::DropFiles(const QMimeData* data) {
    TDroppedFiles found;
    found.AllowDirDrop = AllowDirDrop;
    for (const QString& path : LocalPaths(data))
        found.AddFileOrDirectory(path);
    DroppedFiles = found.Files;
    DropTruncated = found.Truncated;
    if (!DroppedFiles.isEmpty())
        emit OnDrop(this);
}

bool TFileDropper::Takes(QObject* receiver, const QMimeData* data) const {
    if (!Attached || !receiver->isWidgetType())
        return false;
    if (static_cast<QWidget*>(receiver)->window() != Attached)
        return false;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != Attached)
        return false;
    return !LocalPaths(data).isEmpty();
}

bool TFileDropper::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!Takes(watched, drag->mimeData()))
            break;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!Takes(watched, drop->mimeData()))
            break;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // The files open after the drop has finished, so the file manager is not kept waiting
        // while a question about a file is on the screen.
        const QList<QUrl> urls = drop->mimeData()->urls();
        QMetaObject::invokeMethod(
            this,
            [this, urls] {
                QMimeData data;
                data.setUrls(urls);
                DropFiles(&data);
            },
            Qt::QueuedConnection);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
