#pragma once

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextOption>

#include "tparagraphheights.h"

#include <limits>


// A document layout for texts made only of paragraphs and lists: no tables, frames or pictures.
//
// Qt's own layout places every paragraph after an edit again, down to the end of the text, so a
// key typed into a text of millions of paragraphs costs seconds. This one keeps each paragraph's
// height in a sum tree: a paragraph is found by its height and placed by the heights above it in
// logarithmic time, and an edit lays out only the paragraphs it touched.
//
// A paragraph not yet laid out counts one line of the default font. What is drawn, hit or asked
// for is laid out at once, the rest in slices through LayOutFor, from the top. A text that wraps
// is laid out in order from the top, as Qt's layout does, because what counts lines relies on
// the paragraphs above a laid-out one being laid out too; without wrapping a paragraph has a line
// for each line break and one more, however it is laid out, so only what is asked for is laid
// out, and the caret goes to the end of a long text at once.
//
// It keeps a paragraph's margins, indents, alignment, line height, direction, tabs and
// background, with the larger of two paragraphs' facing margins between them, and draws list
// items' bullets and numbers, as Qt's layout does. When the text comes to hold what it cannot
// lay out, it says Unsuited once, and the owner gives the document Qt's layout again.
class TParagraphLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT

public:
    explicit TParagraphLayout(QTextDocument* document);
    ~TParagraphLayout() override;

    // A paragraph this long costs Qt's text engine seconds to lay out, in one call that cannot
    // be cut into slices, and as much again each time its glyphs are asked for after: its
    // layout keeps them.
    static constexpr int LongParagraph = 1 << 18;

    // Whether every paragraph of the document is one this layout lays out.
    static bool Suits(const QTextDocument& document);
    // Gives a document this layout and lays out its paragraphs of LongParagraph characters or
    // more at the page width given, where the document is filled, so that the window showing
    // it at that width has nothing left to wait for. Does nothing to a text without such a
    // paragraph or one this layout does not suit.
    static void LayOutLongParagraphs(QTextDocument& document, qreal pageWidth);
    // Lays the whole of a document out, with whichever layout it has.
    static void LayOutAll(QTextDocument& document);
    // Lays a document out as far as counting its lines as shown needs: all of it, unless it has
    // this layout without word wrap, where a paragraph's lines are its line breaks and one more.
    static void LayOutForLines(QTextDocument& document);
    // Whether lines wrap at the page width.
    bool Wraps() const;

    // Lays out, in order, for about the time given; false when nothing is left.
    bool LayOutFor(qint64 nanoseconds);
    void LayOutAll();
    bool Finished() const { return DirtyFrom >= Count(); }
    // The number of the first paragraph not laid out; the paragraph count when all are.
    int LaidOutParagraphs() const { return DirtyFrom; }
    // Where the first paragraph not laid out starts.
    qreal LaidOutHeight() const { return Top(DirtyFrom); }
    // The lines shown above the paragraph, added up without walking the paragraphs; -1 while
    // one of them waits to be laid out.
    qint64 LinesAbove(int number) const;
    // Whether the paragraph's own layout holds its lines. A paragraph laid out in the background
    // is measured in a scratch layout and keeps no lines of its own unless it wraps; it has a
    // line for each line break it holds, and one more. The paragraph's user state marks it.
    static bool KeepsLines(const QTextBlock& block) { return block.userState() == KeptState; }
    // The lines of a paragraph measured without keeping them; 0 when it was not.
    static int MeasuredLines(const QTextBlock& block) {
        return block.userState() < UnknownState ? UnknownState - block.userState() : 0;
    }

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

signals:
    // The text holds something this layout cannot lay out: a table, frame, picture or
    // check-box item.
    void Unsuited();
    // Paragraphs are left to lay out.
    void WorkLeft();

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    // The user states: Qt's -1 for a paragraph not laid out by this layout, KeptState, and
    // UnknownState less the line count for a paragraph measured without keeping its lines.
    static constexpr int KeptState = 0x4b657074;
    static constexpr int UnknownState = -1;

    // What the layout of every paragraph depends on besides the paragraph itself.
    struct TSetting {
        qreal Width = 0;
        QTextOption Option;
        QFont Font;
        qreal Margins[4] = {0, 0, 0, 0};   // left, top, right, bottom
        bool operator==(const TSetting& other) const;
    };
    TSetting CurrentSetting() const;
    static bool BlockSuits(const QTextBlock& block);

    int Count() const { return Heights.Count(); }
    // Whether the layout has seen the document's last change. Inside an edit block the document
    // tells its changes only at the end, and until then the paragraphs are not the ones counted.
    bool InStep() const { return Count() > 0 && Count() == document()->blockCount(); }
    // Every paragraph waiting to be laid out, at its height or a guessed one.
    void Reset(bool keepHeights);
    // The top of the paragraph numbered, and the paragraph at a height.
    qreal Top(int number) const { return Setting.Margins[1] + Heights.Above(number); }
    int NumberAt(qreal y) const { return Heights.At(y - Setting.Margins[1]); }
    qreal LineWidth() const;

    // Lays the paragraph out and records its height; into its own layout when it is to keep
    // its lines (or already does, or wraps), else into the scratch layout.
    void LayOut(const QTextBlock& block, int number, bool keep);
    // Lays out what the paragraph's lines are placed from: the lines' height.
    qreal PlaceLines(QTextLayout& layout, const QTextBlock& block);
    // The space a paragraph's margins and indent take at the left and the right of its lines.
    void Sides(const QTextBlock& block, qreal& left, qreal& right) const;
    // The kind of a paragraph that is one line of its format's height, whatever its letters: a
    // short one of Latin letters in a single format, or an empty one; NoKind for any other.
    int OneLineKind(const QTextBlock& block, const QString& text) const;
    // The marker of a list item: its bullet or number.
    void DrawListMarker(QPainter* painter, const PaintContext& context, const QTextBlock& block,
                        const QPointF& origin) const;
    // The space between the paragraph's top and its first line.
    static qreal SpaceAbove(const QTextBlock& block);
    // The paragraph laid out into its own layout, for drawing, hitting or placing the caret.
    void Keep(const QTextBlock& block, int number);
    // Lays out in order, from the first paragraph waiting, each paragraph while more(number,
    // top) holds for it, top being where it starts.
    template <typename More>
    void LayOutWhile(More more, bool keep = false);
    // Lays out, in order, every paragraph up to the one numbered, or down to the height.
    void LayOutThrough(int number, bool keep = false);
    void LayOutDownTo(qreal y);
    void SkipLaidOut();
    QPointF Origin(const QTextBlock& block, int number) const;

    TSetting Setting;
    QTextLayout* Scratch = nullptr;
    // For each kind of one-line paragraph met, its line's height and the widest letter of its
    // font, found by laying the first of them out; forgotten with the setting.
    struct TOneLine {
        qreal Height = 0;
        qreal WidestLetter = 0;
    };
    static constexpr int NoKind = std::numeric_limits<int>::min();
    QHash<int, TOneLine> OneLines;
    qreal GuessedHeight = 0;
    qreal AverageCharWidth = 0;
    qreal WidestLine = 0;
    bool Told = false;
    // Each paragraph's height, guessed until it is laid out; the first paragraph waiting.
    TParagraphHeights Heights;
    int DirtyFrom = 0;
};
