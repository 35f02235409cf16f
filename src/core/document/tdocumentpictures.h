#pragma once

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <QSizeF>
#include <QString>
#include <QTextImageFormat>
#include <climits>
#include <optional>

class QTextDocument;

// A picture as a file held it: the word that names its format in rich text ("pngblip",
// "jpegblip", "emfblip", "wmetafile", "dibitmap", ...; empty when the file named none) with
// that word's number, its size in the file's own units (\picw, \pich) and its data.
struct TPictureSource {
    QByteArray Kind;
    int KindParameter = -1; // -1: the word had no number
    int Width = 0;
    int Height = 0;
    QByteArray Data;
    bool operator==(const TPictureSource&) const = default;
};
Q_DECLARE_METATYPE(TPictureSource)

// The pictures of a text document. Each is a resource of the document under a name made from
// its data, so that the same picture is held once and a picture keeps its name from one
// document to another: the image the document shows, and the picture as the file held it,
// which is written back as it was read. PNG and JPEG pictures are shown as they are; pictures
// the program cannot draw (metafiles, device-independent bitmaps, ...) as a framed
// placeholder of their size.
class TDocumentPictures {
public:
    enum class TResult { Shown, Placeholder, TooLarge };

    // Adds the picture to the document and sets the format that shows it at the size (in the
    // document's pixels; when empty, its own pixels at 96 to the inch times the scale). A
    // picture that would take more than MaxDecodedBytes, or more than is left of the budget
    // (which it reduces), is refused. The document holds a picture once however often it is
    // added, and pictures whose placeholders have the same pixels share one.
    static TResult Add(QTextDocument& document, const TPictureSource& source, QSizeF size,
                       QSizeF scale, qint64& budget, QTextImageFormat& format);
    // Adds an image that has no file form (pasted, drawn) under a name made from its pixels.
    static QTextImageFormat AddImage(QTextDocument& document, const QImage& image);
    // The picture of the name as a file held it, when the document has it.
    static std::optional<TPictureSource> Source(const QTextDocument& document, const QString& name);
    // The image the document shows for the name; null when it has none.
    static QImage Image(const QTextDocument& document, const QString& name);
    // Copies the pictures of the names that the one document has into the other.
    static void Copy(const QTextDocument& from, QTextDocument& to, const QStringList& names);
    // The names of the pictures in the document's text (from one position to another), once
    // each, in order.
    static QStringList Names(const QTextDocument& document, int from = 0, int to = INT_MAX);
    // The pictures of the names as bytes that another document takes them from (a copy and
    // paste between windows), and taking them; Unpack ignores bytes it cannot read.
    static QByteArray Pack(const QTextDocument& document, const QStringList& names);
    static void Unpack(const QByteArray& packed, QTextDocument& document);

    static constexpr qint64 MaxDecodedBytes = qint64(64) << 20;
    static constexpr int MaxPixels = 16384;
};
