// The animation's timing and look: the preview driven by a simulated timer and compared with the
// render, the frame counts of holds, leg times, constant speed and easing; eased legs, the marker,
// the labels and the cased line in the frames.
#include "animation/Preview.h"
#include "animation/Render.h"
#include "animation/TickPace.h"
#include "mapview/Labels.h"
#include "mapview/RouteDrawing.h"
#include "project/ProjectText.h"
#include "support/AnimationSupport.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

namespace {
using Route = QList<QPoint>;
const Route kTwo{{20, 50}, {120, 50}}, kThree{{20, 50}, {120, 50}, {120, 0}};

// Red lines 5 px wide at 25 fps, `delay` frames a leg, then the settings a file's key lines give.
void setUp(Workspace& ws, const Route& points, double delay, const QByteArray& keys) {
    setUpRoute(ws, std::vector<QPoint>(points.begin(), points.end()), delay);
    applyProjectRead(ws.st, parseProjectText(keys));
}

std::vector<QImage> render(Workspace& ws) {
    MemorySink sink;
    RenderAnimation(ws, sink);
    return std::move(sink.frames);
}

bool near(QRgb c, QRgb want) {
    return std::abs(qRed(c) - qRed(want)) + std::abs(qGreen(c) - qGreen(want)) +
               std::abs(qBlue(c) - qBlue(want)) <
           60;
}
} // namespace

// The main window's timer and frame label, as the preview sees them.
struct FakeHost {
    bool active = false;
    QString label;
    Preview::Host host() {
        return {[this](int) { active = true; }, [this] { active = false; },
                [this](const QString& t) { label = t; }};
    }
};

class TestAnimation : public QObject {
    Q_OBJECT
  private slots:
    // Frame counts worked out by hand. Two points 100 px apart in 50 steps: the bare map, the
    // first point, 50 steps, the point reached and the last frame again.
    void showsTheRenderedFrames_data() {
        QTest::addColumn<Route>("points");
        QTest::addColumn<double>("delay");
        QTest::addColumn<QByteArray>("keys"); // as a project file's key lines set them
        QTest::addColumn<int>("frames");
        const auto row = [](const char* tag, const Route& points, double delay, const char* keys,
                            int frames) {
            QTest::newRow(tag) << points << delay << QByteArray(keys) << frames;
        };
        row("empty", {}, 50, "", 0);
        row("one point", {{30, 30}}, 50, "", 3);
        row("two points", kTwo, 50, "", 54);
        row("bad delay", {{20, 50}, {120, 50}, {9, 9}}, 0, "", 7);
        row("pause between legs", {{20, 50}, {70, 20}, {70, 20}, {150, 80}}, 6.5, "", 27);
        row("hold everywhere", kTwo, 50, "hold = 1", 54 + 25 + 25);
        row("first point's hold", kTwo, 50, "hold.0 = 0.4", 54 + 10);
        row("last point's hold", kTwo, 50, "hold.1 = 2", 54 + 50);
        row("point's hold beats all", kTwo, 50, "hold = 1\nhold.0 = 0", 54 + 25);
        row("leg time", kTwo, 50, "interval.1 = 1", 4 + 25);
        // Then 50 px up: 50 steps of 1 px.
        row("three points", kThree, 50, "", 5 + 50 + 50);
        row("second leg's time", kThree, 50, "interval.2 = 0.4", 5 + 50 + 10);
        // 100 px/s: 100 px in 25 steps of 4 px; 50 px in 12.5 frames, 13 steps of 4 px.
        row("speed", kThree, 50, "timing = speed\nspeed = 100", 5 + 25 + 13);
        row("leg time beats speed", kThree, 50, "timing = speed\nspeed = 100\ninterval.2 = 0.4", 5 + 25 + 10);
        // 100 px in 59.94 frames: the linear walk takes 60 steps, and so does the eased one.
        row("eased NTSC leg", kTwo, 59.94, "easing = smooth", 4 + 60);
        row("eased with holds", kThree, 50, "easing = smooth\nhold = 0.2", 105 + 15);
    }
    // The render and the planned total give the count; every preview picture is the render's
    // frame of the same number, though the route is edited while the preview plays, and the final
    // label is the number of the render's last frame. Frames asked for in any order are the
    // render's frames too.
    void showsTheRenderedFrames() {
        QFETCH(Route, points);
        QFETCH(double, delay);
        QFETCH(QByteArray, keys);
        QFETCH(int, frames);
        Workspace ws;
        setUp(ws, points, delay, keys);
        MemorySink sink;
        QCOMPARE(RenderAnimation(ws, sink).frames, frames);
        QCOMPARE(plannedFrames(ws.st, 100000), frames);
        QCOMPARE(plannedFrames(ws.st, 10), std::min(frames, 10));
        FakeHost h;
        Preview p(ws, h.host());
        p.start();
        const ProjectState rendered = ws.st;
        ws.st.pointx[0] += 7; // edits after the start change nothing in the preview
        ws.st.timing = "speed";
        Redraw(ws);
        int ticks = 0;
        for (; h.active && ticks < 100000; ++ticks) {
            QCOMPARE(p.picture()->convertToFormat(QImage::Format_RGB32),
                     sink.frames.at(std::size_t(p.frame())));
            p.tick();
        }
        // One tick a frame, but the bare map and the first point come at once, and the last frame
        // with the one before it.
        QCOMPARE(ticks, std::max(frames - 3, 0));
        QCOMPARE(h.label, frames ? frameText(sink.indices.last()) : QString("0000"));
        QVERIFY(!p.running());
        QCOMPARE(p.picture()->convertToFormat(QImage::Format_RGB32),
                 frames ? sink.frames.back() : testMapPicture());

        ws.st = rendered;
        FrameMaker maker(ws);
        maker.keepFrames(3 * sizeof(quint32) * ws.map.width() * ws.map.height());
        for (qint64 n : {frames - 1, 0, frames / 2, frames / 3, frames - 2, 1})
            if (n >= 0 && n < frames)
                QVERIFY(maker.show(n, [&](const QImage& image, const ChangeLog*) {
                    QCOMPARE(image.convertToFormat(QImage::Format_RGB32), sink.frames.at(std::size_t(n)));
                }));
        QVERIFY(frames == 0 || !maker.show(frames, [](const QImage&, const ChangeLog*) {}));
    }

