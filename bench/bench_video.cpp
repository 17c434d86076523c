// Renders a route straight into an MP4 file (H.264, veryfast, CRF 18) at NTSC and at 1080p and
// compares, in the same run, with the ffmpeg program encoding the same frames from the BMP
// sequence of the same render with the same settings. The direct render draws, converts and
// encodes; ffmpeg only reads, converts and encodes, so the render should be at least as fast.
// Also prints the peak memory after renders of growing length: it must not grow with them. Runs
// on a shared machine vary a lot: the CPU time a frame costs is the steadier figure.
//
// Usage: bench_video [DIR] [NTSC_FRAMES] [HD_FRAMES] [ROUNDS]
//   (defaults: the temporary directory, 1500, 300, 3)
#include "BenchScene.h"
#include "animation/FrameWriters.h"
#include "animation/Render.h"
#include "animation/SequenceWriter.h"
#include "settings/VideoFormats.h"
#include "shell/Startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {
long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// A 99-point route at 29.97 frames/s in a format of the table.
void setUp(Workspace& ws, const QString& format) {
    startUpBegin(ws, QDir::tempPath());
    startUpFinish(ws, 1.0);
    applyVideoFormat(ws, *findVideoFormat(format), 29.97);
    const int w = ws.st.framewidth, h = ws.st.frameheight;
    ws.st.linethick = qint16(std::max(5, h / 100));
    ws.picture = benchMap(w, h);
    scatterRoute(ws.st, 99, w, h);
}

// CPU seconds of this process, or of its finished children.
double cpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Timing {
    double seconds = 0, cpu = 0;
};

// Renders the first `frames` frames of the route into `sink`, timed until the sink is done.
Timing render(const QString& format, FrameSink& sink, qint64 frames) {
    Workspace ws;
    setUp(ws, format);
    RenderRun run(ws, sink);
    QElapsedTimer t;
    t.start();
    const double cpu = cpuSeconds(RUSAGE_SELF);
    for (qint64 n = 0; n < frames && !run.done(); ++n)
        run.advance(std::chrono::nanoseconds(0)); // one frame
    run.stop();
    const RenderResult r = run.finish();
    if (r.error) std::fprintf(stderr, "render failed: %s\n", qPrintable(r.message()));
    return {t.nsecsElapsed() / 1e9, cpuSeconds(RUSAGE_SELF) - cpu};
}

// The ffmpeg program encoding the BMP files with the render's settings.
Timing program(const QString& dir, bool hd) {
    QProcess ffmpeg;
    QElapsedTimer t;
    t.start();
    const double cpu = cpuSeconds(RUSAGE_CHILDREN);
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-framerate", "30000/1001", "-i", dir + "/f%04d.bmp", "-vf",
                            QString("scale=out_color_matrix=%1:out_range=tv").arg(hd ? "bt709" : "bt601"),
                            "-c:v", "libx264", "-preset", "veryfast", "-crf", "18", "-pix_fmt", "yuv420p",
                            dir + "/program.mp4"});
    if (!ffmpeg.waitForFinished(-1) || ffmpeg.exitCode() != 0) return {};
    return {t.nsecsElapsed() / 1e9, cpuSeconds(RUSAGE_CHILDREN) - cpu};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

RenderTarget mp4Target(const QString& dir, const QString& name, const QString& format) {
    Workspace ws;
    setUp(ws, format);
    RenderTarget t = renderTargetFor(ws);
    t.kind = findOutputKind(u"mp4");
    t.folder = dir + "/";
    t.baseName = name;
    return t;
}

// Direct renders and the program take turns, so both meet the same load of the machine.
void compare(const QString& dir, const QString& format, qint64 frames, int rounds) {
    const RenderTarget target = mp4Target(dir, "direct", format);
    SequenceWriter bmp(NumberedFiles{dir + "/f", ".bmp"}, kBmpFiles);
    render(format, bmp, frames);
    std::vector<double> direct, other, ratio;
    for (int r = 0; r < rounds; ++r) {
        MadeWriter video = makeFrameWriter(target);
        const Timing d = render(format, *video.sink, frames);
        const Timing p = program(dir, target.width > 1024 || target.height > 576);
        if (p.seconds == 0) {
            std::printf("%s: the ffmpeg program did not run\n", qPrintable(format));
            return;
        }
        direct.push_back(frames / d.seconds);
        other.push_back(frames / p.seconds);
        ratio.push_back(direct.back() / other.back());
        std::printf("%s round %d: direct %.0f frames/s (%.1f ms CPU a frame), ffmpeg from BMP %.0f frames/s "
                    "(%.1f ms CPU a frame)\n",
                    qPrintable(format), r + 1, direct.back(), 1000 * d.cpu / frames, other.back(),
                    1000 * p.cpu / frames);
    }
    for (qint64 n = 0; n < frames; ++n)
        QFile::remove(dir + QString("/f%1.bmp").arg(n, 4, 10, QChar(u'0')));
    std::printf("%s %d x %d, %lld frames: direct render %.0f frames/s, ffmpeg from BMP files %.0f frames/s, "
                "ratio %.2f (medians of %d rounds)\n",
                qPrintable(format), target.width, target.height, (long long)frames, median(direct),
                median(other), median(ratio), rounds);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const qint64 ntscFrames = argc > 2 ? atoll(argv[2]) : 1500;
    const qint64 hdFrames = argc > 3 ? atoll(argv[3]) : 300;
    const int rounds = argc > 4 ? std::max(1, atoi(argv[4])) : 3;
    QTemporaryDir tmp(base + "/bench_video-XXXXXX");
    if (!tmp.isValid()) return 1;

    // Memory: a short render first (one-time allocations), then one of the full length and one
    // three times as long; the peak must not move between the last two.
    std::vector<long> peaks;
    for (qint64 frames : {ntscFrames / 10, ntscFrames, 3 * ntscFrames}) {
        MadeWriter w = makeFrameWriter(mp4Target(tmp.path(), "memory", "NTSC"));
        render("NTSC", *w.sink, frames);
        peaks.push_back(peakKb());
    }
    std::printf("peak memory after NTSC renders of %lld, %lld and %lld frames: %ld, %ld, %ld KB\n",
                (long long)ntscFrames / 10, (long long)ntscFrames, 3 * (long long)ntscFrames, peaks[0],
                peaks[1], peaks[2]);
    compare(tmp.path(), "NTSC", ntscFrames, rounds);
    compare(tmp.path(), "1080p", hdFrames, rounds);
    return 0;
}
