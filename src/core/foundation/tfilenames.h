#pragma once

#include <QString>

// File-name parts as the program's commands treat them: the extension is the part from the last
// "." of the name's last component; a name without one has none.
namespace TFileNames {

// The extension with its dot (".dat"), or empty text.
QString Extension(const QString& fileName);
// The name with its extension replaced by extension, or extension appended when it has none.
QString ChangeExtension(const QString& fileName, const QString& extension);

} // namespace TFileNames
