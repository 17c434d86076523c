// The frame writers at 1080p as whole processes, each against a peer writing the same frames:
//  - MOV, ProRes 4444 with alpha: `pathwright --render` against the ffmpeg program encoding the
//    render's frames from a raw BGRA file (written once, before the timing) with the same codec,
//    profile and colours;
//  - a PNG sequence: against ffmpeg's PNG encoder on the same raw frames at the same
//    compression level, without row filters;
//  - a BMP sequence of a 99-point route at six frames a leg: against a raw writer of as many
//    files of the same size (bench_render's, every core, each file preallocated).
// Prints frames per second and CPU milliseconds per frame of each (medians of the rounds, the
// two sides taking turns to go first) and their ratios. Every run starts with the files of
// the last one deleted and the disk flushed.
//
// Usage: bench_writers [DIR] [ROUNDS] [POINTS]   (the temporary directory, 3 rounds, a
// 20-point route for MOV and PNG). With BENCH_KEEP set the projects and map are kept;
// BENCH_PROGRAM names another build of the program to time (an earlier one, say); BENCH_ONLY
// (mov, png or bmp) times that case alone.
#include "BenchScene.h"
#include "ChildRun.h"
#include "animation/BmpEncoding.h"
#include "animation/FrameCount.h"
#include "animation/Render.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <thread>

namespace {
constexpr int kWidth = 1920, kHeight = 1080;

struct Case {
    const char* name;
    const char* kind;
    int points;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void removeFiles(const QString& dir) {
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden); it.hasNext();)
        QFile::remove(it.next());
    ::sync();
}

// The project of a case, six frames a leg, with its map; the frames it gives.
qint64 setUp(Workspace& ws, const Case& c, const QString& dir, const QString& out) {
    const QString picture = dir + "/map.png";
    ws.picture = benchMap(kWidth, kHeight);
    if (!QFileInfo::exists(picture)) ws.picture.save(picture);
    startUpBegin(ws, dir);
    startUpFinish(ws, 1.0);
    ProjectState& st = ws.st;
    st.format = u'c';
    st.framewidth = kWidth;
    st.frameheight = kHeight;
    st.linethick = 10;
    st.interval = 6 / st.fps;
    st.delay = st.interval * st.fps;
    st.imagepath = dir + "/";
    st.imagename = "map.png";
    st.renderpath = out + "/";
    st.rendername = "frame";
    st.renderformat = c.kind;
    scatterRoute(st, c.points, kWidth, kHeight);
    ws.map.resize(kWidth, kHeight);
    QFile f(QString("%1/%2.wsr").arg(dir, c.kind));
    if (!f.open(QIODevice::WriteOnly) || f.write(formatProjectText(st)) < 0) return 0;
    return plannedFrames(st, 10000);
}

