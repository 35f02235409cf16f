#pragma once

#include <QString>

class QIODevice;
class QTextDocument;

// The analysis report as a PDF document, for filing: the report's text and styles laid out on
// A4 portrait pages as the print command lays them out (the printer margins of 40 device units
// and a further 2 cm around the text), "Page N of M" centred under the text of every page, and
// the analysis title as the document's title.
class TReportPdf {
public:
    // Writes the report to the file through a save file; a failed write throws TPlatformError
    // and leaves the previous file whole. The document is laid out for the pages in place, so
    // that a large report is not copied.
    static void Write(QTextDocument& report, const QString& title, const QString& fileName);
    static void Write(QTextDocument& report, const QString& title, QIODevice& device);

    // The margin the print command leaves on every side of the page, in points, for a device of
    // that resolution in dots per inch: 40 device units.
    static double PrintMargin(int resolution);
    // The footer of page n of m.
    static QString PageFooter(int page, int pageCount);
};
