#include "trichedit.h"

#include "document/tdocumentpictures.h"

#include <QMimeData>
#include <QMouseEvent>

#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

namespace {

bool LaidOut(const QTextBlock& block) {
    const QTextLayout* layout = block.layout();
    return layout && layout->lineCount() > 0;
}

} // namespace

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    viewport()->setMouseTracking(true);
    LayoutWatch = new QTimer(this);
    LayoutWatch->setInterval(250);
    connect(LayoutWatch, &QTimer::timeout, this, &TRichEdit::WatchLayout);
    LayoutWatch->start();
}

int TRichEdit::LaidOutParagraphs() const {
    // The layout goes through the paragraphs in order: those laid out come first.
    const QTextDocument* document = this->document();
    int first = 0;
    int last = document->blockCount();
    while (first < last) {
        const int middle = first + (last - first) / 2;
        if (LaidOut(document->findBlockByNumber(middle)))
            first = middle + 1;
        else
            last = middle;
    }
    return first;
}

void TRichEdit::WatchLayout() {
    const QSizeF page = document()->pageSize();
    if (page.isNull() || page.height() < 0 || LaidOut(document()->lastBlock())) {
        LastLaidOut = -1;
        StillLooks = 0;
        return;
    }
    const int laidOut = LaidOutParagraphs();
    // A layout that has not moved for two whole intervals has stopped; one start again for
    // each place it stops at, so a paragraph that is never laid out cannot keep it starting.
    StillLooks = laidOut == LastLaidOut ? StillLooks + 1 : 0;
    if (StillLooks >= 2 && laidOut != RestartedAt) {
        RestartedAt = laidOut;
        document()->setPageSize(page);
    }
    LastLaidOut = laidOut;
}

void TRichEdit::KeepPagesFinite() {
    QTextDocument* document = this->document();
    const QSizeF page = document->pageSize();
    // A null page (before the area is first shown) lays nothing out.
    if (page.height() < 0)
        document->setPageSize(QSizeF(page.width(), PageHeight));
}

void TRichEdit::Relayout(const std::function<void()>& change) {
    QScrollBar* bar = verticalScrollBar();
    const int offset = bar->value();
    {
        const QSignalBlocker blocker(bar);
        bar->setValue(0);
        change();
        KeepPagesFinite();
        bar->setValue(offset);
    }
    viewport()->update();
}

void TRichEdit::SetLineWrapMode(LineWrapMode mode) {
    if (mode != lineWrapMode())
        Relayout([&] { setLineWrapMode(mode); });
}

void TRichEdit::SetAlignment(Qt::Alignment alignment) {
    // What the area's own setAlignment does, with the view brought to the caret only after the
    // area has laid the text out again.
    QTextBlockFormat format;
    format.setAlignment(alignment);
    QTextCursor cursor = textCursor();
    cursor.mergeBlockFormat(format);
    Relayout([this] { setLineWrapColumnOrWidth(lineWrapColumnOrWidth()); });
    setTextCursor(cursor);
}

void TRichEdit::resizeEvent(QResizeEvent* event) {
    if (event->oldSize().width() == event->size().width())
        QTextEdit::resizeEvent(event);
    else
        Relayout([&] { QTextEdit::resizeEvent(event); });
}

void TRichEdit::paintEvent(QPaintEvent* event) {
    KeepPagesFinite();
    QTextEdit::paintEvent(event);
}

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
