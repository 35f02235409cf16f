#include "tparagraphlayout.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QtMath>

#include <algorithm>

namespace {

constexpr qreal Unbounded = 1e12;

// Left and right swap in a right-to-left paragraph unless the alignment is absolute.
Qt::Alignment VisualAlignment(Qt::LayoutDirection direction, Qt::Alignment alignment) {
    if (!(alignment & Qt::AlignHorizontal_Mask))
        alignment |= Qt::AlignLeft;
    if (direction == Qt::RightToLeft && !(alignment & Qt::AlignAbsolute)
        && (alignment & (Qt::AlignLeft | Qt::AlignRight)))
        alignment ^= (Qt::AlignLeft | Qt::AlignRight);
    return alignment;
}

bool FormatSuits(const QTextFormat& format) {
    if (format.isTableFormat() || format.isTableCellFormat() || format.isImageFormat())
        return false;
    if (format.isCharFormat() && format.objectType() != QTextFormat::NoObject)
        return false;
    if (format.isBlockFormat()) {
        const QTextBlockFormat block = format.toBlockFormat();
        if (block.marker() != QTextBlockFormat::MarkerType::NoMarker
            || block.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth))
            return false;
    }
    return true;
}

} // namespace

bool TParagraphLayout::TSetting::operator==(const TSetting& other) const {
    return Width == other.Width && Option.wrapMode() == other.Option.wrapMode()
           && Option.alignment() == other.Option.alignment()
           && Option.textDirection() == other.Option.textDirection()
           && Option.flags() == other.Option.flags()
           && Option.tabStopDistance() == other.Option.tabStopDistance() && Font == other.Font
           && std::equal(std::begin(Margins), std::end(Margins), std::begin(other.Margins));
}

TParagraphLayout::TParagraphLayout(QTextDocument* document)
    : QAbstractTextDocumentLayout(document), Scratch(new QTextLayout) {}

TParagraphLayout::~TParagraphLayout() {
    delete Scratch;
}

bool TParagraphLayout::Suits(const QTextDocument& document) {
    if (!document.rootFrame()->childFrames().isEmpty())
        return false;
    const QList<QTextFormat> formats = document.allFormats();
    const int root = document.rootFrame()->formatIndex();
    for (int i = 0; i < formats.size(); ++i) {
        if (i != root && (formats.at(i).isFrameFormat() || !FormatSuits(formats.at(i))))
            return false;
    }
    return true;
}

bool TParagraphLayout::BlockSuits(const QTextBlock& block) {
    if (!FormatSuits(block.blockFormat()))
        return false;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        if (!FormatSuits(it.fragment().charFormat()))
            return false;
    }
    return true;
}

void TParagraphLayout::LayOutLongParagraphs(QTextDocument& document, qreal pageWidth) {
    if (document.characterCount() < LongParagraph)
        return;
    QList<int> numbers;
    int number = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++number) {
        if (block.length() >= LongParagraph)
            numbers.append(number);
    }
    if (numbers.isEmpty() || !Suits(document))
        return;
    document.setPageSize(QSizeF(pageWidth, document.pageSize().height()));
    auto* layout = new TParagraphLayout(&document);
    document.setDocumentLayout(layout);
    for (const int n : numbers)
        layout->LayOut(document.findBlockByNumber(n), n, true);
    layout->SkipLaidOut();
}

void TParagraphLayout::LayOutAll(QTextDocument& document) {
    if (auto* own = qobject_cast<TParagraphLayout*>(document.documentLayout()))
        own->LayOutAll();
    else
        document.documentLayout()->documentSize();   // Qt's layout finishes to give its size
}

void TParagraphLayout::LayOutForLines(QTextDocument& document) {
    const auto* own = qobject_cast<TParagraphLayout*>(document.documentLayout());
    if (!own || own->Wraps())
        LayOutAll(document);
}

TParagraphLayout::TSetting TParagraphLayout::CurrentSetting() const {
    const QTextDocument* doc = document();
    TSetting setting;
    setting.Width = doc->pageSize().width();
    setting.Option = doc->defaultTextOption();
    setting.Font = doc->defaultFont();
    const QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    const qreal edge = frame.border() + frame.padding();
    setting.Margins[0] = frame.leftMargin() + edge;
    setting.Margins[1] = frame.topMargin() + edge;
    setting.Margins[2] = frame.rightMargin() + edge;
    setting.Margins[3] = frame.bottomMargin() + edge;
    return setting;
}

