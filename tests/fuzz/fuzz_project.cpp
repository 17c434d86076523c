// Fuzz target of the whole load path. Any bytes as a project file must parse without a fault
// and stay inside the 100 slots; what is read, written and read again must give the same
// project and text; and the bytes must load as the program loads a project (apply, preset,
// map picture, redraw) and render their first frames into memory, all without a fault.
#include "animation/Render.h"
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "shell/Startup.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "project load fault: %s\n", what);
    std::abort();
}

// Doubles are written with 15 significant digits, so what is read back lies within half a unit
// of the 15th digit. Judged by the values themselves, not by the writer's own form of them.
bool sameDouble(double a, double b) {
    return std::abs(a - b) <= 1e-14 * std::abs(a);
}

// Every field the file carries.
bool sameProject(const ProjectState& a, const ProjectState& b) {
    bool same = a.format == b.format && sameDouble(a.fps, b.fps) && a.frameheight == b.frameheight &&
                a.framewidth == b.framewidth && a.imagepath == b.imagepath && a.imagename == b.imagename &&
                a.renderpath == b.renderpath && a.rendername == b.rendername &&
                sameDouble(a.interval, b.interval) && a.color == b.color && a.linethick == b.linethick &&
                a.circlethick == b.circlethick && a.circleradius == b.circleradius &&
                a.selected == b.selected && a.selcolor == b.selcolor && a.listmax == b.listmax;
    for (int i = 0; same && i < a.listmax; ++i)
        same = a.pointx[i] == b.pointx[i] && a.pointy[i] == b.pointy[i] &&
               sameDouble(a.pointdist[i], b.pointdist[i]);
    return same;
}

ProjectState read(QByteArrayView bytes) {
    ProjectState st;
    st.version = "1.1";
    applyProjectRead(st, parseProjectText(bytes));
    return st;
}

// The project's folder, holding map pictures that "imagename = m.bmp" or "m.png" reaches.
const QString& projectFolder() {
    static QTemporaryDir dir;
    static const bool made = [] {
        QImage map(64, 48, QImage::Format_RGB32);
        map.fill(Qt::darkGreen);
        return map.save(dir.filePath("m.bmp")) && map.save(dir.filePath("m.png"));
    }();
    require(made, "the map pictures cannot be made");
    static const QString path = dir.path() + '/';
    return path;
}

// Takes the first few frames of a render and then stops it, as a full disk would. It has no
// frame limit, as a video file has none: the render counts all its frames first, as the
// command line does, up to its limit of a day of video.
class FirstFrames : public FrameSink {
  public:
    MaybeError put(const QImage& frame, qint64, const ChangeLog* = nullptr) override {
        require(!frame.isNull(), "the render gave an empty frame");
        if (taken_ == 4) return Error{QString(), "enough frames"};
        ++taken_;
        return std::nullopt;
    }
    MaybeError finish() override { return std::nullopt; }
    qint64 written() const override { return taken_; }

  private:
    qint64 taken_ = 0;
};

void loadAndRender(QByteArrayView bytes) {
    Workspace ws;
    startUpBegin(ws, projectFolder());
    startUpFinish(ws, 1.0);
    ws.st.projectpath = projectFolder() + "p.wsr";
    ws.st.projectname = "p.wsr";
    LoadProjectText(ws, bytes);
    FirstFrames sink;
    const RenderResult r = RenderAnimation(ws, sink);
    require(r.frames <= 4, "the render went on after a frame failed");
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // Picture plug-ins are found through the application, and labels need fonts, which the
    // offscreen platform gives without any window system.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Made once for the whole run; the replay deletes it before it ends (and with it Qt's font
    // caches, freed only then).
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const ProjectState first = read(bytes);
    require(first.listmax >= 0 && first.listmax <= kPointSlots, "listmax outside 0..100");
    const QByteArray once = formatProjectText(first);
    const ProjectState second = read(once);
    require(parseProjectText(once).skippedLines == 0, "a written point line was skipped");
    require(sameProject(first, second), "what was written reads back differently");
    require(formatProjectText(second) == once, "writing what was read back changed the text");
    loadAndRender(bytes);
    return 0;
}
