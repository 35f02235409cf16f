#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QTextOption>

#include <memory>

class QTextLayout;
class TReportText;

// Shows a report of millions of lines from its compact text, laying out only the lines in sight,
// over the editor it stands for: the view scrolls, the caret moves and text is selected and
// copied as in the editor. What would change the text (a key that edits) is asked of the
// editor instead through EditWanted, once it holds the whole report.
class TReportView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A caret or selection end: line and column, both from 0.
    struct TPlace {
        qsizetype Line = 0;
        int Column = 0;
        friend bool operator==(const TPlace&, const TPlace&) = default;
        friend auto operator<=>(const TPlace&, const TPlace&) = default;
    };

    // Stands over the editor (its parent), filling it.
    explicit TReportView(QWidget* editor);
    ~TReportView() override;

    // Shows the report in the font, margin and text option of the editor's document, with the
    // caret at the start; nullptr shows nothing.
    void SetReport(std::shared_ptr<const TReportText> report, const QFont& font, qreal margin,
                   const QTextOption& option);
    const TReportText* Report() const { return Text.get(); }

    TPlace Caret() const { return CaretAt; }
    TPlace Anchor() const { return AnchorAt; }
    // Moves the caret there (clamped to the text), the anchor with it unless kept, and brings it
    // into sight.
    void SetCaret(TPlace place, bool keepAnchor = false);
    bool HasSelection() const { return CaretAt != AnchorAt; }
    QString SelectedText() const;
    // Puts the selection on the clipboard; nothing without one.
    void CopySelection() const;
    void SelectAll();
    // Where a place is drawn in the viewport: the caret's rectangle there.
    QRect PlaceRect(TPlace place) const;
    // The first line in sight.
    qsizetype TopLine() const;

signals:
    // A key that would change the text; the receiver shows the whole report in the editor and
    // gives it the key.
    void EditWanted(QKeyEvent* event);
    // Text dropped at the caret, which the drop has placed: the receiver inserts it there once
    // the editor holds the whole report.
    void TextDropped(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    std::unique_ptr<QTextLayout> LayoutOf(qsizetype line) const;
    TPlace PlaceAt(const QPoint& point) const;
    int VisibleLines() const;
    void UpdateScrollBars();
    // Scrolls the caret's line, and x within it, into sight.
    void BringCaretIntoSight(qreal x);
    int LineLength(qsizetype line) const;

    std::shared_ptr<const TReportText> Text;
    QFont Font;
    qreal Margin = 4;
    QTextOption Option;
    qreal LineHeight = 1;
    TPlace CaretAt;
    TPlace AnchorAt;
    // The column Up and Down keep to across shorter lines.
    int WantedColumn = 0;
};
