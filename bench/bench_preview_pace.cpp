// The preview's pace: runs a preview of a few seconds on a precise Qt timer, as the main window
// does, and prints the mean tick period, the worst lateness of a tick and the lateness of the
// last tick against the ideal schedule of one tick per timer interval: lateness that does not
// grow from the first tick to the last is a pace without drift.
#include "animation/Preview.h"
#include "settings/Presets.h"
#include "shell/Startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>

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
        QElapsedTimer clock;
        qint64 ticks = 0;
        double worstLate = 0, lastLate = 0, lastAt = 0;
        Preview preview(ws, {[&](int ms) {
                                 if (!timer.isActive()) timer.start(ms);
                             },
                             [&] { timer.stop(); }, [](const QString&) {}});
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            lastAt = clock.nsecsElapsed() / 1e6;
            lastLate = lastAt - ticks * double(timer.interval());
            worstLate = std::max(worstLate, lastLate);
            preview.tick();
            if (!preview.running()) app.quit();
        });
        clock.start();
        preview.start();
        app.exec();
        const int interval = Preview::intervalFor(ws.st.fps);
        std::printf(
            "%s: %lld ticks at %d ms: mean period %.3f ms, worst tick %.2f ms late, last tick %.2f ms "
            "late; frame count %d\n",
            pal ? "PAL " : "NTSC", (long long)ticks, interval, lastAt / ticks, worstLate, lastLate,
            ws.st.framecount);
    }
    return 0;
}
