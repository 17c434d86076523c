// Renders a 99-point NTSC route into BMP frames and compares the speed with the raw write limit
// of the same disk, measured in the same run: the same number of files of the same size written
// by a tight loop on one thread per core, taking turns with the render in chunks of frames.
// Also prints the peak memory after a warm-up and after the long renders: the writer's memory
// must not grow with the number of frames.
//
// Usage: bench_render [DIR] [ROUNDS] [cached]
//   DIR defaults to the system's temporary directory, ROUNDS to 3. With "cached" the files of
//   every turn are deleted after it (untimed), so nothing waits for the disk itself: the figures
//   then show the cost of creating and filling files, where the render's own work shows most.
#include "animation/BmpEncoding.h"
#include "animation/BmpFrameWriter.h"
#include "animation/Render.h"
#include "settings/Presets.h"
#include "shell/Startup.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/vfs.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kRoutePoints = 99;
constexpr int kChunk = 250; // frames per turn

long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Removes the files of a phase and flushes the disk, so every timed phase starts from a clean
// page cache (the dirty pages of one phase would otherwise slow down the next).
// One file at a time: a list of all names of a round (some 18000) would itself raise the peak
// memory by megabytes and hide what the render holds.
void removeFiles(const QString& dir, bool flush = true) {
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden); it.hasNext();)
        QFile::remove(it.next());
    if (flush) ::sync();
}

// A map-like picture: a gradient with a grid, so frames are not trivially uniform.
QImage mapPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(
                x, y, (x % 40 == 0 || y % 40 == 0) ? qRgb(90, 90, 90) : qRgb(120 + x / 6, 160 + y / 6, 200));
    return img;
}

void setUpWorkspace(Workspace& ws, int points) {
    startUpBegin(ws, QDir::tempPath());
    startUpFinish(ws, 1.0); // NTSC: 654 x 480 at 29.97 fps, 59.94 frames per leg
    ws.picture = mapPicture(ws.st.framewidth, ws.st.frameheight);
    unsigned seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % unsigned(range));
    };
    ws.st.listmax = qint16(points);
    for (int i = 0; i < points; ++i) {
        ws.st.pointx[i] = qint16(20 + next(ws.st.framewidth - 40));
        ws.st.pointy[i] = qint16(20 + next(ws.st.frameheight - 40));
    }
}

// A render of its own workspace, advanced a chunk of frames at a time; a chunk is timed until
// the writer has put every frame of it on disk.
struct Contender {
    // The render reads the workspace only from its first frame on, so it is set up here.
    Contender(int points, const QString& dir, const QString& name, BmpFrameWriter::Encoding encoding)
        : writer(NumberedFiles{dir + "/" + name, ".bmp"}, 0, 0, encoding), run(ws, writer) {
        setUpWorkspace(ws, points);
        ws.st.renderpath = dir + "/";
        ws.st.rendername = name;
    }
    void chunk(int n) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < n && !run.done(); ++i)
            run.advance(std::chrono::nanoseconds(0)); // one frame
        writer.finish();
        seconds += t.nsecsElapsed() / 1e9;
    }
    double fps() const { return frames / seconds; }

    Workspace ws;
    BmpFrameWriter writer;
    RenderRun run;
    double seconds = 0;
    qint64 frames = 0;
};

