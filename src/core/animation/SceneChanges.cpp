#include "SceneChanges.h"

#include "LineGlow.h"
#include "LinePaint.h"
#include "LineTail.h"
#include "Overlays.h"
#include "TravelLook.h"

#include "geo/RouteShape.h"
#include "mapview/Labels.h"

#include <algorithm>

namespace {
QRect around(QPointF at, double r) {
    return QRectF(at - QPointF(r, r), at + QPointF(r, r)).toAlignedRect();
}

// Overlapping boxes become one, so no pixel is drawn twice.
void merge(std::vector<QRect>& areas) {
    for (bool merged = true; merged;) {
        merged = false;
        for (std::size_t i = 0; i < areas.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < areas.size() && !merged; ++j)
                if (areas[i].intersects(areas[j])) {
                    areas[i] |= areas[j];
                    areas.erase(areas.begin() + std::ptrdiff_t(j));
                    merged = true;
                }
    }
}
} // namespace

void stretchBoxes(std::span<const TracePiece> pieces, double from, double to, double grow,
                  std::vector<QRect>& out) {
    std::vector<TracePiece> cut;
    piecesBetween(pieces, from, to, cut);
    for (const TracePiece& piece : cut)
        out.push_back(QRectF(piece.line.p1(), piece.line.p2())
                          .normalized()
                          .adjusted(-grow, -grow, grow, grow)
                          .toAlignedRect());
}

std::vector<QRect> changedAreas(const ProjectState& st, const QTransform& t, QSize size, const Marker& marker,
                                const RouteAt& before, const RouteAt& after, qint64 n) {
    const QRect frame(QPoint(0, 0), size);
    const LineLook look = lineLookFor(st);
    const double s = styleScale(st);
    const double glow = std::clamp<int>(st.glow, 0, 256) * s;
    const double grow = std::max(marksReach(look), glow > 0 ? glowSpread(look.width, glow) : 0) + 1;
    const RouteTrace& was = before.trace;
    const RouteTrace& now = after.trace;
    const FramePose& from = *before.pose;
    const FramePose& to = *after.pose;
    if (to.reached < from.reached) return {frame};

    std::vector<QRect> out;
    // A leg's own line (a track, an arc) leaves out a vertex within half a pixel of the straight
    // way until the head has passed it, so the piece before the head may turn a little.
    double start = std::min(was.length, now.length);
    const RouteShape* shape = st.route.get();
    if (shape && shape->leg(from.leg) && !was.pieces.empty()) start = std::min(start, was.pieces.back().from);
    stretchBoxes(now.pieces, start, now.length + 0.5, grow, out);
    // The last step of a leg can take the head past the point it then stands on: the line drawn
    // beyond goes again.
    if (now.length < was.length) stretchBoxes(was.pieces, start, was.length + 0.5, grow, out);
    const double a = before.tailStart, b = after.tailStart;
    if (a != b && a >= 0 && b >= 0)
        stretchBoxes(now.pieces, std::min(a, b) - tailTransition(look.width) - 1, std::max(a, b) + 1, grow,
                     out);
    for (const FramePose* pose : {&from, &to})
        if (pose->shown) out.push_back(around(t.map(pose->head) + QPointF(0.5, 0.5), marker.reach() + 1));
    // The circles and labels of the points just reached.
    auto at = [&](int j) { return after.points[std::size_t(j)]; };
    const int last = std::min(to.reached, std::min<int>(st.listmax, kPointSlots) - 1);
    for (int j = std::max(from.reached + 1, 0); j <= last; ++j) {
        out.push_back(around(at(j), grow));
        if (!st.pointlabel[j].isEmpty())
            out.push_back(labelBoxAt(st, size, j, at, s).toAlignedRect().adjusted(-3, -3, 3, 3));
    }
    out.push_back(counterArea(st, size, n - 1, from));
    out.push_back(counterArea(st, size, n, to));
    for (QRect& r : out)
        r &= frame;
    std::erase_if(out, [](const QRect& r) { return r.isEmpty(); });
    merge(out);
    return out;
}
