#include "SceneFrames.h"

#include "Overlays.h"
#include "SceneChanges.h"
#include "TimeSpans.h"

#include "geo/RouteShape.h"
#include "mapview/PictureSource.h"
#include "shell/LargeImage.h"

#include <cmath>

CameraInput cameraInput(const ProjectState& st, QSizeF world, QSize frame, std::vector<FramePose> poses) {
    CameraInput in;
    in.mode = cameraModeNamed(st.camera).value_or(CameraMode::Fixed);
    in.frame = frame;
    in.world = world;
    in.fps = st.fps;
    in.zoom = st.camerazoom;
    in.marginPercent = st.cameramargin;
    in.titleSeconds = titleSeconds(st);
    in.introSeconds = st.cameraintro;
    in.outroSeconds = st.cameraoutro;
    in.smoothSeconds = st.camerasmooth;
    in.rotate = st.camerarotate;
    const int count = std::clamp<int>(st.listmax, 0, kPointSlots);
    const RouteShape* shape = st.route.get();
    in.legCorners.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        in.points.push_back(shape ? shape->points[std::size_t(i)] : QPointF(st.pointx[i], st.pointy[i]));
        in.zoomKeys.push_back(st.pointzoom[i]);
        if (const LegLine* leg = shape ? shape->leg(i) : nullptr) {
            const QRectF r = leg->bounds();
            in.legCorners[std::size_t(i)] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
        }
    }
    in.poses = std::move(poses);
    return in;
}

namespace {
// The world the camera moves over: the map, or the frame where there is none.
QSizeF worldOf(const MapSource* map, QSize frame) {
    return map ? map->worldSize() : QSizeF(frame);
}

std::shared_ptr<const MapSource> mapOf(const QImage& picture, std::shared_ptr<const MapSource> map) {
    if (map) return map;
    if (picture.isNull()) return nullptr;
    return std::make_shared<PictureSource>(picture);
}
} // namespace

SceneFrames::SceneFrames(const ProjectState& st, const QImage& picture, std::shared_ptr<const MapSource> map,
                         QSize frame, const Marker& marker, bool transparent, qint64 cap)
    : st_(st), poses_(walkPoses(st, cap)), map_(mapOf(picture, std::move(map))),
      plan_(cameraInput(st, worldOf(map_.get(), frame), frame, poses_)), compositor_(st, marker),
      marker_(marker), transparent_(transparent),
      stillMap_(!map_ || dynamic_cast<const PictureSource*>(map_.get())),
      frame_(largeImage(frame, transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32)) {}

SceneFrames::~SceneFrames() = default;

const FramePose& SceneFrames::pose(qint64 n) const {
    static const FramePose bare;
    if (poses_.empty()) return bare;
    const qint64 k = n - plan_.introFrames();
    return poses_[std::size_t(std::clamp<qint64>(k, 0, qint64(poses_.size()) - 1))];
}

const FramePose* SceneFrames::tailFrom(qint64 n) const {
    static const FramePose bare;
    if (!(st_.tail > 0) || !(st_.fps > 0)) return nullptr;
    const qint64 back = std::llround(std::min(st_.tail * st_.fps, 1e9));
    return n - back < plan_.introFrames() ? &bare : &pose(n - back);
}

bool SceneFrames::show(qint64 n, const std::function<void(const QImage&, const ChangeLog&)>& use) {
    if (n < 0 || n >= std::max<qint64>(frames(), 1)) return false;
    const QTransform t = worldToFrame(plan_.at(n), QSizeF(frame_.size()));
    // A title card fades over the whole frame.
    const bool step = stillMap_ && shown_ >= 0 && (n == shown_ || n == shown_ + 1) && t == shownAt_ &&
                      titleOpacity(st_, n) <= 0 && titleOpacity(st_, shown_) <= 0;
    if (step && n == shown_) {
        use(frame_, changes_);
        return true;
    }
    RouteAt route = compositor_.routeAt(t, pose(n), tailFrom(n), frame_.size());
    // A view that stands still, now or into the next frame, is drawn over the map drawn once for
    // it, where the glow and the tail's old line are kept for the frames after.
    const bool keep =
        stillMap_ &&
        (step || (n + 1 < frames() && worldToFrame(plan_.at(n + 1), QSizeF(frame_.size())) == t));
    if (keep && (under_.isNull() || t != underAt_)) {
        under_ = largeImage(frame_.size(), frame_.format());
        Compositor::drawBackground(under_, map_.get(), t, transparent_, nullptr);
        underAt_ = t;
    }
    std::vector<QRect> areas;
    if (step) {
        areas = changedAreas(st_, t, frame_.size(), marker_, shownRoute_, route, n);
    } else {
        areas.push_back(frame_.rect());
        gaps_ = MapGaps();
    }
    for (const QRect& area : areas) {
        compositor_.draw(frame_, map_.get(), t, route, transparent_, &gaps_, area, keep ? &under_ : nullptr);
        drawOverlays(frame_, st_, n, pose(n), area == frame_.rect() ? QRect() : area);
        changes_.add(area);
    }
    shown_ = n;
    shownAt_ = t;
    shownRoute_ = std::move(route);
    use(frame_, changes_);
    return true;
}
