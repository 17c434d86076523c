// Tracks as phones, watches and other programs write them, in every format read, and files made
// to harm the readers.
#include "geo/Track.h"
#include "support/Files.h"

#include <QtTest>
#include <libdeflate.h>

namespace {
// The track as one line: points (latitude, longitude, height, time), segment starts, waypoints
// and the count of points skipped.
QString summary(const Track& t) {
    QStringList points, starts, waypoints;
    for (const TrackPoint& p : t.points)
        points << QString("%1 %2 %3 %4")
                      .arg(p.at.lat, 0, 'f', 5)
                      .arg(p.at.lon, 0, 'f', 5)
                      .arg(p.elevation, 0, 'f', 1)
                      .arg(p.msecs);
    for (qsizetype s : t.segmentStarts)
        starts << QString::number(s);
    for (const Waypoint& w : t.waypoints)
        waypoints << QString("%1 %2 %3").arg(w.name).arg(w.at.lat, 0, 'f', 5).arg(w.at.lon, 0, 'f', 5);
    return QString("%1 | %2 | %3 | %4 skipped")
        .arg(points.join(", "), starts.join(','), waypoints.join(", "))
        .arg(t.skipped);
}

// Points `first` and `first + 1` of the test track through a format's pattern.
QByteArray two(const char* pattern, int first) {
    QByteArray out;
    for (int i = first; i < first + 2; ++i)
        out += QString(pattern)
                   .replace("LAT", QString::number(47.1 + 0.1 * i))
                   .replace("LON", QString::number(11.1 + 0.1 * i))
                   .replace("ELE", QString::number(500.2 + 10.2 * i))
                   .replace("TIME", QString("2026-05-01T08:0%1:00Z").arg(i))
                   .toUtf8();
    return out;
}

QByteArray gpxText() {
    const char* point = "<trkpt lat='LAT' lon='LON'><ele>ELE</ele><time>TIME</time></trkpt>";
    return "<gpx><wpt lat='47.5' lon='11.25'><name>Summit hut</name></wpt><trk><trkseg>" + two(point, 0) +
           "</trkseg><trkseg>" + two(point, 2) + "</trkseg></trk></gpx>";
}

// A ZIP archive of the entries, deflated or stored, each declaring its true size unless given one.
struct Entry {
    QByteArray name, data;
    bool deflate = true;
    quint32 declared = 0;
};

// Little-endian fields, as ZIP has them.
template <class... T> QByteArray le(T... v) {
    QByteArray b;
    QDataStream s(&b, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    (s << ... << v);
    return b;
}

QByteArray zip(const QList<Entry>& entries) {
    QByteArray local, central;
    libdeflate_compressor* c = libdeflate_alloc_compressor(6);
    for (const Entry& e : entries) {
        QByteArray packed = e.data;
        if (e.deflate) {
            packed.resize(qsizetype(libdeflate_deflate_compress_bound(c, e.data.size())));
            packed.resize(qsizetype(
                libdeflate_deflate_compress(c, e.data.data(), e.data.size(), packed.data(), packed.size())));
        }
        const QByteArray common =
            le(quint16(20), quint16(0), quint16(e.deflate ? 8 : 0), quint32(0),
               quint32(libdeflate_crc32(0, e.data.data(), e.data.size())), quint32(packed.size()),
               e.declared ? e.declared : quint32(e.data.size()), quint16(e.name.size()), quint16(0));
        central += le(quint32(0x02014b50), quint16(20)) + common + QByteArray(10, 0) +
                   le(quint32(local.size())) + e.name;
        local += le(quint32(0x04034b50)) + common + e.name + packed;
    }
    libdeflate_free_compressor(c);
    return local + central +
           le(quint32(0x06054b50), quint32(0), quint16(entries.size()), quint16(entries.size()),
              quint32(central.size()), quint32(local.size()), quint16(0));
}

} // namespace

class TestTrack : public QObject {
    Q_OBJECT
  private slots:
    void gpx_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected"); // points, segment starts, waypoints, skipped; or the refusal
        const QByteArray head = "<?xml version='1.0'?>\n";
        QTest::newRow("1.1: segments, namespaces, extensions")
            << head +
                   "<gpx version='1.1' xmlns='http://www.topografix.com/GPX/1/1' xmlns:x='urn:x'><trk>"
                   "<trkseg><trkpt lat='48.1' lon='11.5'><ele>519.5</ele><time>2026-05-01T08:00:00Z</time>"
                   "<extensions><x:hr>120</x:hr></extensions></trkpt><trkpt lat='48.2' lon='11.6'/></trkseg>"
                   "<trkseg><trkpt lat='48.3' lon='11.7'/><trkpt lat='48.4' lon='11.8'/></trkseg></trk></gpx>"
            << "4 points 0,2 0 waypoints 0 skipped; 519.5 m 1777622400000";
        QTest::newRow("1.0: a route and named waypoints, no times")
            << head + "<gpx version='1.0'><wpt lat='1' lon='2'><name> Summit\n hut </name></wpt>"
                      "<rte><rtept lat='1' lon='2'/><rtept lat='1.5' lon='2.5'/></rte></gpx>"
            << "2 points 0 1 waypoints 0 skipped; nan m -1";
        QTest::newRow("coordinates off the earth or not numbers")
            << head + "<gpx><trk><trkseg><trkpt lat='95' lon='1'/><trkpt lat='x' lon='1'/>"
                      "<trkpt lat='nan' lon='1'/><trkpt lat='10' lon='-180'/></trkseg></trk></gpx>"
            << "1 points 0 0 waypoints 3 skipped; nan m -1";
        QTest::newRow("numbers with signs, exponents and spaces")
            << head + "<gpx><trk><trkseg><trkpt lat=' +4.81e1 ' lon='-1.5'><ele>\n5.2E+2 </ele></trkpt>"
                      "<trkpt lat='+-1' lon='1'/><trkpt lat='1e400' lon='1'/><trkpt lat='1 0' lon='1'/>"
                      "<trkpt lat='1' lon='++1'/><trkpt lat='' lon='1'/></trkseg></trk></gpx>"
            << "1 points 0 0 waypoints 5 skipped; 520 m -1";
        QTest::newRow("billion laughs") << head + "<!DOCTYPE gpx [<!ENTITY a 'aaaaaaaaaa'><!ENTITY b "
                                                  "'&a;&a;&a;&a;&a;&a;&a;&a;'>]><gpx>&b;</gpx>"
                                        << "declares a document type";
        QTest::newRow("an entity naming a file")
            << head + "<!DOCTYPE gpx [<!ENTITY f SYSTEM 'file:///etc/passwd'>]><gpx><wpt lat='1' lon='1'>"
                      "<name>&f;</name></wpt></gpx>"
            << "declares a document type";
        QTest::newRow("not XML") << QByteArray("\x89PNG\r\n") << "not readable XML";
        QTest::newRow("nothing in it") << head + "<gpx version='1.1'/>"
                                       << "no track, route or waypoint";
        // What the scanner must take, and what makes a file not XML.
        QTest::newRow("prefixes, comments, CDATA, entities, a zone")
            << head + "<g:gpx xmlns:g='urn:g'><!-- x --><g:wpt lat=\"1\" lon = '2'><g:name><![CDATA[Summit]]>"
                      "&#x20;hut</g:name></g:wpt><g:rte><g:rtept lat='+1' lon='2'><g:ele> 7 </g:ele>"
                      "<g:time>2026-05-01T10:00:00.5+02:00</g:time></g:rtept></g:rte></g:gpx>"
            << "1 points 0 1 waypoints 0 skipped; 7 m 1777622400500";
        const QString utf16 = u"\xFEFF<gpx><rte><rtept lat='1' lon='2'><ele>3</ele></rtept></rte></gpx>"_qs;
        QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
                                << "1 points 0 0 waypoints 0 skipped; 3 m -1";
        QTest::newRow("tags crossed") << head + "<gpx><rte><rtept lat='1' lon='2'></rte></rtept></gpx>"
                                      << "did not begin there";
        QTest::newRow("an entity never declared") << head + "<gpx><wpt lat='1' lon='2'><name>&x;</name></wpt></gpx>"
                                                  << "an entity";
        QTest::newRow("cut short") << head + "<gpx><rte><rtept lat='1' lon='2'>" << "ends inside an element";
        QTest::newRow("two documents") << head + "<gpx/><gpx/>" << "second document element";
    }
    void gpx() {
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        writeFile(dir.filePath("t.gpx"), text);
        Error error;
        const std::optional<Track> t = readGpx(dir.filePath("t.gpx"), &error);
        QString read = error.message();
        if (t) {
            QStringList starts;
            for (qsizetype s : t->segmentStarts)
                starts << QString::number(s);
            read = QString("%1 points %2 %3 waypoints %4 skipped; %5 m %6")
                       .arg(t->points.size())
                       .arg(starts.join(','))
                       .arg(t->waypoints.size())
                       .arg(t->skipped)
                       .arg(t->points.empty() ? qQNaN() : t->points[0].elevation)
                       .arg(t->points.empty() ? -1 : t->points[0].msecs);
            if (!t->waypoints.empty()) QCOMPARE(t->waypoints[0].name, QString("Summit hut"));
        }
        QFETCH(QString, expected);
        QVERIFY2(t ? read == expected : read.contains(expected), qPrintable(read));
    }

