#pragma once

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>

class QTextDocument;

// The document's text with '\n' between paragraphs and U+2028 for line breaks kept.
QString DocumentText(const QTextDocument& document);
// Reads rich text from bytes into the document.
void ReadRtf(const QByteArray& rtf, QTextDocument& document);
// The character format of the character at the position.
QTextCharFormat FormatAt(const QTextDocument& document, int position);
// The first family of a character format.
QString FamilyOf(const QTextCharFormat& format);
// Braces balance, ignoring escaped ones and \bin data.
bool BracesBalance(const QByteArray& rtf);
// The document's paragraphs and tables: paragraphs by their text ("_" when empty) with spaces
// between; a table as "[cell;cell|cell;cell]", a cell by its paragraphs with "/" between and
// its spans as "<columns>" and "^rows".
QString DescribeDocument(const QTextDocument& document);
