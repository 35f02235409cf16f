#include "tdocumentload.h"

#include "tdocumentfile.h"
#include "tparagraphlayout.h"
#include "ttextlines.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

TDocumentLook TDocumentLook::Of(const QTextDocument& document) {
    return {document.defaultFont(), document.documentMargin(), document.indentWidth(),
            document.defaultTextOption()};
}

void TDocumentLook::ApplyTo(QTextDocument& document) const {
    document.setDefaultFont(Font);
    document.setDocumentMargin(Margin);
    document.setIndentWidth(IndentWidth);
    document.setDefaultTextOption(Option);
}

TDocumentLoad::TDocumentLoad(QByteArray data, bool richText, const TDocumentLook& look,
                             qreal pageWidth, const QTextDocument& firstPage, QObject* parent)
    : QObject(parent), PageWidth(pageWidth),
      FirstPage(StartOf(firstPage, firstPage.characterCount() - 1)) {
    QThread* owner = thread();
    Thread = QThread::create([this, data = std::move(data), richText, owner, look] {
        try {
            auto document = std::make_unique<QTextDocument>();
            look.ApplyTo(*document);
            // A document just read has nothing to undo; its undo records would only take memory.
            document->setUndoRedoEnabled(false);
            Result = TDocumentFile::Fill(QByteArrayView(data), *document, richText);
            // Whether each paragraph is one line without word wrap, while no one waits.
            TTextLines::NoteLineBreaks(*document);
            // The first page's edits are undone one by one.
            document->setUndoRedoEnabled(true);
            {
                const bool placed = StartOf(*document, int(FirstPage.size())) == FirstPage;
                const QMutexLocker locker(&EditsLock);
                Placed = placed;
            }
            MakeEdits(*document);
            // Qt's engine lays a long paragraph out whole in one call of seconds, which the
            // window would spend deaf; an edit made in one lays it out again, here.
            TParagraphLayout::LayOutLongParagraphs(*document, PageWidth);
            while (MakeEdits(*document) > 0) {
            }
            document->moveToThread(owner);
            Document = std::move(document);
        } catch (...) {
            Error = std::current_exception();
        }
    });
    connect(Thread, &QThread::finished, this, &TDocumentLoad::Finished, Qt::QueuedConnection);
    Thread->start();
}

TDocumentLoad::~TDocumentLoad() {
    Thread->wait();
    delete Thread;
}

bool TDocumentLoad::IsFinished() const { return Thread->isFinished(); }

std::unique_ptr<QTextDocument> TDocumentLoad::Take(TRtfReadResult& result) {
    Thread->wait();
    if (Error)
        std::rethrow_exception(std::exchange(Error, nullptr));
    if (Document) {
        Document->setUndoRedoEnabled(true);
        MakeEdits(*Document);
        result = Result;
    }
    return std::move(Document);
}

void TDocumentLoad::AddEdit(TEdit edit) {
    const QMutexLocker locker(&EditsLock);
    Edits.append(std::move(edit));
}

qsizetype TDocumentLoad::EditCount() const {
    const QMutexLocker locker(&EditsLock);
    return Edits.size();
}

QString TDocumentLoad::TypedText() const {
    const QMutexLocker locker(&EditsLock);
    QString typed;
    for (const TEdit& edit : Edits)
        typed += edit.Added;
    return typed;
}

QString TDocumentLoad::StartOf(const QTextDocument& document, int length) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(qMin(length, document.characterCount() - 1), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

qsizetype TDocumentLoad::MakeEdits(QTextDocument& document) {
    QList<TEdit> edits;
    {
        const QMutexLocker locker(&EditsLock);
        if (!Placed)
            return 0;
        edits = Edits.mid(Made);
        Made = Edits.size();
    }
    for (const TEdit& edit : edits) {
        QTextCursor cursor(&document);
        cursor.setPosition(edit.From);
        cursor.setPosition(edit.From + edit.Removed, QTextCursor::KeepAnchor);
        cursor.insertText(edit.Added);
        // Made before a window watches the text for line breaks.
        if (edit.Added.contains(QChar::LineSeparator))
            TTextLines::ForgetWithoutLineBreaks(document);
    }
    return edits.size();
}
