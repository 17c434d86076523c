// The preview driven by a simulated timer, compared with the render.
#include "animation/Preview.h"
#include "animation/Render.h"
#include "animation/TickPace.h"
#include "mapview/RouteDrawing.h"
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
    void showsTheRenderedFrames_data() {
        QTest::addColumn<QList<QPoint>>("points");
        QTest::addColumn<double>("delay");
        QTest::addColumn<QString>("finalLabel");
        QTest::addColumn<int>("ticks"); // k + 1 per leg of k steps
        QTest::newRow("empty") << QList<QPoint>{} << 50.0 << "0000" << 0;
        QTest::newRow("one point") << QList<QPoint>{{30, 30}} << 50.0 << "0002" << 0;
        QTest::newRow("two points 100 apart") << QList<QPoint>{{20, 50}, {120, 50}} << 50.0 << "0053" << 51;
        QTest::newRow("pause") << QList<QPoint>{{20, 50}, {20, 50}} << 59.94 << "0063" << 61;
        QTest::newRow("bad delay") << QList<QPoint>{{20, 50}, {120, 50}, {9, 9}} << 0.0 << "0006" << 4;
        QTest::newRow("pause between legs")
            << QList<QPoint>{{20, 50}, {70, 20}, {70, 20}, {150, 80}} << 6.5 << "0026" << 24;
    }
    // Every preview picture is the render's frame of the same number, the final label is the
    // number of the render's last file, and the planned total is the render's count.
    void showsTheRenderedFrames() {
        QFETCH(QList<QPoint>, points);
        QFETCH(double, delay);
        QFETCH(QString, finalLabel);
        QFETCH(int, ticks);
        Workspace ws;
        setUpRoute(ws, std::vector<QPoint>(points.begin(), points.end()), delay);
        MemorySink sink;
        RenderAnimation(ws, sink);
        if (!points.isEmpty()) QCOMPARE(frameText(sink.indices.last()), finalLabel);
        QCOMPARE(plannedFrames(ws.st, 100000), sink.indices.size());
        QCOMPARE(plannedFrames(ws.st, 10), std::min<qint64>(sink.indices.size(), 10));
        ws.map.line(0, 0, 100, 100, rgb(0, 0, 255)); // the preview starts from the bare map
        FakeHost h;
        Preview p(ws, h.host());
        p.start();
        int n = 0;
        for (; h.active && n < 100000; ++n) {
            QCOMPARE(ws.map.image().convertToFormat(QImage::Format_RGB32),
                     sink.frames.at(std::size_t(ws.st.framecount)));
            p.tick();
        }
        QCOMPARE(n, ticks);
        QCOMPARE(h.label, finalLabel);
        QVERIFY(!p.running() && !ws.st.waiting);
        QCOMPARE(ws.map.image().convertToFormat(QImage::Format_RGB32),
                 points.isEmpty() ? testMapPicture() : sink.frames.back());
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
