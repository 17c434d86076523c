// Frame-relative sizes, the title card and the distance counter, on rendered frames.
#include "animation/FrameMaker.h"
#include "animation/Overlays.h"
#include "geo/MapGeo.h"
#include "mapview/Labels.h"
#include "support/Pixels.h"
#include "support/StartedWorkspace.h"

#include <QGuiApplication>
#include <QtTest>

namespace {
// A route over a white 16:9 frame of `height` lines, at the same places on every size.
void setUp(Workspace& ws, int height) {
    ProjectState& st = ws.st;
    st.frameheight = qint16(height), st.framewidth = qint16(height * 16 / 9), st.listmax = 3;
    ws.map.resize(st.framewidth, st.frameheight);
    for (int i = 0; i < 3; ++i)
        st.pointx[i] = qint16(st.framewidth * (2 + 3 * i) / 10),
        st.pointy[i] = qint16(height * (3 + i % 2 * 4) / 10);
    st.pointlabel[1] = "Bergen", st.marker = "dot", st.markersize = 48, st.labelsize = 32;
    st.linethick = 8, st.circleradius = 12, st.fps = 25, st.delay = 10, st.stylescale = "frame";
}

// Frame n (below zero: from the end); `frames` takes the animation's frame count.
QImage frameOf(const Workspace& ws, qint64 n, bool transparent = false, qint64* frames = nullptr) {
    FrameMaker maker(ws, transparent);
    const qint64 count = maker.frames(INT32_MAX);
    if (frames) *frames = count;
    QImage out;
    maker.show(n < 0 ? count + n : n, [&](const QImage& f, const ChangeLog*) { out = f; });
    return out;
}

// The mean grey difference at 480 x 270, over the pixels drawn on in either (not the white around).
double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.scaled(480, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = b.scaled(480, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    int drawn = 0;
    for (int r = 0; r < 270; ++r)
        for (int c = 0; c < 480; ++c)
            if (const int g = qGray(x.pixel(c, r)), h = qGray(y.pixel(c, r)); std::min(g, h) < 250)
                sum += std::abs(g - h), ++drawn;
    return sum / std::max(drawn, 1);
}
} // namespace

class TestOverlays : public QObject {
    Q_OBJECT
  private slots:
    void sameLookAtEverySize_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("scale");
        QTest::newRow("720p") << 720 << "frame";
        QTest::newRow("4K") << 2160 << "frame";
        QTest::newRow("4K in pixels") << 2160 << "pixels";
        QTest::newRow("720p in pixels") << 720 << "pixels";
    }
    void sameLookAtEverySize() {
        QFETCH(int, height);
        QFETCH(QString, scale);
        StartedWorkspace a, b;
        setUp(a.ws, 1080), setUp(b.ws, height);
        b.ws.st.stylescale = scale;
        const double d = meanDifference(frameOf(a.ws, -1), frameOf(b.ws, -1));
        qInfo("mean difference %.1f", d); // measured: 6 to 16 with frame sizes, over 70 in pixels
        QCOMPARE(d < 25, scale == "frame");
    }

    void titleCard_data() {
        QTest::addColumn<QString>("position");
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("veil"); // its alpha in the top corner (the lower third's)
        QTest::newRow("centre, at full strength") << "center" << false << 37 << 140;
        QTest::newRow("centre, fading in") << "center" << false << 2 << 34;
        QTest::newRow("centre, fading out") << "center" << false << 71 << 45;
        QTest::newRow("lower third") << "bottom" << false << 37 << 140;
        QTest::newRow("lower third, transparent") << "bottom" << true << 37 << 140;
        QTest::newRow("centre, transparent, gone") << "center" << true << 80 << 0;
    }
    void titleCard() {
        QFETCH(QString, position);
        QFETCH(bool, transparent);
        QFETCH(int, frame);
        QFETCH(int, veil);
        StartedWorkspace s;
        setUp(s.ws, 360);
        qint64 plain = 0, frames = 0;
        frameOf(s.ws, 0, false, &plain);
        s.ws.st.titletext = "Norway", s.ws.st.subtitletext = "Summer", s.ws.st.titleposition = position;
        const QImage f = frameOf(s.ws, frame, transparent, &frames);
        QCOMPARE(frames - plain, 75); // three seconds before the walk
        const bool bottom = position == "bottom";
        const QRgb corner = f.pixel(2, bottom ? 358 : 2);
        QVERIFY(std::abs((transparent ? qAlpha(corner) : 255 - qGray(corner)) - veil) <= 3);
        if (bottom) QCOMPARE(qAlpha(f.pixel(2, 2)), transparent ? 0 : 255);
        // White letters stand out from the veil in the band asked for, faded as the veil is.
        int letters = 0;
        for (int x = 0; x < 640; ++x)
            for (int y = bottom ? 240 : 120; y < (bottom ? 360 : 240); ++y)
                letters +=
                    qAlpha(f.pixel(x, y)) == 255 && qGray(f.pixel(x, y)) > 255 - veil + veil * veil / 280.0;
        QCOMPARE(letters > 100, veil > 0);
    }

