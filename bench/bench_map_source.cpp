// Time the picture map source takes to draw one 1080p frame from an 8192 x 8192 map at several
// scales, upright and turned, next to a plain 1:1 copy of a frame-sized image (the least any map
// layer costs), Qt's own filtered drawing of the same view, and the 4 ms a whole composed frame
// may take. Also the pyramid's build time.
// Usage: bench_map_source [RUNS]

#include "BenchScene.h"
#include "animation/Camera.h"
#include "mapview/PictureSource.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <time.h>
#include <vector>

namespace {
// Processor time of the whole process (Qt fills large areas on helper threads): on a shared
// machine, wall time mostly measures the others.
double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}
double medianMs(int runs, const std::function<void()>& draw) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double start = cpuMs();
        draw();
        ms.push_back(cpuMs() - start);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    const int runs = std::max(3, argc > 1 ? std::atoi(argv[1]) : 15);
    const QSize size(1920, 1080);
    QImage frame(size, QImage::Format_RGB32);
    QElapsedTimer t;
    t.start();
    QImage map = benchMap(8192, 8192);
    const double makeMs = t.nsecsElapsed() / 1e6;
    t.start();
    const PictureSource source(std::move(map));
    std::printf("map 8192 x 8192: made in %.0f ms, pyramid of %zu levels built in %.0f ms\n", makeMs,
                source.levels().size(), t.nsecsElapsed() / 1e6);

    const QImage copy = source.levels().front().copy(0, 0, size.width(), size.height());
    const double floor = medianMs(runs, [&] {
        QPainter p(&frame);
        p.drawImage(0, 0, copy);
    });
    std::printf("%-6s %5s %6s %10s %14s %14s\n", "scale", "turn", "level", "draw (ms)", "Qt filter (ms)",
                "1:1 copy (ms)");
    for (double turn : {0.0, 30.0})
        for (double scale : {0.1, 0.5, 1.0, 2.0}) {
            const CameraView view{QPointF(4096.3, 4096.7), scale, turn};
            const QTransform w2f = worldToFrame(view, QSizeF(size));
            const double ms = medianMs(runs, [&] {
                QPainter p(&frame);
                source.draw(p, w2f, frame.rect());
            });
            // A clip on the painter leaves the drawing to Qt's own filter.
            const double qt = medianMs(runs, [&] {
                QPainter p(&frame);
                p.setClipRect(frame.rect());
                source.draw(p, w2f, frame.rect());
            });
            std::printf("%-6.2f %5.0f %6d %10.2f %14.2f %14.2f\n", scale, turn, source.levelFor(scale), ms,
                        qt, floor);
        }
    std::printf("a whole composed 1080p frame may take 4 ms (processor time, medians of %d runs)\n", runs);
    return 0;
}
