// GPX read as a stream, so that a track of millions of points costs only the points.
#include "TrackBuilder.h"
#include "TrackFormats.h"

#include <QXmlStreamReader>

namespace {
// A point's attributes and the children a reader keeps: `ele`, `time` and `name`.
struct PointRead {
    TrackPoint point;
    QString name;
};

PointRead readPoint(QXmlStreamReader& xml) {
    PointRead r;
    r.point.at = {trackNumber(xml.attributes().value("lat")), trackNumber(xml.attributes().value("lon"))};
    while (xml.readNextStartElement()) {
        const QStringView child = xml.name();
        if (child == u"ele")
            r.point.elevation = trackNumber(xml.readElementText());
        else if (child == u"time")
            r.point.msecs = trackTime(xml.readElementText());
        else if (child == u"name")
            r.name = xml.readElementText();
        else
            xml.skipCurrentElement(); // extensions and the rest
    }
    return r;
}
} // namespace

std::optional<Track> readGpx(QIODevice& in, const QString& file, Error* error) {
    TrackBuilder track;
    QXmlStreamReader xml(&in);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) return trackRefusal(file, documentTypeRefusal("GPX"), error);
        if (token == QXmlStreamReader::EndElement && (xml.name() == u"trkseg" || xml.name() == u"rte"))
            track.endSegment();
        if (token != QXmlStreamReader::StartElement) continue;
        const QStringView name = xml.name();
        if (name != u"trkpt" && name != u"rtept" && name != u"wpt") continue;
        const bool waypoint = name == u"wpt";
        const PointRead r = readPoint(xml);
        if (waypoint)
            track.addWaypoint(r.point.at, r.name);
        else
            track.add(r.point);
    }
    if (xml.hasError()) return trackRefusal(file, notXmlRefusal(xml.errorString()), error);
    return track.finish(file, error);
}

std::optional<Track> readGpx(const QString& path, Error* error) {
    QFile file;
    if (MaybeError e = openTrackFile(path, file)) {
        if (error) *error = *e;
        return std::nullopt;
    }
    return readGpx(file, path, error);
}
