// KMZ: the KML document of a ZIP archive, inflated into memory and read as KML.
#include "TrackBuilder.h"
#include "TrackFormats.h"
#include "ZipArchive.h"

#include <QBuffer>

std::optional<Track> readKmz(QIODevice& in, const QString& file, Error* error) {
    const std::optional<ZipDirectory> dir = readZipDirectory(in, file, error);
    if (!dir) return std::nullopt;
    // Google Earth's rule: doc.kml, or else the first KML document at the root.
    const ZipEntry* document = nullptr;
    for (const ZipEntry& e : dir->entries)
        if (e.name.compare(u"doc.kml", Qt::CaseInsensitive) == 0) document = &e;
    for (const ZipEntry& e : dir->entries)
        if (!document && !e.name.contains(u'/') && e.name.endsWith(u".kml", Qt::CaseInsensitive))
            document = &e;
    if (!document) return trackRefusal(file, "the archive holds no KML document at its root", error);

    std::optional<QByteArray> bytes = readZipEntry(in, *dir, *document, file, error);
    if (!bytes) return std::nullopt;
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    Error inner;
    std::optional<Track> track = readKml(buffer, file, &inner);
    if (!track)
        return trackRefusal(file, "in its entry " + shown(document->name) + ", " + inner.reason, error);
    return track;
}
