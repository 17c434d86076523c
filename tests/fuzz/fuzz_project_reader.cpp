// Fuzz target of the project reader: any bytes must parse without a fault and stay inside the
// 100 slots, and what is read, written and read again must give the same project and text.
#include "project/ProjectText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "project reader fault: %s\n", what);
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

ProjectState load(QByteArrayView bytes) {
    ProjectState st;
    st.version = "1.1";
    applyProjectRead(st, parseProjectText(bytes));
    return st;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ProjectState first = load(QByteArrayView(data, qsizetype(size)));
    require(first.listmax >= 0 && first.listmax <= kPointSlots, "listmax outside 0..100");
    const QByteArray once = formatProjectText(first);
    const ProjectState second = load(once);
    require(parseProjectText(once).skippedLines == 0, "a written point line was skipped");
    require(sameProject(first, second), "what was written reads back differently");
    require(formatProjectText(second) == once, "writing what was read back changed the text");
    return 0;
}
