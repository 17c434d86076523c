// Time of one redraw at the heaviest style the dialog allows: 99 points, line 9, circle 9,
// radius 13, on a PAL map with a picture. Dragging a style bar redraws once per step, so this
// must stay well under a frame time. Prints the median over many runs.

#include "mapview/RouteDrawing.h"
#include "settings/Presets.h"
#include "shell/Startup.h"

#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QImage mapPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(40, 90, 160));
    g.setColorAt(1, QColor(200, 190, 120));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(90, 60, 30), 2));
    for (int i = 0; i < w; i += 37)
        p.drawLine(i, 0, w - i, h);
    return img;
}

struct Figures {
    double median, p10, p90;
};

Figures timeRuns(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    ms.reserve(runs);
    QElapsedTimer t;
    for (int i = 0; i < runs; ++i) {
        t.start();
        work();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[runs / 2], ms[runs / 10], ms[runs * 9 / 10]};
}

void print(const char* what, const Figures& f) {
    std::printf("%-44s median %7.3f ms   p10 %7.3f   p90 %7.3f\n", what, f.median, f.p10, f.p90);
}

} // namespace

int main() {
    Workspace ws;
    startUpBegin(ws, "/tmp");
    startUpFinish(ws, 1.0);
    SetPAL(ws);
    ws.picture = mapPicture(ws.st.framewidth, ws.st.frameheight);
    ProjectState& st = ws.st;
    st.linethick = 9;
    st.circlethick = 9;
    st.circleradius = 13;
    // A zig-zag of 99 points over the whole map, so legs are long and cross the picture.
    st.listmax = 99;
    for (int i = 0; i < 99; ++i) {
        st.pointx[i] = qint16(30 + (i * 97) % 720);
        st.pointy[i] = qint16(30 + (i * 53) % 510);
    }
    st.selected = 50;

    const int runs = 400;
    Redraw(ws); // warm up
    std::printf("redraw of 99 points, line 9, circle 9, radius 13, on a %dx%d map picture (%d runs)\n",
                ws.map.width(), ws.map.height(), runs);
    print("Redraw (swatch, reset, route, image read)", timeRuns(runs, [&] {
              Redraw(ws);
              ws.map.image();
          }));
    print("  reset to the picture only", timeRuns(runs, [&] {
              ws.map.resetTo(ws.picture);
              ws.map.image();
          }));
    print("  route only", timeRuns(runs, [&] {
              drawRoute(ws);
              ws.map.image();
          }));
    std::printf("target: under 2 ms per redraw\n");
    return 0;
}
