#pragma once

#include <QList>
#include <QString>

class QTextDocument;

// The test documents that other word processors are given: each exercises one part of what
// the writer writes and the reader reads.
struct TTestDocument {
    QString Name;
    void (*Build)(QTextDocument& document);
};
QList<TTestDocument> TestDocuments();

// Compares the text, the character formats and the paragraph formats of two documents as a
// word processor keeps them; returns an empty text when they agree, else the first difference.
QString CompareDocuments(const QTextDocument& expected, const QTextDocument& actual);
