#include "trichedit.h"

#include "document/tdocumentpictures.h"
#include "document/tparagraphlayout.h"

#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
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
#include <QTimerEvent>
#include <limits>

namespace {

// Qt's document layout steps through the rest of a text with a timer of this interval, running
// only while there is a rest to lay out.
constexpr int LayoutStepInterval = 10;
// The editor's slices of that work: a slice of this long at most, made of calls to the layout of
// about this long each.
constexpr qint64 SliceNanoseconds = 20'000'000;
constexpr qint64 CallNanoseconds = 4'000'000;
constexpr int MinSliceLength = 256;
constexpr int MaxSliceLength = 200'000;

bool LaidOut(const QTextBlock& block) {
    const QTextLayout* layout = block.layout();
    return layout && layout->lineCount() > 0;
}

// The timer with which Qt's layout steps through the rest of a text; -1 while there is none.
int LayoutStepTimer(const QObject* layout) {
    if (const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(layout->thread())) {
        for (const QAbstractEventDispatcher::TimerInfo& timer : dispatcher->registeredTimers(const_cast<QObject*>(layout))) {
            if (timer.interval == LayoutStepInterval)
                return timer.timerId;
        }
    }
    return -1;
}

// A layout that lays nothing out, for a document on its way to another layout.
class TNoLayout : public QAbstractTextDocumentLayout {
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

} // namespace

int TRichEdit::LargeTextParagraphs = 20'000;

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    viewport()->setMouseTracking(true);
    LayoutWatch = new QTimer(this);
    LayoutWatch->setInterval(250);
    connect(LayoutWatch, &QTimer::timeout, this, &TRichEdit::WatchLayout);
    LayoutWatch->start();

    LayoutSlices = new QTimer(this);
    LayoutSlices->setInterval(0);
    connect(LayoutSlices, &QTimer::timeout, this, &TRichEdit::LayOutSlice);
    ConnectDocument();
    // After the area has set a range, which may have overflowed.
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this, &TRichEdit::FitScrollRange);
}

void TRichEdit::ConnectDocument() {
    document()->documentLayout()->installEventFilter(this);
    connect(document(), &QTextDocument::documentLayoutChanged, this, &TRichEdit::LayoutChanged);
    // An edit sends the layout back to the edit's place.
    connect(document(), &QTextDocument::contentsChange, this, [this](int from, int, int) {
        SliceFrom = qMin(SliceFrom, from);
        if (!ChoosePending) {
            ChoosePending = true;
            QTimer::singleShot(0, this, &TRichEdit::ChooseLayout);
        }
    });
}

void TRichEdit::ReplaceDocument(QTextDocument* document) {
    QTextDocument* old = this->document();
    if (document == old)
        return;
    // The new text is shown where the old one was: the view's place and the caret's.
    const QTextCursor caret = textCursor();
    const int offset = verticalScrollBar()->value();
    old->disconnect(this);
    old->documentLayout()->removeEventFilter(this);
    LayoutSlices->stop();
    SliceFrom = 0;
    SlicePage = QSizeF();
    LastLaidOut = RestartedAt = -1;
    StillLooks = 0;
    // A document without a layout is given one before the area takes it. The area sets its
    // page size as it takes it, and with Qt's layout that lays the text out, and the editor's
    // finite page height lays it out again: a tenth of a second each for two million
    // paragraphs, 15 s for one paragraph of 50 MB. A long text of paragraphs takes the paragraph
    // layout, which lays nothing out until asked; any other text takes Qt's layout once the area
    // has it, through a layout that lays out nothing.
    if (!document->findChild<QAbstractTextDocumentLayout*>(QString(), Qt::FindDirectChildrenOnly)) {
        document->setDocumentLayout(WantsParagraphLayout(*document)
                                        ? static_cast<QAbstractTextDocumentLayout*>(new TParagraphLayout(document))
                                        : new TNoLayout(document));
    }
    setDocument(document);
    ConnectDocument();
    if (dynamic_cast<TNoLayout*>(document->documentLayout())) {
        document->setPageSize(QSizeF(document->pageSize().width(), PageHeight));
        {
            // Unheard, so that no one asks for the layout while it is being removed: the
            // document would lay the text out twice, once for the asking and once for itself.
            const QSignalBlocker unheard(document);
            document->setDocumentLayout(nullptr);
        }
        // Qt's layout, made now, is heard of as it comes.
        document->documentLayout();
    } else {
        LayoutChanged();
    }
    LayoutSlices->start();
    // Placing a caret measures its line, which lays out its paragraph: a caret left at the
    // start stays where the new document's caret is.
    if (caret.position() != 0 || caret.anchor() != 0) {
        const int last = qMax(0, document->characterCount() - 1);
        QTextCursor moved(document);
        moved.setPosition(qMin(caret.anchor(), last));
        moved.setPosition(qMin(caret.position(), last), QTextCursor::KeepAnchor);
        setTextCursor(moved);
    }
    verticalScrollBar()->setValue(offset);
}

