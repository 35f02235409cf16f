#include "tdocumentpictures.h"

#include "tdocumentunits.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QImageReader>
#include <QPainter>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace {

const QString Scheme = QStringLiteral("picture:");

// The document keeps one resource a name, whatever its type: the picture as the file held it
// goes under a name of its own.
QUrl SourceUrl(const QString& name) { return QUrl(QStringLiteral("source-") + name); }

QString NameOf(QByteArrayView kind, QByteArrayView data) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(kind);
    hash.addData(QByteArrayView("\n"));
    hash.addData(data);
    return Scheme + QString::fromLatin1(hash.result().toHex().left(32));
}

const char* ReaderFormat(const QByteArray& kind) {
    if (kind == "pngblip")
        return "png";
    if (kind == "jpegblip")
        return "jpeg";
    return nullptr;
}

// The picture decoded, when it is one the program draws and within the limit; TooLarge when
// it would take more.
TDocumentPictures::TResult Decode(const TPictureSource& source, qint64 limit, QImage& image) {
    const char* format = ReaderFormat(source.Kind);
    if (!format)
        return TDocumentPictures::TResult::Placeholder;
    QBuffer buffer;
    buffer.setData(source.Data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return TDocumentPictures::TResult::Placeholder;
    if (size.width() > TDocumentPictures::MaxPixels || size.height() > TDocumentPictures::MaxPixels ||
        qint64(size.width()) * size.height() * 4 > limit)
        return TDocumentPictures::TResult::TooLarge;
    if (!reader.read(&image) || image.isNull())
        return TDocumentPictures::TResult::Placeholder;
    return TDocumentPictures::TResult::Shown;
}

// The pixels of the placeholder of a picture of the size: at most 256 a side (the document
// scales it to the picture's size).
QSize PlaceholderPixels(QSizeF size) {
    QSize pixels = size.toSize().expandedTo(QSize(8, 8));
    pixels.scale(pixels.boundedTo(QSize(256, 256)), Qt::KeepAspectRatio);
    return pixels.expandedTo(QSize(8, 8));
}

// A frame with its diagonals.
QImage Placeholder(QSize pixels) {
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(QColor(245, 245, 245));
    QPainter painter(&image);
    painter.setPen(QColor(190, 190, 190));
    painter.drawLine(0, 0, pixels.width() - 1, pixels.height() - 1);
    painter.drawLine(0, pixels.height() - 1, pixels.width() - 1, 0);
    painter.setPen(QColor(110, 110, 110));
    painter.drawRect(0, 0, pixels.width() - 1, pixels.height() - 1);
    return image;
}

// The placeholders of a document are shared by the pictures whose placeholders have the same
// pixels, so that many pictures of one size take the memory of one. A new placeholder is kept
// only when it fits in the budget, which it reduces; false when it does not fit.
bool SharedPlaceholder(QTextDocument& document, QSizeF size, qint64& budget, QImage& image) {
    const QSize pixels = PlaceholderPixels(size);
    const QUrl url(QStringLiteral("placeholder:%1x%2").arg(pixels.width()).arg(pixels.height()));
    const QVariant shared = document.resource(QTextDocument::UserResource, url);
    if (shared.userType() == QMetaType::QImage) {
        image = shared.value<QImage>();
        return true;
    }
    if (qint64(pixels.width()) * pixels.height() * 4 > budget)
        return false;
    image = Placeholder(pixels);
    budget -= image.sizeInBytes();
    document.addResource(QTextDocument::UserResource, url, image);
    return true;
}

} // namespace

TDocumentPictures::TResult TDocumentPictures::Add(QTextDocument& document,
                                                  const TPictureSource& source, QSizeF size,
                                                  QSizeF scale, qint64& budget, QTextImageFormat& format) {
    QImage image;
    TResult result = Decode(source, qMin(budget, MaxDecodedBytes), image);
    if (result == TResult::TooLarge)
        return result;
    // Without a size of its own a picture is shown at its pixels, taken at 96 to the inch.
    if (!(size.width() > 0 && size.height() > 0)) {
        size = result == TResult::Shown ? QSizeF(image.size()) * (TDocumentUnits::LayoutDpi() / 96.0)
                                        : QSizeF(TDocumentUnits::TwipsToPixels(1440), TDocumentUnits::TwipsToPixels(1440));
        size = QSizeF(size.width() * scale.width(), size.height() * scale.height());
    }
    const QString name = NameOf(source.Kind, source.Data);
    const QUrl url(name);
    if (!document.resource(QTextDocument::UserResource, SourceUrl(name)).isValid()) {
        if (result == TResult::Placeholder) {
            if (!SharedPlaceholder(document, size, budget, image))
                return TResult::TooLarge;
        } else if (image.sizeInBytes() > budget) {
            return TResult::TooLarge;
        } else {
            budget -= image.sizeInBytes();
        }
        document.addResource(QTextDocument::ImageResource, url, image);
        document.addResource(QTextDocument::UserResource, SourceUrl(name), QVariant::fromValue(source));
    }
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    return result;
}

