#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class TRtfCodePage;

// Fields of rich text ({\field{\*\fldinst ...}{\fldrslt ...}}) that the document keeps: a
// HYPERLINK field is a link whose address is kept as the text's anchor; the result text of
// every other field is kept as plain text.
class TRtfFields {
public:
    // The instruction of a field as it is read: its bytes in the document's code page and its
    // Unicode characters.
    void InstructionBytes(QByteArrayView bytes);
    void InstructionUnit(TRtfCodePage& codePages, int codePage, int unit);
    // Ends the instruction: 1 + the index of its link's address among the links read, 0 when
    // it is no link.
    int EndInstruction(TRtfCodePage& codePages, int codePage);
    // The address of a link (1 + index), empty for 0 or an index past the links.
    QString Link(int link) const { return link > 0 && link <= Links.size() ? Links.at(link - 1) : QString(); }

    // The address of a HYPERLINK field instruction: its first argument, and "#name" for a
    // place in the document (\l "name"); empty when the instruction is no link.
    static QString LinkOfInstruction(QStringView instruction);
    // The instruction of a link field for an address, as RTF text (7-bit, escaped).
    static QByteArray InstructionOfLink(const QString& address);

    static constexpr int MaxInstructionLength = 4096;

private:
    QByteArray Bytes;
    QString Text;
    QStringList Links;
    QHash<QString, int> LinkIndexes;
};