bool TParagraphLayout::Wraps() const {
    return Setting.Width > 0 && Setting.Option.wrapMode() != QTextOption::NoWrap
           && Setting.Option.wrapMode() != QTextOption::ManualWrap;
}

qreal TParagraphLayout::LineWidth() const {
    // Without a width, lines are as long as their text.
    return qMax<qreal>(0, Setting.Width - Setting.Margins[0] - Setting.Margins[2]);
}

void TParagraphLayout::Reset(bool keepHeights) {
    const int count = document()->blockCount();
    Setting = CurrentSetting();
    const QFontMetricsF metrics(Setting.Font);
    GuessedHeight = qCeil(metrics.ascent() + metrics.descent() + qMax<qreal>(0, metrics.leading()));
    AverageCharWidth = metrics.averageCharWidth();
    if (keepHeights && Count() == count)
        Heights.MarkAllWaiting();
    else
        Heights.Reset(count, float(GuessedHeight));
    DirtyFrom = 0;
    WidestLine = 0;
    OneLines.clear();
}

void TParagraphLayout::Sides(const QTextBlock& block, qreal& left, qreal& right) const {
    const QTextBlockFormat format = block.blockFormat();
    const Qt::LayoutDirection direction = block.textDirection();
    // A list's items stand in by the list's indent besides their own.
    const QTextList* list = block.textList();
    const qreal indent = (format.indent() + (list ? list->format().indent() : 0)) * document()->indentWidth();
    left = format.leftMargin() + (direction == Qt::RightToLeft ? 0 : indent);
    right = format.rightMargin() + (direction == Qt::RightToLeft ? indent : 0);
}

int TParagraphLayout::OneLineKind(const QTextBlock& block, const QString& text) const {
    // Without wrapping, the widest line is measured too.
    if (!Wraps())
        return NoKind;
    if (text.isEmpty())
        return -1 - block.charFormatIndex();
    // Letters past Latin may come from another font, of other heights; a tab's width depends
    // on where it stands.
    if (text.size() > 512)
        return NoKind;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x250)
            return NoKind;
    }
    QTextBlock::iterator it = block.begin();
    const int format = it.fragment().charFormatIndex();
    return (++it).atEnd() ? format : NoKind;
}

qreal TParagraphLayout::PlaceLines(QTextLayout& layout, const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    const Qt::LayoutDirection direction = block.textDirection();
    qreal left = 0;
    qreal right = 0;
    Sides(block, left, right);
    const qreal width = LineWidth();
    qreal y = 0;
    bool first = true;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        const qreal textIndent = first ? format.textIndent() : 0;
        first = false;
        line.setLineWidth(qMax<qreal>(0, width - left - right - textIndent));
        line.setPosition(QPointF(left + (direction == Qt::RightToLeft ? 0 : textIndent), y));
        y += format.lineHeight(qCeil(line.ascent() + line.descent() + line.leading()), 1.0);
        WidestLine = qMax(WidestLine, line.x() + line.naturalTextWidth() + right);
    }
    layout.endLayout();
    return y;
}

