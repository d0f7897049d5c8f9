#include "ui/PictureImage.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cerrno>
#include <new>

#include "picture/PictureFile.h"
#include "platform/Errors.h"
#include "platform/Files.h"

namespace tessel {

namespace {

QImage DrawMetafile(PictureKind kind, const std::string& bytes)
{
    QSvgRenderer renderer(QByteArray::fromStdString(MetafileToSvg(kind, bytes)));
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty())
        throw AppError(InvalidPictureText(kind));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw std::bad_alloc();
    // Like a metafile on a window, what it does not paint shows the window behind.
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

// Qt's decoder for a bitmap kind: the one the extension names, whatever the content.
const char* DecoderOf(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Bitmap: return "BMP";
    case PictureKind::Icon: return "ICO";
    case PictureKind::Jpeg: return "JPEG";
    case PictureKind::Png: return "PNG";
    default: return "GIF";
    }
}

} // namespace

QImage ReadPicture(const std::string& path)
{
    const PictureKind kind = PictureKindOf(path);
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        ThrowIoError(ENOENT);
    if (kind == PictureKind::EnhancedMetafile || kind == PictureKind::Metafile)
        return DrawMetafile(kind, bytes);
    QImage image;
    image.loadFromData(QByteArray::fromRawData(bytes.data(), static_cast<int>(bytes.size())), DecoderOf(kind));
    if (image.isNull())
        throw AppError(InvalidPictureText(kind));
    return image;
}

} // namespace tessel
