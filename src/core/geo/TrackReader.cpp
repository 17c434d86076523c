// One entry for every track file: the format is told by the content where the program reads it
// itself, so a file with a wrong ending is still read; the ending decides only what gpsbabel reads.
#include "TrackBuilder.h"
#include "TrackFormats.h"

#include <QFileInfo>
#include <QXmlStreamReader>

namespace {
enum class Format { Gpx, Kml, Kmz, GeoJson, Tcx, Other };

// The root element's name, from the first bytes of what may be an XML document.
QString xmlRoot(const QByteArray& head) {
    QXmlStreamReader xml(head);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement) return xml.name().toString();
    return {};
}

Format formatOf(const QByteArray& head, const QString& path) {
    if (head.startsWith("PK\x03\x04")) return Format::Kmz;
    const QByteArray text = (head.startsWith("\xef\xbb\xbf") ? head.mid(3) : head).trimmed();
    if (text.startsWith('{')) return Format::GeoJson;
    const QString root = xmlRoot(head);
    if (root == u"gpx") return Format::Gpx;
    if (root == u"kml") return Format::Kml;
    if (root == u"TrainingCenterDatabase") return Format::Tcx;
    // Not recognised by its content: a file named as one of the program's own formats is read as
    // that, so that its reader says what is wrong with it.
    const QString ending = QFileInfo(path).suffix().toLower();
    if (ending == u"gpx") return Format::Gpx;
    if (ending == u"kml") return Format::Kml;
    if (ending == u"kmz") return Format::Kmz;
    if (ending == u"geojson" || ending == u"json") return Format::GeoJson;
    if (ending == u"tcx") return Format::Tcx;
    return Format::Other;
}
} // namespace

std::optional<Track> readTrack(const QString& path, Error* error) {
    QFile file;
    if (MaybeError e = openTrackFile(path, file)) {
        if (error) *error = *e;
        return std::nullopt;
    }
    switch (formatOf(file.peek(64 << 10), path)) {
    case Format::Gpx:
        return readGpx(file, path, error);
    case Format::Kml:
        return readKml(file, path, error);
    case Format::Kmz:
        return readKmz(file, path, error);
    case Format::GeoJson:
        return readGeoJson(file, path, error);
    case Format::Tcx:
        return readTcx(file, path, error);
    case Format::Other:
        break;
    }
    file.close();
    return readWithGpsbabel(path, error);
}
