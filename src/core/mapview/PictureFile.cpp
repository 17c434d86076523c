#include "PictureFile.h"

#include "PngDecoding.h"
#include "TiffDecoding.h"
#include "shell/LargeImage.h"
#include "shell/OrdinaryFile.h"

#include <QImageReader>

namespace {
// The fast decoder takes the whole file at once; larger files go to the general reader, which
// reads as it decodes.
constexpr qint64 kWholeFileLimit = qint64(128) << 20;

bool drawnLayout(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

// A plain PNG file decoded by the fast decoder; a null picture leaves the file, rewound, to the
// general reader.
QImage readPlainPng(QFile& file, qint64 maxBytes) {
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    if (file.peek(8) != QByteArray::fromRawData(signature, 8)) return QImage();
    if (file.size() > kWholeFileLimit) return QImage();
    const QByteArray bytes = file.readAll();
    file.seek(0);
    return decodePlainPng(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(), maxBytes);
}

// Straight ARGB32 becomes premultiplied where it lies; any other layout is converted beside it,
// which the cost allowed for. Premultiplying here is the arithmetic Qt's drawing applies to each
// straight pixel, so the frames stay the same.
QImage toDrawnLayout(QImage img) {
    if (drawnLayout(img.format())) return img;
    if (img.format() == QImage::Format_ARGB32) {
        for (int y = 0; y < img.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                row[x] = qPremultiply(row[x]);
        }
        img.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
        return img;
    }
    return img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                     : QImage::Format_RGB32);
}

QString sizeInMB(qint64 bytes) {
    return QString::number((bytes + (1 << 20) - 1) >> 20);
}
} // namespace

qint64 pictureCost(QSize size, QImage::Format decoded) {
    const int depth = decoded == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(decoded).bitsPerPixel();
    const qint64 w = std::max(size.width(), 0), h = std::max(size.height(), 0);
    const qint64 rowBytes = (w * depth + 31) / 32 * 4;
    const bool converted =
        decoded != QImage::Format_Invalid && decoded != QImage::Format_ARGB32 && !drawnLayout(decoded);
    return rowBytes * h + (converted ? w * h * 4 : 0);
}

QImage readPicture(const QString& path, Error* error, const PictureLimits& limits) {
    auto fail = [&](const QString& reason) {
        if (error) *error = {path, reason};
        return QImage();
    };
    QFile file;
    if (MaybeError e = openOrdinaryFile(path, file, QStringLiteral("picture file"))) {
        if (error) *error = *e;
        return QImage();
    }
    if (limits.fileBytes > 0 && file.size() > limits.fileBytes)
        return fail("the file is larger than " + sizeInMB(limits.fileBytes) + " MB");
    // `working`: what the decoder holds beside the pixels while it decodes, where that is known.
    auto beyond = [&](QSize size, QImage::Format format, qint64 working = 0) -> QString {
        if (limits.side > 0 && std::max(size.width(), size.height()) > limits.side)
            return QString("the picture is %1 x %2 pixels, larger than %3 x %3")
                .arg(size.width())
                .arg(size.height())
                .arg(limits.side);
        if (const qint64 cost = pictureCost(size, format) + working; cost > limits.memory)
            return QString("the picture is too large: %1 x %2 pixels take %3 MB in memory, more than the "
                           "%4 MB allowed")
                .arg(size.width())
                .arg(size.height())
                .arg(sizeInMB(cost), sizeInMB(limits.memory));
        return QString();
    };
    QImage img = readPlainPng(file, limits.memory);
    if (img.isNull() && looksLikeTiff(file.peek(4))) {
        // Qt's own TIFF reader is an optional plugin: libtiff reads them all.
        TiffPicture tiff(file, limits.memory);
        // A size beyond the limits is refused before anything else is asked of the file.
        QString why =
            tiff.size().isEmpty() ? QString() : beyond(tiff.size(), tiff.format(), tiff.workingBytes());
        if (why.isEmpty()) why = tiff.error();
        if (why.isEmpty()) img = tiff.read();
        if (img.isNull()) return fail(why.isEmpty() ? tiff.error() : why);
    } else if (img.isNull()) {
        // No format is named: the content decides, whatever the name's extension says. The kind is
        // told first, or the reader would ask the handler the name suggests for the size.
        const QByteArray kind = QImageReader::imageFormat(&file);
        QImageReader reader(&file, kind);
        reader.setDecideFormatFromContent(true);
        reader.setAllocationLimit(int(std::min<qint64>(limits.memory >> 20, 1 << 30)));
        reader.setAutoTransform(false);
        // The reader decodes into a picture made here when it says its size and layout beforehand,
        // in large pages; any other size is left to its own checks and those below.
        const QSize size = reader.size();
        const QImage::Format format = reader.imageFormat();
        if (size.isValid()) {
            if (const QString why = beyond(size, format); !why.isEmpty()) return fail(why);
            if (format != QImage::Format_Invalid) img = largeImage(size, format);
        }
        if (!reader.read(&img)) return fail("the picture cannot be read (" + reader.errorString() + ")");
    }
    if (const QString why = beyond(img.size(), img.format()); !why.isEmpty()) return fail(why);
    return toDrawnLayout(std::move(img));
}
