// What the animation's look costs: the same 99-point NTSC route rendered plain and with every
// look and timing setting on (a turned picture marker, a label at every point, a cased line,
// eased legs at one speed, holds), by turns, median of the rounds. Two sinks: one that only
// takes each frame (the render's own work: walking, drawing, composing), and the BMP writer
// into a temporary directory (what a user waits for).
//
// Then the travel film's looks at 1080p: a 99-point route written as BMP files and as MP4, 240
// frames late in the walk (where most of the line is drawn), plain (the classic frames), composed
// with no look of its own, with every line look on (dashed and dotted legs, a colour every third
// leg, a glow and a fading tail) and with every new key (ways of travel, a title, a font, sizes
// that follow the frame). The rate runs from the first frame taken to the last one written; the
// processor time (user and system, the writer's threads included) is the whole render's.
//
// Between BMP renders the machine rests (LOOK_REST seconds, 3 unless set). Without it a render
// writes into the memory the last one's deleted files freed a moment before, where the kernel
// writes a 1080p frame in about 2.2 ms of processor time here, against about 4.5 ms in memory
// that has been free for a few seconds (on this virtual machine likely handed back to the host).
// Which of the two a render got varied from render to render, and a look's rate against plain
// swung from 46 % to 213 % between runs. Rested, every render starts as a user's does.
//
// Usage: bench_look [ROUNDS]; LOOK_KIND=taken|bmp|mp4 and LOOK_ONLY=1|2|3 time one kind and one
// look (with plain) at 1080p alone; LOOK_EACH=1 prints every render's figures.
#include "BenchScene.h"
#include "animation/FrameWriters.h"
#include "animation/Render.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {
class NullSink : public FrameSink {
  public:
    MaybeError put(const QImage& frame, qint64, const ChangeLog* = nullptr) override {
        sum_ += frame.constBits()[0]; // touches the frame, as a writer would
        ++n_;
        return std::nullopt;
    }
    MaybeError finish() override { return std::nullopt; }
    qint64 written() const override { return n_; }

  private:
    qint64 n_ = 0;
    unsigned sum_ = 0;
};

void setUp(Workspace& ws, bool look, const QString& dir) {
    startUpBegin(ws, QDir::tempPath());
    startUpFinish(ws, 1.0); // NTSC: 654 x 480 at 29.97 fps, 59.94 frames per leg
    ws.picture = benchMap(ws.st.framewidth, ws.st.frameheight);
    scatterRoute(ws.st, 99, ws.st.framewidth, ws.st.frameheight);
    ws.st.renderpath = dir + '/';
    ws.st.rendername = look ? "look" : "plain";
    if (!look) return;
    QImage plane(64, 64, QImage::Format_ARGB32_Premultiplied);
    plane.fill(Qt::transparent);
    QPainter(&plane).fillRect(8, 24, 48, 16, Qt::white);
    plane.save(dir + "/plane.png");
    // About the plain route's pace, so both renders give a similar number of frames.
    QByteArray keys =
        "hold = 0.1\ntiming = speed\nspeed = 150\neasing = smooth\nmarker = picture\n"
        "markersize = 40\nmarkerturn = 1\ncasing = 16777215\ncasingwidth = 2\nmarkerpicture = " +
        QFile::encodeName(dir) + "/plane.png\n";
    for (int i = 0; i < 99; ++i)
        keys += "label." + QByteArray::number(i) + " = Stop " + QByteArray::number(i) + "\n";
    applyProjectRead(ws.st, parseProjectText(keys));
}

double median(std::vector<double> v);

// This process's processor time so far, user and system, in ms.
std::pair<double, double> cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    auto ms = [](timeval t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {ms(u.ru_utime), ms(u.ru_stime)};
}

// Times a writer from the first frame it takes until its last is written.
class TimedSink : public FrameSink {
  public:
    explicit TimedSink(FrameSink& to) : to_(to) {}
    MaybeError put(const QImage& frame, qint64 index, const ChangeLog* changes = nullptr) override {
        if (n_++ == 0) t_.start();
        return to_.put(frame, index, changes);
    }
    MaybeError finish() override { return to_.finish(); }
    qint64 written() const override { return to_.written(); }
    bool ready() const override { return to_.ready(); }
    qint64 frameLimit() const override { return to_.frameLimit(); }
    double rate() const { return (n_ - 1) / (t_.nsecsElapsed() / 1e9); }

  private:
    FrameSink& to_;
    QElapsedTimer t_;
    qint64 n_ = 0;
};

// 0: plain, 1: composed with no look of its own, 2: every line look, 3: every new look key.
void setUpHd(Workspace& ws, int look, const QString& dir, const char* kind) {
    startUpBegin(ws, QDir::tempPath());
    startUpFinish(ws, 1.0);
    ProjectState& st = ws.st;
    st.format = u'c';
    st.framewidth = 1920;
    st.frameheight = 1080;
    st.fps = 30;
    st.delay = st.fps; // a second a leg
    ws.map.resize(1920, 1080);
    ws.picture = benchMap(1920, 1080);
    scatterRoute(st, 99, 1920, 1080);
    // First, as a file read puts every key it does not name back to its default.
    if (look >= 2) {
        QByteArray keys = "linestyle = dashed\nglow = 8\ntail = 4\ntailfade = 30\n";
        if (look == 3) // ways of travel by turns, a title card (before the frames timed) and a font
            keys += "title = Bench\nsubtitle = Every key\nfont = DejaVu Serif\n";
        applyProjectRead(st, parseProjectText(keys));
        const char* modes[] = {"train", "boat", "plane", "car", "walk"};
        for (int i = 1; i < 99; ++i) {
            if (i % 3 == 0) st.pointcolor[i] = rgb(40, 90, 255);
            if (i % 4 == 0) st.pointlinestyle[i] = "dotted";
            if (look == 3) st.pointmode[i] = modes[i % 5];
        }
    }
    st.renderpath = dir + '/';
    st.rendername = "hd";
    st.renderformat = kind;
    st.renderfrom = 2400;
    st.renderto = 2639;
    if (look >= 1) st.stylescale = "frame"; // the same sizes at 1080 lines
}

