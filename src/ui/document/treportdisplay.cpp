#include "treportdisplay.h"

#include "document/tlinebuffers.h"
#include "document/tparagraphlayout.h"
#include "document/tplaintext.h"
#include "document/treportformatter.h"
#include "document/treporttext.h"
#include "foundation/tfilenames.h"
#include "foundation/tplatformerror.h"
#include "teditorcaretguard.h"
#include "treportview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryFile>
#include <QTextBlock>
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
    if (Buffers.OutputKeptAsText()) {
        ShowLongReport(std::make_shared<TReportText>(
                           Buffers.TakeOutputText(), Buffers.TitleLines(), Buffers.SubtitleLines(),
                           Buffers.TitleStyle, Buffers.SubtitleStyle),
                       font);
        return;
    }
    DropLongReport();
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
    RememberStyles();
}

void TReportDisplay::RememberStyles() {
    QTextDocument* document = Editor->document();
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

void TReportDisplay::ShowLongReport(std::shared_ptr<const TReportText> report, const QFont& font) {
    // The editor keeps the report's font, empty, until it is given the whole report.
    QTextDocument* document = Editor->document();
    Buffers.ReleaseOutputLines();
    TReportFormatter::ShowText(*document, QString(), font);
    document->clearUndoRedoStacks();
    if (!View) {
        View = new TReportView(Editor);
        View->setObjectName(QStringLiteral("LongReport"));
        View->setContextMenuPolicy(Qt::CustomContextMenu);
        // The editor's context menu, and its keys once it has the whole report.
        connect(View, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
            const QPoint global = View->viewport()->mapToGlobal(pos);
            emit Editor->customContextMenuRequested(Editor->viewport()->mapFromGlobal(global));
        });
        connect(View, &TReportView::EditWanted, this, [this](QKeyEvent* event) {
            ShowWholeReport();
            QKeyEvent again(event->type(), event->key(), event->modifiers(), event->text(),
                            event->isAutoRepeat(), ushort(event->count()));
            QCoreApplication::sendEvent(Editor, &again);
        });
        connect(View, &TReportView::TextDropped, this, [this](const QString& text) {
            ShowWholeReport();
            QTextCursor caret = Editor->textCursor();
            caret.insertText(text);
            Editor->setTextCursor(caret);
        });
    }
    const bool focused = Editor->hasFocus();
    View->SetReport(std::move(report), font, document->documentMargin(),
                    document->defaultTextOption());
    View->setGeometry(Editor->rect());
    View->show();
    View->raise();
    // Keys the view leaves go on to the editor, whose empty text they must not change.
    Editor->setReadOnly(true);
    Editor->setFocusProxy(View);
    if (focused)
        View->setFocus();
    RememberStyles();
}

TReportView* TReportDisplay::LongReport() const {
    return View && View->Report() ? View : nullptr;
}

void TReportDisplay::DropLongReport() {
    if (!LongReport())
        return;
    const bool focused = View->hasFocus();
    Editor->setFocusProxy(nullptr);
    Editor->setReadOnly(false);
    View->hide();
    View->SetReport(nullptr, View->font(), 0, {});
    if (focused)
        Editor->setFocus();
}

void TReportDisplay::ShowWholeReport() {
    TReportView* view = LongReport();
    if (!view)
        return;
    Buffers.Host().PushBusyCursor();
    struct TCursorGuard {
        TLineBuffers& Buffers;
        ~TCursorGuard() { Buffers.Host().PopBusyCursor(); }
    } cursorGuard{Buffers};
    const TReportText& report = *view->Report();
    QTextDocument* document = Editor->document();
    const bool modified = document->isModified();
    const QFont font = document->defaultFont();
    // The editor's layout of the empty document would lay out the millions of lines as they
    // come; the paragraph layout lays out only what is shown.
    if (!qobject_cast<TParagraphLayout*>(document->documentLayout()))
        document->setDocumentLayout(new TParagraphLayout(document));
    try {
        TReportFormatter::ShowStyledText(*document, report.Text(), font, report.TitleLines(),
                                         report.SubtitleLines(), report.TitleStyle(),
                                         report.SubtitleStyle());
    } catch (const std::bad_alloc&) {
        // The view goes on showing the report, and the editor holds none of it.
        TReportFormatter::ShowText(*document, QString(), font);
        document->clearUndoRedoStacks();
        document->setModified(modified);
        throw TPlatformError(
            QStringLiteral("The report is too large to edit with the memory available."));
    }
    document->clearUndoRedoStacks();
    document->setModified(modified);
    auto position = [&](TReportView::TPlace place) {
        return document->findBlockByNumber(int(place.Line)).position() + place.Column;
    };
    QTextCursor cursor(document);
    cursor.setPosition(position(view->Anchor()));
    cursor.setPosition(position(view->Caret()), QTextCursor::KeepAnchor);
    DropLongReport();
    Editor->setTextCursor(cursor);
    Editor->ensureCursorVisible();
}

void TReportDisplay::FormatOutput() {
    // The editor takes no input and draws nothing until the styling is done, on every exit.
    // Disabling the editor sends the focus on to the next widget; it comes back with the input.
    struct TEditorGuard {
        QTextEdit* Edit;
        bool Focused;
        ~TEditorGuard() {
            Edit->setUpdatesEnabled(true);
            Edit->setEnabled(true);
            if (Focused)
                Edit->setFocus();
        }
    };
    const QWidget* focus = Editor->window()->focusWidget();
    TEditorGuard guard{Editor, focus && (focus == Editor || Editor->isAncestorOf(focus))};
    Editor->setEnabled(false);
    Editor->moveCursor(QTextCursor::Start);
    Editor->setUpdatesEnabled(false);
    // "Formatting Output", the progress fields and the gauge go through the buffers' host. Lines
    // that ShowOutput has styled in the text it showed are only counted.
    if (LongReport()) {
        // The long report's lines were found as it was shown.
        TReportFormatter::CountStyledLines(Buffers.TitleLines(), Buffers.SubtitleLines(), Buffers);
        OutputStyled = false;
        return;
    }
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
