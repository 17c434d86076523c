#include "Compositor.h"

#include "TravelLook.h"

#include "geo/RouteShape.h"
#include "mapview/Labels.h"
#include "mapview/MapCredit.h"
#include "mapview/MapSource.h"
#include "mapview/SegmentClip.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
QPen roundPen(qint32 color, double width) {
    return QPen(toQColor(color), std::max(width, 1.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// How a vertex of the route is joined: route points by a round spot at the end of each piece
// (as they always were); a vertex inside a leg's own line by one spot, or by none where the line
// turns so little that its pieces meet without a gap.
enum Joint : char { BothSpots, OneSpot, NoSpot };

struct Polyline {
    std::vector<QPointF> at;
    std::vector<char> joint;
};

struct Piece {
    QLineF line;
    bool spotFrom, spotTo;
};

// The route's line up to the head as pieces within `r`: a map far larger than the frame has most
// of a long route outside it. Each piece is drawn on its own, flat-ended, with a round spot at
// each end, which meet as round joins: Qt fills round caps as general curves, twenty times slower
// on a long line, and one path of crossing pieces slower still.
void linesWithin(const Polyline& line, const QRectF& r, std::vector<Piece>& pieces) {
    const std::vector<QPointF>& at = line.at;
    if (at.size() == 1 && r.contains(at[0])) pieces.push_back({QLineF(at[0], at[0]), true, true});
    for (std::size_t j = 1; j < at.size(); ++j) {
        QPointF a = at[j - 1], b = at[j];
        if (clipSegment(a, b, r))
            pieces.push_back({QLineF(a, b), line.joint[j - 1] == BothSpots || a != at[j - 1],
                              line.joint[j] != NoSpot || b != at[j]});
    }
}

// Joins the inner vertices of leg lines by one spot, or by none where the line turns by less
// than keeps a join of `width` within a quarter pixel.
void markJoints(Polyline& line, const std::vector<char>& inner, double width) {
    const std::vector<QPointF>& at = line.at;
    line.joint.assign(at.size(), BothSpots);
    const double most = 0.5 / std::max(width, 1.0); // radians
    for (std::size_t k = 1; k + 1 < at.size(); ++k) {
        if (!inner[k]) continue;
        const QPointF u = at[k] - at[k - 1], v = at[k + 1] - at[k];
        const double dot = u.x() * v.x() + u.y() * v.y(), cross = u.x() * v.y() - u.y() * v.x();
        line.joint[k] = dot > 0 && std::abs(std::atan2(cross, dot)) < most ? NoSpot : OneSpot;
    }
}

// The route's line up to the head in world pixels: one polyline, or more where a great circle
// leaves the map's edge. Legs with lines of their own are simplified to `tolerance`; `inner`
// marks their vertices other than the ends.
std::vector<std::pair<std::vector<QPointF>, std::vector<char>>>
routeUpToHead(const ProjectState& st, int reached, const FramePose& pose, double tolerance) {
    const RouteShape* shape = st.route.get();
    auto at = [&](int j) {
        return shape ? shape->points[std::size_t(j)] : QPointF(st.pointx[j], st.pointy[j]);
    };
    std::vector<std::pair<std::vector<QPointF>, std::vector<char>>> lines(1);
    auto add = [&](QPointF p, bool inner) {
        lines.back().first.push_back(p);
        lines.back().second.push_back(inner);
    };
    auto follow = [&](const LegLine& leg, double to) {
        std::vector<std::vector<QPointF>> pieces;
        leg.pieces(0, to, tolerance, pieces);
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            if (k > 0) lines.emplace_back();
            for (std::size_t v = 0; v < pieces[k].size(); ++v)
                add(pieces[k][v], v > 0 && v + 1 < pieces[k].size());
        }
    };
    add(at(0), false);
    for (int j = 1; j <= reached; ++j) {
        if (const LegLine* leg = shape ? shape->leg(j) : nullptr)
            follow(*leg, leg->length());
        else
            add(at(j), false);
    }
    const LegLine* running = shape && pose.leg == reached + 1 ? shape->leg(pose.leg) : nullptr;
    if (running)
        follow(*running, pose.legFraction * running->length());
    else if (pose.head != lines.back().first.back())
        add(pose.head, false);
    return lines;
}
} // namespace

Compositor::Compositor(const ProjectState& st, const Marker& marker) : st_(st), marker_(marker) {}

void Compositor::draw(QImage& frame, const MapSource* map, const QTransform& worldToFrame,
                      const FramePose& pose, bool transparent, MapGaps* gaps) const {
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
    if (map && !transparent) map->draw(p, worldToFrame, frame.rect(), gaps);
    p.setRenderHint(QPainter::Antialiasing);
    // Integer coordinates name pixel centres, as on the classic surface.
    p.translate(0.5, 0.5);
    drawRoute(p, worldToFrame, pose, frame.size());
    if (map && !transparent && !map->attribution().isEmpty()) {
        p.resetTransform();
        paintAttribution(p, map->attribution(), frame.rect());
    }
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
    // Half a frame pixel at the camera's scale: within the line's own antialiased edge.
    const double scale = std::sqrt(std::abs(t.determinant()));
    const double tolerance = scale > 0 ? 0.5 / scale : 0;
    const double s = styleScale(st);
    const double width = std::clamp<int>(st.linethick, 1, 1024) * s;
    const double ring = std::clamp<int>(st.circlethick, 1, 1024) * s;
    const double radius = std::abs(double(st.circleradius)) * s;
    const bool cased = st.casing >= 0 && st.casingwidth > 0;
    const double casingwidth = st.casingwidth * s;
    const double reach = std::max(width / 2, radius + ring / 2) + (cased ? casingwidth : 0) + 2;
    const QRectF seen = QRectF(QPointF(0, 0), QSizeF(frame)).adjusted(-reach, -reach, reach, reach);
    std::vector<Piece> pieces;
    for (const auto& [world, inner] : routeUpToHead(st, reached, pose, tolerance)) {
        Polyline framed;
        framed.at.reserve(world.size());
        for (QPointF p : world)
            framed.at.push_back(t.map(p));
        markJoints(framed, inner, width + (cased ? 2.0 * casingwidth : 0));
        linesWithin(framed, seen, pieces);
    }
    // Outlines first, all beneath every stroke, as the classic frames have them.
    for (const bool outline : {true, false}) {
        if (outline && !cased) continue;
        const qint32 color = outline ? st.casing : st.color;
        const double grow = outline ? 2.0 * casingwidth : 0;
        const double w = width + grow;
        p.setPen(QPen(toQColor(color), w, Qt::SolidLine, Qt::FlatCap));
        for (const Piece& piece : pieces)
            if (piece.line.p1() != piece.line.p2()) p.drawLine(piece.line);
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(color));
        for (const Piece& piece : pieces) {
            if (piece.spotFrom) p.drawEllipse(piece.line.p1(), w / 2, w / 2);
            if (piece.spotTo) p.drawEllipse(piece.line.p2(), w / 2, w / 2);
        }
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
            paintLabel(p, st, labelBoxAt(st, frame, j, at, s), j, s);
    p.resetTransform();
    if (!pose.shown) return;
    // The heading as the frame shows it, the camera's turn included.
    const double rad = pose.heading * M_PI / 180;
    const QPointF ahead = t.map(pose.head + QPointF(std::cos(rad), std::sin(rad))) - t.map(pose.head);
    marker_.paint(p, Head{true, head, std::atan2(ahead.y(), ahead.x()) * 180 / M_PI}, pose.leg);
}
