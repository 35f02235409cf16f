#pragma once

#include <QByteArray>
#include <QList>

class QTextDocument;

// The headers and footers a document keeps beside its text, as rich text names them: for
// every page, for left and right pages, and for the first page. Each is a text document owned
// by the document (a child object), so it is kept and freed with it. Whether the first page
// and left pages have headers of their own (\titlepg, \facingp) is kept too.
class TDocumentHeaders {
public:
    enum TKind { Header, HeaderLeft, HeaderRight, HeaderFirst, Footer, FooterLeft, FooterRight, FooterFirst };
    static constexpr int KindCount = 8;

    // The rich-text word of a kind ("header", "footerf", ...), and the kind of a word; -1 for
    // a word that names none.
    static QByteArray Word(TKind kind);
    static int KindOfWord(QByteArrayView word);

    // The header or footer of the kind; null when the document has none.
    static QTextDocument* Part(const QTextDocument& document, TKind kind);
    // A new empty part of the kind, in place of any the document had.
    static QTextDocument* NewPart(QTextDocument& document, TKind kind);
    // Removes every part and both settings.
    static void Clear(QTextDocument& document);

    static bool TitlePage(const QTextDocument& document);
    static void SetTitlePage(QTextDocument& document, bool on);
    static bool FacingPages(const QTextDocument& document);
    static void SetFacingPages(QTextDocument& document, bool on);

    // The header (or footer) printed on the page (numbered from 1).
    static QTextDocument* ForPage(const QTextDocument& document, bool footer, int page);
};
