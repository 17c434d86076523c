// Ways of travel: the head's icon per leg, turned or upright, leg times from a mode's speed, flights' arcs.
#include "animation/FrameMaker.h"
#include "animation/SceneFrames.h"
#include "geo/RouteBuild.h"
#include "support/AnimationSupport.h"

#include <QtTest>

namespace {
// The 64 px marker alone on a clear 96 px square, its head at the centre.
QImage markerAt(const QString& mode, int heading) {
    ProjectState st;
    st.mode = mode, st.markersize = 64;
    QImage img(96, 96, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Marker::fromState(st).paint(p, Head{true, QPointF(47.5, 47.5), double(heading)}, 1);
    return img;
}
} // namespace

class TestTravelModes : public QObject {
    Q_OBJECT
  private slots:
    void iconFollowsTheHeading_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("heading");
        QTest::addColumn<int>("turn"); // the icon facing right turned by this, then mirrored or not
        QTest::addColumn<bool>("mirror");
        for (const char* mode : {"car", "bus", "train", "boat", "plane"})
            for (int heading : {90, 180, -90})
                QTest::addRow("%s %d", mode, heading) << mode << heading << heading << false;
        for (const char* mode : {"walk", "bike"})
            for (int heading : {90, 180, -90, 135})
                QTest::addRow("%s %d", mode, heading) << mode << heading << 0 << (heading > 90);
    }
    void iconFollowsTheHeading() {
        QFETCH(QString, mode);
        QFETCH(int, heading);
        QFETCH(int, turn);
        QFETCH(bool, mirror);
        const QImage right = markerAt(mode, 0), got = markerAt(mode, heading);
        const QImage want = right.transformed(QTransform().rotate(turn)).mirrored(mirror, false);
        int drawn = 0, off = 0;
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x) {
                const QRgb a = got.pixel(x, y), b = want.pixel(x, y);
                drawn += qAlpha(b) > 128;
                off += std::abs(qAlpha(a) - qAlpha(b)) > 64 || std::abs(qGray(a) - qGray(b)) > 64;
            }
        QVERIFY(drawn > 500 && off < 40);
    }

    // The next leg's icon shows from that leg's first step, not while the head holds before it.
    void iconChangesAtALegsStart() {
        std::vector<QImage> frames[2];
        qint64 busStart = -1;
        for (const char* second : {"bus", "car"}) {
            Workspace ws;
            setUpRoute(ws, {{20, 30}, {100, 30}, {180, 70}}, 8);
            ws.st.hold = 0.2;
            ws.st.pointmode[1] = "car", ws.st.pointmode[2] = second;
            FrameMaker maker(ws);
            for (qint64 n = 0;
                 maker.show(n, [&](const QImage&f,
                                   const ChangeLog*) { frames[second[0] == 'c'].push_back(f.copy()); });
                 ++n)
                if (busStart < 0 && maker.scene()->pose(n).leg == 2) busStart = n;
        }
        QVERIFY(busStart > 0 && frames[0].size() == frames[1].size());
        const auto split = std::mismatch(frames[0].begin(), frames[0].end(), frames[1].begin());
        QCOMPARE(split.first - frames[0].begin(), busStart);
    }

    void flightsAndSpeeds_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("ownPath");
        QTest::addColumn<double>("interval");
        QTest::addColumn<bool>("arc");
        QTest::addColumn<double>("frames"); // 0.1 degree on the equator, 11.132 km, at 60 s a second
        QTest::newRow("plane") << "plane"
                               << "" << -1.0 << true << 11.132 / 800 * 60 * 25;
        QTest::newRow("plane, straight") << "plane"
                                         << "straight" << -1.0 << false << 11.132 / 800 * 60 * 25;
        QTest::newRow("walk") << "walk"
                              << "" << -1.0 << false << 11.132 / 5 * 60 * 25;
        QTest::newRow("car, its own time") << "car"
                                           << "" << 3.0 << false << 75.0;
        QTest::newRow("none: the project's speed") << "none"
                                                   << "" << -1.0 << false << 11.132 / 50 * 60 * 25;
    }
    void flightsAndSpeeds() {
        QFETCH(QString, mode);
        QFETCH(QString, ownPath);
        QFETCH(double, interval);
        QFETCH(bool, arc);
        QFETCH(double, frames);
        ProjectState st;
        st.listmax = 2, st.fps = 25, st.timing = "speed", st.speed = 50, st.speedunit = "kmh";
        st.mode = mode, st.pointpath[1] = ownPath, st.pointinterval[1] = interval;
        st.pointgeo[0] = GeoPoint(0, 10), st.pointgeo[1] = GeoPoint(0, 10.1);
        st.route = buildRouteShape(
            st, Georeference::make(Projection::Degrees, QTransform(0.01, 0, 0, -0.01, 0, 1)), nullptr);
        QCOMPARE(st.route->leg(1) != nullptr, arc);
        QVERIFY(std::abs(legDelay(st, 1) / frames - 1) < 1e-3);
    }
};

QTEST_GUILESS_MAIN(TestTravelModes)

#include "test_travel_modes.moc"
