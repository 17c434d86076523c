// Scrubbing the timeline: the time from moving the playhead to the frame painted in the map
// window, over random frames, in the program's own main window (offscreen). A 1080p project with
// a 99-point route over a picture map (the fixed camera, and the follow camera), and the tile
// package example (MBTiles, following the flights). The first seek, which copies the project
// and plans the camera, is given apart.
// Usage: bench_scrub [SEEKS]
#include "BenchScene.h"
#include "mapview/MapView.h"
#include "project/ProjectCommands.h"
#include "shell/MainWindow.h"
#include "timeline/TimelineDock.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {
double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// 99 points over a 1920 x 1080 map, two seconds a leg at 29.97, a dot at the head.
QString pictureProject(const QString& dir, const char* camera) {
    benchMap(1920, 1080).save(dir + "/map.png");
    ProjectState st;
    scatterRoute(st, 99, 1920, 1080);
    QByteArray text =
        "[Vantorel* Pathwright - version 1.1]\r\nformat = c\r\nfps = 29.97\r\nframeheight = "
        "1080\r\nframewidth = 1920\r\nimagepath = " +
        dir.toUtf8() + "/\r\nimagename = map.png\r\nrenderpath = " + dir.toUtf8() +
        "/\r\nrendername = out\r\ninterval = 2\r\ncolor = 255\r\nlinethick = 6\r\n"
        "circlethick = 3\r\ncircleradius = 10\r\nselected = -1\r\nselcolor = 65535\r\nlistmax = 99\r\n";
    for (int i = 0; i < 99; ++i)
        text += QByteArray::number(i) + " = " + QByteArray::number(st.pointx[i]) + ", " +
                QByteArray::number(st.pointy[i]) + ", 0\r\n";
    text += "marker = dot\r\ncamera = " + QByteArray(camera) + "\r\ncamerazoom = 2\r\n";
    const QString path = dir + "/" + camera + ".wsr";
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    return path;
}

void measure(MainWindow& w, const QString& project, const char* name, int seeks) {
    if (!w.projectCommands().openFile(project)) {
        std::printf("%-34s cannot open %s\n", name, qPrintable(project));
        return;
    }
    Timeline& tl = w.findChild<TimelineDock*>("dockTimeline")->timeline();
    auto* map = w.findChild<MapView*>("frmImage");
    const qint64 frames = tl.frames();
    const auto show = [&](qint64 n) {
        const double t0 = now();
        tl.seek(n);
        map->repaint();
        return (now() - t0) * 1000;
    };
    const double first = show(frames / 2);
    std::mt19937 random(7);
    std::uniform_int_distribution<qint64> any(0, frames - 1);
    std::vector<double> ms;
    for (int k = 0; k < seeks; ++k)
        ms.push_back(show(any(random)));
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s %6lld frames  first %7.1f ms  median %6.1f ms  worst %6.1f ms  (%d seeks)\n", name,
                (long long)frames, first, ms[ms.size() / 2], ms.back(), seeks);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seeks = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QTemporaryDir dir;
    MainWindow w(dir.path());
    w.resize(1400, 1000);
    w.show();
    app.processEvents();
    measure(w, pictureProject(dir.path(), "fixed"), "1080p picture, 99 points, fixed", seeks);
    measure(w, pictureProject(dir.path(), "follow"), "1080p picture, 99 points, follow", seeks);
    measure(w, QString(SOURCE_DIR "/examples/package/package.wsr"), "720p MBTiles package, leg camera",
            seeks);
    return 0;
}
