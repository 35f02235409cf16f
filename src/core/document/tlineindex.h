#pragma once

#include <QObject>
#include <QPoint>

class QTextDocument;

// The line and column of a position in a document, as TTextLines counts lines, found without
// walking the whole text each time: it remembers the line at which one paragraph starts and
// walks only from there. What it remembers holds while no text before that paragraph changes
// and the document keeps its text width, and is taken only from a paragraph already laid out,
// because the layout lays paragraphs out in order and then counts each one's wrapped lines.
class TLineIndex : public QObject {
    Q_OBJECT
public:
    explicit TLineIndex(QTextDocument* document, QObject* parent = nullptr);

    // The line (from 0) and the column within it (from 0) of the character position.
    QPoint LineAndColumn(int position);

private:
    void Forget(int position);

    QTextDocument* Document;
    int BlockNumber = -1;   // the paragraph remembered; -1 for none
    int BlockPosition = 0;
    int LinesBefore = 0;
    qreal Width = 0;
};
