// Whole-process renders against the raw write limit of the same disk, measured in the same run:
// `pathwright --render` (start, load, render, exit) takes turns with a raw writer process that
// writes the same number of files of the same size from one thread per core. Prints, per frame
// size, frames per second of both and their ratio (medians of the rounds), CPU time per frame
// of both, then the peak memory of a 4K render and the speed of a transparent PNG render at
// 1080p. Every timed run starts with the files of the last one deleted and the disk flushed.
//
// On a virtual machine whose host takes back the memory the guest frees, a run that lands on
// such memory copies into the page cache several times slower, whichever process it is. So
// besides the medians the benchmark prints the spread of the ratio over the rounds and the
// best run of each side, which is what the processes themselves cost.
//
// Usage: bench_render [DIR] [ROUNDS]   (DIR: the system's temporary directory, ROUNDS: 5)
#include "BenchScene.h"
#include "animation/BmpEncoding.h"
#include "animation/FrameWalk.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
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
const Case kUhd{"4K", 3840, 2160, 3, "bmp"};
const Case kHdAlpha{"1080p transparent PNG", 1920, 1080, 14, "png-alpha"};

struct Run {
    double seconds = 0, cpu = 0; // wall and CPU (user + system) time
    double own = 0;              // the frames alone, as the program's summary times them
    long peakKb = 0;
    bool ok = false;
};

// Runs a program to its end; its own figures, from the kernel, and its render time from the
// summary line ("... 406 frames ... 812 frames/s").
Run runProcess(const std::vector<QByteArray>& args) {
    std::vector<char*> argv;
    for (const QByteArray& a : args)
        argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) return {};
    QElapsedTimer t;
    t.start();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(out[1], STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    ::close(out[1]);
    QByteArray said;
    char buf[4096];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        said.append(buf, n);
    ::close(out[0]);
    int status = 0;
    rusage u{};
    wait4(pid, &status, 0, &u);
    Run r;
    const QRegularExpressionMatch m = QRegularExpression("rendered (\\d+) frames .* (\\d+) frames/s").match(said);
    if (m.hasMatch() && m.captured(2).toDouble() > 0) r.own = m.captured(1).toDouble() / m.captured(2).toDouble();
    r.seconds = t.nsecsElapsed() / 1e9;
    r.cpu = u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    r.peakKb = u.ru_maxrss;
    r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return r;
}

// The raw writer: `count` files of `bytes` each, created, written and closed by a tight loop on
// every core.
int rawWriter(const QString& dir, qint64 count, qint64 bytes) {
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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Pair {
    std::vector<double> renderFps, rawFps, ratio, renderCpu, rawCpu; // CPU in ms per frame
    std::vector<double> framesRatio, startSeconds; // raw against the render's frames alone; the rest
    Run bestRender, bestRaw;
};

void keepBest(Run& best, const Run& r) {
    if (best.seconds == 0 || r.seconds < best.seconds) best = r;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--raw") == 0)
        return rawWriter(QString::fromLocal8Bit(argv[2]), atoll(argv[3]), atoll(argv[4]));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationDirPath() + "/../pathwright");
    const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
    QTemporaryDir tmp(base + "/bench_render-XXXXXX");
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
        const Run r = runProcess({program, "--render", project});
        const qint64 files = removeFiles(out);
        if (!r.ok || files != frames)
            std::fprintf(stderr, "%s: %lld files, not %lld\n", c.name, (long long)files, (long long)frames);
        return r;
    };
    auto raw = [&](qint64 frames, qint64 bytes) {
        const Run r = runProcess(
            {self, "--raw", QFile::encodeName(out), QByteArray::number(frames), QByteArray::number(bytes)});
        removeFiles(out);
        return r;
    };

    for (const Case& c : {kNtsc, kHd}) {
        const qint64 frames = writeProject(c, tmp.path(), out);
        const qint64 bytes = qint64(bmpFileSize(c.width, c.height));
        render(c, frames); // warms the caches of the program and its libraries
        Pair p;
        for (int round = 0; round < rounds; ++round) {
            Run a, b;
            if (round % 2 == 0) {
                a = render(c, frames);
                b = raw(frames, bytes);
            } else {
                b = raw(frames, bytes);
                a = render(c, frames);
            }
            p.renderFps.push_back(frames / a.seconds);
            p.rawFps.push_back(frames / b.seconds);
            p.ratio.push_back(b.seconds / a.seconds);
            p.renderCpu.push_back(1000 * a.cpu / frames);
            p.rawCpu.push_back(1000 * b.cpu / frames);
            p.framesRatio.push_back(a.own > 0 ? b.seconds / a.own : 0);
            p.startSeconds.push_back(a.seconds - a.own);
            keepBest(p.bestRender, a);
            keepBest(p.bestRaw, b);
        }
        const auto [low, high] = std::minmax_element(p.ratio.begin(), p.ratio.end());
        std::printf("%s %dx%d, %lld frames of %lld bytes: render %.0f frames/s, raw %.0f files/s, "
                    "render/raw %.2f (rounds %.2f to %.2f); CPU per frame: render %.3f ms, raw %.3f ms "
                    "(%.2f x raw)\n",
                    c.name, c.width, c.height, (long long)frames, (long long)bytes, median(p.renderFps),
                    median(p.rawFps), median(p.ratio), *low, *high, median(p.renderCpu), median(p.rawCpu),
                    median(p.renderCpu) / median(p.rawCpu));
        const double bestCpu = p.bestRender.cpu / p.bestRaw.cpu;
        std::printf("  best runs: render %.3f s, raw %.3f s, render/raw %.2f; CPU per frame: render %.3f ms, "
                    "raw %.3f ms (%.2f x raw)\n",
                    p.bestRender.seconds, p.bestRaw.seconds, p.bestRaw.seconds / p.bestRender.seconds,
                    1000 * p.bestRender.cpu / frames, 1000 * p.bestRaw.cpu / frames, bestCpu);
        std::printf("  the frames alone (the program's own timing, without start, load and exit): "
                    "render/raw %.2f; start, load and exit %.3f s\n",
                    median(p.framesRatio), median(p.startSeconds));
    }

    {
        const qint64 frames = writeProject(kUhd, tmp.path(), out);
        const Run r = render(kUhd, frames);
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
