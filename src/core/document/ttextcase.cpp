#include "ttextcase.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

bool TTextCase::IsLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

namespace {

bool IsApostrophe(QChar c) { return c == u'\'' || c == QChar(0x2019); }

// Whether the character after the two given ones continues a word.
bool InWord(QChar beforeLast, QChar last) {
    return TTextCase::IsLetter(last) || (IsApostrophe(last) && TTextCase::IsLetter(beforeLast));
}

} // namespace

QString TTextCase::Convert(const QString& text, int mode, const QString& preceding) {
    QString result = text;
    if (mode == Upper) {
        for (QChar& c : result)
            c = c.toUpper();
        return result;
    }
    if (mode == Lower) {
        for (QChar& c : result)
            c = c.toLower();
        return result;
    }
    QChar beforeLast = preceding.size() >= 2 ? preceding.at(preceding.size() - 2) : QChar();
    QChar last = preceding.isEmpty() ? QChar() : preceding.back();
    for (QChar& c : result) {
        const QChar original = c;
        c = InWord(beforeLast, last) ? c.toLower() : c.toUpper();
        beforeLast = last;
        last = original;
    }
    return result;
}

void TTextCase::Apply(QTextCursor& selection, int mode) {
    if (!selection.hasSelection() || !selection.document())
        return;
    QTextDocument* document = selection.document();
    const int anchor = selection.anchor();
    const int position = selection.position();
    const int start = selection.selectionStart();
    const int end = selection.selectionEnd();

    struct TPiece {
        int Position;
        QString Text;
        QTextCharFormat Format;
    };
    QList<TPiece> pieces;
    QString preceding;
    for (int p = qMax(0, start - 2); p < start; ++p)
        preceding += document->characterAt(p);
    // Each run of one format is converted with the characters before it as context and written
    // back in its own format, so bold, fonts and paragraphs inside the selection stay.
    for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        if (block.position() > start)
            preceding += QChar::ParagraphSeparator;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int from = qMax(fragment.position(), start);
            const int to = qMin(fragment.position() + fragment.length(), end);
            if (from >= to)
                continue;
            const QString text = fragment.text().mid(from - fragment.position(), to - from);
            const QString converted = Convert(text, mode, preceding.right(2));
            if (converted != text)
                pieces.append({from, converted, fragment.charFormat()});
            preceding = preceding.right(2) + text;
        }
    }
    selection.beginEditBlock();
    for (const TPiece& piece : pieces) {
        QTextCursor run(document);
        run.setPosition(piece.Position);
        run.setPosition(piece.Position + int(piece.Text.size()), QTextCursor::KeepAnchor);
        run.insertText(piece.Text, piece.Format);
    }
    selection.endEditBlock();
    selection.setPosition(anchor);
    selection.setPosition(position, QTextCursor::KeepAnchor);
}
