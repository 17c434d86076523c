// Renders a route straight into an MP4 file (H.264, veryfast, CRF 18) at NTSC and at 1080p and
// compares, in the same run, with the ffmpeg program encoding the same frames from the BMP
// sequence of the same render with the same settings. The direct render draws, converts and
// encodes; ffmpeg only reads, converts and encodes, so the render should be at least as fast.
// Also prints the peak memory after a short render and after a long one: it must not grow with
// the length of the render.
//
// Usage: bench_video [DIR] [NTSC_FRAMES] [HD_FRAMES]   (defaults: temporary directory, 1500, 300)
#include "animation/BmpFrameWriter.h"
#include "animation/Render.h"
#include "animation/VideoWriter.h"
#include "settings/VideoFormats.h"
#include "shell/Startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {
long peakKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// A map-like picture: soft gradients with a grid, so frames are not trivially uniform.
QImage mapPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         (x % 40 == 0 || y % 40 == 0) ? qRgb(90, 90, 90)
                                                      : qRgb(120 + x * 120 / w, 160 + y * 90 / h, 200));
    return img;
}

// A 99-point route at 29.97 frames/s in a format of the table.
void setUp(Workspace& ws, const QString& format) {
    startUpBegin(ws, QDir::tempPath());
    startUpFinish(ws, 1.0);
    applyVideoFormat(ws, *findVideoFormat(format), 29.97);
    const int w = ws.st.framewidth, h = ws.st.frameheight;
    ws.st.linethick = qint16(std::max(5, h / 100));
    ws.picture = mapPicture(w, h);
    unsigned seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % unsigned(range));
    };
    ws.st.listmax = 99;
    for (int i = 0; i < 99; ++i) {
        ws.st.pointx[i] = qint16(20 + next(w - 40));
        ws.st.pointy[i] = qint16(20 + next(h - 40));
    }
}

// Renders the first `frames` frames of the route into `sink`; seconds until the sink is done.
double render(const QString& format, FrameSink& sink, qint64 frames) {
    Workspace ws;
    setUp(ws, format);
    RenderRun run(ws, sink);
    QElapsedTimer t;
    t.start();
    for (qint64 n = 0; n < frames && !run.done(); ++n)
        run.advance(std::chrono::nanoseconds(0)); // one frame
    run.stop();
    const RenderResult r = run.finish();
    if (r.error) std::fprintf(stderr, "render failed: %s\n", qPrintable(r.message()));
    return t.nsecsElapsed() / 1e9;
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

void compare(const QString& dir, const QString& format, qint64 frames) {
    const RenderTarget target = mp4Target(dir, "direct", format);
    const int w = target.width, h = target.height;
    MadeWriter video = makeFrameWriter(target);
    const double direct = render(format, *video.sink, frames);
    const qint64 written = video.sink->written();
    video.sink.reset();

    BmpFrameWriter bmp(NumberedFiles{dir + "/f", ".bmp"});
    render(format, bmp, frames);
    const bool hd = w > 1024 || h > 576;
    QProcess ffmpeg;
    QElapsedTimer t;
    t.start();
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-framerate", "30000/1001", "-i", dir + "/f%04d.bmp", "-vf",
                            QString("scale=out_color_matrix=%1:out_range=tv").arg(hd ? "bt709" : "bt601"),
                            "-c:v", "libx264", "-preset", "veryfast", "-crf", "18", "-pix_fmt", "yuv420p",
                            dir + "/program.mp4"});
    const bool ran = ffmpeg.waitForFinished(-1) && ffmpeg.exitCode() == 0;
    const double program = t.nsecsElapsed() / 1e9;
    for (qint64 n = 0; n < frames; ++n)
        QFile::remove(dir + QString("/f%1.bmp").arg(n, 4, 10, QChar(u'0')));
    std::printf(
        "%s %d x %d, %lld frames: direct render %.0f frames/s; ffmpeg from BMP files %s; ratio %.2f\n",
        qPrintable(format), w, h, (long long)written, written / direct,
        ran ? qPrintable(QString("%1 frames/s").arg(frames / program, 0, 'f', 0)) : "did not run",
        ran ? (written / direct) / (frames / program) : 0.0);
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const qint64 ntscFrames = argc > 2 ? atoll(argv[2]) : 1500;
    const qint64 hdFrames = argc > 3 ? atoll(argv[3]) : 300;
    QTemporaryDir tmp(base + "/bench_video-XXXXXX");
    if (!tmp.isValid()) return 1;

    // Memory: a short render first (one-time allocations), then one ten times as long.
    {
        MadeWriter w = makeFrameWriter(mp4Target(tmp.path(), "warm", "NTSC"));
        render("NTSC", *w.sink, ntscFrames / 10);
    }
    const long warm = peakKb();
    {
        MadeWriter w = makeFrameWriter(mp4Target(tmp.path(), "long", "NTSC"));
        render("NTSC", *w.sink, ntscFrames);
    }
    std::printf("peak memory: %ld KB after %lld NTSC frames, %ld KB after %lld more\n", warm,
                (long long)ntscFrames / 10, peakKb(), (long long)ntscFrames);

    compare(tmp.path(), "NTSC", ntscFrames);
    compare(tmp.path(), "1080p", hdFrames);
    return 0;
}
