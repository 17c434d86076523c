#pragma once
// Frames composed from the scene, for a camera that moves: the walk's progress and the camera's
// view are worked out for every frame once, and then any frame is drawn on its own.

#include "Camera.h"
#include "Compositor.h"
#include "mapview/MapSource.h"
#include "shell/ChangeLog.h"

#include <functional>
#include <memory>

class MapSource;

class SceneFrames {
  public:
    // The frames of the project's walk up to `cap` walk frames, with the camera's intro and outro,
    // over `map` (a tiled map), else over the picture.
    SceneFrames(const ProjectState& st, const QImage& picture, std::shared_ptr<const MapSource> map,
                QSize frame, const Marker& marker, bool transparent, qint64 cap);
    ~SceneFrames();

    qint64 frames() const { return st_.listmax < 1 ? 0 : plan_.frames(); }
    // Draws frame n and hands it to `use` with the log of the picture's changes; false when
    // there is no frame n. The frame after the one shown last, with the camera standing still
    // over a picture, is drawn only where it differs.
    bool show(qint64 n, const std::function<void(const QImage&, const ChangeLog&)>& use);
    // What the map of the frame shown last could not show.
    const MapGaps& gaps() const { return gaps_; }
    const MapSource* map() const { return map_.get(); }
    QSize frameSize() const { return frame_.size(); }
    // The camera's view at frame n.
    CameraView view(qint64 n) const { return plan_.at(n); }
    // The walk's progress at frame n (the intro shows the bare map, the outro the last frame).
    const FramePose& pose(qint64 n) const;
    // Where the fading tail starts at frame n: the walk's progress the tail's seconds earlier
    // (the bare map before the walk had gone that long); null without a tail.
    const FramePose* tailFrom(qint64 n) const;

  private:
    const ProjectState& st_;
    std::vector<FramePose> poses_;
    std::shared_ptr<const MapSource> map_;
    CameraPlan plan_;
    MapGaps gaps_;
    Compositor compositor_;
    const Marker& marker_;
    bool transparent_;
    bool stillMap_; // the map is a picture, drawn the same in every frame with the same view
    QImage frame_;
    QImage under_; // the map alone as `underAt_` shows it, once frames are drawn in steps
    QTransform underAt_;
    ChangeLog changes_;
    qint64 shown_ = -1;  // the frame `frame_` holds
    QTransform shownAt_; // its view
    RouteAt shownRoute_; // and its route
};

// What the camera needs of the project, the map and the walk.
CameraInput cameraInput(const ProjectState& st, QSizeF world, QSize frame, std::vector<FramePose> poses);
