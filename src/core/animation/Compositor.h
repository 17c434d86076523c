#pragma once
// A frame composed from the scene: the map as the camera shows it, then the route up to the
// walk's progress, its circles and labels, and the marker. Geometry goes through the camera's
// transform; widths, radii and sizes stay frame pixels at every zoom.

#include "DiscStamps.h"
#include "LinePaint.h"
#include "LineTail.h"
#include "LitMap.h"
#include "Marker.h"
#include "RouteTrace.h"

#include <QTransform>
#include <vector>

class MapSource;
struct MapGaps;

// The route as a frame shows it at one moment of the walk.
struct RouteAt {
    const FramePose* pose = nullptr;
    RouteTrace trace;            // the line up to the head, cut at the frame's edges (and a margin)
    double tailStart = -1;       // the length along it where the fading tail starts; below 0 for none
    std::vector<QPointF> points; // where the frame shows each route point
};

class Compositor {
  public:
    Compositor(const ProjectState& st, const Marker& marker);
    // The route at `pose` through `t` on a frame of `frame` pixels. `tailFrom`, with a tail set:
    // the walk's progress the tail's seconds earlier; the line up to there is drawn faded.
    RouteAt routeAt(const QTransform& t, const FramePose& pose, const FramePose* tailFrom, QSize frame) const;
    // Draws `route` onto `frame`, which is cleared first (to the background, or to clear when it
    // has alpha and `transparent` is set: then the map is left out). The map's credit, when it
    // owes one, goes in the bottom-right corner; what the map could not show is counted in
    // `gaps`. Given `under` (what drawBackground drew for the same view), the frame is drawn
    // over it instead, with the glow and the tail's old line kept from the calls before for that
    // view, and given `area` too, only that part, as it would be in the whole frame; the rest
    // stays as it was.
    void draw(QImage& frame, const MapSource* map, const QTransform& worldToFrame, const RouteAt& route,
              bool transparent, MapGaps* gaps = nullptr, const QRect& area = {},
              const QImage* under = nullptr);
    // The map alone, or the clear background, as draw() lays it under the route.
    static void drawBackground(QImage& frame, const MapSource* map, const QTransform& worldToFrame,
                               bool transparent, MapGaps* gaps);

  private:
    // The route near an area, cut into the tail's parts (one when there is no tail).
    struct Cut {
        LineLook look;
        double glow = 0;
        QRectF seen; // the area, and the room marks reach into it from
        std::vector<LinePart> parts;
        std::vector<std::vector<TracePiece>> split; // the pieces of each part
        // The glow's own parts under a tail, and their pieces; empty: the line's.
        std::vector<LinePart> glowLevels;
        std::vector<std::vector<TracePiece>> glowSplit;
        std::vector<GlowPart> glowParts() const;
    };
    Cut cutRoute(const RouteAt& route, QSize frame, const QRect& area) const;
    void drawRoute(QPainter& p, const QTransform& t, const RouteAt& route, const Cut& cut, QSize frame,
                   const QRect& area, bool glowLaid, bool oldLaid);
    // The tail's faded old line as the kept map draws it.
    LitMap::OldLine oldLine(const RouteAt& route, const Cut& cut, QSize frame);
    void partMarks(const RouteAt& route, const Cut& cut, std::size_t k, LineMarks& marks,
                   std::vector<QPointF>& rings) const;
    void drawLabels(QPainter& p, const QTransform& t, const RouteAt& route, int reached, QSize frame,
                    const QRect& area);

    const ProjectState& st_;
    const Marker& marker_;
    DiscStamps stamps_;
    // The boxes of the labels where the frame's transform put them last: a camera standing
    // still asks for the same ones frame after frame.
    std::vector<QRectF> labelBoxes_;
    QTransform labelsAt_;
    QSize labelsFrame_;
    LitMap lit_;
};
