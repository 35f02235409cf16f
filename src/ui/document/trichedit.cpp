#include "trichedit.h"

#include "document/tdocumentpictures.h"

#include <QMimeData>
#include <QMouseEvent>

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) { viewport()->setMouseTracking(true); }

void TRichEdit::mouseMoveEvent(QMouseEvent* event) {
    QTextEdit::mouseMoveEvent(event);
    const bool onLink = (event->modifiers() & Qt::ControlModifier) && !anchorAt(event->position().toPoint()).isEmpty();
    viewport()->setCursor(onLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void TRichEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
        const QString address = anchorAt(event->position().toPoint());
        if (!address.isEmpty()) {
            QTextEdit::mouseReleaseEvent(event);
            emit LinkActivated(address);
            return;
        }
    }
    QTextEdit::mouseReleaseEvent(event);
}

QMimeData* TRichEdit::createMimeDataFromSelection() const {
    QMimeData* text = QTextEdit::createMimeDataFromSelection();
    const QTextCursor cursor = textCursor();
    const QStringList names = TDocumentPictures::Names(*document(), cursor.selectionStart(), cursor.selectionEnd());
    if (names.isEmpty())
        return text;
    // The editor's own data lists only its own formats; the pictures go beside them.
    auto* data = new QMimeData;
    for (const QString& format : text->formats())
        data->setData(format, text->data(format));
    delete text;
    data->setData(QLatin1String(PictureMimeType), TDocumentPictures::Pack(*document(), names));
    return data;
}

void TRichEdit::insertFromMimeData(const QMimeData* source) {
    if (source->hasFormat(QLatin1String(PictureMimeType)))
        TDocumentPictures::Unpack(source->data(QLatin1String(PictureMimeType)), *document());
    QTextEdit::insertFromMimeData(source);
}
