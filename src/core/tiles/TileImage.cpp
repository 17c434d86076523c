#include "TileImage.h"

#include <QBuffer>
#include <QImageReader>

namespace {
// The picture kind by its first bytes; a server's Content-Type is not trusted.
const char* kindOf(const QByteArray& b) {
    if (b.startsWith("\x89PNG\r\n\x1a\n")) return "png";
    if (b.startsWith("\xff\xd8\xff")) return "jpeg";
    if (b.size() >= 12 && b.startsWith("RIFF") && b.mid(8, 4) == "WEBP") return "webp";
    return nullptr;
}

bool check(QImageReader& reader, const QByteArray& bytes, QString* why) {
    if (bytes.size() > kMaxTileBytes) {
        *why = QString("the tile has %1 bytes, more than a tile may (4 MiB)").arg(bytes.size());
        return false;
    }
    const char* kind = kindOf(bytes);
    if (!kind) {
        *why = "the answer is not a PNG, JPEG or WebP picture";
        return false;
    }
    reader.setFormat(kind);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty()) {
        *why = "the tile's picture cannot be read";
        return false;
    }
    if (size.width() > kMaxTileSide || size.height() > kMaxTileSide) {
        *why = QString("the tile is %1 x %2 pixels, larger than a tile may be (1024 x 1024)")
                   .arg(size.width())
                   .arg(size.height());
        return false;
    }
    return true;
}
} // namespace

bool plausibleTile(const QByteArray& bytes, QString* why) {
    QByteArray copy = bytes; // shared, not copied
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return check(reader, bytes, why);
}

QImage decodeTile(const QByteArray& bytes, QString* why) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (!check(reader, bytes, why)) return {};
    reader.setAutoTransform(false);
    QImage image;
    if (!reader.read(&image)) {
        *why = "the tile's picture is damaged (" + reader.errorString() + ")";
        return {};
    }
    image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return image;
}
