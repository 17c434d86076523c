// GPX tracks as phones and watches write them, and files made to harm the reader.
#include "geo/Track.h"
#include "support/Files.h"

#include <QtTest>

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
};

QTEST_APPLESS_MAIN(TestTrack)
#include "test_track.moc"