void hdLooks(int rounds, const QString& dir) {
    // "taken": frames handed to a sink that only takes them, the drawing alone.
    const char* kinds[] = {"taken", "bmp", "mp4"};
    const QByteArray onlyKind = qgetenv("LOOK_KIND");
    const int onlyLook =
        qEnvironmentVariableIsSet("LOOK_ONLY") ? qEnvironmentVariableIntValue("LOOK_ONLY") : -1;
    const bool each = qEnvironmentVariableIsSet("LOOK_EACH");
    const unsigned rest = qEnvironmentVariableIsSet("LOOK_REST")
                              ? unsigned(std::max(0, qEnvironmentVariableIntValue("LOOK_REST")))
                              : 3;
    for (const char* kind : kinds) {
        if (!onlyKind.isEmpty() && onlyKind != kind) continue;
        const bool taken = QByteArray(kind) == "taken";
        std::vector<double> fps[4], user[4], system[4];
        for (int r = 0; r < rounds; ++r) {
            // Each round starts with another look, so none always follows the same one.
            for (int turn = 0; turn < 4; ++turn) {
                const int look = (turn + r) % 4;
                if (onlyLook >= 0 && look != 0 && look != onlyLook) continue;
                Workspace ws;
                setUpHd(ws, look, dir, taken ? "bmp" : kind);
                NullSink null;
                MadeWriter made = taken ? MadeWriter{} : makeFrameWriter(renderTargetFor(ws));
                if (!taken && !made.sink) {
                    std::printf("%s: %s\n", kind, qPrintable(made.error->reason));
                    return;
                }
                TimedSink timed(taken ? static_cast<FrameSink&>(null) : *made.sink);
                const auto [user0, system0] = cpuMs();
                const RenderResult done = RenderAnimation(ws, timed);
                fps[look].push_back(timed.rate());
                made = MadeWriter{}; // its threads end, their time counted
                const auto [user1, system1] = cpuMs();
                const double frames = double(std::max<qint64>(1, done.frames));
                user[look].push_back((user1 - user0) / frames);
                system[look].push_back((system1 - system0) / frames);
                if (each)
                    std::printf("round %d, look %d: %.1f frames/s, processor %.2f + %.2f ms a frame\n", r,
                                look, fps[look].back(), user[look].back(), system[look].back());
                for (QDirIterator it(dir, {"*.bmp", "*.mp4"}, QDir::Files); it.hasNext();)
                    QFile::remove(it.next());
                ::sync(); // what the disk still had to write of one render does not slow the next
                if (QByteArray(kind) == "bmp") ::sleep(rest);
            }
        }
        std::printf("a 99-point 1080p route, 240 frames late in the walk, %s; median of %d rounds\n",
                    taken ? "taken, not written" : kind, rounds);
        const char* what[4] = {"plain (classic frames)", "composed, no look of its own", "every line look",
                               "every new look key"};
        // A look against plain in the same round, where the disk and the machine were alike; the
        // median of those ratios.
        for (int look = 0; look < 4; ++look) {
            if (fps[look].empty()) continue;
            std::vector<double> ratio;
            for (std::size_t r = 0; r < fps[look].size() && r < fps[0].size(); ++r)
                ratio.push_back(fps[look][r] / fps[0][r]);
            std::printf("%-30s %7.1f frames/s (%.0f %% of plain in the same round), processor %.2f + "
                        "%.2f ms a frame\n",
                        what[look], median(fps[look]), 100 * median(ratio), median(user[look]),
                        median(system[look]));
        }
    }
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir tmp;
    if (qEnvironmentVariableIsSet("LOOK_ONLY") || qEnvironmentVariableIsSet("LOOK_KIND")) {
        hdLooks(rounds, tmp.path());
        return 0;
    }
    std::vector<double> fps[2][2]; // [look][bmp]
    qint64 frames[2] = {0, 0};
    for (int r = 0; r < rounds; ++r) {
        for (int bmp = 0; bmp < 2; ++bmp) {
            for (int look = 0; look < 2; ++look) {
                Workspace ws;
                setUp(ws, look, tmp.path());
                MadeWriter made;
                NullSink null;
                if (bmp) made = makeFrameWriter(renderTargetFor(ws));
                FrameSink& sink = bmp ? *made.sink : static_cast<FrameSink&>(null);
                QElapsedTimer t;
                t.start();
                const RenderResult res = RenderAnimation(ws, sink);
                fps[look][bmp].push_back(res.frames / (t.nsecsElapsed() / 1e9));
                frames[look] = res.frames;
                for (QDirIterator it(tmp.path(), {"*.bmp"}, QDir::Files); it.hasNext();)
                    QFile::remove(it.next());
            }
        }
    }
    std::printf("a 99-point NTSC route, 654 x 480; plain %lld frames, with the look %lld frames; median of "
                "%d rounds\n",
                (long long)frames[0], (long long)frames[1], rounds);
    const char* what[2] = {"frames taken, not written", "24-bit BMP files, page cache"};
    for (int bmp = 0; bmp < 2; ++bmp) {
        const double plain = median(fps[0][bmp]), look = median(fps[1][bmp]);
        std::printf("%-30s plain %6.0f frames/s, with the look %6.0f frames/s (%.0f %%)\n", what[bmp], plain,
                    look, 100 * look / plain);
    }
    hdLooks(rounds, tmp.path());
    return 0;
}