// Keeps every frame in one raw file of 32-bit pixels, straight alpha, as ffmpeg's bgra reads it.
class RawSink : public FrameSink {
  public:
    RawSink(const QString& path, bool alpha) : file_(path), alpha_(alpha) {
        file_.open(QIODevice::WriteOnly);
    }
    MaybeError put(const QImage& frame, qint64, const ChangeLog*) override {
        const QImage img = frame.convertToFormat(alpha_ ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        for (int y = 0; y < img.height(); ++y)
            file_.write(reinterpret_cast<const char*>(img.constScanLine(y)), qint64(img.width()) * 4);
        ++written_;
        return std::nullopt;
    }
    MaybeError finish() override {
        file_.close();
        return std::nullopt;
    }
    qint64 written() const override { return written_; }
    bool transparent() const override { return alpha_; }

  private:
    QFile file_;
    bool alpha_;
    qint64 written_ = 0;
};

std::vector<QByteArray> ffmpegArgs(const Case& c, const QString& raw, const QString& out) {
    const bool mov = QByteArray(c.kind).startsWith("mov");
    std::vector<QByteArray> args = {"/usr/bin/ffmpeg",
                                    "-v",
                                    "error",
                                    "-y",
                                    "-f",
                                    "rawvideo",
                                    "-pix_fmt",
                                    mov ? "bgra" : "bgr0",
                                    "-s",
                                    "1920x1080",
                                    "-framerate",
                                    "30000/1001",
                                    "-i",
                                    QFile::encodeName(raw)};
    const std::vector<QByteArray> tail =
        mov ? std::vector<QByteArray>{"-vf",
                                      "scale=out_color_matrix=bt709:out_range=tv",
                                      "-c:v",
                                      "prores_ks",
                                      "-profile:v",
                                      "4444",
                                      "-vendor",
                                      "apl0",
                                      "-pix_fmt",
                                      "yuva444p10le",
                                      QFile::encodeName(out + "/ffmpeg.mov")}
            : std::vector<QByteArray>{"-c:v",     "png",   "-compression_level",
                                      "1",        "-pred", "none",
                                      "-pix_fmt", "rgb24", QFile::encodeName(out + "/ffmpeg%04d.png")};
    args.insert(args.end(), tail.begin(), tail.end());
    return args;
}

struct Side {
    std::vector<double> fps, cpu; // frames per second, CPU ms per frame
    void add(const ChildRun& r, qint64 frames) {
        fps.push_back(frames / r.seconds);
        cpu.push_back(1000 * r.cpu / frames);
    }
};

// The program and its peer take turns; prints both sides' medians.
void compare(const char* title, const char* peerName, qint64 frames, int rounds,
             const std::vector<QByteArray>& program, const std::vector<QByteArray>& peer,
             const QString& out) {
    Side sides[2];
    for (int round = 0; round < rounds; ++round)
        for (int k = 0; k < 2; ++k) {
            const int who = (round + k) % 2;
            const ChildRun r = runChild(who == 0 ? program : peer);
            removeFiles(out);
            if (!r.ok) {
                std::printf("%s: %s failed\n", title, who == 0 ? "the render" : peerName);
                return;
            }
            sides[who].add(r, frames);
        }
    std::printf("%s, %lld frames: render %.1f frames/s, %.1f ms CPU a frame; %s %.1f frames/s, %.1f ms CPU a "
                "frame; speed %.2f x, CPU %.2f x (medians of %d rounds, %u cores)\n",
                title, (long long)frames, median(sides[0].fps), median(sides[0].cpu), peerName,
                median(sides[1].fps), median(sides[1].cpu), median(sides[0].fps) / median(sides[1].fps),
                median(sides[1].cpu) / median(sides[0].cpu), rounds, std::thread::hardware_concurrency());
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    const int points = argc > 3 ? std::clamp(atoi(argv[3]), 2, 99) : 20;
    const QString bin = QCoreApplication::applicationDirPath();
    const QByteArray program = qEnvironmentVariableIsEmpty("BENCH_PROGRAM")
                                   ? QFile::encodeName(bin + "/../pathwright")
                                   : qgetenv("BENCH_PROGRAM");
    QTemporaryDir tmp(base + "/bench_writers-XXXXXX");
    tmp.setAutoRemove(qEnvironmentVariableIsEmpty("BENCH_KEEP"));
    const QString out = tmp.path() + "/out";
    if (!tmp.isValid() || !QDir().mkpath(out)) return 1;

    const QByteArray only = qgetenv("BENCH_ONLY");
    auto skipped = [&](const char* kind) { return !only.isEmpty() && !QByteArray(kind).startsWith(only); };
    for (const Case& c :
         {Case{"MOV ProRes 4444 with alpha", "mov-alpha", points}, Case{"PNG sequence", "png", points}}) {
        if (skipped(c.kind)) continue;
        Workspace ws;
        const qint64 frames = setUp(ws, c, tmp.path(), out);
        const QString raw = tmp.path() + "/frames.raw";
        RawSink sink(raw, c.kind[0] == 'm');
        RenderAnimation(ws, sink);
        const std::vector<QByteArray> render = {program, "--render",
                                                QFile::encodeName(tmp.path() + "/" + c.kind + ".wsr")};
        compare(c.name, "ffmpeg", frames, rounds, render, ffmpegArgs(c, raw, out), out);
        QFile::remove(raw);
    }

    const Case bmp{"BMP sequence, 99 points", "bmp", 99};
    if (skipped(bmp.kind)) return 0;
    Workspace ws;
    const qint64 frames = setUp(ws, bmp, tmp.path(), out);
    const std::vector<QByteArray> render = {program, "--render", QFile::encodeName(tmp.path() + "/bmp.wsr")};
    const std::vector<QByteArray> rawWriter = {QFile::encodeName(bin + "/bench_render"), "--raw-preallocated",
                                               QFile::encodeName(out), QByteArray::number(frames),
                                               QByteArray::number(qint64(bmpFileSize(kWidth, kHeight)))};
    compare(bmp.name, "raw writer", frames, rounds, render, rawWriter, out);
    return 0;
}
