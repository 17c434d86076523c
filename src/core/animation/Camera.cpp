#include "Camera.h"

#include "CameraFraming.h"
#include "CameraTargets.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {
double smoothstep(double t) {
    return t * t * (3 - 2 * t);
}

bool moving(CameraMode mode) {
    return mode != CameraMode::Fixed;
}
} // namespace

QTransform worldToFrame(const CameraView& view, QSizeF frame) {
    QTransform t;
    t.translate(frame.width() / 2, frame.height() / 2);
    t.rotate(view.rotation);
    t.scale(view.scale, view.scale);
    t.translate(-view.centre.x(), -view.centre.y());
    return t;
}

std::optional<CameraMode> cameraModeNamed(const QString& name) {
    static const std::pair<const char*, CameraMode> names[] = {{"fixed", CameraMode::Fixed},
                                                               {"map", CameraMode::Map},
                                                               {"route", CameraMode::Route},
                                                               {"follow", CameraMode::Follow},
                                                               {"leg", CameraMode::Leg}};
    for (const auto& [text, mode] : names)
        if (name == QLatin1String(text)) return mode;
    return std::nullopt;
}

CameraPlan::CameraPlan(const CameraInput& input) {
    CameraInput in = checkedCameraInput(input);
    const QSizeF frame(in.frame);
    const bool cover = cameraTurnsWorld(in);
    title_ = qint64(std::llround(in.titleSeconds * in.fps));
    intro_ = title_ + qint64(std::llround(in.introSeconds * in.fps));
    outro_ = qint64(std::llround(in.outroSeconds * in.fps));

    // Intro and outro travel between the walk and the whole route (the whole map when asked for,
    // or when the route has no extent).
    std::vector<double> turns = cameraTurns(in);
    overview_ = frameWorld(in.world, frame);
    const QRectF extent = QPolygonF(QList<QPointF>(in.points.begin(), in.points.end())).boundingRect();
    if (in.mode != CameraMode::Map && (extent.width() > 0 || extent.height() > 0))
        overview_ = framePoints(in.points, 0, frame, in.marginPercent / 100, in.zoom);
    overview_ = clampToWorld(overview_, in.world, frame, cover);

    walk_ = cameraTargets(in, turns);
    const int radius = int(std::lround(in.smoothSeconds * in.fps));
    if (moving(in.mode) && radius > 0 && walk_.size() > 1) {
        // Centre and log scale each averaged over the window, so the camera eases into and out
        // of every change, never past it.
        std::vector<double> xs, ys, logScales;
        for (const CameraView& v : walk_) {
            xs.push_back(v.centre.x());
            ys.push_back(v.centre.y());
            logScales.push_back(std::log(v.scale));
        }
        // Follow keeps the head itself at the centre: only its zoom is smoothed.
        if (in.mode != CameraMode::Follow) {
            smoothSeries(xs, radius);
            smoothSeries(ys, radius);
        }
        smoothSeries(logScales, radius);
        for (size_t n = 0; n < walk_.size(); ++n)
            walk_[n] = {QPointF(xs[n], ys[n]), std::exp(logScales[n]), walk_[n].rotation};
    }
    if (moving(in.mode)) {
        const double inset = std::min(frame.width(), frame.height()) * in.marginPercent / 200;
        for (size_t n = 0; n < walk_.size(); ++n) {
            CameraView& v = walk_[n];
            if (in.mode != CameraMode::Map && in.poses[n].shown)
                v = keepInView(v, in.poses[n].head, frame, inset);
            v = clampToWorld(v, in.world, frame, cover);
        }
    }
    in.poses.clear();
    in.poses.shrink_to_fit();
    in_ = std::move(in);
}

CameraView CameraPlan::travel(const CameraPath& path, double fromRotation, double toRotation,
                              double t) const {
    const QSizeF frame(in_.frame);
    const double eased = smoothstep(std::clamp(t, 0.0, 1.0));
    const PathView p = path.at(eased);
    const double turn = std::remainder(toRotation - fromRotation, 360.0);
    CameraView v{p.centre, frame.width() / p.width, fromRotation + turn * eased};
    // Fixed frames are today's, which may show past the map's edge; the way to them is not clamped.
    return moving(in_.mode) ? clampToWorld(v, in_.world, frame, cameraTurnsWorld(in_)) : v;
}

CameraView CameraPlan::at(qint64 n) const {
    n = std::clamp(n, qint64(0), std::max(qint64(0), frames() - 1));
    const double width = in_.frame.width();
    const CameraView first = walk_.empty() ? overview_ : walk_.front();
    const CameraView last = walk_.empty() ? overview_ : walk_.back();
    CameraView v;
    if (n < intro_) {
        const CameraPath path({overview_.centre, width / overview_.scale},
                              {first.centre, width / first.scale});
        // The title card holds the intro's first view; without an intro, the walk's.
        const qint64 moves = intro_ - title_;
        if (moves == 0)
            v = first;
        else
            v = travel(path, overview_.rotation, first.rotation,
                       double(std::max<qint64>(n - title_, 0)) / double(moves));
    } else if (n - intro_ < qint64(walk_.size())) {
        v = walk_[size_t(n - intro_)];
    } else {
        const qint64 k = n - intro_ - qint64(walk_.size());
        const CameraPath path({last.centre, width / last.scale}, {overview_.centre, width / overview_.scale});
        v = travel(path, last.rotation, overview_.rotation, double(k + 1) / double(outro_));
    }
    v.rotation = std::remainder(v.rotation, 360.0);
    return v;
}
