// What undo history costs: a snapshot of a 99-point project (its text and the shared map picture),
// the time to take one and to go back to one, and the memory of 100 steps.
#include "project/ProjectSnapshot.h"
#include "shell/Startup.h"

#include <QElapsedTimer>
#include <cstdio>

int main() {
    Workspace ws;
    startUpBegin(ws, "/tmp");
    startUpFinish(ws, 1.0);
    ws.picture = QImage(654, 480, QImage::Format_RGB32);
    ws.picture.fill(Qt::darkCyan);
    for (int i = 0; i < 99; ++i) {
        ws.st.pointx[i] = qint16(5 + i * 6);
        ws.st.pointy[i] = qint16(100 + (i % 7) * 40);
        ws.st.pointdist[i] = i * 12.345;
    }
    ws.st.listmax = 99;
    constexpr int kSteps = 100;
    std::vector<ProjectSnapshot> steps;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kSteps; ++i) {
        ws.st.pointx[i % 99] += 1; // one edit, then its snapshot
        steps.push_back(takeSnapshot(ws));
    }
    const double takeUs = t.nsecsElapsed() / 1e3 / kSteps;
    qint64 bytes = 0;
    for (const ProjectSnapshot& s : steps)
        bytes += s.text.capacity();
    t.restart();
    for (int i = kSteps - 1; i >= 0; --i)
        restoreSnapshot(ws, steps[i]);
    const double restoreUs = t.nsecsElapsed() / 1e3 / kSteps;
    std::printf("snapshot of a 99-point project: %lld bytes of text, picture shared\n",
                static_cast<long long>(steps.front().text.size()));
    std::printf("100 steps (two snapshots each): %.1f KiB of text\n", 2 * bytes / 1024.0);
    std::printf("take a snapshot: %.1f us; go back to one (parse, apply, redraw): %.1f us\n", takeUs,
                restoreUs);
}