QTextImageFormat TDocumentPictures::AddImage(QTextDocument& document, const QImage& image) {
    const QByteArrayView pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    const QString name = NameOf(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()), pixels);
    document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(image.width());
    format.setHeight(image.height());
    return format;
}

std::optional<TPictureSource> TDocumentPictures::Source(const QTextDocument& document, const QString& name) {
    const QVariant value = document.resource(QTextDocument::UserResource, SourceUrl(name));
    if (value.userType() != qMetaTypeId<TPictureSource>())
        return std::nullopt;
    return value.value<TPictureSource>();
}

QImage TDocumentPictures::Image(const QTextDocument& document, const QString& name) {
    const QVariant value = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (value.userType() == QMetaType::QImage)
        return value.value<QImage>();
    if (value.userType() == QMetaType::QPixmap || value.canConvert<QImage>())
        return value.value<QImage>();
    if (value.userType() == QMetaType::QByteArray)
        return QImage::fromData(value.toByteArray());
    return QImage();
}

void TDocumentPictures::Copy(const QTextDocument& from, QTextDocument& to, const QStringList& names) {
    for (const QString& name : names) {
        const QUrl url(name);
        const QVariant image = from.resource(QTextDocument::ImageResource, url);
        if (!image.isValid())
            continue;
        to.addResource(QTextDocument::ImageResource, url, image);
        const QVariant source = from.resource(QTextDocument::UserResource, SourceUrl(name));
        if (source.isValid())
            to.addResource(QTextDocument::UserResource, SourceUrl(name), source);
    }
}

QStringList TDocumentPictures::Names(const QTextDocument& document, int from, int to) {
    QStringList names;
    QSet<QString> seen;
    QSet<int> formats;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || formats.contains(fragment.charFormatIndex()) ||
                fragment.position() + fragment.length() <= from || fragment.position() >= to)
                continue;
            formats.insert(fragment.charFormatIndex());
            const QTextCharFormat f = fragment.charFormat();
            if (!f.isImageFormat())
                continue;
            const QString name = f.toImageFormat().name();
            if (!seen.contains(name)) {
                seen.insert(name);
                names << name;
            }
        }
    }
    return names;
}

QByteArray TDocumentPictures::Pack(const QTextDocument& document, const QStringList& names) {
    QByteArray packed;
    QDataStream out(&packed, QIODevice::WriteOnly);
    out << quint32(0x46505831); // "FPX1"
    for (const QString& name : names) {
        const QImage image = Image(document, name);
        if (image.isNull())
            continue;
        const std::optional<TPictureSource> source = Source(document, name);
        out << name << image << bool(source);
        if (source)
            out << source->Kind << qint32(source->KindParameter) << qint32(source->Width)
                << qint32(source->Height) << source->Data;
    }
    return packed;
}

void TDocumentPictures::Unpack(const QByteArray& packed, QTextDocument& document) {
    QDataStream in(packed);
    quint32 magic = 0;
    in >> magic;
    if (magic != 0x46505831)
        return;
    while (!in.atEnd() && in.status() == QDataStream::Ok) {
        QString name;
        QImage image;
        bool hasSource = false;
        in >> name >> image >> hasSource;
        TPictureSource source;
        qint32 parameter = -1, width = 0, height = 0;
        if (hasSource)
            in >> source.Kind >> parameter >> width >> height >> source.Data;
        if (in.status() != QDataStream::Ok || image.isNull() || !name.startsWith(Scheme))
            return;
        source.KindParameter = parameter;
        source.Width = width;
        source.Height = height;
        const QUrl url(name);
        document.addResource(QTextDocument::ImageResource, url, image);
        if (hasSource)
            document.addResource(QTextDocument::UserResource, SourceUrl(name), QVariant::fromValue(source));
    }
}
