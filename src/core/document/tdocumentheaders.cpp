#include "tdocumentheaders.h"

#include <QTextDocument>
#include <QVariant>

namespace {

const char* const Words[] = {"header", "headerl", "headerr", "headerf",
                             "footer", "footerl", "footerr", "footerf"};
const char* const TitlePageProperty = "fastenexTitlePage";
const char* const FacingPagesProperty = "fastenexFacingPages";

QString ObjectName(TDocumentHeaders::TKind kind) {
    return QStringLiteral("fastenex-") + QLatin1String(Words[kind]);
}

} // namespace

QByteArray TDocumentHeaders::Word(TKind kind) { return QByteArray(Words[kind]); }

int TDocumentHeaders::KindOfWord(QByteArrayView word) {
    for (int i = 0; i < KindCount; ++i) {
        if (word == Words[i])
            return i;
    }
    return -1;
}

QTextDocument* TDocumentHeaders::Part(const QTextDocument& document, TKind kind) {
    return document.findChild<QTextDocument*>(ObjectName(kind), Qt::FindDirectChildrenOnly);
}

QTextDocument* TDocumentHeaders::NewPart(QTextDocument& document, TKind kind) {
    delete Part(document, kind);
    auto* part = new QTextDocument(&document);
    part->setObjectName(ObjectName(kind));
    part->setUndoRedoEnabled(false);
    part->setDefaultFont(document.defaultFont());
    return part;
}

void TDocumentHeaders::Clear(QTextDocument& document) {
    for (int i = 0; i < KindCount; ++i)
        delete Part(document, TKind(i));
    document.setProperty(TitlePageProperty, QVariant());
    document.setProperty(FacingPagesProperty, QVariant());
}

bool TDocumentHeaders::TitlePage(const QTextDocument& document) {
    return document.property(TitlePageProperty).toBool();
}

void TDocumentHeaders::SetTitlePage(QTextDocument& document, bool on) {
    document.setProperty(TitlePageProperty, on ? QVariant(true) : QVariant());
}

bool TDocumentHeaders::FacingPages(const QTextDocument& document) {
    return document.property(FacingPagesProperty).toBool();
}

void TDocumentHeaders::SetFacingPages(QTextDocument& document, bool on) {
    document.setProperty(FacingPagesProperty, on ? QVariant(true) : QVariant());
}

QTextDocument* TDocumentHeaders::ForPage(const QTextDocument& document, bool footer, int page) {
    const int base = footer ? Footer : Header;
    if (page == 1 && TitlePage(document))
        return Part(document, TKind(base + 3));
    if (FacingPages(document)) {
        if (QTextDocument* side = Part(document, TKind(base + (page % 2 == 0 ? 1 : 2))))
            return side;
    }
    return Part(document, TKind(base));
}
