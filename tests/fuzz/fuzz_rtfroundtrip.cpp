// Reads any bytes as rich text, writes the document, and reads that again: the output is
// 7-bit ASCII with balanced braces, the text read back equals the text first read, and the
// document read back is written exactly as the first write wrote it.
#include "document/trtfreader.h"
#include "document/trtfwriter.h"

#include <QTextDocument>
#include <cstdlib>

namespace {

bool Balanced(const QByteArray& rtf) {
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (quint8(c) > 0x7F)
            return false;
        if (c == '\\')
            ++i;
        else if (c == '{')
            ++depth;
        else if (c == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Most inputs should be rich text, so that the fuzzer explores the parser.
    QByteArray input("{\\rtf1 ");
    input.append(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument first;
    TRtfReader::Read(QByteArrayView(input), first);
    const QByteArray written = TRtfWriter::ToRtf(first);
    if (!Balanced(written))
        std::abort();
    QTextDocument second;
    TRtfReader::Read(QByteArrayView(written), second);
    if (second.toRawText() != first.toRawText())
        std::abort();
    if (TRtfWriter::ToRtf(second) != written)
        std::abort();
    return 0;
}
