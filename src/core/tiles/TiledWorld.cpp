#include "TiledWorld.h"

#include <algorithm>
#include <cmath>

namespace {
// Global pixels of a 256-pixel grid at level 0: the whole world is 256 across.
QPointF level0(LatLon at) {
    const QPointF m = toMercator(at);
    const double half = M_PI * kMercatorRadius;
    return QPointF((m.x() + half) / (2 * half) * 256, (half - m.y()) / (2 * half) * 256);
}
} // namespace

TiledWorld::TiledWorld(const GeoArea& area) {
    auto finite = [](double v, double fallback) { return std::isfinite(v) ? v : fallback; };
    const double west = std::clamp(finite(area.west, -180), -180.0, 180.0);
    double east = std::clamp(finite(area.east, 180), -180.0, 180.0);
    if (east <= west) east += 360;
    const QPointF nw = level0({finite(area.north, kMaxMercatorLatitude), west});
    const QPointF se = level0({finite(area.south, -kMaxMercatorLatitude), east});
    const double width = std::max(se.x() - nw.x(), 1e-9);
    const double height = std::max(se.y() - nw.y(), 1e-9);
    // The finest level at which the area fits; level 22 is finer than any survey needs.
    // The slack keeps the whole earth, a hair over 256 pixels tall by rounding, at its level.
    level_ = std::clamp(int(std::floor(std::log2(kLongestSide / std::max(width, height)) + 1e-6)), 0, 22);
    const double k = std::ldexp(1.0, level_);
    origin_ = QPointF(std::floor(nw.x() * k), std::floor(std::min(nw.y(), se.y()) * k));
    size_ = QSize(std::max(1, int(std::ceil(se.x() * k - 1e-6) - origin_.x())),
                  std::max(1, int(std::ceil(std::max(nw.y(), se.y()) * k - 1e-6) - origin_.y())));
}

QPointF TiledWorld::toLevel(QPointF world, int level) const {
    return (world + origin_) * std::ldexp(1.0, level - level_);
}

QPointF TiledWorld::fromLevel(QPointF global, int level) const {
    return global * std::ldexp(1.0, level_ - level) - origin_;
}

QRectF TiledWorld::tileRect(const TileKey& key) const {
    const QPointF a = fromLevel(QPointF(key.x * 256.0, key.y * 256.0), key.z);
    const QPointF b = fromLevel(QPointF((key.x + 1) * 256.0, (key.y + 1) * 256.0), key.z);
    return QRectF(a, b);
}

Georeference TiledWorld::georeference() const {
    const double half = M_PI * kMercatorRadius;
    const double s = 2 * half / (256 * std::ldexp(1.0, level_)); // metres per pixel
    const QTransform t(s, 0, 0, -s, s * (origin_.x() + 0.5) - half, half - s * (origin_.y() + 0.5));
    return *Georeference::make(Projection::WebMercator, t);
}
