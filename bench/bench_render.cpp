// Whole-process renders against the raw write limit of the same disk, measured in the same run:
// `pathwright --render` (start, load, render, exit) takes turns with two raw writer processes
// that write the same number of files of the same size from one thread per core, one with plain
// writes and one that first preallocates each file, as the program does. Prints, per frame size,
// frames per second of each and the ratios (medians of the rounds), CPU time per frame, then the
// peak memory of a 4K render and the speed of a transparent PNG render at 1080p. Every timed run
// starts with the files of the last one deleted and the disk flushed.
//
// On a virtual machine whose host takes back the memory the guest frees, a run that lands on
// such memory copies into the page cache several times slower, whichever process it is. So
// besides the medians the benchmark prints the spread of the ratio over the rounds and the
// best run of each side, which is what the processes themselves cost.
//
// The 1080p route comes twice: with 14 points it writes about as many bytes as the 99-point NTSC
// route, which the page cache takes whole; with the same 99 points (19 GB) the writes outrun the
// page cache and both sides wait for the disk itself.
//
// Usage: bench_render [DIR] [ROUNDS]   (DIR: the system's temporary directory, ROUNDS: 5)
// With BENCH_KEEP set in the environment the projects and maps are kept, to profile by hand.
#include "BenchScene.h"
#include "animation/BmpEncoding.h"
#include "animation/FrameWalk.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"

#include "ChildRun.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
struct Case {
    const char* name;
    int width, height;
    int points;
    const char* kind;
};
const Case kNtsc{"NTSC", 654, 480, 99, "bmp"};
const Case kHd{"1080p", 1920, 1080, 14, "bmp"};
const Case kHdLong{"1080p long", 1920, 1080, 99, "bmp"};
const Case kUhd{"4K", 3840, 2160, 3, "bmp"};
const Case kHdAlpha{"1080p transparent PNG", 1920, 1080, 14, "png-alpha"};

struct Timed {
    double seconds = 0, cpu = 0; // wall and CPU (user + system) time
    double own = 0;              // the frames alone, as the program's summary times them
    long peakKb = 0;
    bool ok = false;
};

// Runs a program to its end; its own figures, from the kernel, and its render time from the
// summary line.
Timed runTimed(const std::vector<QByteArray>& args) {
    const ChildRun c = runChild(args);
    return {c.seconds, c.cpu, c.frames, c.peakKb, c.ok};
}

// The raw writer: `count` files of `bytes` each, created, written and closed by a tight loop on
// every core; with `preallocate`, each file's blocks are taken in one call before the write, as
// the program's BMP writer does.
int rawWriter(const QString& dir, qint64 count, qint64 bytes, bool preallocate) {
    const std::vector<char> data(std::size_t(bytes), 'x');
    std::atomic<qint64> next{0};
    std::atomic<bool> failed{false};
    std::vector<std::thread> pool;
    for (unsigned k = 0; k < std::max(1u, std::thread::hardware_concurrency()); ++k)
        pool.emplace_back([&] {
            for (qint64 n; (n = next++) < count;) {
                const QByteArray name =
                    QFile::encodeName(dir + QString("/raw%1.bmp").arg(n, 4, 10, QChar(u'0')));
                const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
                if (fd >= 0 && preallocate) ::fallocate(fd, 0, 0, off_t(bytes));
                if (fd < 0 || ::write(fd, data.data(), data.size()) != ssize_t(data.size())) failed = true;
                if (fd >= 0) ::close(fd);
            }
        });
    for (std::thread& th : pool)
        th.join();
    return failed ? 1 : 0;
}

qint64 removeFiles(const QString& dir) {
    qint64 n = 0;
    for (QDirIterator it(dir, QDir::Files | QDir::Hidden); it.hasNext(); ++n)
        QFile::remove(it.next());
    ::sync();
    return n;
}

// Writes the case's project and map into `dir`; the frames it gives.
qint64 writeProject(const Case& c, const QString& dir, const QString& out) {
    const QString picture = QString("%1/map%2x%3.png").arg(dir).arg(c.width).arg(c.height);
    if (!QFileInfo::exists(picture)) benchMap(c.width, c.height).save(picture);
    Workspace ws;
    startUpBegin(ws, dir);
    startUpFinish(ws, 1.0);
    ProjectState& st = ws.st;
    if (c.width != 654) {
        st.format = u'c';
        st.framewidth = qint16(c.width);
        st.frameheight = qint16(c.height);
    }
    st.interval = 1;
    st.delay = st.interval * st.fps;
    st.imagepath = dir + "/";
    st.imagename = QFileInfo(picture).fileName();
    st.renderpath = out + "/";
    st.rendername = "frame";
    st.renderformat = c.kind;
    scatterRoute(st, c.points, c.width, c.height);
    QFile f(QString("%1/%2.wsr").arg(dir, QString(c.name).replace(' ', '_')));
    if (!f.open(QIODevice::WriteOnly) || f.write(formatProjectText(st)) < 0) return 0;
    return plannedFrames(st, 10000);
}

// One raw writer's runs against the render's, round by round.
struct Peer {
    const char* flag;
    std::vector<double> fps, ratio, cpu, framesRatio; // CPU in ms per frame
    Timed best;
};

void keepBest(Timed& best, const Timed& r) {
    if (best.seconds == 0 || r.seconds < best.seconds) best = r;
}