// Files `first` to `first + count - 1` of the frame size, written by a tight loop on every core.
double rawWrites(const QString& dir, qint64 first, qint64 count, const std::vector<char>& data) {
    const int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    std::atomic<qint64> next{first};
    QElapsedTimer t;
    t.start();
    std::vector<std::thread> pool;
    for (int k = 0; k < threads; ++k)
        pool.emplace_back([&] {
            for (qint64 n; (n = next++) < first + count;) {
                const QByteArray name =
                    QFile::encodeName(dir + QString("/raw%1.bmp").arg(n, 4, 10, QChar(u'0')));
                const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
                if (fd < 0 || ::write(fd, data.data(), data.size()) != ssize_t(data.size()))
                    std::fprintf(stderr, "raw write failed\n");
                if (fd >= 0) ::close(fd);
            }
        });
    for (std::thread& th : pool)
        th.join();
    return t.nsecsElapsed() / 1e9;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const bool cached = argc > 3 && std::strcmp(argv[3], "cached") == 0;
    QTemporaryDir tmp(base + "/bench_render-XXXXXX");
    if (!tmp.isValid()) {
        std::fprintf(stderr, "cannot create a directory in %s\n", qPrintable(base));
        return 1;
    }
    struct statfs fs {};
    statfs(qPrintable(tmp.path()), &fs);
    std::printf("directory %s (file system type 0x%lx%s), %u cores\n", qPrintable(tmp.path()),
                long(fs.f_type), fs.f_type == 0x01021994 ? ", tmpfs: not a disk" : "",
                std::thread::hardware_concurrency());

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Workspace probe;
    setUpWorkspace(probe, kRoutePoints);
    const qint64 frames = plannedFrames(probe.st, kNumberedFileLimit);
    const std::vector<char> data(bmpFileSize(probe.st.framewidth, probe.st.frameheight), 'x');

    qint64 warmFrames = 0;
    // A short render and a short raw loop first: every one-time allocation (thread arenas,
    // buffers) happens here, so the peak after them is the baseline for the long renders.
    {
        // The same pair of renders as a round, on a 9-point route.
        Contender warm(9, tmp.path(), "warm", BmpFrameWriter::Encoding::WhileCopying);
        Contender other(9, tmp.path(), "other", BmpFrameWriter::Encoding::OnWorkers);
        while (!warm.run.done() || !other.run.done()) {
            warm.chunk(kChunk);
            other.chunk(kChunk);
        }
        warmFrames = warm.run.finish().frames;
        other.run.finish();
        rawWrites(tmp.path(), 0, kChunk, data);
        removeFiles(tmp.path());
    }
    const long peakWarm = peakKb();
    long peakFirst = 0;

    // The raw loop, the render as the program does it (BMP encoded while copying the frame) and,
    // for comparison, the render with the encoding on the worker threads take turns chunk by
    // chunk, so that all three meet the same state of the disk and of the page cache.
    std::vector<double> rawFps, renderFps, workerFps, ratio, workerRatio;
    for (int r = 0; r < rounds; ++r) {
        Contender render(kRoutePoints, tmp.path(), "frame", BmpFrameWriter::Encoding::WhileCopying);
        Contender worker(kRoutePoints, tmp.path(), "other", BmpFrameWriter::Encoding::OnWorkers);
        double rawSeconds = 0;
        for (qint64 done = 0, turn = 0; done < frames; done += kChunk, ++turn) {
            const qint64 n = std::min<qint64>(kChunk, frames - done);
            for (int k = 0; k < 3; ++k) {
                switch ((turn + k) % 3) {
                case 0:
                    render.chunk(int(n));
                    break;
                case 1:
                    worker.chunk(int(n));
                    break;
                case 2:
                    rawSeconds += rawWrites(tmp.path(), done, n, data);
                    break;
                }
            }
            if (cached) removeFiles(tmp.path(), false);
        }
        render.frames = render.run.finish().frames;
        worker.frames = worker.run.finish().frames;
        removeFiles(tmp.path());
        if (render.frames != frames || worker.frames != frames) {
            std::fprintf(stderr, "a render stopped early\n");
            return 1;
        }
        if (r == 0) peakFirst = peakKb();
        rawFps.push_back(frames / rawSeconds);
        renderFps.push_back(render.fps());
        workerFps.push_back(worker.fps());
        ratio.push_back(renderFps.back() / rawFps.back());
        workerRatio.push_back(workerFps.back() / rawFps.back());
        std::printf("round %d: raw %.0f files/s; render %.0f frames/s (%.0f %%); encoding on the workers "
                    "%.0f frames/s (%.0f %%)\n",
                    r + 1, rawFps.back(), renderFps.back(), 100 * ratio.back(), workerFps.back(),
                    100 * workerRatio.back());
    }
    const double mb = data.size() / 1e6;
    std::printf("frames per render: %lld of %zu bytes (%d x %d, 24-bit BMP), a %d-point NTSC route%s\n",
                (long long)frames, data.size(), probe.st.framewidth, probe.st.frameheight, kRoutePoints,
                cached ? "; files deleted after every turn" : "");
    std::printf("render:    %.0f frames/s, %.0f MB/s (median of %d rounds)\n", median(renderFps),
                median(renderFps) * mb, rounds);
    std::printf("raw limit: %.0f files/s, %.0f MB/s (%u writer threads)\n", median(rawFps),
                median(rawFps) * mb, std::thread::hardware_concurrency());
    std::printf("ratio:     %.0f %% of the raw limit (median of the rounds' ratios)\n", 100 * median(ratio));
    std::printf("encoding on the workers instead: %.0f frames/s, %.0f %% of the raw limit\n",
                median(workerFps), 100 * median(workerRatio));
    std::printf("peak memory: %ld KB after a warm-up of 2 x %lld frames, %ld KB after %lld more frames, %ld "
                "KB after %lld more\n",
                peakWarm, (long long)warmFrames, peakFirst, (long long)(2 * frames), peakKb(),
                (long long)(2 * frames * (rounds - 1)));
    return 0;
}
