// KML read as a stream, like GPX: only the elements that carry a track or a place are looked at.
#include "TrackBuilder.h"
#include "TrackFormats.h"

#include <QXmlStreamReader>

namespace {
// KML's "lon,lat[,alt]" tuples, apart by whitespace. A space after a comma, which some writers
// put, keeps the tuple together. `f(point)` is called for each tuple; one of other than two or
// three numbers gives a point off the earth, counted as such.
template <class F> void forEachTuple(QStringView s, F f) {
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto skipSpace = [&] {
        while (i < n && s[i].isSpace())
            ++i;
    };
    for (skipSpace(); i < n; skipSpace()) {
        double v[3] = {qQNaN(), qQNaN(), qQNaN()};
        int count = 0;
        for (;;) {
            const qsizetype begin = i;
            while (i < n && !s[i].isSpace() && s[i] != u',')
                ++i;
            if (count < 3) v[count] = trackNumber(s.sliced(begin, i - begin));
            ++count;
            skipSpace();
            if (i >= n || s[i] != u',') break;
            ++i;
            skipSpace();
        }
        TrackPoint p;
        if (count == 2 || count == 3)
            p.at = {v[1], v[0]};
        else
            p.at = {qQNaN(), qQNaN()};
        p.elevation = v[2];
        f(p);
    }
}

// gx:Track: `when` times and `gx:coord` "lon lat alt" positions, paired in order.
void readGxTrack(QXmlStreamReader& xml, TrackBuilder& track) {
    track.endSegment();
    std::vector<qint64> whens;
    std::size_t coords = 0;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"when") {
            whens.push_back(trackTime(xml.readElementText()));
        } else if (xml.name() == u"coord") {
            const QStringList parts = xml.readElementText().simplified().split(u' ');
            TrackPoint p;
            if (parts.size() == 2 || parts.size() == 3)
                p.at = {trackNumber(parts[1]), trackNumber(parts[0])};
            else
                p.at = {qQNaN(), qQNaN()};
            if (parts.size() == 3) p.elevation = trackNumber(parts[2]);
            if (coords < whens.size()) p.msecs = whens[coords];
            ++coords;
            track.add(p);
        } else {
            xml.skipCurrentElement();
        }
    }
    track.endSegment();
}
} // namespace

std::optional<Track> readKml(QIODevice& in, const QString& file, Error* error) {
    TrackBuilder track;
    QXmlStreamReader xml(&in);
    enum class Geometry { None, Line, Point, Other } geometry = Geometry::None;
    int depth = 0, placemarkDepth = -1;
    QString placemarkName;
    std::vector<LatLon> placemarkPoints;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) return trackRefusal(file, documentTypeRefusal("KML"), error);
        if (token == QXmlStreamReader::EndElement) {
            --depth;
            const QStringView name = xml.name();
            if (name == u"LineString" || name == u"Point" || name == u"Polygon" || name == u"LinearRing")
                geometry = Geometry::None;
            if (name == u"Placemark") {
                // The name may come after the geometry, so the points wait for the Placemark's end.
                for (LatLon at : placemarkPoints)
                    track.addWaypoint(at, placemarkName);
                placemarkPoints.clear();
                placemarkDepth = -1;
            }
        }
        if (token != QXmlStreamReader::StartElement) continue;
        const QStringView name = xml.name();
        if (name == u"coordinates") {
            const QString text = xml.readElementText();
            if (geometry == Geometry::Line) {
                track.endSegment();
                forEachTuple(text, [&](const TrackPoint& p) { track.add(p); });
                track.endSegment();
            } else if (geometry == Geometry::Point && placemarkDepth >= 0) {
                bool first = true;
                forEachTuple(text, [&](const TrackPoint& p) {
                    if (first) placemarkPoints.push_back(p.at);
                    first = false;
                });
            }
        } else if (name == u"Track") {
            readGxTrack(xml, track);
        } else if (name == u"name" && depth == placemarkDepth) {
            placemarkName = xml.readElementText();
        } else {
            ++depth;
            if (name == u"Placemark") {
                placemarkDepth = depth;
                placemarkName.clear();
            } else if (name == u"LineString") {
                geometry = Geometry::Line;
            } else if (name == u"Point") {
                geometry = Geometry::Point;
            } else if (name == u"Polygon" || name == u"LinearRing") {
                geometry = Geometry::Other; // an area's outline is not a track
            }
        }
    }
    if (xml.hasError()) return trackRefusal(file, notXmlRefusal(xml.errorString()), error);
    return track.finish(file, error);
}
