#include "CameraTargets.h"

#include "CameraFraming.h"

#include <algorithm>
#include <cmath>

namespace {
double inRange(double v, double lo, double hi, double otherwise) {
    return std::isfinite(v) ? std::clamp(v, lo, hi) : otherwise;
}
bool finite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

// The points of the leg a pose draws (the first leg before any is drawn).
std::vector<QPointF> legPoints(const CameraInput& in, int leg) {
    const int last = int(in.points.size()) - 1;
    if (last < 1) return in.points;
    leg = std::clamp(leg, 1, last);
    std::vector<QPointF> out{in.points[leg - 1], in.points[leg]};
    if (leg < int(in.legCorners.size()))
        out.insert(out.end(), in.legCorners[leg].begin(), in.legCorners[leg].end());
    return out;
}

// Every point of the route and the corners of its curved legs.
std::vector<QPointF> routePoints(const CameraInput& in) {
    std::vector<QPointF> out = in.points;
    for (const std::vector<QPointF>& corners : in.legCorners)
        out.insert(out.end(), corners.begin(), corners.end());
    return out;
}

double smoothstep(double t) {
    return t * t * (3 - 2 * t);
}
} // namespace

CameraInput checkedCameraInput(const CameraInput& input) {
    CameraInput in = input;
    in.frame = in.frame.expandedTo({1, 1});
    in.world = QSizeF(inRange(in.world.width(), 1, 1e9, 1), inRange(in.world.height(), 1, 1e9, 1));
    in.fps = inRange(in.fps, 1, 1000, 25);
    in.zoom = inRange(in.zoom, kMinCameraScale, kMaxCameraScale, 1);
    for (double& z : in.zoomKeys)
        z = z > 0 ? inRange(z, kMinCameraScale, kMaxCameraScale, -1) : -1;
    in.marginPercent = inRange(in.marginPercent, 0, 45, 10);
    in.titleSeconds = inRange(in.titleSeconds, 0, 3600, 0);
    in.introSeconds = inRange(in.introSeconds, 0, 3600, 0);
    in.outroSeconds = inRange(in.outroSeconds, 0, 3600, 0);
    in.smoothSeconds = inRange(in.smoothSeconds, 0, 60, 0);
    std::erase_if(in.points, [](QPointF p) { return !finite(p); });
    for (std::vector<QPointF>& corners : in.legCorners)
        std::erase_if(corners, [](QPointF p) { return !finite(p); });
    // A frame before the head shows aims where the head first appears; with none shown, at the
    // first point or the middle of the world.
    QPointF fallback =
        in.points.empty() ? QPointF(in.world.width() / 2, in.world.height() / 2) : in.points[0];
    const auto firstShown = std::find_if(in.poses.begin(), in.poses.end(),
                                         [](const FramePose& p) { return p.shown && finite(p.head); });
    FramePose last{firstShown != in.poses.end() ? firstShown->head : fallback, 0, 0, 0, false};
    if (firstShown != in.poses.end()) last.heading = firstShown->heading;
    for (FramePose& p : in.poses) {
        if (!std::isfinite(p.heading)) p.heading = last.heading;
        p.legFraction = inRange(p.legFraction, 0, 1, 0);
        if (!p.shown || !finite(p.head))
            p.head = last.head;
        else
            last = p;
    }
    return in;
}

bool cameraTurnsWorld(const CameraInput& in) {
    return in.rotate &&
           (in.mode == CameraMode::Route || in.mode == CameraMode::Follow || in.mode == CameraMode::Leg);
}

double routeProgress(const FramePose& pose) {
    return pose.leg >= 1 ? pose.leg - 1 + pose.legFraction : 0;
}

std::vector<double> cameraTurns(const CameraInput& in) {
    std::vector<double> out(in.poses.size(), 0.0);
    if (!cameraTurnsWorld(in)) return out;
    double previous = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        // Heading h points up when the world turns by -90 - h; the nearest such turn keeps the
        // series continuous.
        const double raw = -90 - in.poses[n].heading;
        out[n] = n == 0 ? std::remainder(raw, 360.0) : previous + std::remainder(raw - previous, 360.0);
        previous = out[n];
    }
    smoothSeries(out, int(std::lround(in.smoothSeconds * in.fps)));
    return out;
}

std::vector<CameraView> cameraTargets(const CameraInput& in, const std::vector<double>& turns) {
    const QSizeF frame(in.frame);
    const double margin = in.marginPercent / 100;
    const bool cover = cameraTurnsWorld(in);
    std::vector<CameraView> out(in.poses.size());
    const std::vector<QPointF> route =
        in.mode == CameraMode::Route ? routePoints(in) : std::vector<QPointF>();
    qint64 runStart = 0, runLength = 0, previousLeg = 0;
    for (size_t n = 0; n < out.size(); ++n) {
        const FramePose& pose = in.poses[n];
        CameraView v;
        switch (in.mode) {
        case CameraMode::Fixed:
            v = {QPointF(frame.width() / 2, frame.height() / 2), 1, 0};
            break;
        case CameraMode::Map:
            v = frameWorld(in.world, frame);
            break;
        case CameraMode::Route:
            v = framePoints(route, turns[n], frame, margin, in.zoom);
            break;
        case CameraMode::Follow:
            v = {pose.head, zoomAt(in.zoomKeys, routeProgress(pose), in.zoom), turns[n]};
            break;
        case CameraMode::Leg: {
            if (n == 0 || pose.leg != in.poses[n - 1].leg) {
                previousLeg = n == 0 ? pose.leg : in.poses[n - 1].leg;
                runStart = qint64(n);
                runLength = 1;
                while (n + runLength < out.size() && in.poses[n + runLength].leg == pose.leg)
                    ++runLength;
            }
            v = framePoints(legPoints(in, pose.leg), turns[n], frame, margin, in.zoom);
            // The move from the last leg's framing takes up to a second, at most half the leg.
            const double moveFrames = std::max(1.0, std::min(in.fps, runLength / 2.0));
            const double t = (qint64(n) - runStart + 1) / moveFrames;
            if (previousLeg != pose.leg && t < 1) {
                const CameraView from =
                    framePoints(legPoints(in, int(previousLeg)), turns[n], frame, margin, in.zoom);
                const PathView p =
                    CameraPath({from.centre, frame.width() / from.scale}, {v.centre, frame.width() / v.scale})
                        .at(smoothstep(t));
                v = {p.centre, frame.width() / p.width, turns[n]};
            }
            break;
        }
        }
        out[n] = in.mode == CameraMode::Fixed ? v : clampToWorld(v, in.world, frame, cover);
    }
    return out;
}

void smoothSeries(std::vector<double>& values, int radius) {
    if (radius < 1 || values.size() < 2) return;
    std::vector<double> weight(size_t(radius) + 1);
    for (int k = 0; k <= radius; ++k)
        weight[k] = 0.5 * (1 + std::cos(M_PI * k / (radius + 1)));
    const std::vector<double> in = values;
    const qint64 last = qint64(in.size()) - 1;
    for (qint64 n = 0; n <= last; ++n) {
        double sum = 0, total = 0;
        for (qint64 k = -radius; k <= radius; ++k) {
            const double w = weight[size_t(std::abs(k))];
            sum += w * in[size_t(std::clamp(n + k, qint64(0), last))];
            total += w;
        }
        values[size_t(n)] = sum / total;
    }
}
