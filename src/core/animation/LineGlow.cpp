#include "LineGlow.h"

#include "GlowShapes.h"
#include "LinePaint.h"
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

// The layer's pixel in frame pixels: about half the glow, at least half the frame's resolution.
int layerStep(double glow) {
    return std::clamp(int(glow / 2), 2, 8);
}

int blurRadius(double glow) {
    return std::max(1, int(std::lround(glow / (2.0 * layerStep(glow)))));
}

// Beyond a part of the layer, the layer pixels its blur and enlargement take in.
int layerMargin(double glow) {
    return (2 * blurRadius(glow) + 2) * layerStep(glow);
}
} // namespace

void boxBlur(QImage& img, int radius) {
    if (radius < 1 || img.isNull() || img.depth() != 32) return;
    const int w = img.width(), h = img.height();
    const qsizetype stride = img.bytesPerLine();
    thread_local std::vector<uchar> tmp;
    tmp.resize(std::max(tmp.size(), std::size_t(stride) * std::size_t(h)));
    uchar* px = img.bits();
    for (int pass = 0; pass < 2; ++pass) {
        blurRows(px, tmp.data(), w, h, stride, radius);
        blurColumns(tmp.data(), px, w, h, stride, radius);
    }
}

double glowSpread(double width, double glow) {
    // The widened line, a layer pixel of its drawing, the blur both times, and a layer pixel of
    // the enlargement.
    return (width + glow) / 2 + (2 * blurRadius(glow) + 2) * layerStep(glow) + 1;
}

double glowReach(double width, double glow) {
    return width / 2 + glow + 2 + layerStep(glow) + layerMargin(glow);
}

void paintGlow(QPainter& p, const ProjectState& st, std::span<const GlowPart> parts, double width,
               double glow, QSize size, const QRect& area) {
    if (glow <= 0) return;
    QRectF bounds;
    for (const GlowPart& part : parts)
        for (const TracePiece& piece : part.pieces)
            bounds |= QRectF(piece.line.p1(), piece.line.p2()).normalized().adjusted(-0.5, -0.5, 0.5, 0.5);
    // The layer reaches as far as the blur spreads the widened line, so its edge cuts nothing
    // off: cut at a box around the pieces drawn, a part would differ from the whole.
    const int f = layerStep(glow), margin = layerMargin(glow);
    const double reach = (width + glow) / 2 + margin;
    QRect r = bounds.adjusted(-reach, -reach, reach, reach).toAlignedRect() & QRect(QPoint(0, 0), size);
    if (!area.isNull()) r &= area.adjusted(-margin, -margin, margin, margin);
    if (r.isEmpty()) return;
    // The layer's pixels sit on one grid from the frame's corner, so a part of it holds what
    // the whole would.
    r.setLeft(r.left() - r.left() % f);
    r.setTop(r.top() - r.top() % f);
    const QSize layerSize((r.width() + f - 1) / f + 1, (r.height() + f - 1) / f + 1);
    thread_local std::vector<uchar> store;
    const std::size_t bytes = std::size_t(layerSize.width()) * std::size_t(layerSize.height()) * 4;
    if (store.size() < bytes) store.resize(bytes);
    QImage layer(store.data(), layerSize.width(), layerSize.height(), qsizetype(layerSize.width()) * 4,
                 QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    fillGlowShapes(layer, QPointF(r.topLeft()) / f, f, parts, (width + glow) / 2, st);
    boxBlur(layer, blurRadius(glow));
    p.save();
    p.resetTransform();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(kStrength);
    p.drawImage(QRectF(r.x(), r.y(), layer.width() * f, layer.height() * f), layer);
    p.restore();
}