void TParagraphLayout::LayOut(const QTextBlock& block, int number, bool keep) {
    const QTextBlockFormat format = block.blockFormat();
    const Qt::LayoutDirection direction = block.textDirection();
    QTextOption option = Setting.Option;
    option.setTextDirection(direction);
    option.setTabs(format.tabPositions());
    Qt::Alignment alignment = option.alignment();
    if (format.hasProperty(QTextFormat::BlockAlignment))
        alignment = format.alignment();
    option.setAlignment(Setting.Width > 0 ? VisualAlignment(direction, alignment) : Qt::AlignLeft);
    if (format.nonBreakableLines() || Setting.Width < 0)
        option.setWrapMode(QTextOption::ManualWrap);

    // A paragraph that looks too long for a line is laid out where it keeps its lines at once.
    keep = keep || KeepsLines(block) || (Wraps() && block.length() * AverageCharWidth > LineWidth());
    qreal lines = 0;
    int lineCount = 0;
    if (!keep) {
        const QString text = block.text();
        // A paragraph of a kind known to be one line, narrower than its line in the widest
        // letters of its font, is that line: most paragraphs of a long text are such.
        const int kind = OneLineKind(block, text);
        const auto known = kind == NoKind ? OneLines.constEnd() : OneLines.constFind(kind);
        qreal left = 0;
        qreal right = 0;
        if (known != OneLines.constEnd())
            Sides(block, left, right);
        if (known != OneLines.constEnd()
            && text.size() * known->WidestLetter < LineWidth() - left - right - format.textIndent()) {
            lines = format.lineHeight(known->Height, 1.0);
            lineCount = 1;
        } else {
            // Measured in the scratch layout, with the fonts and formats the paragraph's own
            // layout would take: the document's font, and for an empty paragraph its mark's.
            const QFont font = text.isEmpty() ? block.charFormat().font() : Setting.Font;
            Scratch->setText(text);
            Scratch->setFont(font);
            Scratch->setFormats(block.textFormats());
            Scratch->setTextOption(option);
            lines = PlaceLines(*Scratch, block);
            lineCount = Scratch->lineCount();
            if (kind != NoKind && lineCount == 1) {
                const QTextLine line = Scratch->lineAt(0);
                const QFont letters = text.isEmpty() ? font : block.begin().fragment().charFormat().font().resolve(font);
                OneLines.insert(kind, {qreal(qCeil(line.ascent() + line.descent() + line.leading())),
                                       QFontMetricsF(letters).maxWidth()});
            }
        }
        // Lines that the width made are kept where what counts lines finds them.
        keep = lineCount != 1 + text.count(QChar::LineSeparator);
    }
    if (keep) {
        QTextLayout* layout = block.layout();
        layout->setCacheEnabled(block.length() >= LongParagraph);
        layout->setTextOption(option);
        lines = PlaceLines(*layout, block);
        lineCount = layout->lineCount();
    }
    QTextBlock marked = block;
    marked.setUserState(keep ? KeptState : UnknownState - lineCount);
    // The space below a paragraph goes with it, unless it is the last.
    const qreal below = block.next().isValid() ? format.bottomMargin() : 0;
    Heights.SetLaidOut(number, float(SpaceAbove(block) + lines + below), lineCount);
}

qint64 TParagraphLayout::LinesAbove(int number) const {
    if (!InStep() || Heights.NextWaiting(0) < number)
        return -1;
    return Heights.LinesAbove(number);
}

qreal TParagraphLayout::SpaceAbove(const QTextBlock& block) {
    // Between two paragraphs, the larger of the space below the one and above the other; the
    // first paragraph has none above it.
    const QTextBlock previous = block.previous();
    if (!previous.isValid())
        return 0;
    const qreal below = previous.blockFormat().bottomMargin();
    return qMax<qreal>(0, block.blockFormat().topMargin() - below);
}

void TParagraphLayout::Keep(const QTextBlock& block, int number) {
    if (Heights.Waiting(number) || !KeepsLines(block))
        LayOut(block, number, true);
}

void TParagraphLayout::SkipLaidOut() {
    DirtyFrom = Heights.NextWaiting(DirtyFrom);
}

template <typename More>
void TParagraphLayout::LayOutWhile(More more, bool keep) {
    qreal top = Top(DirtyFrom);
    QTextBlock block = document()->findBlockByNumber(DirtyFrom);
    int n = DirtyFrom;
    for (; n < Count() && block.isValid() && more(n, top); ++n, block = block.next()) {
        if (Heights.Waiting(n))
            LayOut(block, n, keep);
        top += Heights.Height(n);
    }
    DirtyFrom = n;
    SkipLaidOut();
}

void TParagraphLayout::LayOutThrough(int number, bool keep) {
    LayOutWhile([number](int n, qreal) { return n <= number; }, keep);
}

void TParagraphLayout::LayOutDownTo(qreal y) {
    LayOutWhile([y](int, qreal top) { return top <= y; });
}

bool TParagraphLayout::LayOutFor(qint64 nanoseconds) {
    if (Finished() || !InStep())
        return !Finished();
    const qreal before = Heights.Total();
    QElapsedTimer clock;
    clock.start();
    LayOutWhile([&](int n, qreal) { return (n & 63) != 0 || clock.nsecsElapsed() < nanoseconds; });
    if (Heights.Total() != before)
        emit documentSizeChanged(documentSize());
    return !Finished();
}

void TParagraphLayout::LayOutAll() {
    const qreal before = Heights.Total();
    LayOutThrough(Count() - 1);
    if (Heights.Total() != before)
        emit documentSizeChanged(documentSize());
}

QPointF TParagraphLayout::Origin(const QTextBlock& block, int number) const {
    return QPointF(Setting.Margins[0], Top(number) + SpaceAbove(block));
}

