// Legs with lines of their own: great circles, arcs and tracks, timing by the track's clock, and
// a track made into a route.
#include "animation/FrameWalk.h"
#include "animation/WalkPoses.h"
#include "geo/MapGeo.h"
#include "geo/RouteBuild.h"
#include "geo/TrackImport.h"
#include "geo/TrackStops.h"
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "support/Files.h"
#include "support/StartedWorkspace.h"

#include <QtTest>

namespace {
// The whole earth at ten pixels a degree, longitude -180 at the left edge.
Georeference world() {
    return *Georeference::make(Projection::Degrees, QTransform(0.1, 0, 0, -0.1, -180, 90));
}

ProjectState twoPoints(const Georeference& g, LatLon a, LatLon b) {
    ProjectState st;
    st.listmax = 2;
    st.fps = 25;
    st.pointgeo[0] = GeoPoint(a.lat, a.lon);
    st.pointgeo[1] = GeoPoint(b.lat, b.lon);
    for (int i = 0; i < 2; ++i) {
        const QPointF p = pointPlace(st, g, i);
        st.pointx[i] = qint16(std::lround(p.x()));
        st.pointy[i] = qint16(std::lround(p.y()));
    }
    st.path = "arc";
    return st;
}

// A track east along the equator, a point every 10 s and 0.001 degrees, standing still for
// `stop` seconds after point 50; and a waypoint named "Well" at point 80.
Track walk(int points, qint64 stop) {
    Track t;
    t.segmentStarts = {0};
    qint64 ms = 0;
    for (int k = 0; k < points; ++k) {
        t.points.push_back({{0, 0.001 * k}, qQNaN(), ms});
        if (k == 50) t.points.push_back({{0, 0.001 * k}, qQNaN(), ms += stop * 1000});
        ms += 10000;
    }
    t.waypoints.push_back({{0, 0.08}, "Well"});
    return t;
}
} // namespace

class TestRouteShape : public QObject {
    Q_OBJECT
  private slots:
    void greatCircles_data() {
        QTest::addColumn<double>("fromLat");
        QTest::addColumn<double>("fromLon");
        QTest::addColumn<double>("toLat");
        QTest::addColumn<double>("toLon");
        QTest::addColumn<double>("midLat"); // the great circle at mid-leg (on the sphere)
        QTest::addColumn<double>("midLon");
        QTest::addColumn<int>("pieces"); // 2 where it crosses the 180th meridian
        QTest::newRow("Paris to Tokyo") << 48.8566 << 2.3522 << 35.6762 << 139.6503 << 67.47 << 86.04 << 1;
        QTest::newRow("Tokyo to San Francisco, the short way")
            << 35.6762 << 139.6503 << 37.7749 << -122.4194 << 48.65 << -172.28 << 2;
    }
    void greatCircles() {
        QFETCH(double, fromLat);
        QFETCH(double, fromLon);
        QFETCH(double, toLat);
        QFETCH(double, toLon);
        const Georeference g = world();
        const auto shape = buildRouteShape(twoPoints(g, {fromLat, fromLon}, {toLat, toLon}), g, {});
        const LegLine* leg = shape->leg(1);
        QVERIFY(leg);
        QFETCH(double, midLat);
        QFETCH(double, midLon);
        double atMid = qQNaN(), nearest = 360;
        for (QPointF p : leg->at) {
            QVERIFY2(p.x() >= -0.5 && p.x() <= 3600.5, "every vertex stays on the map");
            const LatLon at = g.latLonAt(p);
            if (std::abs(at.lon - midLon) < nearest) nearest = std::abs(at.lon - midLon), atMid = at.lat;
        }
        // The ellipsoid's geodesic passes within a few tenths of a degree of the sphere's great circle.
        QVERIFY2(nearest < 0.5 && std::abs(atMid - midLat) < 0.3, qPrintable(QString::number(atMid)));
        std::vector<std::vector<QPointF>> pieces;
        leg->pieces(0, leg->length(), 0.25, pieces);
        QTEST(int(pieces.size()), "pieces");
        QVERIFY(std::isfinite(shape->metres(1)) && shape->metres(1) > 8e6);
    }

    void circularArc_data() {
        QTest::addColumn<double>("bend");
        QTest::addColumn<double>("apexY"); // travelling east, left is up
        QTest::newRow("left") << 0.2 << 220.0;
        QTest::newRow("right") << -0.2 << 380.0;
        QTest::newRow("half a circle") << 0.5 << 100.0;
    }
    void circularArc() {
        QFETCH(double, bend);
        ProjectState st;
        st.listmax = 2;
        st.fps = 25;
        st.interval = 1;
        st.delay = 25;
        st.pointx[0] = 100, st.pointy[0] = 300, st.pointx[1] = 500, st.pointy[1] = 300;
        st.path = "arc";
        st.arcbend = bend;
        st.route = buildRouteShape(st, std::nullopt, {});
        const LegLine* leg = st.route->leg(1);
        QVERIFY(leg);
        QFETCH(double, apexY);
        QVERIFY(std::abs(leg->pointAt(leg->length() / 2).y() - apexY) < 0.5);
        // The head goes along the curve, and the walk ends on the point.
        const std::vector<FramePose> poses = walkPoses(st, 1000);
        QVERIFY(std::abs(poses[2 + 12].head.y() - apexY) < std::abs(apexY - 300) * 0.1);
        QCOMPARE(poses.back().head, QPointF(500, 300));
    }

