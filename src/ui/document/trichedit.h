#pragma once

#include <QTextEdit>

// The rich-text area of a document window: a text edit whose links open with Ctrl+click (the
// pointer becomes a hand over a link while Ctrl is held), and whose pictures go with the text
// that is copied or cut, so that they paste into another window of the program too.
class TRichEdit : public QTextEdit {
    Q_OBJECT

public:
    explicit TRichEdit(QWidget* parent = nullptr);

    static constexpr const char* PictureMimeType = "application/x-fastenex-pictures";

signals:
    // A link was Ctrl+clicked: its address as the document keeps it.
    void LinkActivated(const QString& address);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
};
