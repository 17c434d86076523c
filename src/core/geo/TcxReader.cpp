// Garmin Training Center XML read as a stream, like GPX.
#include "TrackBuilder.h"
#include "TrackFormats.h"

#include <QXmlStreamReader>

namespace {
LatLon readPosition(QXmlStreamReader& xml) {
    LatLon at{qQNaN(), qQNaN()};
    while (xml.readNextStartElement()) {
        if (xml.name() == u"LatitudeDegrees")
            at.lat = trackNumber(xml.readElementText());
        else if (xml.name() == u"LongitudeDegrees")
            at.lon = trackNumber(xml.readElementText());
        else
            xml.skipCurrentElement();
    }
    return at;
}

// A Trackpoint or a CoursePoint: its position, height, time and name, whichever it has.
struct PointRead {
    TrackPoint point;
    QString name;
    bool positioned = false;
};

PointRead readPoint(QXmlStreamReader& xml) {
    PointRead r;
    while (xml.readNextStartElement()) {
        const QStringView child = xml.name();
        if (child == u"Position") {
            r.point.at = readPosition(xml);
            r.positioned = true;
        } else if (child == u"AltitudeMeters") {
            r.point.elevation = trackNumber(xml.readElementText());
        } else if (child == u"Time") {
            r.point.msecs = trackTime(xml.readElementText());
        } else if (child == u"Name") {
            r.name = xml.readElementText();
        } else {
            xml.skipCurrentElement(); // heart rate, cadence, extensions
        }
    }
    return r;
}
} // namespace

std::optional<Track> readTcx(QIODevice& in, const QString& file, Error* error) {
    TrackBuilder track;
    QXmlStreamReader xml(&in);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) return trackRefusal(file, documentTypeRefusal("TCX"), error);
        if (token == QXmlStreamReader::EndElement && (xml.name() == u"Track" || xml.name() == u"Lap"))
            track.endSegment();
        if (token != QXmlStreamReader::StartElement) continue;
        const bool trackpoint = xml.name() == u"Trackpoint";
        if (!trackpoint && xml.name() != u"CoursePoint") continue;
        const PointRead r = readPoint(xml);
        // A watch writes a Trackpoint without a Position while it has no fix: a gap, not bad data.
        if (!r.positioned && trackpoint) continue;
        if (trackpoint)
            track.add(r.point);
        else
            track.addWaypoint(r.point.at, r.name);
    }
    if (xml.hasError()) return trackRefusal(file, notXmlRefusal(xml.errorString()), error);
    return track.finish(file, error);
}
