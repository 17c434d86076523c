#include "RouteTrace.h"

#include "geo/RouteShape.h"
#include "mapview/SegmentClip.h"

#include <algorithm>
#include <cmath>

namespace {
// How a vertex of the route is joined: route points by a round spot at the end of each piece
// (as they always were); a vertex inside a leg's own line by one spot, or by none where the line
// turns so little that its pieces meet without a gap.
enum Joint : char { BothSpots, OneSpot, NoSpot };

// One unbroken run of the line: a great circle that leaves the map's edge starts another.
struct Run {
    std::vector<QPointF> at;
    std::vector<char> inner; // a vertex of a leg's own line other than its ends
    std::vector<int> leg;    // the leg of the piece ending at the vertex
    std::vector<char> joint;
    std::vector<double> along;
};

// The route's line up to the head in world pixels. Legs with lines of their own are simplified
// to `tolerance`.
std::vector<Run> runsUpToHead(const ProjectState& st, int reached, const FramePose& pose, double tolerance,
                              std::vector<int>& pointVertex) {
    const RouteShape* shape = st.route.get();
    auto at = [&](int j) {
        return shape ? shape->points[std::size_t(j)] : QPointF(st.pointx[j], st.pointy[j]);
    };
    std::vector<Run> runs(1);
    int vertices = 0;
    auto add = [&](QPointF p, bool inner, int leg) {
        runs.back().at.push_back(p);
        runs.back().inner.push_back(inner);
        runs.back().leg.push_back(std::max(leg, 1));
        ++vertices;
    };
    auto follow = [&](const LegLine& line, double to, int leg) {
        std::vector<std::vector<QPointF>> pieces;
        line.pieces(0, to, tolerance, pieces);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            if (k > 0) runs.emplace_back();
            for (std::size_t v = 0; v < pieces[k].size(); ++v)
                add(pieces[k][v], v > 0 && v + 1 < pieces[k].size(), leg);
        }
    };
    add(at(0), false, 1);
    pointVertex.push_back(0);
    for (int j = 1; j <= reached; ++j) {
        if (const LegLine* line = shape ? shape->leg(j) : nullptr)
            follow(*line, line->length(), j);
        else
            add(at(j), false, j);
        pointVertex.push_back(vertices - 1);
    }
    const LegLine* running = shape && pose.leg == reached + 1 ? shape->leg(pose.leg) : nullptr;
    if (running)
        follow(*running, pose.legFraction * running->length(), pose.leg);
    else if (pose.head != runs.back().at.back())
        add(pose.head, false, reached + 1);
    return runs;
}

// Joins the inner vertices of leg lines by one spot, or by none where the line turns by less
// than keeps a join of `width` within a quarter pixel.
void markJoints(Run& run, double width) {
    const std::vector<QPointF>& at = run.at;
    run.joint.assign(at.size(), BothSpots);
    const double most = 0.5 / std::max(width, 1.0); // radians
    for (std::size_t k = 1; k + 1 < at.size(); ++k) {
        if (!run.inner[k]) continue;
        const QPointF u = at[k] - at[k - 1], v = at[k + 1] - at[k];
        const double dot = u.x() * v.x() + u.y() * v.y(), cross = u.x() * v.y() - u.y() * v.x();
        run.joint[k] = dot > 0 && std::abs(std::atan2(cross, dot)) < most ? NoSpot : OneSpot;
    }
}

// The pieces of a run within `r`: a map far larger than the frame has most of a long route
// outside it. Each piece is drawn on its own, flat-ended, with a round spot at each end, which
// meet as round joins: Qt fills round caps as general curves, twenty times slower on a long
// line, and one path of crossing pieces slower still.
void piecesWithin(const Run& run, const QRectF& r, std::vector<TracePiece>& pieces) {
    const std::vector<QPointF>& at = run.at;
    if (at.size() == 1 && r.contains(at[0]))
        pieces.push_back({QLineF(at[0], at[0]), run.along[0], run.leg[0], true, true});
    for (std::size_t j = 1; j < at.size(); ++j) {
        QPointF a = at[j - 1], b = at[j];
        if (!clipSegment(a, b, r)) continue;
        const double from = run.along[j - 1] + QLineF(at[j - 1], a).length();
        pieces.push_back({QLineF(a, b), from, run.leg[j], run.joint[j - 1] == BothSpots || a != at[j - 1],
                          run.joint[j] != NoSpot || b != at[j]});
    }
}
} // namespace

RouteTrace traceRoute(const ProjectState& st, const QTransform& t, const FramePose& pose, const QRectF& seen,
                      double width) {
    RouteTrace trace;
    const int reached = std::min(pose.reached, std::min<int>(st.listmax, kPointSlots) - 1);
    if (reached < 0) return trace;
    // Half a frame pixel at the camera's scale: within the line's own antialiased edge.
    const double scale = std::sqrt(std::abs(t.determinant()));
    const double tolerance = scale > 0 ? 0.5 / scale : 0;
    std::vector<int> pointVertex;
    std::vector<Run> runs = runsUpToHead(st, reached, pose, tolerance, pointVertex);
    double along = 0;
    std::vector<double> vertexAlong;
    for (Run& run : runs) {
        for (QPointF& p : run.at)
            p = t.map(p);
        // A jump across the map's edge adds no length.
        run.along.resize(run.at.size());
        for (std::size_t k = 0; k < run.at.size(); ++k) {
            if (k > 0) along += QLineF(run.at[k - 1], run.at[k]).length();
            run.along[k] = along;
            vertexAlong.push_back(along);
        }
        markJoints(run, width);
        piecesWithin(run, seen, trace.pieces);
    }
    for (int v : pointVertex)
        trace.pointAlong.push_back(vertexAlong[std::size_t(v)]);
    trace.length = along;
    return trace;
}
