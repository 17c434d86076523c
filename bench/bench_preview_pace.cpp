// The preview's pace: runs a preview of a few seconds on a precise Qt timer paced as the main
// window paces it (TickPace), and prints the mean tick period, the worst lateness of a tick and
// the lateness of the last tick against the video's own schedule of one frame per 1000 / fps ms
// (33.367 ms for NTSC, 40 ms for PAL): lateness that does not grow from the first tick to the
// last is a pace without drift. For comparison, a plain repeating timer at the rounded interval
// (33 ms) runs 0.367 ms a frame ahead of the NTSC video.
#include "animation/Preview.h"
#include "animation/TickPace.h"
#include "settings/Presets.h"
#include "shell/Startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {
qint64 nowNs() {
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    for (const bool pal : {false, true}) {
        Workspace ws;
        startUpBegin(ws, QDir::tempPath());
        startUpFinish(ws, 1.0);
        if (pal) SetPAL(ws);
        ws.st.listmax = 3; // two legs of 2 s each: about 4 s of ticks
        ws.st.pointx = {{20, 300, 40}};
        ws.st.pointy = {{20, 200, 400}};
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        TickPace pace;
        QElapsedTimer clock;
        qint64 ticks = 0;
        double worstLate = 0, lastLate = 0, lastAt = 0;
        Preview preview(ws, {[&](int) {
                                 if (!timer.isActive()) timer.start(pace.wait(nowNs()));
                             },
                             [&] { timer.stop(); }, [](const QString&) {}});
        const double period = TickPace::periodFor(ws.st.fps);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            lastAt = clock.nsecsElapsed() / 1e6;
            lastLate = lastAt - ticks * period;
            worstLate = std::max(worstLate, lastLate);
            preview.tick();
            pace.ticked();
            if (preview.running() && timer.isActive()) timer.start(pace.wait(nowNs()));
            if (!preview.running()) app.quit();
        });
        pace.reset(ws.st.fps);
        clock.start();
        preview.start();
        app.exec();
        std::printf("%s: %lld ticks, video period %.3f ms: mean period %.3f ms, worst tick %.2f ms late, "
                    "last tick %.2f ms late; frame count %lld\n",
                    pal ? "PAL " : "NTSC", (long long)ticks, period, lastAt / ticks, worstLate, lastLate,
                    (long long)preview.frame());
    }
    return 0;
}