    // A step of about 180000.45 rounding units of the position always rounds down, so the walk
    // falls behind; the leg still ends after the delay rounded up and one more step.
    void legEndsWithinItsBound_data() {
        QTest::addColumn<QByteArray>("keys");
        const double delay = std::ldexp(1.0, 38) / 180000.45; // 1527095.67
        QTest::addColumn<double>("delay");
        QTest::newRow("linear") << QByteArray() << delay;
        QTest::newRow("eased") << QByteArray("easing = smooth") << delay;
    }
    void legEndsWithinItsBound() {
        QFETCH(QByteArray, keys);
        QFETCH(double, delay);
        Workspace ws;
        setUp(ws, {{32766, 0}, {32767, 0}}, delay, keys);
        QCOMPARE(plannedFrames(ws.st, qint64(1) << 30), 4 + qint64(std::ceil(delay)) + 1);
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

    // Every eased step lands on the smooth curve, the last one exactly on the point; halfway
    // through the steps the head is halfway along the leg.
    void easedLegsLandOnThePoints() {
        Workspace ws;
        setUp(ws, kThree, 50, "easing = smooth");
        FrameWalk walk(ws);
        QList<QPointF> reached, halfway;
        QPointF before;
        int step = 0;
        for (FrameKind k; (k = walk.next()) != FrameKind::Done;) {
            if (k == FrameKind::Reached) reached << before, step = 0;
            if (k == FrameKind::Step && ++step == 25) halfway << walk.head().at;
            before = QPointF(ws.st.curx, ws.st.cury);
        }
        QCOMPARE(reached, QList<QPointF>({{120, 50}, {120, 0}}));
        QCOMPARE(halfway, QList<QPointF>({{70, 50}, {120, 25}}));
    }

    // The marker is at the head in every frame and nowhere else: not where it was a frame ago.
    void markerMovesWithTheHead() {
        Workspace ws;
        setUp(ws, kTwo, 10, "marker = dot\nmarkersize = 8\nmarkercolor = 65280"); // green, 10 px steps
        const auto f = render(ws);
        QVERIFY(!near(f[0].pixel(20, 50), qRgb(0, 255, 0)));
        for (int k = 2; k <= 11; ++k) {
            QVERIFY2(near(f[k].pixel(20 + 10 * (k - 1), 50), qRgb(0, 255, 0)),
                     qPrintable(QString::number(k)));
            QVERIFY(!near(f[k].pixel(20 + 10 * (k - 2), 50), qRgb(0, 255, 0)));
        }
        QVERIFY(near(f.back().pixel(120, 50), qRgb(0, 255, 0))); // on the last point after the end
    }

    void pictureTurnsWithTheLeg_data() {
        QTest::addColumn<QByteArray>("turn");
        QTest::addColumn<QPoint>("nose"); // where the picture's right half lands, from the head
        QTest::newRow("unturned") << QByteArray("0") << QPoint(6, 0);
        QTest::newRow("turned down the leg") << QByteArray("1") << QPoint(0, 6);
    }
    // A picture whose right half is blue, on a leg going straight down.
    void pictureTurnsWithTheLeg() {
        QFETCH(QByteArray, turn);
        QFETCH(QPoint, nose);
        QTemporaryDir dir;
        QImage pic(20, 20, QImage::Format_ARGB32);
        pic.fill(Qt::transparent);
        for (int y = 0; y < 20; ++y)
            for (int x = 10; x < 20; ++x)
                pic.setPixel(x, y, qRgb(0, 0, 255));
        QVERIFY(pic.save(dir.filePath("m.png")));
        Workspace ws;
        setUp(ws, {{50, 10}, {50, 90}}, 8,
              "marker = picture\nmarkersize = 20\nmarkerturn = " + turn +
                  "\nmarkerpicture = " + dir.filePath("m.png").toUtf8());
        const QImage f = render(ws)[5]; // the head at (50, 50)
        QVERIFY(near(f.pixel(QPoint(50, 50) + nose), qRgb(0, 0, 255)));
        QVERIFY(!near(f.pixel(QPoint(50, 50) - nose), qRgb(0, 0, 255)));
    }

    void labels_data() {
        QTest::addColumn<Route>("points");
        QTest::addColumn<QString>("label");
        QTest::newRow("room beside") << Route{{20, 50}, {100, 50}, {100, 90}} << "Quay";
        QTest::newRow("legs right and down") << Route{{20, 20}, {100, 20}, {180, 20}} << "Quay";
        QTest::newRow("at the frame's edge") << Route{{100, 50}, {195, 95}} << "Quay";
        // Marks on one letter reach beyond the label's box, and are cut there.
        QTest::newRow("circles around one letter")
            << Route{{20, 50}, {100, 50}, {100, 90}} << "Q" + QString(kMaxLabelLength - 1, QChar(0x20DD));
        QTest::newRow("20,000 accents on one letter")
            << Route{{20, 50}, {100, 50}, {100, 90}} << "Q" + QString(20000, QChar(0x301));
    }
    // Blue text appears in the frame where point 1 is reached, only inside its box, inside the
    // frame and off the legs.
    void labels() {
        QFETCH(Route, points);
        QFETCH(QString, label);
        const int reachFrame = 12; // the bare map, point 0, 10 steps, then point 1
        Workspace ws;
        setUp(ws, points, 10, "labelcolor = 16711680\nlabelsize = 14");
        ws.st.pointlabel[1] = label; // as it stands in the state, whatever set it
        const auto f = render(ws);
        const QRect box = labelBox(ws.st, QSize(200, 100), 1).toAlignedRect();
        QVERIFY(QRect(0, 0, 200, 100).contains(box));
        auto blue = [&](const QImage& img, const QRect& area) {
            int n = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    n += near(img.pixel(x, y), qRgb(0, 0, 255));
            return n;
        };
        QCOMPARE(blue(f[reachFrame - 1], box), 0);
        QVERIFY(blue(f[reachFrame], box) > 10);
        QCOMPARE(blue(f.back(), f.back().rect()), blue(f.back(), box));
        // Both legs keep their red middle wherever the text could be.
        for (int j : {0, 2}) {
            if (j >= points.size()) continue;
            const QLineF leg(points[1], points[j]);
            for (double t = 14 / leg.length(); t < 1; t += 0.02)
                QVERIFY(near(f.back().pixel(leg.pointAt(t).toPoint()), qRgb(255, 0, 0)));
        }
    }

    // Every setting away from its default is written, in a fixed order after the point lines,
    // and reads back as it was.
    void keysReadBack() {
        const QByteArray keys =
            "hold = 0.5\r\nhold.0 = 1\r\ninterval.1 = 3\r\ntiming = speed\r\nspeed = 160\r\n"
            "easing = smooth\r\nmarker = picture\r\nmarkersize = 40\r\nmarkercolor = 255\r\n"
            "markerpicture = plane.png\r\nmarkerturn = 1\r\nlabel.0 = Bay\r\nlabel.1 = Old town\r\n"
            "labelsize = 18\r\nlabelcolor = 0\r\ncasing = 16777215\r\ncasingwidth = 3\r\n";
        Workspace ws, back;
        setUp(ws, kTwo, 50, keys);
        const QByteArray text = formatProjectText(ws.st);
        QVERIFY2(text.endsWith(" 1  =  120 ,  50 ,  0 \r\n" + keys), text.constData());
        setUp(back, {}, 50, text);
        QCOMPARE(formatProjectText(back.st), text);
    }

    // The line colour runs unbroken along a cased line, at sharp joints too and while it grows.
    void casingNeverCoversTheLine() {
        Workspace ws;
        const Route zigzag{{20, 50}, {120, 50}, {30, 56}, {150, 80}};
        setUp(ws, zigzag, 7, "casing = 0\ncasingwidth = 4");
        FrameWalk walk(ws);
        int legsDone = 0;
        for (FrameKind k; (k = walk.next()) != FrameKind::Done;) {
            if (k == FrameKind::Reached) ++legsDone;
            const QImage& img = ws.map.image();
            for (int i = 1; i <= legsDone + 1 && i < zigzag.size(); ++i) {
                const bool growing = i == legsDone + 1;
                if (growing && k != FrameKind::Step) continue;
                const QLineF leg(zigzag[i - 1], growing ? walk.head().at : QPointF(zigzag[i]));
                for (double t = 0; t <= 1; t += 1 / std::max(1.0, leg.length()))
                    QVERIFY2(near(img.pixel(leg.pointAt(t).toPoint()), qRgb(255, 0, 0)),
                             qPrintable(QString("leg %1 at %2").arg(i).arg(t)));
            }
        }
    }
};

int main(int argc, char** argv) {
    // Labels need fonts, which the offscreen platform gives without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestAnimation t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_animation.moc"
