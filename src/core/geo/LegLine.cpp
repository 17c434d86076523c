#include "RouteShape.h"

#include <QLineF>
#include <algorithm>
#include <limits>

namespace {
constexpr float kKeep = std::numeric_limits<float>::infinity();

double headingOf(QPointF d) {
    return std::atan2(d.y(), d.x()) * 180 / M_PI;
}

} // namespace

void LegLine::add(QPointF p, bool jumpsHere) {
    double s = along.empty() ? 0 : along.back();
    if (!at.empty() && !jumpsHere) s += QLineF(at.back(), p).length();
    at.push_back(p);
    along.push_back(s);
    jump.push_back(jumpsHere ? 1 : 0);
}

void LegLine::finish() {
    const std::size_t n = at.size();
    weight.assign(n, 0.f);
    if (n == 0) return;
    weight.front() = weight.back() = kKeep;
    // Both sides of a jump stay: nothing is drawn across it.
    for (std::size_t k = 1; k < n; ++k)
        if (jump[k]) weight[k] = weight[k - 1] = kKeep;
    struct Range {
        std::size_t a, b;
        float cap;
    };
    std::vector<Range> ranges{{0, n - 1, kKeep}};
    while (!ranges.empty()) {
        const Range r = ranges.back();
        ranges.pop_back();
        if (r.b <= r.a + 1) continue;
        // How far the range's vertices lie from its chord (from its start where the chord has no length).
        const QPointF from = at[r.a], d = at[r.b] - from;
        const double chord = std::sqrt(d.x() * d.x() + d.y() * d.y());
        double stray = 0;
        for (std::size_t k = r.a + 1; k < r.b; ++k) {
            const QPointF v = at[k] - from;
            stray = std::max(stray, chord > 0 ? std::abs(d.x() * v.y() - d.y() * v.x())
                                              : std::sqrt(v.x() * v.x() + v.y() * v.y()));
        }
        if (chord > 0) stray /= chord;
        const std::size_t m = r.a + (r.b - r.a) / 2;
        const float w = std::min(float(stray), r.cap);
        weight[m] = std::max(weight[m], w);
        ranges.push_back({r.a, m, w});
        ranges.push_back({m, r.b, w});
    }
}

QPointF LegLine::pointAt(double s, double* heading) const {
    if (at.empty()) return {};
    const auto it = std::upper_bound(along.begin(), along.end(), s);
    std::size_t k = std::size_t(it - along.begin()); // the first vertex beyond s
    if (k == 0) k = 1;
    if (k >= at.size()) k = at.size() - 1;
    QPointF p = at[k];
    if (k > 0 && !jump[k]) {
        const double span = along[k] - along[k - 1];
        const double f = span > 0 ? std::clamp((s - along[k - 1]) / span, 0.0, 1.0) : 1.0;
        p = at[k - 1] + (at[k] - at[k - 1]) * f;
    }
    if (heading) {
        // The direction of the nearest piece that goes anywhere, looking ahead first.
        for (std::size_t j = k; j < at.size(); ++j)
            if (j > 0 && !jump[j] && at[j] != at[j - 1]) return *heading = headingOf(at[j] - at[j - 1]), p;
        for (std::size_t j = std::min(k, at.size() - 1); j > 0; --j)
            if (!jump[j] && at[j] != at[j - 1]) return *heading = headingOf(at[j] - at[j - 1]), p;
    }
    return p;
}

double LegLine::alongAt(double secs) const {
    if (seconds.empty() || secs >= seconds.back()) return length();
    if (secs <= 0) return 0;
    const auto it = std::upper_bound(seconds.begin(), seconds.end(), secs);
    const std::size_t k = std::size_t(it - seconds.begin());
    const double span = seconds[k] - seconds[k - 1];
    const double f = span > 0 ? (secs - seconds[k - 1]) / span : 1.0;
    return along[k - 1] + (along[k] - along[k - 1]) * f;
}

void LegLine::pieces(double from, double to, double tolerance, std::vector<std::vector<QPointF>>& out) const {
    if (at.empty() || !(to > from)) return;
    std::size_t k = std::size_t(std::upper_bound(along.begin(), along.end(), from) - along.begin());
    std::vector<QPointF> piece{pointAt(from)};
    for (; k < at.size() && along[k] < to; ++k) {
        if (jump[k]) {
            if (piece.size() > 1) out.push_back(std::move(piece));
            piece.assign(1, at[k]);
            continue;
        }
        if (weight[k] > tolerance) piece.push_back(at[k]);
    }
    if (k < at.size() && jump[k] && along[k] <= to) {
        // The end lies exactly on a jump: the piece ends at the map's edge.
        piece.push_back(at[k - 1]);
    } else {
        piece.push_back(pointAt(to));
    }
    if (piece.size() > 1) out.push_back(std::move(piece));
}

QRectF LegLine::bounds() const {
    if (at.empty()) return {};
    double x0 = at[0].x(), x1 = x0, y0 = at[0].y(), y1 = y0;
    for (QPointF p : at) {
        x0 = std::min(x0, p.x()), x1 = std::max(x1, p.x());
        y0 = std::min(y0, p.y()), y1 = std::max(y1, p.y());
    }
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}