void TParagraphLayout::documentChanged(int from, int charsRemoved, int charsAdded) {
    QTextDocument* doc = document();
    const int count = doc->blockCount();
    const qreal before = Heights.Total();
    const bool whole = from == 0 && charsAdded >= doc->characterCount();
    if (whole || Count() == 0) {
        // The same text with new page sizes, fonts or options; or a new text.
        const bool sameText = charsRemoved == 0 && Count() == count;
        if (sameText && CurrentSetting() == Setting)
            return;
        Reset(sameText);
        if (!Told && !Suits(*doc)) {
            Told = true;
            emit Unsuited();
        }
    } else {
        QTextBlock firstBlock = doc->findBlock(from);
        const int first = firstBlock.blockNumber();
        // What was known of the edited paragraph's lines is known no more.
        firstBlock.setUserState(UnknownState);
        const int last = qMax(first, doc->findBlock(qMin(from + charsAdded, doc->characterCount() - 1)).blockNumber());
        const int added = last - first + 1;
        const int removed = added - (count - Count());
        const bool inOrder = first <= DirtyFrom;
        // A long paragraph edited within itself keeps its place and height, and is laid out
        // again when it is next drawn or asked for: once, however many changes came before (an
        // undo of typing changes it once for each run typed), where Qt lays it out whole each
        // time.
        const bool longEdit = removed == 1 && added == 1 && firstBlock.length() >= LongParagraph;
        const float longHeight = longEdit ? Heights.Height(first) : 0;
        const qint64 longLines = longEdit ? Heights.LinesAbove(first + 1) - Heights.LinesAbove(first) : 0;
        Heights.Replace(first, removed, added, float(GuessedHeight));
        if (longEdit) {
            Heights.SetLaidOut(first, longHeight, int(longLines));
            Heights.MarkWaiting(first);
        }
        // The paragraph after the edit takes its space above from the last one edited.
        if (last + 1 < count)
            Heights.MarkWaiting(last + 1);
        bool suits = doc->rootFrame()->childFrames().isEmpty();
        QTextBlock checked = firstBlock;
        for (int n = first; suits && n <= last && checked.isValid(); ++n, checked = checked.next())
            suits = BlockSuits(checked);
        if (!suits && !Told) {
            Told = true;
            emit Unsuited();
        }
        // A small edit is laid out at once where what is above it is laid out, or where lines
        // do not wrap, so that no paragraph's place depends on those above being laid out.
        const int next = qMin(last + 1, count - 1);
        if (added <= 1000 && (inOrder || !Wraps())) {
            QTextBlock block = firstBlock;
            for (int n = first; n <= next && block.isValid(); ++n, block = block.next()) {
                if (block.length() < LongParagraph)
                    LayOut(block, n, true);
            }
        }
        if (inOrder) {
            DirtyFrom = first;
            SkipLaidOut();
        }
    }
    if (Heights.Total() != before)
        emit documentSizeChanged(documentSize());
    if (!Finished())
        emit WorkLeft();
    // The view is drawn again whole: it is a screenful, and what it shows may have moved.
    emit update();
}

QSizeF TParagraphLayout::documentSize() const {
    const qreal width = Wraps() ? Setting.Width : WidestLine + Setting.Margins[0] + Setting.Margins[2];
    return QSizeF(width, Heights.Total() + Setting.Margins[1] + Setting.Margins[3]);
}

QRectF TParagraphLayout::frameBoundingRect(QTextFrame* frame) const {
    if (frame != document()->rootFrame())
        return QRectF();
    return QRectF(QPointF(0, 0), documentSize());
}

QRectF TParagraphLayout::blockBoundingRect(const QTextBlock& block) const {
    if (!block.isValid() || !InStep())
        return QRectF();
    const int number = block.blockNumber();
    auto* self = const_cast<TParagraphLayout*>(this);
    if (Wraps())
        self->LayOutThrough(number - 1);
    self->Keep(block, number);
    self->SkipLaidOut();
    const QRectF lines = block.layout()->boundingRect();
    return QRectF(Origin(block, number), QSizeF(lines.width(), lines.height()));
}

int TParagraphLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const {
    if (!InStep())
        return -1;
    auto* self = const_cast<TParagraphLayout*>(this);
    if (Wraps())
        self->LayOutDownTo(point.y());
    const int number = NumberAt(point.y());
    const QTextBlock block = document()->findBlockByNumber(number);
    self->Keep(block, number);
    const QTextLayout* layout = block.layout();
    const QPointF local = point - Origin(block, number);
    if (layout->lineCount() == 0)
        return accuracy == Qt::ExactHit ? -1 : block.position();
    int index = 0;
    while (index + 1 < layout->lineCount() && layout->lineAt(index + 1).y() <= local.y())
        ++index;
    const QTextLine line = layout->lineAt(index);
    if (accuracy == Qt::ExactHit && !line.naturalTextRect().contains(local))
        return -1;
    return block.position() + line.xToCursor(local.x());
}

