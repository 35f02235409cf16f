#include "treportview.h"

#include "document/treporttext.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>

#include <cmath>

namespace {

bool IsWordCharacter(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

} // namespace

TReportView::TReportView(QWidget* editor) : QAbstractScrollArea(editor) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    // Drops are the view's, never the hidden editor's.
    viewport()->setAcceptDrops(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (editor) {
        setPalette(editor->palette());
        setGeometry(editor->rect());
        editor->installEventFilter(this);
    }
}

TReportView::~TReportView() = default;

void TReportView::SetReport(std::shared_ptr<const TReportText> report, const QFont& font,
                            qreal margin, const QTextOption& option) {
    Text = std::move(report);
    Font = font;
    Margin = margin;
    Option = option;
    Option.setWrapMode(QTextOption::NoWrap);
    LineHeight = std::max<qreal>(1, QFontMetricsF(Font, viewport()).height());
    CaretAt = AnchorAt = {};
    WantedColumn = 0;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
}

int TReportView::VisibleLines() const {
    return std::max(1, int((viewport()->height() - Margin) / LineHeight));
}

qsizetype TReportView::TopLine() const { return verticalScrollBar()->value(); }

void TReportView::UpdateScrollBars() {
    const qsizetype lines = Text ? Text->LineCount() : 0;
    const int visible = VisibleLines();
    verticalScrollBar()->setRange(0, int(std::clamp<qsizetype>(lines - visible, 0, INT_MAX)));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
    // Report lines are of one font, mostly of fixed pitch; the widest character bounds them.
    const qreal width = Text ? Text->LongestLine() * QFontMetricsF(Font, viewport()).maxWidth() +
                                   2 * Margin
                             : 0;
    const int widest = int(std::min<qreal>(std::ceil(width), INT_MAX / 2));
    horizontalScrollBar()->setRange(0, std::max(0, widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(int(QFontMetricsF(Font, viewport()).averageCharWidth()));
}

int TReportView::LineLength(qsizetype line) const {
    return Text ? int(Text->Line(line).size()) : 0;
}

std::unique_ptr<QTextLayout> TReportView::LayoutOf(qsizetype line) const {
    auto layout = std::make_unique<QTextLayout>(Text->Line(line), Font, viewport());
    layout->setTextOption(Option);
    QList<QTextLayout::FormatRange> formats;
    for (const TReportText::TSpan& span : Text->SpansOn(line)) {
        QTextCharFormat f;
        f.setFontWeight(span.Style.Has(TFontStyle::Bold) ? QFont::Bold : QFont::Normal);
        f.setFontItalic(span.Style.Has(TFontStyle::Italic));
        f.setFontUnderline(span.Style.Has(TFontStyle::Underline));
        f.setFontStrikeOut(span.Style.Has(TFontStyle::StrikeOut));
        formats.append({span.Column, span.Length, f});
    }
    layout->setFormats(formats);
    layout->beginLayout();
    QTextLine textLine = layout->createLine();
    if (textLine.isValid()) {
        textLine.setLineWidth(1e7);
        textLine.setPosition(QPointF(0, 0));
    }
    layout->endLayout();
    return layout;
}

void TReportView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().brush(QPalette::Base));
    if (!Text)
        return;
    painter.setPen(palette().color(QPalette::Text));
    const TPlace from = std::min(CaretAt, AnchorAt);
    const TPlace to = std::max(CaretAt, AnchorAt);
    QTextCharFormat selected;
    selected.setBackground(palette().brush(QPalette::Highlight));
    selected.setForeground(palette().brush(QPalette::HighlightedText));
    const qreal left = Margin - horizontalScrollBar()->value();
    const qsizetype top = TopLine();
    const qreal spaceWidth = QFontMetricsF(Font, viewport()).horizontalAdvance(QLatin1Char(' '));
    for (qsizetype line = top; line < Text->LineCount(); ++line) {
        const qreal y = Margin + qreal(line - top) * LineHeight;
        if (y > viewport()->height())
            break;
        const std::unique_ptr<QTextLayout> layout = LayoutOf(line);
        QList<QTextLayout::FormatRange> selections;
        if (from != to && line >= from.Line && line <= to.Line) {
            const int start = line == from.Line ? from.Column : 0;
            const int length = int(layout->text().size());
            const int end = line == to.Line ? to.Column : length;
            if (end > start)
                selections.append({start, end - start, selected});
            // The line end of a selection that goes on shows as a space's width.
            if (line != to.Line) {
                const qreal x = layout->lineAt(0).cursorToX(length);
                painter.fillRect(QRectF(left + x, y, spaceWidth, LineHeight), selected.background());
            }
        }
        layout->draw(&painter, QPointF(left, y), selections);
        if (line == CaretAt.Line && hasFocus())
            layout->drawCursor(&painter, QPointF(left, y), CaretAt.Column, 1);
    }
}

QRect TReportView::PlaceRect(TPlace place) const {
    if (!Text)
        return {};
    const std::unique_ptr<QTextLayout> layout = LayoutOf(place.Line);
    const qreal x = Margin - horizontalScrollBar()->value() + layout->lineAt(0).cursorToX(place.Column);
    const qreal y = Margin + qreal(place.Line - TopLine()) * LineHeight;
    return QRectF(x, y, 1, LineHeight).toAlignedRect();
}

TReportView::TPlace TReportView::PlaceAt(const QPoint& point) const {
    if (!Text)
        return {};
    const qsizetype line = std::clamp<qsizetype>(
        TopLine() + qsizetype(std::floor((point.y() - Margin) / LineHeight)), 0,
        Text->LineCount() - 1);
    const std::unique_ptr<QTextLayout> layout = LayoutOf(line);
    const qreal x = point.x() - Margin + horizontalScrollBar()->value();
    return {line, layout->lineAt(0).xToCursor(x)};
}

void TReportView::SetCaret(TPlace place, bool keepAnchor) {
    if (!Text)
        return;
    place.Line = std::clamp<qsizetype>(place.Line, 0, Text->LineCount() - 1);
    const std::unique_ptr<QTextLayout> layout = LayoutOf(place.Line);
    place.Column = std::clamp(place.Column, 0, int(layout->text().size()));
    // Never inside a character: between the halves of a surrogate pair, or before an accent.
    if (!layout->isValidCursorPosition(place.Column))
        place.Column = layout->previousCursorPosition(place.Column);
    CaretAt = place;
    if (!keepAnchor)
        AnchorAt = place;
    BringCaretIntoSight(layout->lineAt(0).cursorToX(place.Column));
    viewport()->update();
}

void TReportView::BringCaretIntoSight(qreal x) {
    QScrollBar* v = verticalScrollBar();
    const int visible = VisibleLines();
    if (CaretAt.Line < v->value())
        v->setValue(int(CaretAt.Line));
    else if (CaretAt.Line >= v->value() + visible)
        v->setValue(int(CaretAt.Line - visible + 1));
    QScrollBar* h = horizontalScrollBar();
    const qreal room = viewport()->width() - 2 * Margin;
    if (x + 2 * Margin > h->maximum() + viewport()->width())
        h->setMaximum(int(std::min<qreal>(std::ceil(x + 2 * Margin), INT_MAX / 2)) - viewport()->width());
    if (x < h->value())
        h->setValue(int(x));
    else if (x > h->value() + room)
        h->setValue(int(std::ceil(x - room)));
}

QString TReportView::SelectedText() const {
    if (!Text || !HasSelection())
        return {};
    const TPlace from = std::min(CaretAt, AnchorAt);
    const TPlace to = std::max(CaretAt, AnchorAt);
    return Text->Text(from.Line, from.Column, to.Line, to.Column);
}

void TReportView::CopySelection() const {
    if (HasSelection())
        QApplication::clipboard()->setText(SelectedText());
}

void TReportView::SelectAll() {
    if (!Text)
        return;
    AnchorAt = {};
    const qsizetype last = Text->LineCount() - 1;
    CaretAt = {last, LineLength(last)};
    viewport()->update();
}

void TReportView::keyPressEvent(QKeyEvent* event) {
    if (!Text) {
        event->ignore();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    // Text typed with Alt Gr, or with Ctrl and Alt together where that stands for it, edits too.
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                       (!control || (modifiers & Qt::AltModifier));
    if (typed) {
        emit EditWanted(event);
        return;
    }
    if (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    TPlace place = CaretAt;
    bool vertical = false;
    const qsizetype last = Text->LineCount() - 1;
    switch (event->key()) {
    case Qt::Key_Left:
        if (control) {
            const QString line = Text->Line(place.Line);
            int c = place.Column;
            while (c > 0 && !IsWordCharacter(line.at(c - 1)))
                --c;
            while (c > 0 && IsWordCharacter(line.at(c - 1)))
                --c;
            if (c == place.Column && place.Line > 0)
                place = {place.Line - 1, INT_MAX};
            else
                place.Column = c;
        } else if (place.Column > 0) {
            // By whole characters: a surrogate pair or a letter with its accents is one.
            place.Column = LayoutOf(place.Line)->previousCursorPosition(place.Column);
        } else if (place.Line > 0) {
            place = {place.Line - 1, INT_MAX};
        }
        break;
    case Qt::Key_Right: {
        const int length = LineLength(place.Line);
        if (control) {
            const QString line = Text->Line(place.Line);
            int c = place.Column;
            while (c < length && IsWordCharacter(line.at(c)))
                ++c;
            while (c < length && !IsWordCharacter(line.at(c)))
                ++c;
            if (c == place.Column && place.Line < last)
                place = {place.Line + 1, 0};
            else
                place.Column = c;
        } else if (place.Column < length) {
            place.Column = LayoutOf(place.Line)->nextCursorPosition(place.Column);
        } else if (place.Line < last) {
            place = {place.Line + 1, 0};
        }
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const qsizetype step = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down
                                   ? 1
                                   : VisibleLines();
        const bool up = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
        place.Line = std::clamp<qsizetype>(place.Line + (up ? -step : step), 0, last);
        place.Column = WantedColumn;
        if (step > 1) {
            QScrollBar* v = verticalScrollBar();
            v->setValue(v->value() + int(up ? -step : step));
        }
        vertical = true;
        break;
    }
    case Qt::Key_Home:
        place = control ? TPlace{} : TPlace{place.Line, 0};
        break;
    case Qt::Key_End:
        place = control ? TPlace{last, INT_MAX} : TPlace{place.Line, INT_MAX};
        break;
    default: {
        const bool edits = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                           event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                           event->key() == Qt::Key_Tab;
        if (edits)
            emit EditWanted(event);
        else
            event->ignore();
        return;
    }
    }
    SetCaret(place, shift);
    if (!vertical)
        WantedColumn = CaretAt.Column;
}

void TReportView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    SetCaret(PlaceAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
    WantedColumn = CaretAt.Column;
}

void TReportView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    SetCaret(PlaceAt(event->position().toPoint()), true);
    WantedColumn = CaretAt.Column;
}

void TReportView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !Text)
        return;
    const TPlace at = PlaceAt(event->position().toPoint());
    const QString line = Text->Line(at.Line);
    int start = at.Column, end = at.Column;
    while (start > 0 && IsWordCharacter(line.at(start - 1)))
        --start;
    while (end < line.size() && IsWordCharacter(line.at(end)))
        ++end;
    SetCaret({at.Line, start});
    SetCaret({at.Line, end}, true);
    WantedColumn = end;
}

void TReportView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TReportView::dragEnterEvent(QDragEnterEvent* event) { event->accept(); }

void TReportView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasText()) {
        event->acceptProposedAction();
    } else {
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
    }
}

void TReportView::dropEvent(QDropEvent* event) {
    if (!Text || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    SetCaret(PlaceAt(event->position().toPoint()));
    emit TextDropped(event->mimeData()->text());
}

void TReportView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TReportView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

bool TReportView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(static_cast<QWidget*>(watched)->rect());
    return QAbstractScrollArea::eventFilter(watched, event);
}

void TReportView::scrollContentsBy(int, int) { viewport()->update(); }
