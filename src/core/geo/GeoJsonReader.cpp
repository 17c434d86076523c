// GeoJSON, parsed whole by Qt (which bounds the nesting itself), then walked with a depth bound of
// its own for collections inside collections.
#include "TrackBuilder.h"
#include "TrackFormats.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr int kMaxDepth = 16;

// [lon, lat, (elevation)]; anything else is a point off the earth, counted as such.
TrackPoint position(const QJsonValue& v) {
    const QJsonArray a = v.toArray();
    TrackPoint p;
    p.at = {qQNaN(), qQNaN()};
    if (a.size() >= 2 && a[0].isDouble() && a[1].isDouble()) p.at = {a[1].toDouble(), a[0].toDouble()};
    if (a.size() >= 3 && a[2].isDouble()) p.elevation = a[2].toDouble();
    return p;
}

// One line, a segment; `times` as converters write them in `coordTimes`, one a position from
// `first` on.
void addLine(const QJsonArray& line, const QJsonArray& times, qsizetype first, TrackBuilder& track) {
    track.endSegment();
    for (qsizetype i = 0; i < line.size(); ++i) {
        TrackPoint p = position(line[i]);
        if (first + i < times.size()) p.msecs = trackTime(times[first + i].toString());
        track.add(p);
    }
    track.endSegment();
}

void readGeometry(const QJsonObject& g, const QJsonObject& properties, TrackBuilder& track, int depth) {
    const QString type = g["type"].toString();
    const QJsonValue coordinates = g["coordinates"];
    const QJsonArray times = properties["coordTimes"].toArray();
    const QString name = properties["name"].toString();
    if (type == u"Point") {
        track.addWaypoint(position(coordinates).at, name);
    } else if (type == u"MultiPoint") {
        for (const QJsonValue& v : coordinates.toArray())
            track.addWaypoint(position(v).at, name);
    } else if (type == u"LineString") {
        addLine(coordinates.toArray(), times, 0, track);
    } else if (type == u"MultiLineString") {
        // coordTimes hold an array a line, or, from some writers, one array for all the lines.
        const QJsonArray lines = coordinates.toArray();
        const bool perLine = !times.isEmpty() && times[0].isArray();
        qsizetype first = 0;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QJsonArray line = lines[i].toArray();
            if (perLine)
                addLine(line, times[i].toArray(), 0, track);
            else
                addLine(line, times, first, track);
            first += line.size();
        }
    } else if (type == u"GeometryCollection" && depth < kMaxDepth) {
        for (const QJsonValue& v : g["geometries"].toArray())
            readGeometry(v.toObject(), {{"name", name}}, track, depth + 1);
    }
}

void readObject(const QJsonObject& o, TrackBuilder& track, int depth) {
    const QString type = o["type"].toString();
    if (type == u"FeatureCollection" && depth < kMaxDepth) {
        for (const QJsonValue& f : o["features"].toArray())
            readObject(f.toObject(), track, depth + 1);
    } else if (type == u"Feature") {
        readGeometry(o["geometry"].toObject(), o["properties"].toObject(), track, depth + 1);
    } else {
        readGeometry(o, {}, track, depth);
    }
}
} // namespace

std::optional<Track> readGeoJson(QIODevice& in, const QString& file, Error* error) {
    if (in.size() - in.pos() > kMaxGeoJsonBytes)
        return trackRefusal(
            file, QString("the file is larger than the %1 MiB read as GeoJSON").arg(kMaxGeoJsonBytes >> 20),
            error);
    const QByteArray text = in.readAll();
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &parse);
    if (doc.isNull())
        return trackRefusal(file,
                            QString("the file is not readable JSON (%1 at byte %2)")
                                .arg(parse.errorString())
                                .arg(parse.offset),
                            error);
    TrackBuilder track;
    readObject(doc.object(), track, 0);
    return track.finish(file, error);
}
