#include "CameraFraming.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kDegree = M_PI / 180;

QPointF turned(QPointF p, double degrees) {
    const double c = std::cos(degrees * kDegree), s = std::sin(degrees * kDegree);
    return {c * p.x() - s * p.y(), s * p.x() + c * p.y()};
}

// Half the width and height of world that the (turned) frame covers, as an upright box.
QPointF halfExtent(const CameraView& v, QSizeF frame) {
    const double c = std::abs(std::cos(v.rotation * kDegree)), s = std::abs(std::sin(v.rotation * kDegree));
    return QPointF(frame.width() * c + frame.height() * s, frame.width() * s + frame.height() * c) /
           (2 * v.scale);
}
} // namespace

CameraView framePoints(const std::vector<QPointF>& points, double rotation, QSizeF frame, double margin,
                       double fallbackScale) {
    if (points.empty()) return {{}, fallbackScale, rotation};
    // The bounds are taken in the frame's orientation, so a turned frame fits them as tightly.
    double x0 = std::numeric_limits<double>::max(), y0 = x0, x1 = -x0, y1 = -x0;
    for (const QPointF& p : points) {
        const QPointF q = turned(p, rotation);
        x0 = std::min(x0, q.x()), x1 = std::max(x1, q.x());
        y0 = std::min(y0, q.y()), y1 = std::max(y1, q.y());
    }
    const double room = std::max(0.0, 1 - 2 * margin);
    const double sx = x1 - x0 > 1e-9 ? frame.width() * room / (x1 - x0) : kMaxCameraScale * 2;
    const double sy = y1 - y0 > 1e-9 ? frame.height() * room / (y1 - y0) : kMaxCameraScale * 2;
    double scale = std::min(sx, sy);
    if (scale > kMaxCameraScale) scale = std::min(fallbackScale, kMaxCameraScale);
    scale = std::clamp(scale, kMinCameraScale, kMaxCameraScale);
    return {turned(QPointF((x0 + x1) / 2, (y0 + y1) / 2), -rotation), scale, rotation};
}

CameraView frameWorld(QSizeF world, QSizeF frame) {
    const double scale = std::min(frame.width() / world.width(), frame.height() / world.height());
    return {QPointF(world.width() / 2, world.height() / 2), scale, 0};
}

double zoomAt(const std::vector<double>& keys, double progress, double fallback) {
    int before = -1, after = -1;
    for (int i = 0; i < int(keys.size()); ++i) {
        if (!(keys[i] > 0)) continue;
        if (i <= progress)
            before = i;
        else if (after < 0)
            after = i;
    }
    if (before < 0 && after < 0) return fallback;
    if (before < 0) return keys[after];
    if (after < 0) return keys[before];
    const double t = (progress - before) / (after - before);
    return std::exp(std::log(keys[before]) * (1 - t) + std::log(keys[after]) * t);
}

CameraView clampToWorld(CameraView v, QSizeF world, QSizeF frame, bool cover) {
    if (cover) {
        const QPointF need = halfExtent({v.centre, 1, v.rotation}, frame) * 2;
        v.scale = std::max({v.scale, need.x() / world.width(), need.y() / world.height()});
    }
    const QPointF half = halfExtent(v, frame);
    auto axis = [](double c, double h, double size) {
        return 2 * h >= size ? size / 2 : std::clamp(c, h, size - h);
    };
    v.centre = {axis(v.centre.x(), half.x(), world.width()), axis(v.centre.y(), half.y(), world.height())};
    return v;
}

CameraView keepInView(CameraView v, QPointF p, QSizeF frame, double inset) {
    const QPointF q = worldToFrame(v, frame).map(p);
    auto push = [](double at, double size, double in) {
        in = std::min(in, size / 2);
        return at < in ? at - in : at > size - in ? at - (size - in) : 0.0;
    };
    const QPointF shift(push(q.x(), frame.width(), inset), push(q.y(), frame.height(), inset));
    if (!shift.isNull()) v.centre += turned(shift, -v.rotation) / v.scale;
    return v;
}
