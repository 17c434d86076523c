#include "GlowShapes.h"

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
} // namespace

void fillGlowShapes(QImage& layer, QPointF corner, int f, std::span<const GlowPart> parts, double half,
                    const ProjectState& st) {
    const int w = layer.width(), h = layer.height();
    if (w <= 0 || h <= 0 || f < 1 || layer.format() != QImage::Format_ARGB32_Premultiplied) return;
    const double radius = half / f, reach = radius * radius;
    // A part's colour at each pixel it covers, 0 where it covers none.
    thread_local std::vector<quint32> shape;
    for (const GlowPart& part : parts) {
        const int opacity = std::clamp(int(std::lround(part.opacity * 256)), 0, 256);
        if (part.pieces.empty() || opacity == 0) continue;
        shape.assign(std::size_t(w) * std::size_t(h), 0);
        int top = h, bottom = -1;
        for (const TracePiece& piece : part.pieces) {
            const QPointF a = (piece.line.p1() + QPointF(0.5, 0.5)) / f - corner;
            const QPointF d = (piece.line.p2() + QPointF(0.5, 0.5)) / f - corner - a;
            const double length2 = d.x() * d.x() + d.y() * d.y();
            const int x0 = std::max(0, int(std::floor(std::min(a.x(), a.x() + d.x()) - radius)));
            const int x1 = std::min(w - 1, int(std::ceil(std::max(a.x(), a.x() + d.x()) + radius)));
            const int y0 = std::max(0, int(std::floor(std::min(a.y(), a.y() + d.y()) - radius)));
            const int y1 = std::min(h - 1, int(std::ceil(std::max(a.y(), a.y() + d.y()) + radius)));
            if (x0 > x1 || y0 > y1) continue;
            top = std::min(top, y0), bottom = std::max(bottom, y1);
            const quint32 colour = toQColor(legColour(st, piece.leg)).rgb() | 0xff000000u;
            for (int y = y0; y <= y1; ++y) {
                quint32* row = shape.data() + std::size_t(y) * std::size_t(w);
                for (int x = x0; x <= x1; ++x) {
                    // The pixel's centre against the nearest point of the piece.
                    const double px = x + 0.5 - a.x(), py = y + 0.5 - a.y();
                    const double t =
                        length2 > 0 ? std::clamp((px * d.x() + py * d.y()) / length2, 0.0, 1.0) : 0;
                    const double ex = px - t * d.x(), ey = py - t * d.y();
                    if (ex * ex + ey * ey <= reach) row[x] = colour;
                }
            }
        }
        for (int y = std::max(top, 0); y <= bottom; ++y) {
            const quint32* from = shape.data() + std::size_t(y) * std::size_t(w);
            auto* to = reinterpret_cast<quint32*>(layer.scanLine(y));
            for (int x = 0; x < w; ++x)
                if (from[x]) to[x] = blend(from[x], to[x], opacity);
        }
    }
}
