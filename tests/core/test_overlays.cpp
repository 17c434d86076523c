// The film's overlays and frame-relative sizes, on rendered frames: a route looks the same at
// every frame size, the title card shows where and when asked, the counter only on a map that
// knows the earth.
#include "animation/FrameMaker.h"
#include "animation/Overlays.h"
#include "geo/MapGeo.h"
#include "support/StartedWorkspace.h"

#include <QGuiApplication>
#include <QtTest>

namespace {
// A route across a white frame of `height` lines, 16:9, points at the same places of every size.
void setUp(Workspace& ws, int height) {
    ProjectState& st = ws.st;
    st.frameheight = qint16(height), st.framewidth = qint16(height * 16 / 9);
    ws.map.resize(st.framewidth, st.frameheight);
    ws.picture = QImage();
    const double at[][2] = {{0.2, 0.3}, {0.5, 0.7}, {0.8, 0.4}};
    st.listmax = 3;
    for (int i = 0; i < 3; ++i)
        st.pointx[i] = qint16(at[i][0] * st.framewidth), st.pointy[i] = qint16(at[i][1] * height);
    st.pointlabel[1] = "Bergen";
    st.marker = "dot", st.markersize = 48, st.labelsize = 32, st.linethick = 8, st.circleradius = 12;
    st.fps = 25, st.delay = 10, st.stylescale = "frame";
}

// Frame n (below zero: from the end) and the animation's frame count.
QImage frameOf(const Workspace& ws, qint64 n, bool transparent = false, qint64* frames = nullptr) {
    FrameMaker maker(ws, transparent);
    const qint64 count = maker.frames(INT32_MAX);
    if (frames) *frames = count;
    QImage out;
    maker.show(n < 0 ? count + n : n, [&](const QImage& f, const ChangeLog*) { out = f; });
    return out;
}

double meanDifference(const QImage& a, const QImage& b) {
    const QImage x = a.scaled(480, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = b.scaled(480, 270, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // Over the pixels something is drawn on in either: the white around would water it down.
    double sum = 0;
    int drawn = 0;
    for (int r = 0; r < 270; ++r)
        for (int c = 0; c < 480; ++c)
            if (std::min(qGray(x.pixel(c, r)), qGray(y.pixel(c, r))) < 250)
                sum += std::abs(qGray(x.pixel(c, r)) - qGray(y.pixel(c, r))), ++drawn;
    return sum / std::max(drawn, 1);
}
} // namespace

class TestOverlays : public QObject {
    Q_OBJECT
  private slots:
    void sameLookAtEverySize_data() {
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<bool>("same");
        QTest::newRow("720p") << 720 << "frame" << true;
        QTest::newRow("4K") << 2160 << "frame" << true;
        QTest::newRow("4K in pixels") << 2160 << "pixels" << false;
        QTest::newRow("720p in pixels") << 720 << "pixels" << false;
    }
    void sameLookAtEverySize() {
        QFETCH(int, height);
        QFETCH(QString, scale);
        QFETCH(bool, same);
        StartedWorkspace a, b;
        setUp(a.ws, 1080), setUp(b.ws, height);
        b.ws.st.stylescale = scale;
        const double d = meanDifference(frameOf(a.ws, -1), frameOf(b.ws, -1));
        qInfo("mean difference %.1f", d);
        // Measured: 6 to 16 with frame sizes, over 70 in pixels.
        QCOMPARE(d < 25, same);
    }

    void titleCard_data() {
        QTest::addColumn<QString>("position");
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("veil"); // the veil's alpha in the top corner (or the lower third's)
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
        // The title's white letters stand out from the veil in the band asked for, faded as it is.
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
        QCOMPARE(frameOf(s.ws, -1).copy(0, 300, 200, 60) == without.copy(0, 300, 200, 60), text.isEmpty());
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen"); // fonts without a display
    QGuiApplication app(argc, argv);
    TestOverlays t;
    return QTest::qExec(&t, argc, argv);
}
#include "test_overlays.moc"
