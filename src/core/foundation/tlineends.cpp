#include "tlineends.h"

namespace TLineEnds {

qint64 Count(const QByteArray& bytes) {
    qint64 n = 0;
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    for (; p < end; ++p) {
        if (*p == '\n' || (*p == '\r' && (p + 1 == end || p[1] != '\n')))
            ++n;
    }
    return n;
}

} // namespace TLineEnds
