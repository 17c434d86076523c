#include "LineGlow.h"

#include "GlowBlur.h"
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

double glowSpread(double width, double glow) {
    // The widened line, a layer pixel of its drawing, the blur both times, and a layer pixel of
    // the enlargement.
    return (width + glow) / 2 + (2 * blurRadius(glow) + 2) * layerStep(glow) + 1;
}

double glowReach(double width, double glow) {
    return width / 2 + glow + 2 + layerStep(glow) + layerMargin(glow);
}

std::optional<GlowTexels> glowTexels(const ProjectState& st, std::span<const GlowPart> parts, double width,
                                     double glow, QSize size, const QRect& area) {
    if (glow <= 0) return std::nullopt;
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
    if (r.isEmpty()) return std::nullopt;
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
    return GlowTexels{layer, r.topLeft(), f};
}

int glowStep(double glow) {
    return layerStep(glow);
}

double glowStrength() {
    return kStrength;
}

void paintGlow(QPainter& p, const ProjectState& st, std::span<const GlowPart> parts, double width,
               double glow, QSize size, const QRect& area) {
    const std::optional<GlowTexels> texels = glowTexels(st, parts, width, glow, size, area);
    if (!texels) return;
    const QImage& layer = texels->layer;
    const int f = texels->f;
    const QRect r(texels->corner, layer.size() * f);
    p.save();
    p.resetTransform();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setOpacity(kStrength);
    p.drawImage(QRectF(r), layer);
    p.restore();
}