    // Frames of a leg of 100 points 10 s apart (990 s): at 25 frames/s and 10 recorded seconds a
    // second, 99 s of walking; a stop of 300 s on the way lasts as recorded when shorter than
    // `trackstop`, and the hold (2 s, so 20 recorded seconds) when longer.
    void clockTiming_data() {
        QTest::addColumn<QString>("timing");
        QTest::addColumn<qint64>("stop");
        QTest::addColumn<double>("trackstop");
        QTest::addColumn<qint64>("legFrames");
        QTest::newRow("moving only") << "gps" << qint64(0) << 120.0 << qint64(99 * 25);
        QTest::newRow("a short stop as recorded") << "gps" << qint64(300) << 400.0 << qint64(129 * 25);
        QTest::newRow("a long stop becomes the hold") << "gps" << qint64(300) << 120.0 << qint64(101 * 25);
        QTest::newRow("by the interval") << "leg" << qint64(300) << 120.0 << qint64(3 * 25);
    }
    void clockTiming() {
        QFETCH(QString, timing);
        QFETCH(qint64, stop);
        QFETCH(double, trackstop);
        QFETCH(qint64, legFrames);
        StartedWorkspace s;
        Workspace& ws = s.ws;
        ws.st.fps = 25, ws.st.interval = 3, ws.st.delay = 75, ws.st.hold = 2, ws.st.timescale = 10;
        ws.st.trackstop = trackstop;
        ws.geo.track = std::make_shared<const Track>(walk(100, stop));
        ws.geo.trackFile = trackFilePath(ws.st);
        ws.geo.picture = world();
        ws.st.listmax = 2;
        ws.st.pointgeo[0] = GeoPoint(0, 0);
        ws.st.pointgeo[1] = GeoPoint(0, 0.099);
        refreshRoute(ws);
        QVERIFY(ws.st.route && ws.st.route->leg(1));
        ws.st.timing = "leg";
        const qint64 plain = plannedFrames(ws.st, 1 << 20) - 75;
        ws.st.timing = timing;
        QCOMPARE(plannedFrames(ws.st, 1 << 20) - plain, legFrames);
    }

    void import() {
        StartedWorkspace s;
        Workspace& ws = s.ws;
        QTemporaryDir dir;
        const QString gpx = dir.filePath("walk.gpx");
        QByteArray text = "<gpx><wpt lat='0' lon='0.08'><name>Well</name></wpt><trk><trkseg>";
        for (const TrackPoint& p : walk(100, 300).points)
            text += QString("<trkpt lat='0' lon='%1'><time>%2</time></trkpt>")
                        .arg(p.at.lon, 0, 'f', 3)
                        .arg(QDateTime::fromMSecsSinceEpoch(p.msecs, Qt::UTC).toString(Qt::ISODate))
                        .toUtf8();
        writeFile(gpx, text + "</trkseg></trk></gpx>");
        ws.st.projectpath = dir.filePath("walk.wsr");
        QStringList notes;
        QVERIFY(!importTrack(ws, gpx, notes));
        // Start, the stop after point 50, the waypoint, the end.
        QCOMPARE(ws.st.listmax, qint16(4));
        QCOMPARE(ws.st.pointlabel[2], QString("Well"));
        QCOMPARE(ws.st.pointgeo[1].lon, 0.05);
        QCOMPARE(ws.st.track, QString("walk.gpx"));
        // Saved and read back, the points keep their exact coordinates and the legs the track.
        const QByteArray saved = formatProjectText(ws.st);
        StartedWorkspace again;
        again.ws.st.projectpath = ws.st.projectpath;
        LoadProjectText(again.ws, saved, MapAfterLoad::LeaveToRender);
        QCOMPARE(formatProjectText(again.ws.st), saved);
        QCOMPARE(again.ws.st.pointgeo[3].lon, 0.099);
        // The first leg follows the track's first 51 points, between its two ends.
        QVERIFY(again.ws.st.route && again.ws.st.route->leg(1));
        QCOMPARE(again.ws.st.route->leg(1)->at.size(), std::size_t(53));
    }
};

QTEST_GUILESS_MAIN(TestRouteShape)
#include "test_route_shape.moc"
