#pragma once

#include <QtGlobal>
#include <memory>

class QPrinter;
class QString;
class QTextDocument;

// Printing of document windows: the one printer they and the frame's printer dialogs share, and
// a document printed on it.
class TDocumentPrinter {
public:
    static QPrinter& Printer();
    // The page area of a print: the printer's page less 40 device units on every side.
    static void SetPrintMargins(QPrinter& printer);
    // Prints the document within those margins under the name the print job shows.
    static void Print(const QTextDocument& document, const QString& docName);
    // Prints the document on the printer's page area as it is set, page after page, with the
    // document's header at the top and its footer at the bottom of every page.
    static void PrintPages(const QTextDocument& document, QPrinter& printer);
    // A copy of the document laid out as it is printed on the printer's page area (in the
    // document's pixels), and the scale from those pixels to the printer's.
    static std::unique_ptr<QTextDocument> LaidOutForPage(const QTextDocument& document,
                                                         const QPrinter& printer);
    static qreal Scale(const QPrinter& printer);
};
