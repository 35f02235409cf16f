#pragma once

#include <QSizeF>
#include <QTextEdit>

class QTimer;
class TParagraphLayout;

#include <functional>

// The rich-text area of a document window.
//
// Links open with Ctrl+click (the pointer becomes a hand over a link while Ctrl is held), and
// pictures go with the text that is copied or cut, so that they paste into another window of the
// program too.
//
// Qt lays a text area's document out with a page of unlimited height, and its layout never ends
// once the text is taller than 8,388,607 pixels (its fixed-point limit; about 640,000 lines of a
// small font): the step that would move a line to the next page moves nothing and is tried again
// for ever. This editor lays its document out in pages of a finite height instead, so a text of
// millions of lines is laid out to its end; a page boundary costs at most a line's height of
// space once in every PageHeight pixels.
//
// Qt's layout also stops for good when the text is edited while it is still laying out the rest
// in the background: the paragraphs it had not reached are never laid out and show as nothing.
// The editor watches for a layout that has stopped short of the end and starts it again, in the
// background.
//
// Qt lays the rest of a document out in steps that double up to 200,000 characters, each taking
// up to half a second with the window deaf to keys and clicks. The editor takes those steps over
// and lays the rest out in slices of a few milliseconds, so the window answers at once all along.
//
// Qt's text area works out its scroll range from a hundred times the document's height in an
// int, which overflows for a text taller than 21,474,836 pixels (1.7 million lines of a small
// font): the scroll bar loses its handle and the view no longer follows the caret. The editor
// sets the range of such a text itself.
//
// Qt's layout also places every later paragraph again after each edit, which costs a text of
// millions of paragraphs seconds a key. A text of LargeTextParagraphs paragraphs or more made of
// paragraphs and lists (no tables, frames or pictures) is laid out by the editor's own paragraph
// layout instead, where an edit costs what it touches; when such a text comes to hold a table,
// frame or picture, it goes back to Qt's layout.
class TRichEdit : public QTextEdit {
    Q_OBJECT

public:
    explicit TRichEdit(QWidget* parent = nullptr);

    static constexpr const char* PictureMimeType = "application/x-fastenex-pictures";
    static constexpr qreal PageHeight = 1'000'000;
    // The paragraph count from which a text of paragraphs alone takes the paragraph layout.
    static int LargeTextParagraphs;

    // The page width the area gives a text too long to show whole, with the vertical scroll bar
    // beside it.
    qreal ScrollingPageWidth() const;
    // Word wrap at the area's width, or none; the alignment of the selected paragraphs.
    void SetLineWrapMode(LineWrapMode mode);
    void SetAlignment(Qt::Alignment alignment);
    // Gives the document pages of a finite height when the area has left it without.
    void KeepPagesFinite();
    // The number of the first paragraph not laid out; the paragraph count when all are.
    int LaidOutParagraphs() const;
    // Shows another document, with its own font, margins and options, in place of the one
    // shown, which the area then neither watches nor deletes unless it is the area's own first
    // document. The caret and the view keep their places.
    void ReplaceDocument(QTextDocument* document);

signals:
    // A link was Ctrl+clicked: its address as the document keeps it.
    void LinkActivated(const QString& address);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Watches the document shown for edits and for a change of its layout.
    void ConnectDocument();
    // Runs a change after which the area lays its document out again. The area lays it out at
    // once down to the part in view, with unlimited pages, so the view is at the top meanwhile.
    void Relayout(const std::function<void()>& change);
    // Starts the layout again when it has stopped short of the end since the last look.
    void WatchLayout();
    // Whether the document's layout has more to lay out in the background.
    bool LayoutPending() const;
    // Lays out the next slice of what is left, for a few milliseconds.
    void LayOutSlice();
    // The vertical scroll range of a text too tall for Qt's own.
    void FitScrollRange();
    // Where the paragraph the slices have laid out to stands.
    QRectF LaidOutFront() const;
    // The paragraph layout when the document has it.
    TParagraphLayout* ParagraphLayout() const;
    // After an edit: the layout the document's text calls for, changed once events run.
    void ChooseLayout();
    // Moves the caret to the end of its line in a long paragraph, as the area's End does;
    // false in a shorter paragraph, left to the area.
    bool MoveToLineEnd(QTextCursor::MoveMode mode);
    // Whether the text is long enough for the paragraph layout, and made of what it lays out.
    static bool WantsParagraphLayout(const QTextDocument& document);
    void LayoutChanged();
    bool ChoosePending = false;

    QTimer* LayoutWatch = nullptr;
    int LastLaidOut = -1;
    int StillLooks = 0;
    int RestartedAt = -1;
    // The background layout: the position laid out to (never past where the layout has got),
    // the characters asked for at once, and the page size the layout was last seen with.
    QTimer* LayoutSlices = nullptr;
    int SliceFrom = 0;
    int SliceLength = 2000;
    QSizeF SlicePage;
};
