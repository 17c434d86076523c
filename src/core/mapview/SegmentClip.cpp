#include "SegmentClip.h"

#include <algorithm>
#include <utility>

bool clipSegment(QPointF& a, QPointF& b, const QRectF& r) {
    double t0 = 0, t1 = 1;
    const double d[2] = {b.x() - a.x(), b.y() - a.y()}, p0[2] = {a.x(), a.y()};
    const double lo[2] = {r.left(), r.top()}, hi[2] = {r.right(), r.bottom()};
    for (int k = 0; k < 2; ++k) {
        if (d[k] == 0) {
            if (p0[k] < lo[k] || p0[k] > hi[k]) return false;
            continue;
        }
        double u = (lo[k] - p0[k]) / d[k], v = (hi[k] - p0[k]) / d[k];
        if (u > v) std::swap(u, v);
        t0 = std::max(t0, u);
        t1 = std::min(t1, v);
        if (t0 > t1) return false;
    }
    const QPointF from = a;
    a = from + (b - from) * t0;
    b = from + (b - from) * t1;
    return true;
}
