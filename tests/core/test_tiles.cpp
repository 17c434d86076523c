// Frames drawn over web map tiles from a server of our own: each tile where the georeference puts
// it, at the level the camera's scale chooses, two levels faded in between, the credit on every
// frame, and a frame with a tile not at hand never written.
#include "animation/FrameTiles.h"
#include "animation/Render.h"
#include "geo/MapGeo.h"
#include "mapview/RouteDrawing.h"
#include "project/ProjectFile.h"
#include "support/StartedWorkspace.h"
#include "support/TileServer.h"
#include "tiles/TileSource.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {
// Where a point is in the tiles of level z, by the usual formulas of web map tiles rather than
// the program's own.
QPointF slippyTile(LatLon at, int z) {
    const double n = std::ldexp(1.0, z), lat = at.lat * M_PI / 180;
    return QPointF((at.lon + 180) / 360 * n, (1 - std::asinh(std::tan(lat)) / M_PI) / 2 * n);
}

struct TiledProject {
    TileServer server;
    QTemporaryDir cache;
    StartedWorkspace s;
    explicit TiledProject(double zoom) {
        ProjectState& st = s.ws.st;
        st.mapsource = "tiles";
        st.tileurl = server.tileTemplate();
        st.tileattribution = "Test tiles";
        st.camera = "follow";
        st.camerazoom = zoom;
        st.framewidth = 320;
        st.frameheight = 240;
        st.listmax = 2;
        st.pointgeo[0] = GeoPoint(48.85, 2.35); // Paris to Vienna
        st.pointgeo[1] = GeoPoint(48.21, 16.37);
        s.ws.access.allowedHosts = {"127.0.0.1"};
        s.ws.access.cacheDir = cache.path();
        QStringList notes;
        reloadGeography(s.ws, reloadMapPicture(s.ws, notes), notes);
        Redraw(s.ws);
    }
};
} // namespace

class TestTiles : public QObject {
    Q_OBJECT
  private slots:
    void tilesWhereTheirCoordinatesAre_data() {
        QTest::addColumn<double>("zoom"); // the world's pixels are those of level 3
        QTest::addColumn<int>("level");   // the tiles drawn
        QTest::addColumn<bool>("faded");  // with the coarser level under them
        QTest::newRow("its own level") << 1.0 << 3 << false;
        QTest::newRow("reduced") << 0.6 << 3 << false;
        QTest::newRow("next level reduced") << 1.5 << 4 << false;
        QTest::newRow("next level whole") << 2.0 << 4 << false;
        QTest::newRow("two levels up") << 3.0 << 5 << false;
        QTest::newRow("between levels") << 1.1 << 4 << true;
    }
    void tilesWhereTheirCoordinatesAre() {
        QFETCH(double, zoom);
        QFETCH(int, level);
        QFETCH(bool, faded);
        TiledProject project(zoom);
        Workspace& ws = project.s.ws;
        QVERIFY(ws.tiles);
        QCOMPARE(fetchRenderTiles(ws, {}).value_or(Error{}).message(), QString());
        FrameMaker maker(ws);
        const qint64 frames = maker.frames(1000);
        QVERIFY(frames > 2);
        const Georeference where = *mapGeoreference(ws);
        int checked = 0;
        for (qint64 n : {qint64(0), frames / 2}) {
            QVERIFY(maker.show(n, [&](const QImage& frame, const ChangeLog*) {
                const QTransform toWorld =
                    worldToFrame(maker.scene()->view(n), QSizeF(frame.size())).inverted();
                for (QPoint p : {QPoint(40, 40), QPoint(280, 50), QPoint(60, 200), QPoint(250, 190)}) {
                    const LatLon at =
                        where.latLonAt(toWorld.map(QPointF(p) + QPointF(0.5, 0.5)) - QPointF(0.5, 0.5));
                    const QPointF exact = slippyTile(at, level);
                    const QPoint tile(int(std::floor(exact.x())), int(std::floor(exact.y())));
                    // Next to a tile's edge its dark border is mixed in.
                    const double side = 256 * zoom * std::ldexp(1.0, 3 - level);
                    const QPointF in = (exact - QPointF(tile)) * side;
                    if (std::min({in.x(), in.y(), side - in.x(), side - in.y()}) < 3) continue;
                    const QRgb got = frame.pixel(p);
                    if (!faded) {
                        QCOMPARE(qRed(got), level * 10);
                        QCOMPARE(qGreen(got), tile.x());
                        QCOMPARE(qBlue(got), tile.y());
                    } else {
                        QVERIFY2(qRed(got) > (level - 1) * 10 && qRed(got) < level * 10,
                                 qPrintable(QString::number(qRed(got))));
                    }
                    ++checked;
                }
                // The credit's light box in the corner.
                const QRgb corner = frame.pixel(frame.width() - 2, frame.height() - 2);
                QVERIFY(qRed(corner) > 150 && qGreen(corner) > 150 && qBlue(corner) > 150);
            }));
        }
        QVERIFY(checked >= 4);
    }

    // A project names the credit of its own server only; a built-in server's stays.
    void credit_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("credit");
        QTest::newRow("built-in server") << QString() << "© OpenStreetMap contributors";
        QTest::newRow("own server") << "https://tiles.example.org/{z}/{x}/{y}.png"
                                    << "Mine";
    }
    void credit() {
        QFETCH(QString, url);
        StartedWorkspace s;
        s.ws.st.mapsource = "tiles";
        s.ws.st.tileurl = url;
        s.ws.st.tileattribution = "Mine";
        s.ws.access.offline = true;
        QStringList notes;
        reloadMapPicture(s.ws, notes);
        QVERIFY(s.ws.tiles);
        QTEST(s.ws.tiles->attribution(), "credit");
    }

    // Tiles not at hand: the frame is not handed on, and the error names the tile.
    void noFrameWithAMissingTile() {
        TiledProject project(2);
        Workspace& ws = project.s.ws;
        ws.access.offline = true;
        struct Sink : FrameSink {
            int put_ = 0;
            MaybeError put(const QImage&, qint64, const ChangeLog*) override {
                ++put_;
                return std::nullopt;
            }
            MaybeError finish() override { return std::nullopt; }
            qint64 written() const override { return put_; }
        } sink;
        RenderRun run(ws, sink);
        while (run.advance(std::chrono::seconds(1))) {
        }
        const RenderResult r = run.finish();
        QCOMPARE(sink.put_, 0);
        QVERIFY2(r.error && r.error->file.startsWith(project.server.url()), qPrintable(r.message()));
        QCOMPARE(project.server.requests(), 0);
    }
};

int main(int argc, char** argv) {
    // The credit is text: fonts need a GUI application, which needs no display offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestTiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_tiles.moc"