void add(Peer& peer, const Timed& render, const Timed& raw, qint64 frames) {
    peer.fps.push_back(frames / raw.seconds);
    peer.ratio.push_back(raw.seconds / render.seconds);
    peer.cpu.push_back(1000 * raw.cpu / frames);
    peer.framesRatio.push_back(render.own > 0 ? raw.seconds / render.own : 0);
    keepBest(peer.best, raw);
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && (std::strcmp(argv[1], "--raw") == 0 || std::strcmp(argv[1], "--raw-preallocated") == 0))
        return rawWriter(QString::fromLocal8Bit(argv[2]), atoll(argv[3]), atoll(argv[4]), argv[1][5] == '-');
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationDirPath() + "/../pathwright");
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    QTemporaryDir tmp(base + "/bench_render-XXXXXX");
    tmp.setAutoRemove(qEnvironmentVariableIsEmpty("BENCH_KEEP"));
    const QString out = tmp.path() + "/out";
    if (!tmp.isValid() || !QDir().mkpath(out) || !QFileInfo(QString::fromLocal8Bit(program)).isExecutable()) {
        std::fprintf(stderr, "needs a writable %s and the program at %s\n", qPrintable(base),
                     program.constData());
        return 1;
    }
    std::printf("directory %s, %u cores, %d rounds\n", qPrintable(tmp.path()),
                std::thread::hardware_concurrency(), rounds);

    auto render = [&](const Case& c, qint64 frames) {
        const QByteArray project =
            QFile::encodeName(QString("%1/%2.wsr").arg(tmp.path(), QString(c.name).replace(' ', '_')));
        const Timed r = runTimed({program, "--render", project});
        const qint64 files = removeFiles(out);
        if (!r.ok || files != frames)
            std::fprintf(stderr, "%s: %lld files, not %lld\n", c.name, (long long)files, (long long)frames);
        return r;
    };
    auto raw = [&](const char* flag, qint64 frames, qint64 bytes) {
        const Timed r = runTimed(
            {self, flag, QFile::encodeName(out), QByteArray::number(frames), QByteArray::number(bytes)});
        removeFiles(out);
        return r;
    };

    for (const Case& c : {kNtsc, kHd, kHdLong}) {
        const qint64 frames = writeProject(c, tmp.path(), out);
        const qint64 bytes = qint64(bmpFileSize(c.width, c.height));
        if (QStorageInfo(out).bytesAvailable() < frames * bytes * 11 / 10) {
            std::printf("%s: skipped, %lld frames need %.1f GB free in %s\n", c.name, (long long)frames,
                        frames * bytes / 1e9, qPrintable(out));
            continue;
        }
        render(c, frames); // warms the caches of the program and its libraries
        std::vector<double> renderFps, renderCpu, startSeconds;
        Timed bestRender;
        Peer peers[2] = {{"--raw", {}, {}, {}, {}, {}}, {"--raw-preallocated", {}, {}, {}, {}, {}}};
        for (int round = 0; round < rounds; ++round) {
            // The three take turns at going first, second and third.
            Timed runs[3];
            for (int k = 0; k < 3; ++k) {
                const int who = (round + k) % 3;
                runs[who] = who == 0 ? render(c, frames) : raw(peers[who - 1].flag, frames, bytes);
            }
            renderFps.push_back(frames / runs[0].seconds);
            renderCpu.push_back(1000 * runs[0].cpu / frames);
            startSeconds.push_back(runs[0].seconds - runs[0].own);
            keepBest(bestRender, runs[0]);
            for (int i = 0; i < 2; ++i)
                add(peers[i], runs[0], runs[i + 1], frames);
        }
        std::printf(
            "%s %dx%d, %lld frames of %lld bytes: render %.0f frames/s, CPU per frame %.3f ms; best run "
            "%.3f s; start, load and exit %.3f s\n",
            c.name, c.width, c.height, (long long)frames, (long long)bytes, median(renderFps),
            median(renderCpu), bestRender.seconds, median(startSeconds));
        for (const Peer& peer : peers) {
            const auto [low, high] = std::minmax_element(peer.ratio.begin(), peer.ratio.end());
            std::printf(
                "  against %s: raw %.0f files/s, render/raw %.2f (rounds %.2f to %.2f); CPU per frame: raw "
                "%.3f ms, render %.2f x raw; best runs: render/raw %.2f; the frames alone (the program's "
                "own timing): render/raw %.2f\n",
                peer.flag + 2, median(peer.fps), median(peer.ratio), *low, *high, median(peer.cpu),
                median(renderCpu) / median(peer.cpu), peer.best.seconds / bestRender.seconds,
                median(peer.framesRatio));
        }
    }

    {
        const qint64 frames = writeProject(kUhd, tmp.path(), out);
        const Timed r = render(kUhd, frames);
        const double frameMb = bmpFileSize(kUhd.width, kUhd.height) / 1e6;
        std::printf(
            "4K %dx%d, %lld frames of %.1f MB: peak memory of the render process %.0f MB (%.1f frames)\n",
            kUhd.width, kUhd.height, (long long)frames, frameMb, r.peakKb / 1e3, r.peakKb / 1e3 / frameMb);
    }
    {
        const qint64 frames = writeProject(kHdAlpha, tmp.path(), out);
        std::vector<double> fps;
        for (int round = 0; round < std::min(rounds, 3); ++round)
            fps.push_back(frames / render(kHdAlpha, frames).seconds);
        std::printf("%s, %lld frames: %.0f frames/s (median, whole process)\n", kHdAlpha.name,
                    (long long)frames, median(fps));
    }
    return 0;
}
