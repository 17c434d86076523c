// Frames composed from the scene for a camera that moves: any frame on demand is the render's
// frame of that number, and the map in it is the part the camera's view says, on a map whose
// pixels tell their own position.
#include "animation/FrameMaker.h"
#include "animation/Render.h"
#include "support/AnimationSupport.h"
#include "support/Pixels.h"

#include <QGuiApplication>
#include <QtTest>

namespace {
constexpr int kSide = 512;

// Red grows with x and green with y, two map pixels a step.
QImage selfLocatingMap() {
    QImage img(kSide, kSide, QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            img.setPixel(x, y, qRgb(x / 2, y / 2, 0));
    return img;
}

QPointF mapPixelIn(const QImage& frame, QPoint at) {
    const QRgb c = frame.pixel(at);
    return QPointF(2 * qRed(c) + 1, 2 * qGreen(c) + 1);
}
} // namespace

class TestScene : public QObject {
    Q_OBJECT
  private slots:
    void framesShowTheCamerasView_data() {
        QTest::addColumn<QString>("camera");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QString>("keys"); // the intro, outro, hold and easing as a project sets them
        QTest::newRow("map") << "map" << 1.0 << "";
        QTest::newRow("route, with intro and outro") << "route" << 1.0 << "intro outro";
        QTest::newRow("follow at 1:1") << "follow" << 1.0 << "";
        QTest::newRow("follow at 2, eased, with holds") << "follow" << 2.0 << "smooth hold";
        QTest::newRow("leg") << "leg" << 1.0 << "";
    }
    void framesShowTheCamerasView() {
        QFETCH(QString, camera);
        QFETCH(double, zoom);
        QFETCH(QString, keys);
        Workspace ws;
        setUpRoute(ws, {{100, 120}, {400, 126}, {300, 140}}, 20);
        ws.picture = selfLocatingMap();
        ws.map.resize(200, 100);
        ProjectState& st = ws.st;
        st.framewidth = 200;
        st.frameheight = 100;
        st.linethick = st.circlethick = 1;
        st.circleradius = 2;
        st.camera = camera;
        st.camerazoom = zoom;
        st.cameraintro = keys.contains("intro") ? 1 : 0;
        st.cameraoutro = keys.contains("outro") ? 0.6 : 0;
        if (keys.contains("smooth")) st.easing = "smooth";
        if (keys.contains("hold")) st.hold = 0.4;
        ProjectState fixed = st;
        fixed.camera = "fixed";
        MemorySink sink;
        RenderAnimation(ws, sink);
        const qint64 frames = qint64(sink.frames.size());
        // The intro's second and the outro's 0.6 s at 25 frames a second come on top of the walk.
        QCOMPARE(frames, plannedFrames(fixed, INT32_MAX) + (keys.contains("intro") ? 25 : 0) +
                             (keys.contains("outro") ? 15 : 0));

        FrameMaker maker(ws);
        QCOMPARE(maker.frames(INT32_MAX), frames);
        const SceneFrames* scene = maker.scene();
        QVERIFY(scene);
        for (const qint64 n : {frames - 1, qint64(0), frames / 2, frames / 3, qint64(30)}) {
            QImage frame;
            QVERIFY(maker.show(n, [&](const QImage& f, const ChangeLog*) {
                frame = f.convertToFormat(QImage::Format_RGB32);
            }));
            // A frame drawn in steps is the frame drawn alone, but for a shade where the line's
            // edge was last drawn with the head a step behind.
            QVERIFY2(imageDistance(frame, sink.frames[std::size_t(n)]) <= 4,
                     qPrintable(QString::number(imageDistance(frame, sink.frames[std::size_t(n)]))));
            const QTransform toFrame = worldToFrame(scene->view(n), QSizeF(200, 100));
            const QTransform toMap = toFrame.inverted();
            // The frame's bottom edge, below the route: the map pixel the view puts there.
            for (const QPoint at : {QPoint(4, 95), QPoint(100, 95), QPoint(195, 95)}) {
                const QPointF want = toMap.map(QPointF(at) + QPointF(0.5, 0.5));
                if (!QRectF(4, 4, kSide - 8, kSide - 8).contains(want)) continue; // letterbox
                const QPointF got = mapPixelIn(frame, at);
                QVERIFY2(std::abs(got.x() - want.x()) <= 3 && std::abs(got.y() - want.y()) <= 3,
                         qPrintable(QString("frame %1 at (%2, %3): map (%4, %5), expected (%6, %7)")
                                        .arg(n)
                                        .arg(at.x())
                                        .arg(at.y())
                                        .arg(got.x())
                                        .arg(got.y())
                                        .arg(want.x())
                                        .arg(want.y())));
            }
            if (camera == "follow" && scene->pose(n).shown) {
                const QPointF head = toFrame.map(scene->pose(n).head);
                QVERIFY2(QLineF(head, QPointF(100, 50)).length() <= 1.0, qPrintable(QString::number(n)));
            }
        }
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestScene t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_scene.moc"
