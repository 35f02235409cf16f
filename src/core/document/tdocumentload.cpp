#include "tdocumentload.h"

#include "tdocumentfile.h"

#include <QTextDocument>
#include <QTextOption>
#include <QThread>

TDocumentLoad::TDocumentLoad(QByteArray data, bool richText, const QTextDocument& model,
                             QObject* parent)
    : QObject(parent) {
    QThread* owner = thread();
    const QFont font = model.defaultFont();
    const qreal margin = model.documentMargin();
    const qreal indent = model.indentWidth();
    const QTextOption option = model.defaultTextOption();
    Thread = QThread::create([this, data = std::move(data), richText, owner, font, margin, indent,
                              option] {
        try {
            auto document = std::make_unique<QTextDocument>();
            document->setDefaultFont(font);
            document->setDocumentMargin(margin);
            document->setIndentWidth(indent);
            document->setDefaultTextOption(option);
            // A document just read has nothing to undo; its undo records would only take memory.
            document->setUndoRedoEnabled(false);
            Result = TDocumentFile::Fill(QByteArrayView(data), *document, richText);
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
