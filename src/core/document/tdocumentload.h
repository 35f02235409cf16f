#pragma once

#include "trtfreader.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
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
    // An edit of the first page shown while the text is read: its place, the characters it
    // took out and the text it put there.
    struct TEdit {
        int From = 0;
        int Removed = 0;
        QString Added;
    };

    // The new document has the look given while it is filled, as the document it replaces had
    // while a file was read into it. Its long paragraphs are laid out as it is filled, at the
    // page width the window will show it at. The first page is given as it was read, before
    // any edit: the edits made to it are made again in the whole text when the whole text
    // starts with it.
    TDocumentLoad(QByteArray data, bool richText, const TDocumentLook& look, qreal pageWidth,
                  const QTextDocument& firstPage, QObject* parent = nullptr);
    // Waits for the thread: a document being filled is never left behind.
    ~TDocumentLoad() override;

    bool IsFinished() const;
    // The page width, changed while the text is read: the width last given when the text is
    // filled is the one its long paragraphs are laid out at.
    void SetPageWidth(qreal width) { PageWidth = width; }
    // Notes an edit of the first page, in order. The thread makes the edits noted by the time
    // the text is filled before it lays out the long paragraphs, and those noted meanwhile after
    // (a long paragraph costs Qt seconds to lay out again, which the window would spend deaf);
    // Take makes the rest.
    void AddEdit(TEdit edit);
    // Waits for the load to end and hands its document over, with undo and redo on and only the
    // first page's edits to undo. Throws what filling the document threw.
    std::unique_ptr<QTextDocument> Take(TRtfReadResult& result);
    // Once taken: whether the first page's edits were made in the whole text (none were when
    // the whole text does not start with the first page), how many there were, and the text
    // they put in.
    bool EditsMade() const { return Placed; }
    qsizetype EditCount() const;
    QString TypedText() const;

signals:
    // The document is filled (or has failed), in the thread that started the load.
    void Finished();

private:
    // Makes the edits noted since the last call, when the whole text starts with the first
    // page; how many it made.
    qsizetype MakeEdits(QTextDocument& document);
    // The first characters of a document, as a cursor selects them.
    static QString StartOf(const QTextDocument& document, int length);

    QThread* Thread = nullptr;
    std::unique_ptr<QTextDocument> Document;
    TRtfReadResult Result;
    std::exception_ptr Error;
    std::atomic<qreal> PageWidth;
    const QString FirstPage;
    mutable QMutex EditsLock;
    QList<TEdit> Edits;
    qsizetype Made = 0;
    bool Placed = false;
};
