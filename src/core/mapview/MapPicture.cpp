#include "MapPicture.h"

#include "PngDecoding.h"
#include "RouteDrawing.h"
#include "shell/LargeImage.h"
#include "shell/OrdinaryFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

const QString kPictureExtensions = ".bmp .gif .jpg .jpeg .png";

namespace {
constexpr int kAllocationLimitMiB = 512; // larger pictures are refused, not swapped in
// The fast decoder takes the whole file at once; larger files go to the general reader, which
// reads as it decodes.
constexpr qint64 kWholeFileLimit = qint64(128) << 20;

// A plain PNG file decoded by the fast decoder; a null picture leaves the file, rewound, to the
// general reader.
QImage readPlainPng(QFile& file) {
    static const char signature[] = "\x89PNG\r\n\x1a\n";
    if (file.peek(8) != QByteArray::fromRawData(signature, 8)) return QImage();
    if (file.size() > kWholeFileLimit) return QImage();
    const QByteArray bytes = file.readAll();
    file.seek(0);
    return decodePlainPng(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(),
                          qint64(kAllocationLimitMiB) << 20);
}
} // namespace

QImage readPicture(const QString& path, Error* error) {
    auto fail = [&](const QString& reason) {
        if (error) *error = {path, reason};
        return QImage();
    };
    QFile file;
    if (MaybeError e = openOrdinaryFile(path, file, QStringLiteral("picture file"))) {
        if (error) *error = *e;
        return QImage();
    }
    if (QImage plain = readPlainPng(file); !plain.isNull()) return plain;
    // The name's extension is a hint only; the content decides.
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAllocationLimit(kAllocationLimitMiB);
    reader.setAutoTransform(false);
    // The reader decodes into a picture made here when it says its size and layout beforehand,
    // in large pages; any other size is left to its own checks.
    QImage img;
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    if (!size.isEmpty() && format != QImage::Format_Invalid && bytes <= qint64(kAllocationLimitMiB) << 20)
        img = largeImage(size, format);
    if (!reader.read(&img)) return fail("the picture cannot be read (" + reader.errorString() + ")");
    return img;
}

MaybeError loadMapPicture(Workspace& ws, const QString& path) {
    Error error;
    QImage img = readPicture(path, &error);
    if (img.isNull()) return error;
    ws.picture = std::move(img);
    Redraw(ws); // the route stays in view over the new map
    return std::nullopt;
}

bool extensionAccepted(const QString& name, const QString& accepted) {
    const int dot = name.lastIndexOf(u'.');
    if (dot < 0) return false;
    return accepted.contains(name.mid(dot + 1).toLower(), Qt::CaseSensitive);
}

QStringList plainFilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
}

QStringList pictureFilesIn(const QString& dir) {
    QStringList out;
    for (const QString& f : plainFilesIn(dir))
        if (extensionAccepted(f, kPictureExtensions)) out << f;
    std::stable_sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return out;
}
