// Time the map window takes to show one frame scaled to fit, as it does on every preview tick:
// the frame drawn smoothly into a window-sized backing image. Prints medians per format next to
// the time a tick has at the format's rate.

#include "settings/VideoFormats.h"

#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
double medianMs(int runs, const QImage& frame, QImage& window, double scale) {
    std::vector<double> ms;
    QElapsedTimer t;
    for (int i = 0; i < runs; ++i) {
        t.start();
        QPainter p(&window);
        if (scale == 1.0) {
            p.drawImage(0, 0, frame);
        } else {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRectF(0, 0, frame.width() * scale, frame.height() * scale), frame);
        }
        p.end();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}
} // namespace

int main() {
    const QSize room(1580, 880); // the map window on a 1600 x 1000 screen
    QImage window(room, QImage::Format_ARGB32_Premultiplied);
    std::printf("%-10s %11s %7s %12s %14s\n", "format", "frame", "scale", "paint (ms)", "tick at 60 (ms)");
    for (const VideoFormat& f : videoFormats()) {
        if (f.custom()) continue;
        QImage frame(f.width, f.height, QImage::Format_RGB32);
        frame.fill(QColor(120, 170, 210));
        const double scale =
            std::min({1.0, double(room.width()) / f.width, double(room.height()) / f.height});
        const double ms = medianMs(15, frame, window, scale);
        std::printf("%-10s %5dx%-5d %7.3f %12.2f %14.1f\n", f.name, f.width, f.height, scale, ms,
                    1000 / 60.0);
    }
    return 0;
}
