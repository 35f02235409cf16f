#include "treportdisplay.h"

#include "document/tlinebuffers.h"
#include "document/tplaintext.h"
#include "document/treportformatter.h"
#include "foundation/tfilenames.h"
#include "foundation/tplatformerror.h"
#include "teditorcaretguard.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// Turns every CR LF into LF in one pass (QString::replace moves the rest of a long text for
// every batch of matches).
void JoinCrLf(QString& text) {
    QChar* const begin = text.data();
    const QChar* const end = begin + text.size();
    QChar* out = begin;
    for (const QChar* in = begin; in < end; ++in) {
        if (in->unicode() == '\r' && in + 1 < end && in[1].unicode() == '\n')
            continue;
        *out++ = *in;
    }
    text.truncate(out - begin);
}

} // namespace

TReportDisplay::TReportDisplay(QTextEdit* editor, TLineBuffers& buffers, QObject* parent)
    : QObject(parent), Editor(editor), Buffers(buffers) {}

void TReportDisplay::ShowOutput(const QFont& font) {
    if (!Buffers.LineBuffersExist())
        return;
    Buffers.FileName = TFileNames::ChangeExtension(Buffers.FileName, Buffers.DefaultExtension);
    // The temporary file lies in the system's temporary folder under a name of its own, and
    // goes however this ends (a report too large for the memory included).
    QTemporaryFile temporary(QDir::temp().filePath(QStringLiteral("fastenex-report-XXXXXX.tmp")));
    QTextDocument* document = Editor->document();
    TEditorCaretGuard caret(Editor);
    // The title and subtitle lines are styled in the same edit, so that the editor lays the
    // text out once, as it is shown; FormatOutput then finds them styled.
    auto show = [&](QString text) {
        TReportFormatter::ShowStyledText(*document, std::move(text), font, Buffers.TitleLines(),
                                         Buffers.SubtitleLines(), Buffers.TitleStyle,
                                         Buffers.SubtitleStyle);
    };
    bool shown = false;
    try {
        if (temporary.open()) {
            temporary.close();
            Buffers.SaveOutputLines(temporary.fileName());
            QFile file(temporary.fileName());
            if (file.open(QIODevice::ReadOnly)) {
                QString text = TPlainText::Decode(file.readAll());
                file.close();
                // The lines are in the text now: their memory goes before the document takes
                // the text (a fifth of the peak of a large report).
                Buffers.ReleaseOutputLines();
                JoinCrLf(text);
                if (!text.endsWith(QLatin1Char('\n')))
                    text.append(QLatin1Char('\n'));
                show(std::move(text));
                shown = true;
            }
        }
    } catch (const TPlatformError&) {
        // A temporary file that cannot be written must not keep the report from showing: the lines
        // are then shown directly.
    }
    const QStringList& lines = Buffers.OutputLines();
    if (!shown)
        show(lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    document->clearUndoRedoStacks();
    StyledTitles = Buffers.TitleLines();
    StyledSubtitles = Buffers.SubtitleLines();
    StyledTitleStyle = Buffers.TitleStyle;
    StyledSubtitleStyle = Buffers.SubtitleStyle;
    OutputStyled = true;
    // Any later change of the text makes FormatOutput style it afresh.
    connect(
        document, &QTextDocument::contentsChange, this, [this] { OutputStyled = false; },
        Qt::SingleShotConnection);
    Editor->setStatusTip(Buffers.FileName);
}

void TReportDisplay::FormatOutput() {
    // The editor takes no input and draws nothing until the styling is done, on every exit.
    struct TEditorGuard {
        QTextEdit* Edit;
        ~TEditorGuard() {
            Edit->setUpdatesEnabled(true);
            Edit->setEnabled(true);
        }
    };
    Editor->setEnabled(false);
    TEditorGuard guard{Editor};
    Editor->moveCursor(QTextCursor::Start);
    Editor->setUpdatesEnabled(false);
    // "Formatting Output", the progress fields and the gauge go through the buffers' host. Lines
    // that ShowOutput has styled in the text it showed are only counted.
    const bool styled = OutputStyled && StyledTitles == Buffers.TitleLines() &&
                        StyledSubtitles == Buffers.SubtitleLines() &&
                        StyledTitleStyle == Buffers.TitleStyle &&
                        StyledSubtitleStyle == Buffers.SubtitleStyle;
    OutputStyled = false;
    if (styled)
        TReportFormatter::CountStyledLines(Buffers.TitleLines(), Buffers.SubtitleLines(), Buffers);
    else
        TReportFormatter::StyleLines(*Editor->document(), Buffers.TitleLines(),
                                     Buffers.SubtitleLines(), Buffers.TitleStyle,
                                     Buffers.SubtitleStyle, &Buffers);
}
