// How long counting a render's frames takes before its first frame, for the longest counts a
// render may have (a day of video at 60 frames a second, reached by legs, by holds or by eased
// legs at one pixel a second), beside a 7-point route of 2-second legs. The render dialog
// repaints every 20 ms: a count longer than that would freeze the window if it ran on the event
// loop, which is why the GUI counts on a worker thread.
#include "BenchScene.h"
#include "animation/FrameCount.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
ProjectState scene(int points, double delay) {
    ProjectState st;
    st.fps = 60;
    st.delay = delay;
    scatterRoute(st, points, 1920, 1080);
    return st;
}

void measure(const char* what, const ProjectState& st) {
    std::vector<double> ms;
    FrameCount count;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        count = countFrames(st);
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("%-34s %9lld frames%s  median %7.1f ms (%4.1f ns a frame, %5.1f repaints of 20 ms)\n", what,
                static_cast<long long>(count.frames), count.error ? " (refused)" : "          ", median,
                median * 1e6 / double(std::max<qint64>(count.frames, 1)), median / 20);
}
} // namespace

int main() {
    std::printf("limit at 60 frames a second: %lld frames\n", static_cast<long long>(frameCountLimit(60)));
    measure("7 points, 2 s legs", scene(7, 120));
    measure("25 points, legs of an hour", scene(25, 3600 * 60));
    ProjectState holds = scene(25, 120);
    holds.hold = 3600;
    measure("25 points, holds of an hour", holds);
    ProjectState eased = scene(5, 0);
    for (int i = 0; i < 5; ++i) {
        eased.pointx[i] = qint16(i % 2 ? 30000 : 0);
        eased.pointy[i] = 0;
    }
    eased.timing = "speed";
    eased.speed = 1;
    eased.easing = "smooth";
    measure("eased legs at a pixel a second", eased);
}
