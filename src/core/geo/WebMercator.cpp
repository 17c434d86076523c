#include "WebMercator.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kDegree = M_PI / 180;
}

QPointF toMercator(LatLon at) {
    const double lat = std::clamp(at.lat, -kMaxMercatorLatitude, kMaxMercatorLatitude) * kDegree;
    return QPointF(kMercatorRadius * at.lon * kDegree,
                   kMercatorRadius * std::log(std::tan(M_PI / 4 + lat / 2)));
}

LatLon fromMercator(QPointF m) {
    return {(2 * std::atan(std::exp(m.y() / kMercatorRadius)) - M_PI / 2) / kDegree,
            m.x() / kMercatorRadius / kDegree};
}

bool validLatLon(LatLon at) {
    return std::isfinite(at.lat) && std::isfinite(at.lon) && std::abs(at.lat) <= 90 &&
           std::abs(at.lon) <= 180;
}
