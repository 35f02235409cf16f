// Reads any bytes, rich text or not, into a document.
#include "document/trtfreader.h"

#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTextDocument document;
    TRtfReader::Read(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), document);
    return 0;
}
