// The preview driven by a simulated timer, compared with the render, and the frame counts of
// holds, leg times, constant speed and easing.
#include "animation/Preview.h"
#include "animation/Render.h"
#include "animation/TickPace.h"
#include "mapview/RouteDrawing.h"
#include "project/ProjectText.h"
#include "support/AnimationSupport.h"

#include <QtTest>

// The main window's timer and frame label, as the preview sees them.
struct FakeHost {
    bool active = false;
    QString label;
    Preview::Host host() {
        return {[this](int) { active = true; }, [this] { active = false; },
                [this](const QString& t) { label = t; }};
    }
};

class TestPreview : public QObject {
    Q_OBJECT
  private slots:
    // Frame counts worked out by hand. Two points 100 px apart in 50 steps: the bare map, the
    // first point, 50 steps, the point reached and the last frame again.
    void showsTheRenderedFrames_data() {
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<double>("delay");
        QTest::addColumn<QByteArray>("keys"); // as a project file's key lines set them
        QTest::addColumn<int>("frames");
        const QList<QPoint> two{{20, 50}, {120, 50}}, three{{20, 50}, {120, 50}, {120, 0}};
        const auto row = [](const char* tag, const QList<QPoint>& points, double delay, const char* keys,
                            int frames) {
            QTest::newRow(tag) << points << delay << QByteArray(keys) << frames;
        };
        row("empty", {}, 50, "", 0);
        row("one point", {{30, 30}}, 50, "", 3);
        row("two points", two, 50, "", 54);
        row("bad delay", {{20, 50}, {120, 50}, {9, 9}}, 0, "", 7);
        row("pause between legs", {{20, 50}, {70, 20}, {70, 20}, {150, 80}}, 6.5, "", 27);
        row("hold everywhere", two, 50, "hold = 1", 54 + 25 + 25);
        row("first point's hold", two, 50, "hold.0 = 0.4", 54 + 10);
        row("last point's hold", two, 50, "hold.1 = 2", 54 + 50);
        row("point's hold beats all", two, 50, "hold = 1\nhold.0 = 0", 54 + 25);
        row("leg time", two, 50, "interval.1 = 1", 4 + 25);
        // Then 50 px up: 50 steps of 1 px.
        row("three points", three, 50, "", 5 + 50 + 50);
        row("second leg's time", three, 50, "interval.2 = 0.4", 5 + 50 + 10);
        // 100 px/s: 100 px in 25 steps of 4 px; 50 px in 12.5 frames, 13 steps of 4 px.
        row("speed", three, 50, "timing = speed\nspeed = 100", 5 + 25 + 13);
        row("leg time beats speed", three, 50, "timing = speed\nspeed = 100\ninterval.2 = 0.4", 5 + 25 + 10);
        // 100 px in 59.94 frames: the linear walk takes 60 steps, and so does the eased one.
        row("eased NTSC leg", two, 59.94, "easing = smooth", 4 + 60);
        row("eased with holds", three, 50, "easing = smooth\nhold = 0.2", 105 + 15);
    }
    // The render and the planned total give the count; every preview picture is the render's
    // frame of the same number, and the final label is the number of the render's last frame.
    void showsTheRenderedFrames() {
        QFETCH(QList<QPoint>, points);
        QFETCH(double, delay);
        QFETCH(QByteArray, keys);
        QFETCH(int, frames);
        Workspace ws;
        setUpRoute(ws, std::vector<QPoint>(points.begin(), points.end()), delay);
        applyProjectRead(ws.st, parseProjectText(keys));
        MemorySink sink;
        QCOMPARE(RenderAnimation(ws, sink).frames, frames);
        QCOMPARE(plannedFrames(ws.st, 100000), frames);
        QCOMPARE(plannedFrames(ws.st, 10), std::min(frames, 10));
        ws.map.line(0, 0, 100, 100, rgb(0, 0, 255)); // the preview starts from the bare map
        FakeHost h;
        Preview p(ws, h.host());
        p.start();
        int ticks = 0;
        for (; h.active && ticks < 100000; ++ticks) {
            QCOMPARE(ws.map.image().convertToFormat(QImage::Format_RGB32),
                     sink.frames.at(std::size_t(ws.st.framecount)));
            p.tick();
        }
        // One tick a frame, but the bare map and the first point come at once, and the last frame
        // with the one before it.
        QCOMPARE(ticks, std::max(frames - 3, 0));
        QCOMPARE(h.label, frames ? frameText(sink.indices.last()) : QString("0000"));
        QVERIFY(!p.running() && !ws.st.waiting);
        QCOMPARE(ws.map.image().convertToFormat(QImage::Format_RGB32),
                 frames ? sink.frames.back() : testMapPicture());
    }

    void paceKeepsTheVideoClock_data() {
        QTest::addColumn<double>("fps");
        QTest::addColumn<int>("firstWait");
        QTest::newRow("NTSC") << 29.97 << 33;
        QTest::newRow("no frame rate") << 0.0 << 1;
    }
    // Ticks run when their timer fires, every seventh a little late: after 6000 ticks (about a
    // 99-point route) the tick is still within half a millisecond of the video's clock.
    void paceKeepsTheVideoClock() {
        QFETCH(double, fps);
        QFETCH(int, firstWait);
        const qint64 ms = 1000000;
        const double period = TickPace::periodFor(fps) * ms;
        TickPace pace;
        pace.reset(fps);
        qint64 now = 1000 * ms;
        const qint64 t0 = now;
        int wait = pace.wait(now);
        QCOMPARE(wait, firstWait);
        for (int n = 1; n <= 6000; ++n) {
            now += wait * ms + (n % 7 == 0 ? qint64(0.3 * period) : 0);
            pace.ticked();
            wait = pace.wait(now);
        }
        now += wait * ms;
        QVERIFY2(std::abs(double(now - t0) - 6001 * period) <= 0.5 * ms,
                 qPrintable(QString::number(now - t0)));
        // A stall of ten frames: no burst of ticks to catch up, the next one comes a frame later.
        now += qint64(10 * period);
        pace.ticked();
        QCOMPARE(pace.wait(now), firstWait);
    }

    // A second start while running does nothing; a redraw ends the running leg, and the next
    // leg starts from its own start point.
    void redrawEndsTheRunningLeg() {
        Workspace ws;
        setUpRoute(ws, {{20, 50}, {120, 50}, {120, 0}}, 50);
        FakeHost h;
        Preview p(ws, h.host());
        QObject::connect(&ws.events, &WorkspaceEvents::redrawing, [&] { h.active = false; });
        p.start();
        for (int i = 0; i < 10; ++i)
            p.tick();
        const QImage before = ws.map.image().copy();
        p.start();
        QCOMPARE(ws.map.image(), before);
        QCOMPARE(ws.st.framecount, 11);
        Redraw(ws);
        QVERIFY(!h.active && !ws.st.waiting);
        p.afterRedraw();
        QCOMPARE(ws.st.framecount, 12); // the cut leg counts as done
        QVERIFY(h.active && ws.st.waiting);
        QCOMPARE(QPointF(ws.st.curx, ws.st.cury), QPointF(120, 50));
        QCOMPARE(ws.st.legdir, QString("0-"));
        p.afterRedraw(); // a second notice with the new leg running changes nothing
        QCOMPARE(ws.st.framecount, 12);
        int ticks = 0;
        for (; h.active; ++ticks)
            p.tick();
        QCOMPARE(ticks, 51);
        QCOMPARE(h.label, QString("0064")); // 12 + 50 steps + circle + last frame
    }
};

QTEST_GUILESS_MAIN(TestPreview)
#include "test_preview.moc"