TParagraphLayout* TRichEdit::ParagraphLayout() const {
    return qobject_cast<TParagraphLayout*>(document()->documentLayout());
}

void TRichEdit::ChooseLayout() {
    ChoosePending = false;
    QTextDocument* document = this->document();
    if (!ParagraphLayout() && WantsParagraphLayout(*document))
        document->setDocumentLayout(new TParagraphLayout(document));
}

bool TRichEdit::WantsParagraphLayout(const QTextDocument& document) {
    return (document.blockCount() >= LargeTextParagraphs
            || document.characterCount() >= TParagraphLayout::LongParagraph)
           && TParagraphLayout::Suits(document);
}

qreal TRichEdit::ScrollingPageWidth() const {
    if (lineWrapMode() == FixedPixelWidth)
        return lineWrapColumnOrWidth();
    // As the area sets it, for word wrap at its width and for none.
    int width = viewport()->width();
    if (!verticalScrollBar()->isVisible() && verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded)
        width -= verticalScrollBar()->sizeHint().width();
    return width;
}

void TRichEdit::LayoutChanged() {
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    SliceFrom = 0;
    if (auto* own = qobject_cast<TParagraphLayout*>(layout)) {
        connect(own, &TParagraphLayout::WorkLeft, LayoutSlices, qOverload<>(&QTimer::start));
        connect(own, &TParagraphLayout::Unsuited, this, [this] {
            // Qt's layout comes with the document's next look at its layout.
            QTimer::singleShot(0, this, [this] {
                if (ParagraphLayout())
                    document()->setDocumentLayout(nullptr);
            });
        });
        if (!own->Finished())
            LayoutSlices->start();
    } else {
        layout->installEventFilter(this);
        KeepPagesFinite();
    }
}

void TRichEdit::FitScrollRange() {
    QTextDocument* document = this->document();
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    qreal height = 0;
    if (LayoutPending() && !ParagraphLayout()) {
        // What is laid out, scaled up to the whole text as the area does.
        const int last = qMax(1, document->characterCount() - 1);
        height = LaidOutFront().bottom() * (double(last) / qBound(1, SliceFrom, last));
    } else {
        height = layout->documentSize().height();
    }
    constexpr double QtLimit = std::numeric_limits<int>::max() / 100.0;
    if (height < QtLimit)
        return;
    const int range = int(qMin<double>(height - viewport()->height(), std::numeric_limits<int>::max()));
    QScrollBar* bar = verticalScrollBar();
    if (bar->maximum() != range)
        bar->setRange(0, range);
    bar->setPageStep(viewport()->height());
}

bool TRichEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Timer && watched == document()->documentLayout()
        && static_cast<QTimerEvent*>(event)->timerId() == LayoutStepTimer(watched)) {
        // Qt's own step is taken over by the editor's slices.
        if (!LayoutSlices->isActive())
            LayoutSlices->start();
        return true;
    }
    return QTextEdit::eventFilter(watched, event);
}

void TRichEdit::keyPressEvent(QKeyEvent* event) {
    if ((event->matches(QKeySequence::MoveToEndOfLine) || event->matches(QKeySequence::SelectEndOfLine))
        && MoveToLineEnd(event->matches(QKeySequence::SelectEndOfLine) ? QTextCursor::KeepAnchor
                                                                       : QTextCursor::MoveAnchor))
        return;
    // The caret sent to the end lays out at once all that is left: the wait shows.
    const bool wait = (event->matches(QKeySequence::MoveToEndOfDocument)
                       || event->matches(QKeySequence::SelectEndOfDocument))
                      && LayoutPending();
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    QTextEdit::keyPressEvent(event);
    if (wait)
        QApplication::restoreOverrideCursor();
}

