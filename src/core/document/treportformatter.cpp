#include "treportformatter.h"

#include "tlinebuffers.h"

#include <QTextCursor>
#include <QTextDocument>

void TReportFormatter::ApplyStyle(QTextCursor& cursor, TFontStyles style) {
    QTextCharFormat f;
    f.setFontWeight(style.Has(TFontStyle::Bold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(style.Has(TFontStyle::Italic));
    f.setFontUnderline(style.Has(TFontStyle::Underline));
    f.setFontStrikeOut(style.Has(TFontStyle::StrikeOut));
    cursor.mergeCharFormat(f);
}

namespace {

// Gives every line found in the text the style; done() is called after every line.
template <typename Done>
void StyleFound(QTextCursor& cursor, QStringView text, const QStringList& lines,
                TFontStyles style, Done done) {
    TReportFormatter::FindLines(
        lines,
        [&](const QString& wanted, qsizetype from) {
            const qsizetype at = text.indexOf(wanted, from, Qt::CaseSensitive);
            return std::pair<qsizetype, qsizetype>(at, at + wanted.size());
        },
        [&](qsizetype at, qsizetype end) {
            cursor.setPosition(int(at));
            cursor.setPosition(int(end), QTextCursor::KeepAnchor);
            TReportFormatter::ApplyStyle(cursor, style);
        },
        done);
}

} // namespace

QFont TReportFormatter::DefaultFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(8);
    return font;
}

void TReportFormatter::ShowLines(QTextDocument& document, const QStringList& lines,
                                 const QFont& font) {
    QString text = lines.join(QLatin1Char('\n'));
    if (!lines.isEmpty())
        text.append(QLatin1Char('\n'));
    ShowText(document, std::move(text), font);
}

void TReportFormatter::ShowText(QTextDocument& document, QString text, const QFont& font) {
    ShowStyledText(document, std::move(text), font, {}, {}, {}, {});
}

void TReportFormatter::ShowStyledText(QTextDocument& document, QString text, const QFont& font,
                                      const QStringList& titleLines,
                                      const QStringList& subtitleLines, TFontStyles titleStyle,
                                      TFontStyles subtitleStyle) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCharFormat format;
    format.setFontFamilies(QStringList{font.family()});
    if (font.pointSizeF() > 0)
        format.setFontPointSize(font.pointSizeF());
    // Report lines come from data files; keep the document's own markers out of them.
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u == '\r')
            c = QLatin1Char(' ');
        else if (u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFC || u == 0x2029)
            c = QChar(QChar::ReplacementCharacter);
    }
    // Emptying the document inside the edit block makes the text and its styles one new
    // content, which an editor lays out piece by piece as it is shown instead of all at once.
    // Document positions are the indexes of the text, one character per line end.
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    document.clear();
    document.setDefaultFont(font);
    cursor.setBlockCharFormat(format);
    cursor.insertText(text, format);
    StyleFound(cursor, text, titleLines, titleStyle, [] {});
    StyleFound(cursor, text, subtitleLines, subtitleStyle, [] {});
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

void TReportFormatter::StyleLines(QTextDocument& document, const QStringList& titleLines,
                                  const QStringList& subtitleLines, TFontStyles titleStyle,
                                  TFontStyles subtitleStyle, TLineBuffers* buffers) {
    StyleLines(document, titleLines, subtitleLines, titleStyle, subtitleStyle, buffers, true);
}

void TReportFormatter::CountStyledLines(const QStringList& titleLines,
                                        const QStringList& subtitleLines, TLineBuffers& buffers) {
    QTextDocument unused;
    StyleLines(unused, titleLines, subtitleLines, {}, {}, &buffers, false);
}

void TReportFormatter::StyleLines(QTextDocument& document, const QStringList& titleLines,
                                  const QStringList& subtitleLines, TFontStyles titleStyle,
                                  TFontStyles subtitleStyle, TLineBuffers* buffers, bool apply) {
    if (buffers) {
        buffers->Host().ShowInformation(QStringLiteral("Formatting Output"));
        buffers->ProgressPosition = 0;
        buffers->ProgressTotal = int(qMin<qint64>(
            (qint64(titleLines.size()) + subtitleLines.size()) * 10, std::numeric_limits<int>::max()));
        buffers->ProgressShown = 0;
        buffers->UpdateProgress();
    }
    // Document positions are the indexes of the raw text, one character per block separator.
    const QString text = apply ? document.toRawText() : QString();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    qint64 handled = 0;
    const auto lineDone = [&] {
        if (buffers) {
            buffers->ProgressPosition =
                int(qMin<qint64>(handled * 10 + 10, std::numeric_limits<int>::max()));
            buffers->UpdateProgress();
        }
        ++handled;
    };
    StyleFound(cursor, text, titleLines, titleStyle, lineDone);
    StyleFound(cursor, text, subtitleLines, subtitleStyle, lineDone);
    cursor.endEditBlock();
}

void TReportFormatter::BuildReport(QTextDocument& document, TLineBuffers& buffers,
                                   const QFont& font) {
    ShowLines(document, buffers.OutputLines(), font);
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    StyleLines(document, buffers.TitleLines(), buffers.SubtitleLines(), buffers.TitleStyle,
               buffers.SubtitleStyle, &buffers);
    document.setUndoRedoEnabled(undo);
}
