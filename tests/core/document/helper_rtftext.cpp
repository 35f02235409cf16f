#include "helper_rtftext.h"

#include "document/trtfreader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

QString DocumentText(const QTextDocument& document) {
    QString text = document.toRawText();
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    return text;
}

void ReadRtf(const QByteArray& rtf, QTextDocument& document) {
    TRtfReader::Read(QByteArrayView(rtf), document);
}

QTextCharFormat FormatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    return cursor.charFormat();
}

QString FamilyOf(const QTextCharFormat& format) {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() ? QString() : families.first();
}

bool BracesBalance(const QByteArray& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '\\') {
            ++i;
            continue;
        }
        if (c == '{')
            ++depth;
        else if (c == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

namespace {

QString DescribeItems(QTextFrame::iterator it, const QString& separator);

QString DescribeTable(const QTextTable& table) {
    QStringList rows;
    for (int r = 0; r < table.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columns(); ++c) {
            const QTextTableCell cell = table.cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            QString text = DescribeItems(cell.begin(), QStringLiteral("/"));
            if (cell.columnSpan() > 1)
                text += QStringLiteral("<%1>").arg(cell.columnSpan());
            if (cell.rowSpan() > 1)
                text += QStringLiteral("^%1").arg(cell.rowSpan());
            cells << text;
        }
        rows << cells.join(';');
    }
    return '[' + rows.join('|') + ']';
}

QString DescribeItems(QTextFrame::iterator it, const QString& separator) {
    QStringList items;
    for (; !it.atEnd(); ++it) {
        if (QTextFrame* frame = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(frame))
                items << DescribeTable(*table);
            else
                items << DescribeItems(frame->begin(), separator);
        } else if (it.currentBlock().isValid()) {
            const QString text = it.currentBlock().text();
            items << (text.isEmpty() ? QStringLiteral("_") : text);
        }
    }
    return items.join(separator);
}

} // namespace

QString DescribeDocument(const QTextDocument& document) {
    return DescribeItems(document.rootFrame()->begin(), QStringLiteral(" "));
}
