#include "ttextlines.h"

#include "tparagraphlayout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

bool HasParagraphLayout(const QTextBlock& block) {
    return qobject_cast<const TParagraphLayout*>(block.document()->documentLayout());
}

// The paragraph's laid-out lines; none when it has none of its own. The paragraph layout
// measures most paragraphs without keeping their lines, and an old layout's lines may be left.
const QTextLayout* LaidOutLines(const QTextBlock& block, bool paragraphLayout) {
    if (paragraphLayout && !TParagraphLayout::KeepsLines(block))
        return nullptr;
    const QTextLayout* layout = block.layout();
    return layout && layout->lineCount() > 0 ? layout : nullptr;
}

} // namespace

QList<QPair<int, int>> TTextLines::BlockLines(const QTextBlock& block) {
    QList<QPair<int, int>> lines;
    const QString text = block.text();
    if (const QTextLayout* layout = LaidOutLines(block, HasParagraphLayout(block))) {
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            int length = qMin(line.textLength(), int(text.size()) - line.textStart());
            // A line break that ends a line belongs to no line's text.
            if (length > 0 && text.at(line.textStart() + length - 1) == QChar::LineSeparator)
                --length;
            lines.append({line.textStart(), qMax(0, length)});
        }
        return lines;
    }
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QChar::LineSeparator) {
            lines.append({start, i - start});
            start = i + 1;
        }
    }
    lines.append({start, int(text.size()) - start});
    return lines;
}

// Lines of a paragraph without building their list when no line break or layout splits it.
int TTextLines::BlockLineCount(const QTextBlock& block) {
    const bool paragraphLayout = HasParagraphLayout(block);
    if (const QTextLayout* layout = LaidOutLines(block, paragraphLayout))
        return layout->lineCount();
    if (const int lines = TParagraphLayout::MeasuredLines(block); lines > 0 && paragraphLayout)
        return lines;
    return 1 + int(block.text().count(QChar::LineSeparator));
}

QPoint TTextLines::LineInBlock(const QTextBlock& block, int offset) {
    if (const QTextLayout* layout = LaidOutLines(block, HasParagraphLayout(block))) {
        // A line that ends in a line break holds the break; the next line starts after it.
        int first = 0;
        int last = layout->lineCount() - 1;
        while (first < last) {
            const int middle = (first + last + 1) / 2;
            if (layout->lineAt(middle).textStart() <= offset)
                first = middle;
            else
                last = middle - 1;
        }
        return QPoint(first, offset - layout->lineAt(first).textStart());
    }
    const QList<QPair<int, int>> lines = BlockLines(block);
    int inBlock = 0;
    for (int i = 1; i < lines.size(); ++i) {
        if (lines.at(i).first <= offset)
            inBlock = i;
    }
    return QPoint(inBlock, offset - lines.at(inBlock).first);
}

int TTextLines::Count(const QTextDocument& document) {
    int count = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        count += BlockLineCount(block);
    return qMax(1, count);
}

int TTextLines::LineOf(const QTextDocument& document, int position) {
    int line = 0;
    const QTextBlock target = document.findBlock(qMax(0, position));
    if (!target.isValid())
        return Count(document) - 1;
    for (QTextBlock block = document.begin(); block.isValid() && block != target;
         block = block.next())
        line += BlockLineCount(block);
    return line + LineInBlock(target, position - target.position()).x();
}

int TTextLines::LineStart(const QTextDocument& document, int line) {
    int first = 0;
    QTextBlock block = document.begin();
    QTextBlock last = block;
    for (; block.isValid(); block = block.next()) {
        const int count = BlockLineCount(block);
        if (line < first + count)
            return block.position() + BlockLines(block).at(qMax(0, line - first)).first;
        first += count;
        last = block;
    }
    // Beyond the last line: the start of the last line.
    const QList<QPair<int, int>> lines = BlockLines(last);
    return last.position() + lines.constLast().first;
}

QStringList TTextLines::Texts(const QTextDocument& document) {
    QStringList texts;
    texts.reserve(document.blockCount());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (BlockLineCount(block) == 1 && !text.contains(QChar::LineSeparator)) {
            texts.append(text);
            continue;
        }
        for (const auto& [start, length] : BlockLines(block))
            texts.append(text.mid(start, length));
    }
    return texts;
}

namespace {
constexpr char WithoutLineBreaks[] = "fastenexWithoutLineBreaks";
}

void TTextLines::NoteLineBreaks(QTextDocument& document) {
    document.setProperty(WithoutLineBreaks,
                         !document.toRawText().contains(QChar(QChar::LineSeparator)));
}

bool TTextLines::KnownWithoutLineBreaks(const QTextDocument& document) {
    return document.property(WithoutLineBreaks).toBool();
}

void TTextLines::ForgetWithoutLineBreaks(QTextDocument& document) {
    document.setProperty(WithoutLineBreaks, false);
}

qint64 TTextLines::CharacterCount(const QTextDocument& document) {
    // characterCount() holds one separator after every paragraph, the last one included.
    return qint64(document.characterCount()) - 1 + (document.blockCount() - 1);
}
