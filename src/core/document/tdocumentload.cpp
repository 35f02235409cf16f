#include "tdocumentload.h"

#include "tdocumentfile.h"
#include "tparagraphlayout.h"
#include "ttextlines.h"

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
                             qreal pageWidth, QObject* parent)
    : QObject(parent), PageWidth(pageWidth) {
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
            // Qt's engine lays a long paragraph out whole in one call of seconds, which the
            // window would spend deaf.
            TParagraphLayout::LayOutLongParagraphs(*document, PageWidth);
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
        result = Result;
    }
    return std::move(Document);
}