    // The same track (two segments, heights, times and a named place) in every format read, and
    // the ways each format can go wrong.
    void readTrack_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");  // empty: the GPX, converted by gpsbabel
        QTest::addColumn<QString>("expected"); // the summary, or the refusal
        const QString same = "47.10000 11.10000 500.2 1777622400000, 47.20000 11.20000 510.4 1777622460000, "
                             "47.30000 11.30000 520.6 1777622520000, 47.40000 11.40000 530.8 1777622580000 | "
                             "0,2 | Summit hut 47.50000 11.25000 | 0 skipped";
        const QByteArray gxTrack = "<gx:Track><when>TIME</when><gx:coord>LON LAT ELE</gx:coord></gx:Track>";
        const QByteArray kml =
            "<?xml version='1.0'?><kml xmlns='http://www.opengis.net/kml/2.2' xmlns:gx='urn:gx'><Document>"
            "<Placemark><Point><coordinates>11.25,47.5</coordinates></Point><name>Summit "
            "hut</name></Placemark>"
            "<Placemark><gx:MultiTrack><gx:Track>" +
            two("<when>TIME</when>", 0) + two("<gx:coord>LON LAT ELE</gx:coord>", 0) + "</gx:Track>" +
            two(gxTrack, 2).replace("</gx:Track><gx:Track>", "") +
            "</gx:MultiTrack></Placemark></Document></kml>";
        const QByteArray tcxPoint =
            "<Trackpoint><Time>TIME</Time><Position><LatitudeDegrees>LAT</LatitudeDegrees>"
            "<LongitudeDegrees>LON</LongitudeDegrees></Position><AltitudeMeters>ELE</AltitudeMeters></"
            "Trackpoint>"
            "<Trackpoint><HeartRateBpm><Value>120</Value></HeartRateBpm></Trackpoint>";
        const char* geoPoint = "{\"type\":\"Feature\",\"properties\":{\"name\":\"Summit hut\"},"
                               "\"geometry\":{\"type\":\"Point\",\"coordinates\":[11.25,47.5]}}";
        QTest::newRow("GPX") << "t.gpx" << gpxText() << same;
        // gpsbabel's FIT has the points in one segment, and the last lap's end as a waypoint.
        QTest::newRow("FIT by gpsbabel, made by it from the GPX")
            << "t.fit" << QByteArray()
            << same.section(" | ", 0, 0) + " | 0 | LAP001 47.40000 11.40000 | 0 skipped";
        QTest::newRow("not IGC") << "t.igc" << QByteArray("x\n")
                                 << "gpsbabel could not read it as IGC (it said: IGC bad input";
        QTest::newRow("KML, gx:Track, told by its content") << "t.xml" << kml << same;
        QTest::newRow("KMZ") << "t.kmz" << zip({{"files/x.png", "png", false}, {"doc.kml", kml}}) << same;
        QTest::newRow("GeoJSON") << "t.geojson"
                                 << "{\"type\":\"FeatureCollection\",\"features\":[" + QByteArray(geoPoint) +
                                        ",{\"type\":\"Feature\",\"properties\":{\"coordTimes\":[[" +
                                        two("\"TIME\",", 0).chopped(1) + "],[" +
                                        two("\"TIME\",", 2).chopped(1) +
                                        "]]},\"geometry\":{\"type\":\"MultiLineString\",\"coordinates\":[[" +
                                        two("[LON,LAT,ELE],", 0).chopped(1) + "],[" +
                                        two("[LON,LAT,ELE],", 2).chopped(1) + "]]}}]}"
                                 << same;
        QTest::newRow("TCX, a Trackpoint without a fix")
            << "t.tcx"
            << "<TrainingCenterDatabase><Activities><Activity><Lap><Track>" + two(tcxPoint, 0) +
                   "</Track></Lap><Lap><Track>" + two(tcxPoint, 2) +
                   "</Track></Lap></Activity></Activities><Courses><Course>"
                   "<CoursePoint><Name>Summit hut</Name><Position><LatitudeDegrees>47.5</LatitudeDegrees>"
                   "<LongitudeDegrees>11.25</LongitudeDegrees></Position></CoursePoint></Course></Courses></"
                   "TrainingCenterDatabase>"
            << same;
        QTest::newRow("KML lines: spaces after commas, bad tuples")
            << "t.kml"
            << QByteArray("<kml><Placemark><MultiGeometry><LineString><coordinates>11.1,47.1,500 11.2, "
                          "47.2\n 200,1 1,2,3,4 x,1"
                          "</coordinates></LineString><LineString><coordinates>1,2</coordinates></"
                          "LineString><Point><coordinates>3,4"
                          "</coordinates></Point></MultiGeometry><name>P</name></"
                          "Placemark><Polygon><coordinates>5,6</coordinates></Polygon></kml>")
            << "47.10000 11.10000 500.0 -1, 47.20000 11.20000 nan -1, 2.00000 1.00000 nan -1 | 0,2 | P "
               "4.00000 3.00000 | 3 skipped";
        QTest::newRow("GeoJSON coordinates off the earth or not numbers")
            << "t.json"
            << QByteArray("{\"type\":\"LineString\",\"coordinates\":[[11,47],[200,1],[1,95],[null,1],["
                          "\"NaN\",1],[1]]}")
            << "47.00000 11.00000 nan -1 | 0 |  | 5 skipped";
        QTest::newRow("KML entity naming a file")
            << "t.kml"
            << QByteArray("<?xml version='1.0'?><!DOCTYPE kml [<!ENTITY f SYSTEM 'file:///etc/passwd'>]>"
                          "<kml><Placemark><name>&f;</name></Placemark></kml>")
            << "declares a document type";
        QTest::newRow("KMZ bomb, honest about its size")
            << "t.kmz" << zip({{"doc.kml", "<kml/>", true, 300u << 20}})
            << "would inflate to more than 256 MiB";
        QTest::newRow("KMZ bomb, lying about its size")
            << "t.kmz" << zip({{"doc.kml", QByteArray(1 << 20, ' '), true, 1000}})
            << "doc.kml inflates to more than the 1000 bytes";
        QList<Entry> many;
        for (int i = 0; i < 1001; ++i)
            many.append({QByteArray::number(i), "", false});
        QTest::newRow("KMZ of 1,001 entries")
            << "t.kmz" << zip(many) << "holds 1001 entries, more than the 1000";
        QTest::newRow("KMZ entry leaving it") << "t.kmz" << zip({{"doc.kml", kml}, {"../x.kml", kml}})
                                              << "../x.kml has a name that would leave";
        QTest::newRow("KMZ cut short")
            << "t.kmz" << zip({{"doc.kml", kml}}).chopped(30) << "not a complete ZIP archive";
        QTest::newRow("KMZ, a bad KML in it") << "t.kmz" << zip({{"a.kml", "<kml><!DOCTYPE kml></kml>"}})
                                              << "in its entry a.kml, the file declares a document type";
        QTest::newRow("a format not read")
            << "t.xyz" << QByteArray("\x01\x02") << "not in a track format read; those are GPX, KML, KMZ";
    }
    void readTrack() {
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(name), gpxPath = dir.filePath("t.gpx");
        if (name.endsWith(".fit") || name.endsWith(".igc"))
            if (QStandardPaths::findExecutable("gpsbabel").isEmpty()) QSKIP("gpsbabel is not installed");
        if (text.isEmpty()) {
            writeFile(gpxPath, gpxText());
            QCOMPARE(
                QProcess::execute("gpsbabel", {"-i", "gpx", "-f", gpxPath, "-o", "garmin_fit", "-F", path}),
                0);
        } else {
            writeFile(path, text);
        }
        Error error;
        const std::optional<Track> t = ::readTrack(path, &error);
        const QString read = t ? summary(*t) : error.message();
        QVERIFY2(t ? read == expected : read.contains(expected), qPrintable(read));
    }

    // A file past the limit is refused before a byte of it is read (a sparse file: no disk used).
    void tooLarge() {
        QTemporaryDir dir;
        QFile f(dir.filePath("big.gpx"));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(kMaxTrackBytes + 1));
        f.close();
        Error error;
        QVERIFY(!::readTrack(f.fileName(), &error));
        QVERIFY2(error.reason.contains("larger than 512 MiB"), qPrintable(error.message()));
    }
};

QTEST_APPLESS_MAIN(TestTrack)
#include "test_track.moc"
