#include "tlineindex.h"

#include "tparagraphlayout.h"
#include "ttextlines.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

TLineIndex::TLineIndex(QTextDocument* document, QObject* parent)
    : QObject(parent), Document(document) {
    connect(document, &QTextDocument::contentsChange, this,
            [this](int position, int, int added) {
                Forget(position);
                if (added > 0 && TTextLines::KnownWithoutLineBreaks(*Document)) {
                    // Only the text added can hold a new line break.
                    QTextCursor cursor(Document);
                    const int last = Document->characterCount() - 1;
                    cursor.setPosition(qBound(0, position, last));
                    cursor.setPosition(qBound(0, position + added, last), QTextCursor::KeepAnchor);
                    if (cursor.selectedText().contains(QChar(QChar::LineSeparator)))
                        TTextLines::ForgetWithoutLineBreaks(*Document);
                }
            });
}

void TLineIndex::Forget(int position) {
    // A change at or after the paragraph's start leaves the lines before it as they were.
    if (position < BlockPosition)
        BlockNumber = -1;
}

QPoint TLineIndex::LineAndColumn(int position) {
    const QTextBlock target = Document->findBlock(qMax(0, position));
    if (!target.isValid()) {
        const int last = TTextLines::Count(*Document) - 1;
        return QPoint(last, 0);
    }
    const QPoint inBlock = TTextLines::LineInBlock(target, position - target.position());
    if (const auto* own = qobject_cast<const TParagraphLayout*>(Document->documentLayout())) {
        // Without word wrap and line breaks, a paragraph is a line: laid out or not yet.
        if (!own->Wraps() && TTextLines::KnownWithoutLineBreaks(*Document))
            return QPoint(target.blockNumber() + inBlock.x(), inBlock.y());
        // The paragraph layout adds the lines above up without a walk once they are laid out.
        if (const qint64 above = own->LinesAbove(target.blockNumber()); above >= 0)
            return QPoint(int(above) + inBlock.x(), inBlock.y());
    }
    const qreal width = Document->pageSize().width();
    QTextBlock block;
    int line = 0;
    if (BlockNumber >= 0 && width == Width) {
        block = Document->findBlockByNumber(BlockNumber);
        if (!block.isValid() || block.position() != BlockPosition)
            block = QTextBlock();
        else
            line = LinesBefore;
    }
    if (!block.isValid()) {
        block = Document->begin();
        line = 0;
    }
    // Walk from the remembered paragraph to the target, backwards or forwards.
    while (block.isValid() && block.blockNumber() > target.blockNumber()) {
        block = block.previous();
        line -= TTextLines::BlockLineCount(block);
    }
    while (block.isValid() && block != target) {
        line += TTextLines::BlockLineCount(block);
        block = block.next();
    }
    const QTextLayout* layout = target.layout();
    if (layout && layout->lineCount() > 0) {
        BlockNumber = target.blockNumber();
        BlockPosition = target.position();
        LinesBefore = line;
        Width = width;
    } else {
        BlockNumber = -1;
    }
    return QPoint(line + inBlock.x(), inBlock.y());
}
