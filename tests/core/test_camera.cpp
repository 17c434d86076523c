// The camera over a zigzag route in a large world.
#include "animation/Camera.h"

#include <QtTest>

namespace {
using Points = std::vector<QPointF>;
const Points kZigzag{{4500, 3500}, {7500, 3700}, {6000, 5500}, {5000, 4500}};

// The bare map, a hold at the first point, then per leg 50 frames and a hold.
CameraInput input(CameraMode mode, const Points& pts = kZigzag, int hold = 10) {
    CameraInput in{mode, {1920, 1080}, {12000, 9000}};
    in.smoothSeconds = 0, in.points = pts, in.poses = {FramePose{}};
    in.poses.insert(in.poses.end(), hold, FramePose{pts[0], 0, 0, 0, true});
    for (int l = 1; l < int(pts.size()); ++l) {
        const QPointF d = pts[l] - pts[l - 1];
        const double heading = qRadiansToDegrees(std::atan2(d.y(), d.x()));
        for (int k = 1; k <= 50; ++k)
            in.poses.push_back({pts[l - 1] + d * k / 50, heading, l, k / 50.0, true});
        in.poses.insert(in.poses.end(), hold, FramePose{pts[l], heading, l, 1, true});
    }
    return in;
}
QPointF at(const CameraView& v, QPointF world) {
    return worldToFrame(v, {1920, 1080}).map(world);
}
bool inMargin(const CameraView& v, QPointF p) { // 10 % of the frame free on each side, give or take a pixel
    return QRectF(191, 107, 1538, 866).contains(at(v, p));
}
bool allInMargin(const CameraView& v, const Points& pts) {
    return std::all_of(pts.begin(), pts.end(), [&](QPointF p) { return inMargin(v, p); });
}
// The frame's corners lie in the world, or the world is centred where larger.
bool withinWorld(const CameraView& v, QSizeF world) {
    const QRectF seen = worldToFrame(v, {1920, 1080}).inverted().mapRect(QRectF(0, 0, 1920, 1080));
    auto axis = [](double lo, double hi, double c, double size) {
        return hi - lo >= size ? qAbs(c - size / 2) < 1e-6 : lo > -1e-6 && hi < size + 1e-6;
    };
    return axis(seen.left(), seen.right(), v.centre.x(), world.width()) &&
           axis(seen.top(), seen.bottom(), v.centre.y(), world.height());
}
} // namespace

class TestCamera : public QObject {
    Q_OBJECT
  private slots:
    void modes_data() {
        QTest::addColumn<CameraMode>("mode");
        QTest::addColumn<bool>("rotate");
        for (auto [name, m] : {std::pair("follow", CameraMode::Follow),
                               {"route", CameraMode::Route},
                               {"leg", CameraMode::Leg},
                               {"map", CameraMode::Map}})
            QTest::addRow("%s", name) << m << false;
        QTest::addRow("follow turned") << CameraMode::Follow << true;
    }
    void modes() {
        QFETCH(CameraMode, mode);
        QFETCH(bool, rotate);
        CameraInput in = input(mode);
        in.rotate = rotate;
        const CameraPlan plan(in);
        QCOMPARE(plan.frames(), qint64(in.poses.size())); // no intro or outro unless asked for
        for (qint64 n = 0; n < plan.frames(); ++n) {
            const CameraView v = plan.at(n);
            const FramePose& pose = in.poses[size_t(n)];
            const double h = qDegreesToRadians(pose.heading);
            const QPointF ahead = at(v, pose.head + QPointF(qCos(h), qSin(h))) - QPointF(960, 540);
            QVERIFY(withinWorld(v, in.world));
            if (mode == CameraMode::Follow && pose.shown) // the head centred, travelling up if turned
                QVERIFY(at(v, pose.head) == QPointF(960, 540) &&
                        (!rotate || (ahead.y() < 0 && qAbs(ahead.x()) < 0.01)));
            QVERIFY(mode != CameraMode::Route || allInMargin(v, in.points));
            if (mode == CameraMode::Leg && pose.leg > 0 &&
                (n + 1 == plan.frames() || in.poses[n + 1].leg != pose.leg))
                QVERIFY(inMargin(v, in.points[pose.leg - 1]) && inMargin(v, in.points[pose.leg]));
            if (mode == CameraMode::Map) // fitted whole, centred
                QVERIFY(at(v, {6000, 4500}) == QPointF(960, 540) &&
                        at(v, {12000, 9000}) == QPointF(1680, 1080));
        }
    }

