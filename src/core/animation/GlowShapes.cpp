#include "GlowShapes.h"

#include "PixelMath.h"
#include "RowSpan.h"

#include "TravelLook.h"
#include "shell/Surface.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// `over` at `opacity` (0 to 256) over `under`, both premultiplied, byte by byte.
inline quint32 blend(quint32 over, quint32 under, int opacity) {
    constexpr quint32 m = 0x00ff00ff;
    const quint32 keep = quint32(256 - opacity), take = quint32(opacity);
    const quint32 lo = (((over & m) * take + (under & m) * keep) >> 8) & m;
    const quint32 hi = ((((over >> 8) & m) * take + ((under >> 8) & m) * keep) >> 8) & m;
    return lo | (hi << 8);
}

struct Span {
    double from = 1, to = 0; // empty while from > to
    void take(double a, double b) {
        if (a > b) return;
        if (from > to)
            from = a, to = b;
        else
            from = std::min(from, a), to = std::max(to, b);
    }
};

// Where the row at height `y` crosses the points within `r` of the piece from `a` to a + d: a
// capsule is convex, so that is one stretch, the hull of where the row crosses its two round
// ends and its straight band.
Span rowSpan(QPointF a, QPointF d, double r, double y) {
    Span s;
    for (const QPointF c : {a, a + d}) {
        const double dy = y - c.y(), h = r * r - dy * dy;
        if (h >= 0) s.take(c.x() - std::sqrt(h), c.x() + std::sqrt(h));
    }
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0) return s;
    // Within the band: 0 <= (p - a).d <= |d|^2 and |(p - a) x d| <= r |d|, each linear in x.
    double lo = -1e300, hi = 1e300;
    const double py = y - a.y();
    narrowSpan(d.x(), py * d.y() - a.x() * d.x(), 0, length * length, lo, hi);
    narrowSpan(-d.y(), a.x() * d.y() + py * d.x(), -r * length, r * length, lo, hi);
    s.take(lo, hi);
    return s;
}
} // namespace

void fillGlowShapes(QImage& layer, QPointF corner, int f, std::span<const GlowPart> parts, double half,
                    const ProjectState& st) {
    const int w = layer.width(), h = layer.height();
    if (w <= 0 || h <= 0 || f < 1 || layer.format() != QImage::Format_ARGB32_Premultiplied) return;
    const double radius = half / f;
    // A part's colour at each pixel it covers, 0 where it covers none; with each row's stretch
    // touched, so only that is blended and cleared again.
    thread_local std::vector<quint32> shape;
    thread_local std::vector<int> left, right;
    shape.assign(std::size_t(w) * std::size_t(h), 0);
    left.assign(std::size_t(h), w);
    right.assign(std::size_t(h), -1);
    for (const GlowPart& part : parts) {
        const int opacity = pixels::opacity256(part.opacity);
        if (part.pieces.empty() || opacity == 0) continue;
        for (const TracePiece& piece : part.pieces) {
            // On the grid from the frame's corner, so whether a pixel is in does not hang on
            // where the layer starts: a part of the frame gets what the whole does.
            const QPointF a = (piece.line.p1() + QPointF(0.5, 0.5)) / f;
            const QPointF d = (piece.line.p2() + QPointF(0.5, 0.5)) / f - a;
            const int y0 = std::max(0, int(std::floor(std::min(a.y(), a.y() + d.y()) - radius - corner.y())));
            const int y1 =
                std::min(h - 1, int(std::ceil(std::max(a.y(), a.y() + d.y()) + radius - corner.y())));
            const quint32 colour = toQColor(legColour(st, piece.leg)).rgb() | 0xff000000u;
            for (int y = y0; y <= y1; ++y) {
                // Pixels whose centres lie within the span.
                const Span s = rowSpan(a, d, radius, corner.y() + y + 0.5);
                if (s.from > s.to) continue;
                // Within the layer before turning whole: a nearly level piece gives bounds far out.
                const int x0 = int(std::max(0.0, std::ceil(s.from - 0.5) - corner.x()));
                const int x1 = int(std::min(w - 1.0, std::floor(s.to - 0.5) - corner.x()));
                if (x0 > x1) continue;
                std::fill_n(shape.data() + std::size_t(y) * std::size_t(w) + x0, x1 - x0 + 1, colour);
                left[std::size_t(y)] = std::min(left[std::size_t(y)], x0);
                right[std::size_t(y)] = std::max(right[std::size_t(y)], x1);
            }
        }
        for (int y = 0; y < h; ++y) {
            const int x0 = left[std::size_t(y)], x1 = right[std::size_t(y)];
            if (x0 > x1) continue;
            quint32* from = shape.data() + std::size_t(y) * std::size_t(w);
            auto* to = reinterpret_cast<quint32*>(layer.scanLine(y));
            for (int x = x0; x <= x1; ++x)
                if (from[x]) to[x] = blend(from[x], to[x], opacity), from[x] = 0;
            left[std::size_t(y)] = w, right[std::size_t(y)] = -1;
        }
    }
}
