// The preview state machine driven by a simulated timer: frame counts, pictures equal to the
// render's frames, a redraw cutting a leg short, and starting it twice.
#include "animation/Preview.h"
#include "animation/Render.h"
#include "animation/TickPace.h"
#include "mapview/RouteDrawing.h"
#include "support/AnimationSupport.h"

#include <QtTest>

namespace {
// The main window's timer and frame label, as the preview sees them.
struct FakeHost {
    bool active = false;
    int interval = 0;
    QString label;
    Preview::Host host() {
        return {[this](int ms) {
                    active = true;
                    interval = ms;
                },
                [this] { active = false; }, [this](const QString& t) { label = t; }};
    }
};

// Ticks until the timer stops; the number of ticks.
int runToEnd(Preview& p, FakeHost& h) {
    int ticks = 0;
    while (h.active && ticks < 1000000) {
        p.tick();
        ++ticks;
    }
    return ticks;
}
} // namespace

class TestPreview : public QObject {
    Q_OBJECT
  private slots:
    void framesAndTicks_data();
    void framesAndTicks();
    void timerInterval_data();
    void timerInterval();
    void paceKeepsTheVideoClock_data();
    void paceKeepsTheVideoClock();
    void showsTheRenderedFrames();
    void redrawEndsTheRunningLeg();
    void emptyRouteShowsTheBareMap();
    void secondStartDoesNothing();
};

void TestPreview::framesAndTicks_data() {
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<double>("delay");
    QTest::addColumn<QString>("finalLabel");
    QTest::addColumn<int>("ticks"); // k + 1 per leg of k steps
    QTest::newRow("one point") << QList<QPoint>{{30, 30}} << 50.0 << "0002" << 0;
    QTest::newRow("two points 100 apart") << QList<QPoint>{{20, 50}, {120, 50}} << 50.0 << "0053" << 51;
    QTest::newRow("NTSC") << QList<QPoint>{{20, 50}, {120, 50}} << 59.94 << "0063" << 61;
    QTest::newRow("pause") << QList<QPoint>{{20, 50}, {20, 50}} << 59.94 << "0063" << 61;
    QTest::newRow("bad delay") << QList<QPoint>{{20, 50}, {120, 50}, {9, 9}} << 0.0 << "0006" << 4;
}

void TestPreview::framesAndTicks() {
    QFETCH(QList<QPoint>, points);
    QFETCH(double, delay);
    QFETCH(QString, finalLabel);
    QFETCH(int, ticks);
    Workspace ws;
    setUpRoute(ws, std::vector<QPoint>(points.begin(), points.end()), delay);
    FakeHost h;
    Preview p(ws, h.host());
    p.start();
    QCOMPARE(runToEnd(p, h), ticks);
    QCOMPARE(h.label, finalLabel);
    QVERIFY(!p.running());
    QVERIFY(!ws.st.waiting);
    // The render's last file carries the preview's final number.
    MemorySink sink(false);
    RenderAnimation(ws, sink);
    QVERIFY(sink.paths.last().endsWith(finalLabel + ".bmp"));
}

void TestPreview::timerInterval_data() {
    QTest::addColumn<double>("fps");
    QTest::addColumn<int>("interval");
    QTest::newRow("NTSC") << 29.97 << 33;
    QTest::newRow("PAL") << 25.0 << 40;
    QTest::newRow("half to even") << 1000.0 / 32.5 << 32;
    QTest::newRow("no frame rate") << 0.0 << 1;
}

void TestPreview::timerInterval() {
    QFETCH(double, fps);
    QFETCH(int, interval);
    QCOMPARE(Preview::intervalFor(fps), interval);
    Workspace ws;
    setUpRoute(ws, {{1, 1}, {50, 50}}, 50);
    ws.st.fps = fps;
    FakeHost h;
    Preview p(ws, h.host());
    p.start();
    QCOMPARE(h.interval, interval);
}

void TestPreview::paceKeepsTheVideoClock_data() {
    QTest::addColumn<double>("fps");
    QTest::addColumn<int>("firstWait");
    QTest::newRow("NTSC") << 29.97 << 33;
    QTest::newRow("PAL") << 25.0 << 40;
    QTest::newRow("no frame rate") << 0.0 << 1;
}

