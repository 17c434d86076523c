#pragma once
// The route's line up to the head as a composed frame shows it: straight pieces in frame pixels,
// each knowing its leg and how far along the route it starts, so a pattern or a fade can follow
// the whole line without restarting at joints or legs.

#include "WalkPoses.h"

#include <QLineF>
#include <QTransform>
#include <vector>

struct TracePiece {
    QLineF line;           // frame pixels
    double from = 0;       // length along the route at line.p1(), frame pixels from the first point
    int leg = 1;           // the leg the piece belongs to (ending at point `leg`)
    bool spotFrom = false; // a round spot at p1 joins it to what comes before
    bool spotTo = false;   // and at p2 to what comes after
    double to() const { return from + line.length(); }
};

struct RouteTrace {
    std::vector<TracePiece> pieces; // those within the rectangle asked for
    std::vector<double> pointAlong; // length along the route at each point reached
    double length = 0;              // at the head
};

// The line up to `pose` through `t`: pieces within `seen`, joined for a line `width` wide. Legs
// with lines of their own are simplified to half a frame pixel.
RouteTrace traceRoute(const ProjectState& st, const QTransform& t, const FramePose& pose, const QRectF& seen,
                      double width);
