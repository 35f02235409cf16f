#include "trichedit.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocument>

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {}

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
    Relayout([&] { setAlignment(alignment); });
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
