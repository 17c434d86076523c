#pragma once
// A smooth zoom-and-pan between two views (van Wijk and Nuij, 2003): a long move zooms out on the
// way, so that both ends stay in reach of the eye, while a short one is nearly a plain slide. A
// view here is its centre and the width of world it shows.

#include <QPointF>

struct PathView {
    QPointF centre;
    double width = 1;
};

class CameraPath {
  public:
    CameraPath() = default;
    // Widths above zero. rho weighs zooming against panning; about 1.4 looks natural.
    CameraPath(PathView from, PathView to, double rho = 1.42);

    // The view at t in [0, 1], at constant perceived speed; the ends are the given views exactly.
    PathView at(double t) const;
    // The path's length in the method's own units (0 for equal views).
    double length() const { return length_; }

  private:
    PathView from_, to_;
    double rho_ = 1.42;
    double distance_ = 0; // between the centres
    double r0_ = 0;
    double length_ = 0;
    bool pureZoom_ = true;
};
