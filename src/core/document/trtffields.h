#pragma once

#include <QByteArray>
#include <QString>

// Fields of rich text ({\field{\*\fldinst ...}{\fldrslt ...}}) that the document keeps: a
// HYPERLINK field is a link whose address is kept as the text's anchor; the result text of
// every other field is kept as plain text.
class TRtfFields {
public:
    // The address of a HYPERLINK field instruction: its first argument, and "#name" for a
    // place in the document (\l "name"); empty when the instruction is no link.
    static QString LinkOfInstruction(QStringView instruction);
    // The instruction of a link field for an address, as RTF text (7-bit, escaped).
    static QByteArray InstructionOfLink(const QString& address);

    static constexpr int MaxInstructionLength = 4096;
};