// Ticks that run when their timer fires, every seventh a little late: after 6000 ticks (about a
// 99-point route) the tick is still within half a millisecond of its time on the video's clock.
void TestPreview::paceKeepsTheVideoClock() {
    QFETCH(double, fps);
    QFETCH(int, firstWait);
    const qint64 ms = 1000000;
    const double period = TickPace::periodFor(fps) * ms;
    TickPace pace;
    pace.reset(fps);
    const qint64 t0 = 1000 * ms;
    qint64 now = t0;
    int wait = pace.wait(now);
    QCOMPARE(wait, firstWait);
    for (int n = 1; n <= 6000; ++n) {
        now += wait * ms + (n % 7 == 0 ? qint64(0.3 * period) : 0);
        pace.ticked();
        wait = pace.wait(now);
    }
    now += wait * ms;
    QVERIFY2(std::abs(double(now - t0) - 6001 * period) <= 0.5 * ms, qPrintable(QString::number(now - t0)));
    // A stall of ten frames: no burst of ticks to catch up, the next one comes a frame later.
    now += qint64(10 * period);
    pace.ticked();
    QCOMPARE(pace.wait(now), firstWait);
}

void TestPreview::showsTheRenderedFrames() {
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {70, 20}, {70, 20}, {150, 80}}, 6.5);
    MemorySink sink;
    RenderAnimation(ws, sink);
    FakeHost h;
    Preview p(ws, h.host());
    p.start();
    QCOMPARE(ws.map.image(), sink.frames[1]);
    while (h.active) {
        p.tick();
        QCOMPARE(ws.map.image(), sink.frames[std::size_t(ws.st.framecount)]);
    }
    QCOMPARE(std::size_t(ws.st.framecount), sink.frames.size() - 1);
}

void TestPreview::redrawEndsTheRunningLeg() {
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {120, 50}, {120, 0}}, 50);
    FakeHost h;
    Preview p(ws, h.host());
    ws.stopTimer = [&] { h.active = false; };
    p.start();
    for (int i = 0; i < 10; ++i)
        p.tick();
    QCOMPARE(ws.st.framecount, 11);
    Redraw(ws);
    QVERIFY(!h.active);
    QVERIFY(!ws.st.waiting);
    p.afterRedraw();
    // The cut leg counts as done, and the next one starts from its own start point.
    QCOMPARE(ws.st.framecount, 12);
    QVERIFY(h.active);
    QVERIFY(ws.st.waiting);
    QCOMPARE(ws.st.curx, 120.0);
    QCOMPARE(ws.st.cury, 50.0);
    QCOMPARE(ws.st.legdir, QString("0-"));
    p.afterRedraw(); // a second notice with the new leg running changes nothing
    QCOMPARE(ws.st.framecount, 12);
    QCOMPARE(runToEnd(p, h), 51);
    QCOMPARE(h.label, QString("0064")); // 12 + 50 steps + circle + last frame
}

void TestPreview::emptyRouteShowsTheBareMap() {
    Workspace ws;
    setUpRoute(ws, {}, 50);
    ws.map.line(0, 0, 100, 100, rgb(0, 0, 255));
    FakeHost h;
    Preview p(ws, h.host());
    p.start();
    QVERIFY(!p.running());
    QVERIFY(!h.active);
    QCOMPARE(h.label, QString("0000"));
    QCOMPARE(ws.map.image(), testMapPicture().convertToFormat(QImage::Format_RGB32));
}

void TestPreview::secondStartDoesNothing() {
    Workspace ws;
    setUpRoute(ws, {{20, 50}, {120, 50}}, 50);
    FakeHost h;
    Preview p(ws, h.host());
    p.start();
    for (int i = 0; i < 5; ++i)
        p.tick();
    const QImage before = ws.map.image().copy();
    p.start();
    QCOMPARE(ws.st.framecount, 6);
    QCOMPARE(ws.map.image(), before);
    QVERIFY(h.active);
}

QTEST_GUILESS_MAIN(TestPreview)
#include "test_preview.moc"