bool TRichEdit::MoveToLineEnd(QTextCursor::MoveMode mode) {
    // Qt's move copies the whole paragraph's text to look at one character of it: a tenth of a
    // second for each five million characters. A long paragraph is looked at in place.
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    if (block.length() < TParagraphLayout::LongParagraph
        || !(textInteractionFlags() & Qt::TextSelectableByKeyboard))
        return false;
    const QTextLayout* layout = block.layout();
    const QTextLine line = layout->lineForTextPosition(cursor.positionInBlock());
    if (!line.isValid())
        return false;
    int position = qMin(block.position() + line.textStart() + line.textLength(),
                        document()->characterCount() - 1);
    // A wrapped line's caret stops before the space it was wrapped at, as Qt's does.
    if (line.lineNumber() < layout->lineCount() - 1 && document()->characterAt(position - 1).isSpace())
        --position;
    cursor.setPosition(position, mode);
    setTextCursor(cursor);
    return true;
}

bool TRichEdit::LayoutPending() const {
    if (const TParagraphLayout* own = ParagraphLayout())
        return !own->Finished();
    return LayoutStepTimer(document()->documentLayout()) >= 0;
}

QRectF TRichEdit::LaidOutFront() const {
    const QTextDocument* document = this->document();
    if (const TParagraphLayout* own = ParagraphLayout())
        return QRectF(0, own->LaidOutHeight(), 0, 0);
    const int at = qBound(0, SliceFrom, qMax(0, document->characterCount() - 1));
    return document->documentLayout()->blockBoundingRect(document->findBlock(at));
}

void TRichEdit::LayOutSlice() {
    // A long operation that lets events run shows the busy cursor meanwhile, and keeps the
    // processor: the layout waits for it (an analysis lets events run every hundred bolts, and
    // would wait a slice each time), looking again ten times a second.
    if (QApplication::overrideCursor()) {
        LayoutSlices->setInterval(100);
        return;
    }
    LayoutSlices->setInterval(0);
    QTextDocument* document = this->document();
    if (TParagraphLayout* own = ParagraphLayout()) {
        const qreal viewBottom = verticalScrollBar()->value() + viewport()->height();
        const bool inView = LaidOutFront().top() <= viewBottom;
        if (!own->LayOutFor(SliceNanoseconds))
            LayoutSlices->stop();
        if (inView)
            viewport()->update();
        return;
    }
    // A new page size lays the text out again from its start.
    if (document->pageSize() != SlicePage) {
        SlicePage = document->pageSize();
        SliceFrom = 0;
    }
    if (!LayoutPending()) {
        LayoutSlices->stop();
        viewport()->update();
        return;
    }
    QAbstractTextDocumentLayout* layout = document->documentLayout();
    const int last = document->characterCount() - 1;
    // Lines laid out from above the view's bottom are drawn again: where the layout puts the
    // lines in view may have changed.
    const qreal viewBottom = verticalScrollBar()->value() + viewport()->height();
    const bool inView = LaidOutFront().top() <= viewBottom;
    QElapsedTimer clock;
    clock.start();
    qint64 spent = 0;
    while (spent < SliceNanoseconds && LayoutPending()) {
        // Past the end with the layout still going: the layout went back to a place not
        // seen; asking from the start costs little up to where it is.
        if (SliceFrom >= last)
            SliceFrom = 0;
        const int to = int(qMin<qint64>(last, qint64(SliceFrom) + SliceLength));
        layout->blockBoundingRect(document->findBlock(to));
        SliceFrom = to;
        const qint64 now = clock.nsecsElapsed();
        const qint64 call = qMax<qint64>(now - spent, 1);
        spent = now;
        // Each call aimed at a few milliseconds; a call far quicker asks at most twice as much.
        const double scale = qMin(2.0, double(CallNanoseconds) / double(call));
        SliceLength = int(qBound<double>(MinSliceLength, SliceLength * scale, MaxSliceLength));
    }
    if (inView)
        viewport()->update();
    // Qt tells the area of the height laid out so far only after some edits: the scroll bars
    // learn it after every slice, so the view can go down to what is laid out.
    emit layout->documentSizeChanged(QSizeF(document->pageSize().width(), LaidOutFront().bottom()));
}

int TRichEdit::LaidOutParagraphs() const {
    if (const TParagraphLayout* own = ParagraphLayout())
        return own->LaidOutParagraphs();
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
    if (ParagraphLayout() || page.isNull() || page.height() < 0 || LaidOut(document()->lastBlock())) {
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
    // A null page (before the area is first shown) lays nothing out. The paragraph layout
    // has no pages.
    if (page.height() < 0 && !ParagraphLayout())
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
