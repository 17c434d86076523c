// GPX read as a stream, so that a track of millions of points costs only the points.
#include "Track.h"

#include "shell/OrdinaryFile.h"

#include <QFile>
#include <QXmlStreamReader>
#include <cmath>

namespace {
// A point's attributes and the children a reader keeps: `ele`, `time` and `name`.
struct PointRead {
    TrackPoint point;
    QString name;
    bool valid = false;
};

PointRead readPoint(QXmlStreamReader& xml) {
    PointRead r;
    bool latOk = false, lonOk = false;
    r.point.at = {xml.attributes().value("lat").toDouble(&latOk),
                  xml.attributes().value("lon").toDouble(&lonOk)};
    r.valid = latOk && lonOk && validLatLon(r.point.at);
    while (xml.readNextStartElement()) {
        const QStringView child = xml.name();
        if (child == u"ele") {
            bool ok = false;
            const double e = xml.readElementText().toDouble(&ok);
            if (ok && std::isfinite(e)) r.point.elevation = e;
        } else if (child == u"time") {
            const QDateTime t = QDateTime::fromString(xml.readElementText().trimmed(), Qt::ISODateWithMs);
            if (t.isValid()) r.point.msecs = t.toMSecsSinceEpoch();
        } else if (child == u"name") {
            r.name = xml.readElementText().simplified().left(200);
        } else {
            xml.skipCurrentElement(); // extensions and the rest
        }
    }
    return r;
}
} // namespace

std::optional<Track> readGpx(const QString& path, Error* error) {
    auto fail = [&](const QString& reason) {
        if (error) *error = {path, reason};
        return std::nullopt;
    };
    QFile file;
    if (MaybeError e = openOrdinaryFile(path, file, QStringLiteral("track file"))) {
        if (error) *error = *e;
        return std::nullopt;
    }
    if (file.size() > kMaxTrackBytes)
        return fail(
            QString("the file is larger than %1 MiB, too large for a track").arg(kMaxTrackBytes >> 20));
    Track track;
    QXmlStreamReader xml(&file);
    bool newSegment = true;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD)
            return fail(
                "the file declares a document type, which a GPX file has no need of; it was not read");
        if (token == QXmlStreamReader::EndElement && (xml.name() == u"trkseg" || xml.name() == u"rte"))
            newSegment = true;
        if (token != QXmlStreamReader::StartElement) continue;
        const QStringView name = xml.name();
        if (name != u"trkpt" && name != u"rtept" && name != u"wpt") continue;
        const PointRead r = readPoint(xml);
        if (!r.valid) {
            ++track.skipped;
            continue;
        }
        if (name == u"wpt") {
            track.waypoints.push_back({r.point.at, r.name});
            continue;
        }
        if (newSegment) track.segmentStarts.push_back(qsizetype(track.points.size()));
        newSegment = false;
        track.points.push_back(r.point);
    }
    if (xml.hasError()) return fail("the file is not readable XML (" + xml.errorString() + ")");
    if (track.points.empty() && track.waypoints.empty())
        return fail("the file holds no track, route or waypoint");
    return track;
}
