#include "Compositor.h"

#include "geo/RouteShape.h"
#include "mapview/Labels.h"
#include "mapview/MapSource.h"
#include "mapview/SegmentClip.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
QPen roundPen(qint32 color, double width) {
    return QPen(toQColor(color), std::max(width, 1.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The route's line up to the head as pieces within `r`: a map far larger than the frame has most
// of a long route outside it. Each piece is drawn on its own, flat-ended, with a round spot at
// each end, which meet as round joins: Qt fills round caps as general curves, twenty times slower
// on a long line, and one path of crossing pieces slower still.
void linesWithin(const std::vector<QPointF>& at, const QRectF& r, std::vector<QLineF>& lines) {
    if (at.size() == 1 && r.contains(at[0])) lines.emplace_back(at[0], at[0]);
    for (std::size_t j = 1; j < at.size(); ++j) {
        QPointF a = at[j - 1], b = at[j];
        if (clipSegment(a, b, r)) lines.emplace_back(a, b);
    }
}

// The route's line up to the head in world pixels: one polyline, or more where a great circle
// leaves the map's edge. Legs with lines of their own are simplified to `tolerance`.
std::vector<std::vector<QPointF>> routeUpToHead(const ProjectState& st, int reached, const FramePose& pose,
                                                double tolerance) {
    const RouteShape* shape = st.route.get();
    auto at = [&](int j) {
        return shape ? shape->points[std::size_t(j)] : QPointF(st.pointx[j], st.pointy[j]);
    };
    std::vector<std::vector<QPointF>> lines(1);
    auto follow = [&](const LegLine& leg, double to) {
        std::vector<std::vector<QPointF>> pieces;
        leg.pieces(0, to, tolerance, pieces);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            if (k > 0) lines.emplace_back();
            lines.back().insert(lines.back().end(), pieces[k].begin(), pieces[k].end());
        }
    };
    lines.back().push_back(at(0));
    for (int j = 1; j <= reached; ++j) {
        if (const LegLine* leg = shape ? shape->leg(j) : nullptr)
            follow(*leg, leg->length());
        else
            lines.back().push_back(at(j));
    }
    const LegLine* running = shape && pose.leg == reached + 1 ? shape->leg(pose.leg) : nullptr;
    if (running)
        follow(*running, pose.legFraction * running->length());
    else if (pose.head != lines.back().back())
        lines.back().push_back(pose.head);
    return lines;
}
} // namespace

Compositor::Compositor(const ProjectState& st, const Marker& marker) : st_(st), marker_(marker) {}

void Compositor::draw(QImage& frame, const MapSource* map, const QTransform& worldToFrame,
                      const FramePose& pose, bool transparent) const {
    // A map that covers the whole frame paints every pixel: clearing first would be wasted.
    bool covered = false;
    if (map && !transparent) {
        bool invertible = false;
        const QPolygonF seen = worldToFrame.inverted(&invertible).map(QPolygonF(QRectF(frame.rect())));
        const QRectF world(QPointF(0, 0), map->worldSize());
        covered =
            invertible && std::all_of(seen.begin(), seen.end(), [&](QPointF c) { return world.contains(c); });
    }
    if (!covered) frame.fill(transparent ? QColor(Qt::transparent) : QColor(Qt::white));
    QPainter p(&frame);
    if (map && !transparent) map->draw(p, worldToFrame, frame.rect());
    p.setRenderHint(QPainter::Antialiasing);
    // Integer coordinates name pixel centres, as on the classic surface.
    p.translate(0.5, 0.5);
    drawRoute(p, worldToFrame, pose, frame.size());
}

void Compositor::drawRoute(QPainter& p, const QTransform& t, const FramePose& pose, QSize frame) const {
    const ProjectState& st = st_;
    const int reached = std::min(pose.reached, std::min<int>(st.listmax, kPointSlots) - 1);
    if (reached < 0) return;
    auto at = [&](int j) {
        return t.map(st.route ? st.route->points[std::size_t(j)] : QPointF(st.pointx[j], st.pointy[j]));
    };
    std::vector<QPointF> line; // the points reached, as the frame shows them
    for (int j = 0; j <= reached; ++j)
        line.push_back(at(j));
    const QPointF head = t.map(pose.head);
    // A quarter of a frame pixel at the camera's scale: simplified lines never show it.
    const double scale = std::sqrt(std::abs(t.determinant()));
    const double tolerance = scale > 0 ? 0.25 / scale : 0;
    const double width = std::clamp<int>(st.linethick, 1, 1024);
    const double ring = std::clamp<int>(st.circlethick, 1, 1024);
    const double radius = std::abs(double(st.circleradius));
    const bool cased = st.casing >= 0 && st.casingwidth > 0;
    const double reach = std::max(width / 2, radius + ring / 2) + (cased ? st.casingwidth : 0) + 2;
    const QRectF seen = QRectF(QPointF(0, 0), QSizeF(frame)).adjusted(-reach, -reach, reach, reach);
    std::vector<QLineF> pieces;
    for (const std::vector<QPointF>& world : routeUpToHead(st, reached, pose, tolerance)) {
        std::vector<QPointF> framed;
        framed.reserve(world.size());
        for (QPointF p : world)
            framed.push_back(t.map(p));
        linesWithin(framed, seen, pieces);
    }
    // Outlines first, all beneath every stroke, as the classic frames have them.
    for (const bool outline : {true, false}) {
        if (outline && !cased) continue;
        const qint32 color = outline ? st.casing : st.color;
        const double grow = outline ? 2.0 * st.casingwidth : 0;
        const double w = width + grow;
        p.setPen(QPen(toQColor(color), w, Qt::SolidLine, Qt::FlatCap));
        for (const QLineF& piece : pieces)
            if (piece.p1() != piece.p2()) p.drawLine(piece);
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(color));
        for (const QLineF& piece : pieces)
            for (const QPointF& end : {piece.p1(), piece.p2()})
                p.drawEllipse(end, w / 2, w / 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(roundPen(color, ring + grow));
        for (int j = 0; j <= reached; ++j)
            if (seen.contains(line[j])) p.drawEllipse(line[j], radius, radius);
    }
    // Labels of points in the frame: one kept inside the frame for a point past its edge would
    // stand where the point is not.
    const QRectF inside(QPointF(0, 0), QSizeF(frame));
    for (int j = 0; j <= reached; ++j)
        if (!st.pointlabel[j].isEmpty() && inside.contains(line[j]))
            paintLabel(p, st, labelBoxAt(st, frame, j, at), j);
    p.resetTransform();
    if (!pose.shown) return;
    // The heading as the frame shows it, the camera's turn included.
    const double rad = pose.heading * M_PI / 180;
    const QPointF ahead = t.map(pose.head + QPointF(std::cos(rad), std::sin(rad))) - t.map(pose.head);
    marker_.paint(p, Head{true, head, std::atan2(ahead.y(), ahead.x()) * 180 / M_PI});
}
