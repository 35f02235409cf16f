#include "tparagraphbullets.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

// The format a paragraph's bullet is drawn in: that of its first text, else its own.
QTextCharFormat BulletFormatOf(const QTextBlock& block) {
    QTextCharFormat format;
    const QTextCharFormat source =
        block.begin() != block.end() ? block.begin().fragment().charFormat() : block.charFormat();
    format.setFont(source.font(), QTextCharFormat::FontPropertiesAll);
    if (source.hasProperty(QTextFormat::ForegroundBrush))
        format.setForeground(source.foreground());
    return format;
}

} // namespace

void TParagraphBullets::Toggle(const QTextCursor& selection) {
    QTextDocument* document = selection.document();
    if (!document)
        return;
    const QTextBlock caret = selection.block();
    const QTextBlock last = document->findBlock(selection.selectionEnd());
    const bool remove = caret.textList() != nullptr;
    const QTextBlockFormat model = caret.blockFormat();
    const QTextCharFormat bulletFormat = BulletFormatOf(caret);
    QTextListFormat listFormat;
    listFormat.setStyle(QTextListFormat::ListDisc);
    listFormat.setIndent(1);
    QTextList* list = nullptr;

    QTextCursor edit(document);
    edit.beginEditBlock();
    for (QTextBlock block = document->findBlock(selection.selectionStart()); block.isValid();
         block = block.next()) {
        QTextCursor at(block);
        if (QTextList* old = block.textList())
            old->remove(block);
        // Leaving a list keeps the paragraph's margins; the list's indent goes with the list.
        QTextBlockFormat format = block.blockFormat();
        format.setIndent(0);
        format.setObjectIndex(-1);
        if (!remove) {
            format.setLeftMargin(model.leftMargin());
            format.setTextIndent(model.textIndent());
        }
        at.setBlockFormat(format);
        if (!remove) {
            at.mergeBlockCharFormat(bulletFormat);
            if (list)
                list->add(block);
            else
                list = at.createList(listFormat);
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
}
