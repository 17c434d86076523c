// Renders a 99-point NTSC route into BMP frames and compares the speed with the raw write limit
// of the same disk, measured in the same run: the same number of files of the same size written
// by a tight loop on one thread per core. Also prints the peak memory after a short render and
// after the long one: the writer's memory must not grow with the number of frames.
//
// Usage: bench_render [DIR] [ROUNDS]   (DIR defaults to the system's temporary directory)
#include "animation/BmpEncoding.h"
#include "animation/BmpFrameWriter.h"
#include "animation/Render.h"
#include "settings/Presets.h"
#include "shell/Startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/vfs.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Removes the files of a phase and flushes the disk, so every timed phase starts from a clean
// page cache (the dirty pages of one phase would otherwise slow down the next).
void removeFiles(const QString& dir) {
    for (const QString& f : QDir(dir).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(dir + "/" + f);
    ::sync();
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

struct Timing {
    qint64 frames = 0;
    double seconds = 0;
};

Timing render(Workspace& ws, const QString& dir,
              BmpFrameWriter::Encoding encoding = BmpFrameWriter::Encoding::WhileCopying) {
    ws.st.renderpath = dir + "/";
    ws.st.rendername = "frame";
    BmpFrameWriter writer(0, 0, encoding);
    QElapsedTimer t;
    t.start();
    const RenderResult r = RenderAnimation(ws, writer);
    const double s = t.nsecsElapsed() / 1e9;
    if (r.error) std::fprintf(stderr, "render failed: %s\n", qPrintable(r.message()));
    return {r.frames, s};
}

// The same number of files of the same size, written by a tight loop on every core.
Timing rawWrites(const QString& dir, qint64 files, std::size_t bytes) {
    const int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    const std::vector<char> data(bytes, 'x');
    std::atomic<qint64> next{0};
    QElapsedTimer t;
    t.start();
    std::vector<std::thread> pool;
    for (int k = 0; k < threads; ++k)
        pool.emplace_back([&] {
            for (qint64 n; (n = next++) < files;) {
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
    return {files, t.nsecsElapsed() / 1e9};
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
    // A short render and a short raw loop first: every one-time allocation (thread arenas,
    // buffers) happens here, so the peak after them is the baseline for the long renders.
    Workspace shortWs;
    setUpWorkspace(shortWs, 9);
    const Timing warm = render(shortWs, tmp.path());
    rawWrites(tmp.path(), warm.frames, bmpFileSize(shortWs.st.framewidth, shortWs.st.frameheight));
    removeFiles(tmp.path());
    const long peakShort = peakKb();

    Workspace ws;
    setUpWorkspace(ws, 99);
    const std::size_t frameBytes = bmpFileSize(ws.st.framewidth, ws.st.frameheight);
    const qint64 frames = plannedFrames(ws.st, kFrameLimit);
    // Each round: the raw loop, the render as the program does it (BMP encoded while copying the
    // frame), and for comparison the render with the encoding on the worker threads.
    std::vector<double> rawFps, renderFps, workerFps, ratio, workerRatio;
    long peakFirst = 0;
    for (int r = 0; r < rounds; ++r) {
        const Timing raw = rawWrites(tmp.path(), frames, frameBytes);
        removeFiles(tmp.path());
        const Timing ren = render(ws, tmp.path());
        removeFiles(tmp.path());
        if (r == 0) peakFirst = peakKb();
        const Timing alt = render(ws, tmp.path(), BmpFrameWriter::Encoding::OnWorkers);
        removeFiles(tmp.path());
        if (ren.frames != frames || alt.frames != frames) return 1;
        rawFps.push_back(raw.frames / raw.seconds);
        renderFps.push_back(ren.frames / ren.seconds);
        workerFps.push_back(alt.frames / alt.seconds);
        ratio.push_back(renderFps.back() / rawFps.back());
        workerRatio.push_back(workerFps.back() / rawFps.back());
        std::printf("round %d: raw %.0f files/s; render %.0f frames/s (%.0f %%); encoding on workers %.0f "
                    "frames/s (%.0f %%)\n",
                    r + 1, rawFps.back(), renderFps.back(), 100 * ratio.back(), workerFps.back(),
                    100 * workerRatio.back());
    }
    const double mb = frameBytes / 1e6;
    std::printf("frames per render: %lld of %zu bytes (%d x %d, 24-bit BMP)\n", (long long)frames, frameBytes,
                ws.st.framewidth, ws.st.frameheight);
    std::printf("render:    %.0f frames/s, %.0f MB/s (median of %d rounds)\n", median(renderFps),
                median(renderFps) * mb, rounds);
    std::printf("raw limit: %.0f files/s, %.0f MB/s (%u writer threads)\n", median(rawFps),
                median(rawFps) * mb, std::thread::hardware_concurrency());
    std::printf("ratio:     %.0f %% of the raw limit (median of the rounds' ratios)\n", 100 * median(ratio));
    std::printf("encoding on the workers instead: %.0f frames/s, %.0f %% of the raw limit\n",
                median(workerFps), 100 * median(workerRatio));
    std::printf("peak memory: %ld KB after %lld frames, %ld KB after %lld more, %ld KB after %lld more\n",
                peakShort, (long long)warm.frames, peakFirst, (long long)frames, peakKb(),
                (long long)(frames * (2 * rounds - 1)));
    return 0;
}