    void counter_data() {
        QTest::addColumn<bool>("earth");
        QTest::addColumn<double>("lon");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("text");
        QTest::newRow("decimals under 10") << true << 0.05 << "km"
                                           << "5.6 km";
        QTest::newRow("thousands") << true << 12.0 << "km"
                                   << "1 336 km";
        QTest::newRow("miles") << true << 12.0 << "mi"
                               << "830 mi";
        QTest::newRow("plain picture") << false << 12.0 << "km"
                                       << "";
    }
    void counter() {
        QFETCH(bool, earth);
        QFETCH(double, lon);
        QFETCH(QString, unit);
        QFETCH(QString, text);
        StartedWorkspace s;
        setUp(s.ws, 360);
        ProjectState& st = s.ws.st;
        st.listmax = 2, st.pointgeo[0] = GeoPoint(0, 0), st.pointgeo[1] = GeoPoint(0, lon);
        if (earth)
            s.ws.geo.picture = *Georeference::make(Projection::Degrees, QTransform(0.1, 0, 0, -0.1, -20, 20));
        refreshRoute(s.ws);
        const QImage without = frameOf(s.ws, -1);
        st.counter = unit;
        const double metres = metresTravelled(st, FramePose{{}, 0, 1, 1, true, 1});
        QCOMPARE(std::isfinite(metres) ? counterText(metres, unit == "mi") : QString(), text);
        // The box in the bottom-left corner, only where the figure is known.
        const QImage alone = frameOf(s.ws, -1);
        QCOMPARE(alone.copy(0, 300, 200, 60) == without.copy(0, 300, 200, 60), text.isEmpty());
        // Drawn frame after frame, only where they change, the box holds no digit of an earlier figure.
        FrameMaker steps(s.ws);
        QImage last;
        for (qint64 n = 0, count = steps.frames(INT32_MAX); n < count; ++n)
            steps.show(n, [&](const QImage& f, const ChangeLog*) { last = f.copy(0, 300, 200, 60); });
        QVERIFY(imageDistance(last, alone.copy(0, 300, 200, 60)) <= 2);
    }

    void fontFamily_data() {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("family");
        QTest::newRow("installed") << "DejaVu Serif"
                                   << "DejaVu Serif";
        QTest::newRow("not installed") << "No Such Family"
                                       << "DejaVu Sans";
        QTest::newRow("none") << ""
                              << "DejaVu Sans";
    }
    void fontFamily() {
        QFETCH(QString, font);
        ProjectState st;
        st.font = font;
        QTEST(labelFont(st).family(), "family");
    }

    // A new project takes the look of the format chosen for it, until it has points or a file.
    void windowLook_data() {
        QTest::addColumn<QString>("formats"); // chosen one after the other
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("scale");
        QTest::newRow("NTSC stays classic") << "n" << 0 << "pixels";
        QTest::newRow("PAL stays classic") << "p" << 0 << "pixels";
        QTest::newRow("1080p follows the frame") << "c" << 0 << "frame";
        QTest::newRow("and back to NTSC") << "cn" << 0 << "pixels";
        QTest::newRow("a route keeps its look") << "c" << 2 << "pixels";
    }
    void windowLook() {
        QFETCH(QString, formats);
        QFETCH(int, points);
        QFETCH(QString, scale);
        ProjectState st;
        st.listmax = qint16(points);
        for (QChar f : formats) {
            st.format = f;
            followNewProjectLook(st);
        }
        QCOMPARE(st.stylescale, scale);
        QCOMPARE(st.labelsize, scale == "frame" ? 32 : 16);
        QCOMPARE(st.markersize, scale == "frame" ? 48 : 24);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts without a display
    QGuiApplication app(argc, argv);
    TestOverlays t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_overlays.moc"
