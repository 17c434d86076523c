#pragma once
// The camera at frame n: which part of the world (the map, in its own pixels) a frame shows, how
// enlarged and how turned. A plan is built once from the route and the walk's head at every walk
// frame; after that any frame is looked up on its own, in any order.

#include "CameraPath.h"
#include "WalkPoses.h"

#include <QPointF>
#include <QSize>
#include <QString>
#include <QTransform>
#include <optional>
#include <vector>

struct CameraView {
    QPointF centre;      // world pixels at the frame's centre
    double scale = 1;    // frame pixels per world pixel
    double rotation = 0; // degrees the world turns in the frame, clockwise on screen
};

// World pixels to frame pixels for a frame of this size.
QTransform worldToFrame(const CameraView& view, QSizeF frame);

// fixed: the map at 1:1 from the top-left corner. map: the whole map fitted, centred. route: the
// whole route with a margin. follow: the head at the centre. leg: each leg whole while it is drawn.
enum class CameraMode { Fixed, Map, Route, Follow, Leg };
std::optional<CameraMode> cameraModeNamed(const QString& name);

struct CameraInput {
    CameraMode mode = CameraMode::Fixed;
    QSize frame;
    QSizeF world;
    double fps = 25;
    double zoom = 1;              // follow: frame pixels per world pixel
    std::vector<double> zoomKeys; // follow: the zoom when the head reaches point i; below zero none
    double marginPercent = 10;    // of the frame, kept free on every side of what is framed
    double titleSeconds = 0;      // the view stays where the intro starts, before it
    double introSeconds = 0;
    double outroSeconds = 0;
    double smoothSeconds = 0.5; // the camera looks this far ahead and behind
    bool rotate = false;        // the direction of travel points up
    std::vector<QPointF> points;
    // The corners of the leg ending at point i, where its line is not straight (a curve bulges
    // beyond its two points); empty for a straight leg.
    std::vector<std::vector<QPointF>> legCorners;
    std::vector<FramePose> poses; // one per walk frame
};

class CameraPlan {
  public:
    // Out-of-range values in the input are brought into range; the plan is always usable.
    explicit CameraPlan(const CameraInput& input);

    // Title and intro frames, then one per walk frame, then outro frames.
    qint64 frames() const { return intro_ + qint64(walk_.size()) + outro_; }
    qint64 introFrames() const { return intro_; }
    // Frame n, clamped to the plan's frames.
    CameraView at(qint64 n) const;

  private:
    CameraView travel(const CameraPath& path, double fromRotation, double toRotation, double t) const;

    CameraInput in_;                           // without the poses, which the plan no longer needs
    qint64 title_ = 0, intro_ = 0, outro_ = 0; // intro_ counts the title's frames too
    CameraView overview_;
    std::vector<CameraView> walk_;
};