void TParagraphLayout::DrawListMarker(QPainter* painter, const PaintContext& context,
                                      const QTextBlock& block, const QPointF& origin) const {
    const QTextLayout* layout = block.layout();
    if (layout->lineCount() == 0)
        return;
    // The marker stands a space before the first line's text, in the paragraph mark's font, as
    // Qt's layout draws it: a disc, circle or square a third of a line high, or the item's
    // number.
    const QTextList* list = block.textList();
    const QTextBlockFormat format = block.blockFormat();
    const int style = format.hasProperty(QTextFormat::ListStyle) ? format.intProperty(QTextFormat::ListStyle)
                                                                 : int(list->format().style());
    const QFont font = block.charFormat().font();
    const QFontMetricsF metrics(font);
    const bool rightToLeft = block.textDirection() == Qt::RightToLeft;
    const QRectF text = layout->lineAt(0).naturalTextRect();
    const QPointF start = origin + QPointF(rightToLeft ? text.right() : text.left(), text.top());
    const bool shape = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
                       || style == QTextListFormat::ListSquare;
    const QString number = shape ? QString() : list->itemText(block);
    if (!shape && number.isEmpty())
        return;
    const qreal side = metrics.lineSpacing() / 3;
    const QSizeF size = shape ? QSizeF(side, side) : QSizeF(metrics.horizontalAdvance(number), metrics.height());
    const qreal space = metrics.horizontalAdvance(QLatin1Char(' '));
    const QRectF marker(QPointF(start.x() + (rightToLeft ? space : -space - size.width()),
                                start.y() + (metrics.height() - size.height()) / 2),
                        size);
    QBrush ink = block.charFormat().foreground();
    if (ink.style() == Qt::NoBrush)
        ink = context.palette.text();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (style == QTextListFormat::ListDisc) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(ink);
        painter->drawEllipse(marker);
    } else if (style == QTextListFormat::ListCircle) {
        painter->setPen(QPen(ink, 0));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(marker.translated(0.5, 0.5));
    } else if (style == QTextListFormat::ListSquare) {
        painter->fillRect(marker, ink);
    } else {
        painter->setFont(font);
        painter->setPen(QPen(ink, 0));
        painter->drawText(QPointF(marker.left(), start.y() + metrics.ascent()), number);
    }
    painter->restore();
}

void TParagraphLayout::draw(QPainter* painter, const PaintContext& context) {
    if (!InStep())
        return;
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(0, 0, Unbounded, Unbounded);
    if (Wraps())
        LayOutDownTo(clip.bottom());
    const QTextDocument* doc = document();
    bool ok = false;
    int cursorWidth = property("cursorWidth").toInt(&ok);
    if (!ok)
        cursorWidth = 1;
    const qreal width = documentSize().width();
    int number = NumberAt(clip.top());
    QTextBlock block = doc->findBlockByNumber(number);
    qreal top = Top(number);
    for (; block.isValid() && top <= clip.bottom(); block = block.next(), ++number) {
        Keep(block, number);
        const QTextBlockFormat format = block.blockFormat();
        const QBrush background = format.background();
        if (background.style() != Qt::NoBrush)
            painter->fillRect(QRectF(0, top, width, Heights.Height(number)), background);
        const int position = block.position();
        const int length = block.length();
        QList<QTextLayout::FormatRange> selections;
        for (const Selection& selection : context.selections) {
            const int start = selection.cursor.selectionStart() - position;
            const int end = selection.cursor.selectionEnd() - position;
            if (end <= 0 || start >= length || start == end)
                continue;
            QTextLayout::FormatRange range;
            range.start = qMax(0, start);
            range.length = qMin(end, length) - range.start;
            range.format = selection.format;
            selections.append(range);
        }
        const QPointF origin(Setting.Margins[0], top + SpaceAbove(block));
        painter->setPen(context.palette.color(QPalette::Text));
        block.layout()->draw(painter, origin, selections, clip);
        if (block.textList())
            DrawListMarker(painter, context, block, origin);
        if (context.cursorPosition >= position && context.cursorPosition < position + length)
            block.layout()->drawCursor(painter, origin, context.cursorPosition - position, cursorWidth);
        top += Heights.Height(number);
    }
}