    void zoomKeys_data() {
        QTest::addColumn<QList<double>>("keys");
        QTest::addColumn<int>("point");
        QTest::addColumn<double>("zoom");
        QTest::addRow("at the key") << QList<double>{-1, -1, 4} << 2 << 4.0;
        QTest::addRow("held before the first") << QList<double>{-1, -1, 4} << 0 << 4.0;
        QTest::addRow("between, on a log scale") << QList<double>{0.5, -1, 8} << 1 << 2.0;
    }
    void zoomKeys() {
        QFETCH(QList<double>, keys);
        QFETCH(int, point);
        QFETCH(double, zoom);
        CameraInput in = input(CameraMode::Follow);
        in.zoomKeys.assign(keys.begin(), keys.end());
        auto reached = [&](const FramePose& p) { return p.shown && p.head == in.points[size_t(point)]; };
        QCOMPARE(CameraPlan(in)
                     .at(std::find_if(in.poses.begin(), in.poses.end(), reached) - in.poses.begin())
                     .scale,
                 zoom);
    }

    void introOutro() { // from and back to the whole route, joining the walk's own views
        CameraInput in = input(CameraMode::Follow);
        in.fps = 30, in.zoom = 4, in.introSeconds = 2, in.outroSeconds = 1;
        const CameraPlan plan(in);
        QCOMPARE(plan.frames(), qint64(in.poses.size()) + 90);
        QCOMPARE(plan.at(60).centre, in.points[0]);
        QVERIFY(allInMargin(plan.at(0), in.points) && allInMargin(plan.at(plan.frames() - 1), in.points));
        QVERIFY(!allInMargin(plan.at(60), in.points));
    }

    void zoomPath_data() {
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<double>("toWidth");
        QTest::addRow("long move zooms out") << QPointF(10000, 500) << 200.0;
        QTest::addRow("pure zoom") << QPointF(50, 50) << 1000.0;
    }
    void zoomPath() { // from (50, 50), 100 wide
        QFETCH(QPointF, to);
        QFETCH(double, toWidth);
        const CameraPath path({{50, 50}, 100}, {to, toWidth});
        QVERIFY(path.at(0).centre == QPointF(50, 50) && path.at(0).width == 100);
        QVERIFY(path.at(1).centre == to && path.at(1).width == toWidth);
        const PathView middle = path.at(0.5);
        QCOMPARE(middle.width > toWidth, to != QPointF(50, 50)); // a pure zoom neither slides nor overshoots
        QVERIFY(to != QPointF(50, 50) || middle.centre == to);
    }

    void edges_data() {
        QTest::addColumn<QSizeF>("world");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("rotate");
        QTest::addRow("corner turned") << QSizeF(8000, 6000) << 1.0 << true;
        QTest::addRow("map smaller than frame") << QSizeF(800, 600) << 1.0 << false;
        QTest::addRow("view wider than map") << QSizeF(8000, 6000) << 0.1 << false;
    }
    void edges() {
        QFETCH(QSizeF, world);
        QFETCH(double, zoom);
        QFETCH(bool, rotate);
        CameraInput in = input(CameraMode::Follow, {{100, 100}, {130, 80}});
        in.world = world, in.zoom = zoom, in.rotate = rotate;
        const CameraPlan plan(in);
        for (qint64 n = 0; n < plan.frames(); ++n)
            QVERIFY(withinWorld(plan.at(n), world));
    }

    void smoothing() { // straight legs, long stops: the camera goes one way, resting on the head at a stop
        CameraInput in = input(CameraMode::Follow, {{2000, 3000}, {3000, 3000}, {4000, 3000}}, 100);
        in.smoothSeconds = 1;
        const CameraPlan plan(in);
        for (qint64 n = 1, last = plan.frames() - 1; n <= last; ++n) {
            const double x = plan.at(n).centre.x();
            QVERIFY(x >= plan.at(n - 1).centre.x() - 1e-9 && x <= 4000 + 1e-9);
            const QPointF head = in.poses[size_t(n)].head;
            const bool still = std::all_of(in.poses.begin() + std::max(qint64(1), n - 25),
                                           in.poses.begin() + std::min(last, n + 25) + 1,
                                           [&](const FramePose& p) { return p.head == head; });
            QVERIFY(!still || qAbs(x - head.x()) < 1e-6);
        }
    }
};

QTEST_GUILESS_MAIN(TestCamera)
#include "test_camera.moc"
