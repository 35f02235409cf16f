#pragma once

#include "document/tfontstyles.h"

#include <QObject>
#include <QStringList>

class QFont;
class QTextEdit;
class TLineBuffers;

// The report of a document window's line buffers shown as its editor's text. ShowOutput shows
// the output lines with the title and subtitle lines styled in the same edit; FormatOutput then
// only counts them, unless the text, the lines or their styles have changed since, and styles
// them afresh.
class TReportDisplay : public QObject {
public:
    TReportDisplay(QTextEdit* editor, TLineBuffers& buffers, QObject* parent);

    // Shows the output lines in the font, through a temporary file beside the document (its
    // name with ".tmp", or with "a" added while such a file exists) that is read back and
    // removed; the document takes the buffers' default extension. Nothing while the buffers do
    // not exist.
    void ShowOutput(const QFont& font);
    // Styles the title and subtitle lines, with "Formatting Output" and the progress through
    // the buffers; the editor takes no input and draws nothing meanwhile.
    void FormatOutput();

private:
    QTextEdit* Editor;
    TLineBuffers& Buffers;
    // The title and subtitle lines and styles that ShowOutput gave the text it showed; set until
    // the text changes or FormatOutput has run.
    bool OutputStyled = false;
    QStringList StyledTitles;
    QStringList StyledSubtitles;
    TFontStyles StyledTitleStyle;
    TFontStyles StyledSubtitleStyle;
};
