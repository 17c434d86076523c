#include "HandStroke.h"

#include "PixelMath.h"
#include "RowSpan.h"

#include <algorithm>
#include <cmath>

void strokeByHand(const PaintedPixels& to, const QLineF& line, double width, QRgb colour) {
    const double length = line.length();
    if (!(length > 0) || !(width > 0) || !std::isfinite(length)) return;
    QImage& image = *to.image;
    const bool opaque = image.format() == QImage::Format_RGB32;
    const QRect clip = to.clip & image.rect();
    const double ux = line.dx() / length, uy = line.dy() / length, half = width / 2;
    const QPointF a = line.p1();
    // Pixels whose centres lie within half a pixel of the stroke take some of it.
    const double reach = half + 0.5;
    const double top = std::min(line.y1(), line.y2()) - reach,
                 bottom = std::max(line.y1(), line.y2()) + reach;
    const int y0 = int(std::max(double(clip.top()), std::floor(top - 0.5)));
    const int y1 = int(std::min(double(clip.bottom()), std::ceil(bottom - 0.5)));
    const quint32 solid = colour | 0xff000000u;
    for (int y = y0; y <= y1; ++y) {
        const double cy = y + 0.5 - a.y();
        // Along: (cx - a.x) ux + cy uy in [-0.5, length + 0.5]; across: (cx - a.x) uy - cy ux in
        // [-reach, reach].
        double lo = -1e300, hi = 1e300;
        narrowSpan(ux, cy * uy, -0.5, length + 0.5, lo, hi);
        narrowSpan(uy, -cy * ux, -reach, reach, lo, hi);
        if (lo > hi) continue;
        // Within the clip before turning whole: a nearly upright stroke gives bounds far out.
        const double first = std::max(double(clip.left()), std::ceil(a.x() + lo - 0.5));
        const double last = std::min(double(clip.right()), std::floor(a.x() + hi - 0.5));
        if (first > last) continue;
        const int x0 = int(first), x1 = int(last);
        auto* out = reinterpret_cast<quint32*>(image.scanLine(y));
        double along = (x0 + 0.5 - a.x()) * ux + cy * uy;
        double across = (x0 + 0.5 - a.x()) * uy - cy * ux;
        for (int x = x0; x <= x1; ++x, along += ux, across += uy) {
            const double side = std::clamp(reach - std::abs(across), 0.0, 1.0);
            const double ends =
                std::clamp(along + 0.5, 0.0, 1.0) * std::clamp(length + 0.5 - along, 0.0, 1.0);
            const int alpha = int(side * ends * 255 + 0.5);
            if (alpha <= 0) continue;
            out[x] =
                pixels::over(alpha >= 255 ? solid : pixels::times(solid, quint32(alpha)), out[x], opaque);
        }
    }
}
