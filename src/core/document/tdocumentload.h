#pragma once

#include "trtfreader.h"

#include <QByteArray>
#include <QFont>
#include <QObject>
#include <QTextOption>

#include <atomic>
#include <exception>
#include <memory>

class QTextDocument;
class QThread;

// How a document's text looks besides its own formats: the default font, the margin, the
// indent width and the text options. A document read in place of another takes the other's.
struct TDocumentLook {
    QFont Font;
    qreal Margin = 0;
    qreal IndentWidth = 0;
    QTextOption Option;

    static TDocumentLook Of(const QTextDocument& document);
    void ApplyTo(QTextDocument& document) const;
};

// Fills a new document from a file's bytes on a thread of its own, so that a window shows the
// first page of a long text while the rest is read. Qt's documents are reentrant: the document
// is filled where no other thread sees it, then handed to the thread that started the load.
class TDocumentLoad : public QObject {
    Q_OBJECT

public:
    // The new document has the look given while it is filled, as the document it replaces had
    // while a file was read into it. Its long paragraphs are laid out as it is filled, at the
    // page width the window will show it at.
    TDocumentLoad(QByteArray data, bool richText, const TDocumentLook& look, qreal pageWidth,
                  QObject* parent = nullptr);
    // Waits for the thread: a document being filled is never left behind.
    ~TDocumentLoad() override;

    bool IsFinished() const;
    // The page width, changed while the text is read: the width last given when the text is
    // filled is the one its long paragraphs are laid out at.
    void SetPageWidth(qreal width) { PageWidth = width; }
    // Waits for the load to end and hands its document over, with undo and redo on and nothing
    // to undo. Throws what filling the document threw.
    std::unique_ptr<QTextDocument> Take(TRtfReadResult& result);

signals:
    // The document is filled (or has failed), in the thread that started the load.
    void Finished();

private:
    QThread* Thread = nullptr;
    std::unique_ptr<QTextDocument> Document;
    TRtfReadResult Result;
    std::exception_ptr Error;
    std::atomic<qreal> PageWidth;
};
