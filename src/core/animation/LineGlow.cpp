#include "LineGlow.h"

#include "TravelLook.h"
#include "shell/Surface.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// How strong the light is at the line's edge.
constexpr double kStrength = 0.75;

// One pass of a running sum over `count` pixels `stride` apart, from `src` into `dst`.
void blurRun(const quint32* src, quint32* dst, int count, int stride, int radius) {
    const int span = 2 * radius + 1;
    int sum[4] = {0, 0, 0, 0};
    auto add = [&](quint32 px, int sign) {
        for (int c = 0; c < 4; ++c)
            sum[c] += sign * int((px >> (8 * c)) & 0xff);
    };
    // The edges repeat nothing: beyond the picture is clear.
    for (int i = 0; i < std::min(radius, count); ++i)
        add(src[i * stride], 1);
    for (int i = 0; i < count; ++i) {
        if (i + radius < count) add(src[(i + radius) * stride], 1);
        if (i - radius - 1 >= 0) add(src[(i - radius - 1) * stride], -1);
        quint32 out = 0;
        for (int c = 0; c < 4; ++c)
            out |= quint32(sum[c] / span) << (8 * c);
        dst[i * stride] = out;
    }
}
} // namespace

void boxBlur(QImage& img, int radius) {
    if (radius < 1 || img.isNull() || img.depth() != 32) return;
    const int w = img.width(), h = img.height();
    const int stride = int(img.bytesPerLine() / 4);
    std::vector<quint32> tmp(std::size_t(stride) * std::size_t(h));
    auto* px = reinterpret_cast<quint32*>(img.bits());
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < h; ++y)
            blurRun(px + std::size_t(y) * stride, tmp.data() + std::size_t(y) * stride, w, 1, radius);
        for (int x = 0; x < w; ++x)
            blurRun(tmp.data() + x, px + x, h, stride, radius);
    }
}

void paintGlow(QPainter& p, const ProjectState& st, std::span<const GlowPart> parts, double width,
               double glow, QSize size) {
    if (glow <= 0) return;
    QRectF bounds;
    for (const GlowPart& part : parts)
        for (const TracePiece& piece : part.pieces)
            bounds |= QRectF(piece.line.p1(), piece.line.p2()).normalized().adjusted(-0.5, -0.5, 0.5, 0.5);
    const double reach = width / 2 + glow + 2;
    const QRect r = bounds.adjusted(-reach, -reach, reach, reach).toAlignedRect() & QRect(QPoint(0, 0), size);
    if (r.isEmpty()) return;
    // The layer's pixel: about a third of the glow, at least half the frame's resolution.
    const int f = std::clamp(int(glow / 3), 2, 8);
    QImage layer((r.width() + f - 1) / f + 1, (r.height() + f - 1) / f + 1,
                 QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.scale(1.0 / f, 1.0 / f);
        lp.translate(0.5 - r.x(), 0.5 - r.y());
        const double w = width + glow;
        for (const GlowPart& part : parts) {
            lp.setOpacity(part.opacity);
            for (const TracePiece& piece : part.pieces) {
                const QColor colour = toQColor(legColour(st, piece.leg));
                lp.setPen(QPen(colour, w, Qt::SolidLine, Qt::FlatCap));
                if (piece.line.p1() != piece.line.p2()) lp.drawLine(piece.line);
                lp.setPen(Qt::NoPen);
                lp.setBrush(colour);
                lp.drawEllipse(piece.line.p1(), w / 2, w / 2);
                lp.drawEllipse(piece.line.p2(), w / 2, w / 2);
            }
        }
    }
    boxBlur(layer, std::max(1, int(std::lround(glow / (2.0 * f)))));
    p.save();
    p.resetTransform();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(kStrength);
    p.drawImage(QRectF(r.x(), r.y(), layer.width() * f, layer.height() * f), layer);
    p.restore();
}
