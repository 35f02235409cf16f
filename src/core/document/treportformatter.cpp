#include "treportformatter.h"

#include "tlinebuffers.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

void ApplyStyle(QTextCursor& cursor, TFontStyles style) {
    QTextCharFormat f;
    f.setFontWeight(style.Has(TFontStyle::Bold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic(style.Has(TFontStyle::Italic));
    f.setFontUnderline(style.Has(TFontStyle::Underline));
    f.setFontStrikeOut(style.Has(TFontStyle::StrikeOut));
    cursor.mergeCharFormat(f);
}

} // namespace

QFont TReportFormatter::DefaultFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(8);
    return font;
}

void TReportFormatter::ShowLines(QTextDocument& document, const QStringList& lines,
                                 const QFont& font) {
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    document.setDefaultFont(font);
    QTextCharFormat format;
    format.setFontFamilies(QStringList{font.family()});
    if (font.pointSizeF() > 0)
        format.setFontPointSize(font.pointSizeF());
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setBlockCharFormat(format);
    QString text = lines.join(QLatin1Char('\n'));
    if (!lines.isEmpty())
        text.append(QLatin1Char('\n'));
    // Report lines come from data files; keep the document's own markers out of them.
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFC || u == 0x2029)
            c = QChar(QChar::ReplacementCharacter);
    }
    cursor.insertText(text, format);
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

void TReportFormatter::StyleLines(QTextDocument& document, const QStringList& titleLines,
                                  const QStringList& subtitleLines, TFontStyles titleStyle,
                                  TFontStyles subtitleStyle, TLineBuffers* buffers) {
    if (buffers) {
        buffers->Host().ShowInformation(QStringLiteral("Formatting Output"));
        buffers->ProgressPosition = 0;
        buffers->ProgressTotal = int(qMin<qint64>(
            (qint64(titleLines.size()) + subtitleLines.size()) * 10, std::numeric_limits<int>::max()));
        buffers->ProgressShown = 0;
        buffers->UpdateProgress();
    }
    // Document positions are the indexes of the raw text, one character per block separator.
    const QString text = document.toRawText();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    qint64 handled = 0;
    auto styleList = [&](const QStringList& lines, TFontStyles style) {
        qsizetype from = 0;
        for (const QString& line : lines) {
            const QString wanted = line.trimmed();
            if (!wanted.isEmpty()) {
                const qsizetype at = text.indexOf(wanted, from, Qt::CaseSensitive);
                if (at >= 0) {
                    cursor.setPosition(int(at));
                    cursor.setPosition(int(at + wanted.size()), QTextCursor::KeepAnchor);
                    ApplyStyle(cursor, style);
                    from = at + wanted.size();
                }
            }
            if (buffers) {
                buffers->ProgressPosition = int(qMin<qint64>(handled * 10 + 10, std::numeric_limits<int>::max()));
                buffers->UpdateProgress();
            }
            ++handled;
        }
    };
    styleList(titleLines, titleStyle);
    styleList(subtitleLines, subtitleStyle);
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
