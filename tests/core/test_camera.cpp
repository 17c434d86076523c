// The camera over a zigzag route in a large world: what each mode keeps in the frame, zoom keys,
// intro and outro frames, the smooth zoom path, the world's edges and smoothing without overshoot.
#include "animation/Camera.h"

#include <QtTest>

namespace {
using Points = std::vector<QPointF>;
const QSizeF kFrame(1920, 1080);

// The bare map, `hold` frames at the first point, then per leg 50 frames and a hold.
CameraInput input(CameraMode mode, const Points& pts, int hold = 10) {
    CameraInput in{mode, kFrame.toSize(), {12000, 9000}};
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
const Points kZigzag{{4500, 3500}, {7500, 3700}, {6000, 5500}, {5000, 4500}};
QPointF at(const CameraView& v, QPointF world) {
    return worldToFrame(v, kFrame).map(world);
}
bool inside(QPointF q, double margin) { // within the frame less `margin` of it, give or take a pixel
    return QRectF(QPointF(0, 0), kFrame)
        .adjusted(1920 * margin - 1, 1080 * margin - 1, 1 - 1920 * margin, 1 - 1080 * margin)
        .contains(q);
}
// The frame's corners lie in the world, or the world is centred where the frame is larger.
bool withinWorld(const CameraView& v, QSizeF world) {
    const QRectF seen = worldToFrame(v, kFrame).inverted().mapRect(QRectF(QPointF(0, 0), kFrame));
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
        for (bool r : {false, true})
            for (CameraMode m : {CameraMode::Follow, CameraMode::Route, CameraMode::Leg})
                QTest::addRow("%d%s", int(m), r ? " turned" : "") << m << r;
        QTest::addRow("map") << CameraMode::Map << false;
    }
    void modes() {
        QFETCH(CameraMode, mode);
        QFETCH(bool, rotate);
        CameraInput in = input(mode, kZigzag);
        in.rotate = rotate;
        const CameraPlan plan(in);
        QCOMPARE(plan.frames(), qint64(in.poses.size()));
        for (qint64 n = 0; n < plan.frames(); ++n) {
            const CameraView v = plan.at(n);
            const FramePose& pose = in.poses[size_t(n)];
            const QPointF ahead = at(v, pose.head + QPointF(qCos(qDegreesToRadians(pose.heading)),
                                                            qSin(qDegreesToRadians(pose.heading))));
            QVERIFY(withinWorld(v, in.world));
            if (mode == CameraMode::Follow && pose.shown) // the head centred, travelling up if turned
                QVERIFY(at(v, pose.head) == QPointF(960, 540) &&
                        (!rotate || (ahead.y() < 540 && qAbs(ahead.x() - 960) < 0.01)));
            for (const QPointF& p : in.points) // the margin is 10 %
                QVERIFY(mode != CameraMode::Route || inside(at(v, p), 0.1));
            const bool legDone = n + 1 == plan.frames() || in.poses[size_t(n + 1)].leg != pose.leg;
            if (mode == CameraMode::Leg && legDone && pose.leg > 0)
                QVERIFY(inside(at(v, in.points[pose.leg - 1]), 0.1) &&
                        inside(at(v, in.points[pose.leg]), 0.1));
            const QPointF corner = at(v, {12000, 9000}); // fitted, centred
            QVERIFY(mode != CameraMode::Map ||
                    (at(v, {6000, 4500}) == QPointF(960, 540) && inside(corner, 0) &&
                     (qAbs(corner.x() - 1920) < 1e-6 || qAbs(corner.y() - 1080) < 1e-6)));
        }
    }

    void zoomKeys_data() {
        QTest::addColumn<QList<double>>("keys");
        QTest::addColumn<int>("point");
        QTest::addColumn<double>("zoom");
        QTest::addRow("at the key") << QList<double>{-1, -1, 4} << 2 << 4.0;
        QTest::addRow("held before the first") << QList<double>{-1, -1, 4} << 0 << 4.0;
        QTest::addRow("held after the last") << QList<double>{2, 0.5} << 3 << 0.5;
        QTest::addRow("between, on a log scale") << QList<double>{0.5, -1, 8} << 1 << 2.0;
    }
    void zoomKeys() {
        QFETCH(QList<double>, keys);
        QFETCH(int, point);
        QFETCH(double, zoom);
        CameraInput in = input(CameraMode::Follow, kZigzag);
        in.zoomKeys.assign(keys.begin(), keys.end());
        const qint64 n =
            std::find_if(in.poses.begin(), in.poses.end(),
                         [&](const FramePose& p) { return p.shown && p.head == in.points[size_t(point)]; }) -
            in.poses.begin();
        QCOMPARE(CameraPlan(in).at(n).scale, zoom);
    }

    void introOutro_data() {
        QTest::addColumn<double>("intro");
        QTest::addColumn<double>("outro");
        QTest::addColumn<double>("fps");
        QTest::addColumn<qint64>("added");
        QTest::addRow("none") << 0.0 << 0.0 << 25.0 << qint64(0);
        QTest::addRow("intro") << 2.0 << 0.0 << 25.0 << qint64(50);
        QTest::addRow("both") << 2.0 << 1.0 << 30.0 << qint64(90);
    }
    void introOutro() { // from and back to the whole route, joining the walk's own views
        QFETCH(double, intro);
        QFETCH(double, outro);
        QFETCH(double, fps);
        QFETCH(qint64, added);
        CameraInput in = input(CameraMode::Follow, kZigzag);
        in.fps = fps, in.zoom = 4;
        const CameraPlan bare(in);
        in.introSeconds = intro, in.outroSeconds = outro;
        const CameraPlan plan(in);
        QCOMPARE(plan.frames(), bare.frames() + added);
        const qint64 first = plan.introFrames(), last = first + bare.frames() - 1;
        QCOMPARE(plan.at(first).centre, bare.at(0).centre);
        QCOMPARE(plan.at(last).scale, bare.at(bare.frames() - 1).scale);
        for (qint64 n : {qint64(0), plan.frames() - 1}) {
            const CameraView v = plan.at(n);
            QCOMPARE(std::all_of(in.points.begin(), in.points.end(),
                                 [&](QPointF p) { return inside(at(v, p), 0.1); }),
                     n < first || n > last);
        }
    }

    void zoomPath_data() {
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<double>("toWidth");
        QTest::addRow("long move zooms out") << QPointF(10000, 500) << 200.0;
        QTest::addRow("pure zoom") << QPointF(50, 50) << 1000.0;
        QTest::addRow("equal views") << QPointF(50, 50) << 100.0;
    }
    void zoomPath() { // from (50, 50), 100 wide
        QFETCH(QPointF, to);
        QFETCH(double, toWidth);
        const CameraPath path({{50, 50}, 100}, {to, toWidth});
        QCOMPARE(path.at(0).centre, QPointF(50, 50));
        QCOMPARE(path.at(1).centre, to);
        QCOMPARE(path.at(1).width, toWidth);
        const PathView middle = path.at(0.5);
        QCOMPARE(middle.width > 10 * toWidth, to != QPointF(50, 50));
        QVERIFY(to != QPointF(50, 50) ||
                (middle.centre == to && middle.width >= 100 && middle.width <= toWidth));
    }

    void edges_data() {
        QTest::addColumn<QSizeF>("world");
        QTest::addColumn<QPointF>("head");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("rotate");
        QTest::addRow("corner") << QSizeF(8000, 6000) << QPointF(100, 100) << 1.0 << false;
        QTest::addRow("corner turned") << QSizeF(8000, 6000) << QPointF(100, 5900) << 1.0 << true;
        QTest::addRow("zoomed out turned") << QSizeF(8000, 6000) << QPointF(4000, 3000) << 0.05 << true;
        QTest::addRow("map smaller than frame") << QSizeF(800, 600) << QPointF(100, 100) << 1.0 << false;
        QTest::addRow("view wider than map") << QSizeF(8000, 6000) << QPointF(100, 100) << 0.1 << false;
    }
    void edges() {
        QFETCH(QSizeF, world);
        QFETCH(QPointF, head);
        QFETCH(double, zoom);
        QFETCH(bool, rotate);
        CameraInput in = input(CameraMode::Follow, {head, head + QPointF(30, -20)});
        in.world = world, in.zoom = zoom, in.rotate = rotate;
        const CameraPlan plan(in);
        for (qint64 n = 0; n < plan.frames(); ++n)
            QVERIFY(withinWorld(plan.at(n), world));
    }

    // Straight legs with long stops: the camera moves one way only and rests on the head at a stop.
    void smoothing_data() {
        QTest::addColumn<double>("seconds");
        QTest::addRow("half a second") << 0.5;
        QTest::addRow("a second and a half") << 1.5;
    }
    void smoothing() {
        QFETCH(double, seconds);
        CameraInput in = input(CameraMode::Follow, {{2000, 3000}, {3000, 3000}, {4000, 3000}}, 100);
        in.smoothSeconds = seconds;
        const CameraPlan plan(in);
        const qint64 radius = qRound64(seconds * in.fps), last = plan.frames() - 1;
        for (qint64 n = 1; n <= last; ++n) {
            const double x = plan.at(n).centre.x();
            QVERIFY(x >= plan.at(n - 1).centre.x() - 1e-9 && x <= 4000 + 1e-9);
            const QPointF head = in.poses[size_t(n)].head;
            const bool still = std::all_of(in.poses.begin() + std::max(qint64(1), n - radius),
                                           in.poses.begin() + std::min(last, n + radius) + 1,
                                           [&](const FramePose& p) { return p.head == head; });
            QVERIFY(!still || qAbs(x - head.x()) < 1e-6);
        }
    }
};

QTEST_GUILESS_MAIN(TestCamera)
#include "test_camera.moc"
