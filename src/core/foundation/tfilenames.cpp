#include "tfilenames.h"

namespace TFileNames {

namespace {

// The position of the extension's dot, or -1 when the last component has none.
qsizetype ExtensionDot(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? dot : -1;
}

} // namespace

QString Extension(const QString& fileName) {
    const qsizetype dot = ExtensionDot(fileName);
    return dot >= 0 ? fileName.mid(dot) : QString();
}

QString ChangeExtension(const QString& fileName, const QString& extension) {
    const qsizetype dot = ExtensionDot(fileName);
    return (dot >= 0 ? fileName.left(dot) : fileName) + extension;
}

} // namespace TFileNames
