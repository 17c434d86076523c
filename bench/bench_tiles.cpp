// Tiled maps, as whole processes of `pathwright --render` (1080p BMP frames, camera following):
// - warm cache: frames per second over tiles from a local server against the same render over a
//   picture of the same map (the tiled map's own picture saved as PNG), medians (target >= 0.8);
// - cold cache, the server answering each tile after 50 ms on at most 2 connections: the render's
//   time against the download alone (tiles wanted x 50 ms / 2);
// - peak memory following a long route and a short one at tile level 15, the same frames
//   (target: within 1.2 x).
// Usage: bench_tiles [ROUNDS]   (ROUNDS: 3; BENCH_KEEP set: the files are kept)
#include "ChildRun.h"
#include "animation/FrameTiles.h"
#include "geo/MapGeo.h"
#include "mapview/RouteDrawing.h"
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"
#include "tiles/TileSource.h"

#include "../tests/support/TileServer.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {
QByteArray program() {
    return QCoreApplication::applicationDirPath().toUtf8() + "/../pathwright";
}

struct Scene {
    double lat0, lon0, lat1, lon1; // the route from here to there, 12 points
    int level;                     // the tiles the frames show
};

// A project following the route over tiles from `server`, its map area fitted to the route.
QString writeProject(const QString& dir, const QString& name, const Scene& s, const QString& tmpl,
                     int* tilesWanted, int* worldLevel) {
    Workspace ws;
    startUpBegin(ws, dir);
    startUpFinish(ws, 1.0);
    ProjectState& st = ws.st;
    st.projectpath = dir + '/' + name + ".wsr";
    st.format = u'c';
    st.framewidth = 1920;
    st.frameheight = 1080;
    st.fps = 25;
    st.listmax = 12;
    for (int i = 0; i < 12; ++i)
        st.pointgeo[i] = GeoPoint(s.lat0 + (s.lat1 - s.lat0) * i / 11, s.lon0 + (s.lon1 - s.lon0) * i / 11);
    st.interval = 1;
    st.camera = "follow";
    st.mapsource = "tiles";
    st.tileurl = tmpl;
    st.tilenorthwest = GeoPoint(std::max(s.lat0, s.lat1) + 0.01, std::min(s.lon0, s.lon1) - 0.01);
    st.tilesoutheast = GeoPoint(std::min(s.lat0, s.lat1) - 0.01, std::max(s.lon0, s.lon1) + 0.01);
    ws.access.allowedHosts = {"127.0.0.1"};
    ws.access.offline = true;
    QStringList notes;
    reloadGeography(ws, reloadMapPicture(ws, notes), notes);
    *worldLevel = ws.tiles->world().level();
    st.camerazoom = std::ldexp(1.0, s.level - *worldLevel);
    Redraw(ws); // the frame is the format's once the camera moves

    FrameMaker maker(ws);
    *tilesWanted = int(frameTiles(maker).size());
    QFile f(st.projectpath);
    f.open(QIODevice::WriteOnly);
    f.write(formatProjectText(st));
    return st.projectpath;
}

Run render(const QString& project, const QString& out, const QString& cache, const QString& peakFile) {
    QDir(out).removeRecursively();
    return runProcess({program(), "--render", project.toUtf8(), "--output", out.toUtf8(), "--tile-cache",
                       cache.toUtf8(), "--allow-host", "127.0.0.1"},
                      peakFile);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("BENCH_KEEP"));
    const QString d = dir.path(), peak = d + "/peak";
    TileServer slow, quick;
    slow.answer(TileAnswer{50});

    // Warm against a picture: about 300 tiles at level 15 along 23 km.
    int wanted = 0, world = 0;
    const Scene along{47.30, 8.20, 47.45, 8.42, 15};
    const QString tiles = writeProject(d, "tiles", along, slow.tileTemplate(), &wanted, &world);
    const Run cold = render(tiles, d + "/out", d + "/cache", peak);
    // The same map as a picture: the tiled map's own, now that its tiles are cached.
    Workspace ws;
    startUpBegin(ws, d);
    startUpFinish(ws, 1.0);
    ws.st.projectpath = tiles;
    ws.access.cacheDir = d + "/cache";
    ws.access.offline = true;
    LoadProject(ws, MapAfterLoad::LeaveToRender);
    ws.picture.save(d + "/map.png");
    ws.st.mapsource = "picture";
    ws.st.imagepath = d + '/';
    ws.st.imagename = "map.png";
    QFile pf(d + "/picture.wsr");
    pf.open(QIODevice::WriteOnly);
    pf.write(formatProjectText(ws.st));
    pf.close();
    std::vector<double> whole[2], alone[2];
    for (int r = 0; r < rounds; ++r) {
        const Run t = render(tiles, d + "/out", d + "/cache", peak);
        const Run p = render(d + "/picture.wsr", d + "/out", d + "/cache", peak);
        if (!t.ok || !p.ok) {
            std::printf("a render failed:\n%s\n%s\n", t.said.constData(), p.said.constData());
            return 1;
        }
        whole[0].push_back(t.seconds);
        whole[1].push_back(p.seconds);
        alone[0].push_back(t.frames);
        alone[1].push_back(p.frames);
    }
    const double download = wanted * 0.050 / 2;
    std::printf("1080p follow render, %d tiles at level %d (the map's own level %d), whole processes:\n",
                wanted, along.level, world);
    std::printf("  cold cache, 50 ms a tile, 2 connections: %.2f s; the download alone %.2f s (%.2f x); "
                "the download and the warm render %.2f s (%.2f x)\n",
                cold.seconds, download, cold.seconds / download, download + median(whole[0]),
                cold.seconds / (download + median(whole[0])));
    std::printf("  warm cache, medians of %d: tiles %.2f s (frames alone %.2f s), the picture map %.2f s "
                "(%.2f s)\n",
                rounds, median(whole[0]), median(alone[0]), median(whole[1]), median(alone[1]));
    std::printf(
        "  speed of tiles against the picture: %.2f x whole processes, %.2f x frames alone (target >= 0.8)\n",
        median(whole[1]) / median(whole[0]), median(alone[1]) / median(alone[0]));

    // Memory: a long route and a short one at level 15, the same frames.
    const Scene longRoute{47.0, 7.0, 47.6, 9.6, 15}, shortRoute{47.30, 8.50, 47.32, 8.53, 15};
    double peaks[2] = {};
    int counts[2] = {};
    int i = 0;
    for (const Scene& s : {longRoute, shortRoute}) {
        const QString p =
            writeProject(d, QString("route%1").arg(i), s, quick.tileTemplate(), &counts[i], &world);
        render(p, d + "/out", d + "/cache2", peak); // fills the cache
        std::vector<double> mb;
        for (int r = 0; r < rounds; ++r)
            mb.push_back(render(p, d + "/out", d + "/cache2", peak).peakMb);
        peaks[i++] = median(mb);
    }
    std::printf(
        "peak memory at level 15, warm cache: long route %.1f MB (%d tiles), short %.1f MB (%d tiles): "
        "%.2f x (target <= 1.2)\n",
        peaks[0], counts[0], peaks[1], counts[1], peaks[0] / peaks[1]);
    return 0;
}
