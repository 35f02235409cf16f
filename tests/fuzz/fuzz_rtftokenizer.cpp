// Tokenizes any bytes: every token lies inside the input, the position only moves forward,
// and the end is reached.
#include "document/trtftokenizer.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TRtfTokenizer tokenizer(bytes);
    qsizetype last = -1;
    qsizetype count = 0;
    for (;;) {
        const TRtfToken token = tokenizer.Next();
        if (token.Type == TRtfTokenType::End)
            break;
        const qsizetype position = tokenizer.Position();
        if (position <= last || position > bytes.size())
            std::abort();
        last = position;
        if (!token.Bytes.isEmpty() &&
            (token.Bytes.data() < bytes.data() ||
             token.Bytes.data() + token.Bytes.size() > bytes.data() + bytes.size()))
            std::abort();
        if (token.Type == TRtfTokenType::Text && token.Bytes.isEmpty())
            std::abort();
        if (++count > bytes.size())
            std::abort();
    }
    if (!tokenizer.AtEnd())
        std::abort();
    return 0;
}
