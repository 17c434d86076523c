#include "LineGlow.h"

#include "TravelLook.h"
#include "shell/Surface.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// How strong the light is at the line's edge.
constexpr double kStrength = 0.75;

// A box of `radius` along each row of 4-byte pixels, `src` into `dst`; beyond the edges is clear.
// Sums are scaled by a fixed-point reciprocal: a division per channel would cost more than the rest.
void blurRows(const uchar* src, uchar* dst, int w, int h, qsizetype stride, int radius) {
    const int scale = (1 << 16) / (2 * radius + 1);
    for (int y = 0; y < h; ++y) {
        const uchar* in = src + y * stride;
        uchar* out = dst + y * stride;
        for (int c = 0; c < 4; ++c) {
            int sum = 0;
            for (int x = 0; x < std::min(radius, w); ++x)
                sum += in[4 * x + c];
            for (int x = 0; x < w; ++x) {
                if (x + radius < w) sum += in[4 * (x + radius) + c];
                if (x - radius - 1 >= 0) sum -= in[4 * (x - radius - 1) + c];
                out[4 * x + c] = uchar((sum * scale) >> 16);
            }
        }
    }
}

// The same down the columns, a whole row of sums at a time so memory is read in order.
void blurColumns(const uchar* src, uchar* dst, int w, int h, qsizetype stride, int radius) {
    const int scale = (1 << 16) / (2 * radius + 1);
    const int n = 4 * w;
    std::vector<int> sum(std::size_t(n), 0);
    for (int y = 0; y < std::min(radius, h); ++y)
        for (int i = 0; i < n; ++i)
            sum[std::size_t(i)] += src[y * stride + i];
    for (int y = 0; y < h; ++y) {
        if (y + radius < h)
            for (int i = 0; i < n; ++i)
                sum[std::size_t(i)] += src[(y + radius) * stride + i];
        if (y - radius - 1 >= 0)
            for (int i = 0; i < n; ++i)
                sum[std::size_t(i)] -= src[(y - radius - 1) * stride + i];
        uchar* out = dst + y * stride;
        for (int i = 0; i < n; ++i)
            out[i] = uchar((sum[std::size_t(i)] * scale) >> 16);
    }
}
} // namespace

void boxBlur(QImage& img, int radius) {
    if (radius < 1 || img.isNull() || img.depth() != 32) return;
    const int w = img.width(), h = img.height();
    const qsizetype stride = img.bytesPerLine();
    std::vector<uchar> tmp(std::size_t(stride) * std::size_t(h));
    uchar* px = img.bits();
    for (int pass = 0; pass < 2; ++pass) {
        blurRows(px, tmp.data(), w, h, stride, radius);
        blurColumns(tmp.data(), px, w, h, stride, radius);
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
    // The layer's pixel: about half the glow, at least half the frame's resolution.
    const int f = std::clamp(int(glow / 2), 2, 8);
    QImage layer((r.width() + f - 1) / f + 1, (r.height() + f - 1) / f + 1,
                 QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        // Without antialiasing, which the blur makes up for at a fraction of the cost.
        QPainter lp(&layer);
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
