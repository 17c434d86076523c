#pragma once
// A frame composed from the scene: the map as the camera shows it, then the route up to the
// walk's progress, its circles and labels, and the marker. Geometry goes through the camera's
// transform; widths, radii and sizes stay frame pixels at every zoom.

#include "Marker.h"
#include "WalkPoses.h"

#include <QTransform>

class MapSource;
struct MapGaps;

class Compositor {
  public:
    Compositor(const ProjectState& st, const Marker& marker);
    // Draws onto `frame`, which is cleared first (to the background, or to clear when it has alpha
    // and `transparent` is set: then the map is left out). The map's credit, when it owes one,
    // goes in the bottom-right corner; what the map could not show is counted in `gaps`.
    // `tailFrom`, with a tail set: the walk's progress the tail's seconds earlier; the line up to
    // there is drawn faded.
    void draw(QImage& frame, const MapSource* map, const QTransform& worldToFrame, const FramePose& pose,
              bool transparent, MapGaps* gaps = nullptr, const FramePose* tailFrom = nullptr) const;

  private:
    void drawRoute(QPainter& p, const QTransform& t, const FramePose& pose, const FramePose* tailFrom,
                   QSize frame) const;

    const ProjectState& st_;
    const Marker& marker_;
};
