#pragma once

#include "document/tfontstyles.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QFont;
class QTextEdit;
class TLineBuffers;
class TReportText;
class TReportView;

// The report of a document window's line buffers shown as its editor's text. ShowOutput shows
// the output lines with the title and subtitle lines styled in the same edit; FormatOutput then
// only counts them, unless the text, the lines or their styles have changed since, and styles
// them afresh.
//
// A report that the buffers kept as text (millions of lines) is shown from that text by a view
// over the editor, which lays out only the lines in sight; the editor is given the whole report
// only when something needs it there (ShowWholeReport).
class TReportDisplay : public QObject {
public:
    TReportDisplay(QTextEdit* editor, TLineBuffers& buffers, QObject* parent);

    // Shows the output lines in the font, through a file in the system's temporary folder that
    // is read back and removed on every way out; the document takes the buffers' default
    // extension. Nothing while the buffers do not exist.
    void ShowOutput(const QFont& font);
    // Styles the title and subtitle lines, with "Formatting Output" and the progress through
    // the buffers; the editor takes no input and draws nothing meanwhile.
    void FormatOutput();

    // The view that shows a long report over the editor; nullptr while the editor shows the text.
    TReportView* LongReport() const;
    // Gives the editor the long report shown, with the caret and selection where they were, and
    // takes the view away; nothing when the editor shows the text already.
    void ShowWholeReport();
    // Takes the view of a long report away, leaving the editor as it is.
    void DropLongReport();

private:
    void ShowLongReport(std::shared_ptr<const TReportText> report, const QFont& font);
    // Remembers the title and subtitle lines and styles just shown, until the text changes.
    void RememberStyles();

    QTextEdit* Editor;
    TReportView* View = nullptr;
    TLineBuffers& Buffers;
    // The title and subtitle lines and styles that ShowOutput gave the text it showed; set until
    // the text changes or FormatOutput has run.
    bool OutputStyled = false;
    QStringList StyledTitles;
    QStringList StyledSubtitles;
    TFontStyles StyledTitleStyle;
    TFontStyles StyledSubtitleStyle;
};
