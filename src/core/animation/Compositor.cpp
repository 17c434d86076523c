#include "Compositor.h"

#include "LineGlow.h"
#include "LinePaint.h"
#include "LineTail.h"
#include "TravelLook.h"

#include "geo/RouteShape.h"
#include "mapview/Labels.h"
#include "mapview/MapCredit.h"
#include "mapview/MapSource.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// The soft step between the tail and the older line, in line widths.
constexpr double kTailTransition = 12;
} // namespace

Compositor::Compositor(const ProjectState& st, const Marker& marker) : st_(st), marker_(marker) {}

void Compositor::draw(QImage& frame, const MapSource* map, const QTransform& worldToFrame,
                      const FramePose& pose, bool transparent, MapGaps* gaps,
                      const FramePose* tailFrom) const {
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
    drawRoute(p, worldToFrame, pose, tailFrom, frame.size());
    if (map && !transparent && !map->attribution().isEmpty()) {
        p.resetTransform();
        paintAttribution(p, map->attribution(), frame.rect());
    }
}

void Compositor::drawRoute(QPainter& p, const QTransform& t, const FramePose& pose, const FramePose* tailFrom,
                           QSize frame) const {
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
    const double s = styleScale(st);
    LineLook look;
    look.width = std::clamp<int>(st.linethick, 1, 1024) * s;
    look.ring = std::clamp<int>(st.circlethick, 1, 1024) * s;
    look.radius = std::abs(double(st.circleradius)) * s;
    look.cased = st.casing >= 0 && st.casingwidth > 0;
    look.casingwidth = st.casingwidth * s;
    look.casing = st.casing;
    look.ringColour = st.color;
    const double glow = std::clamp<int>(st.glow, 0, 256) * s;
    const double reach =
        std::max(look.width / 2, look.radius + look.ring / 2) + (look.cased ? look.casingwidth : 0) + 2;
    const QRectF seen = QRectF(QPointF(0, 0), QSizeF(frame)).adjusted(-reach, -reach, reach, reach);
    const double joined = look.width + (look.cased ? 2.0 * look.casingwidth : 0);
    const RouteTrace trace = traceRoute(st, t, pose, seen.adjusted(-glow, -glow, glow, glow), joined);

    std::vector<LinePart> parts = wholeLine();
    if (tailFrom && st.tail > 0)
        parts = tailParts(traceRoute(st, t, *tailFrom, QRectF(), joined).length, st.tailfade / 100,
                          kTailTransition * std::max(look.width, 1.0));
    std::vector<std::vector<TracePiece>> split(parts.size());
    if (parts.size() == 1)
        split[0] = trace.pieces;
    else
        for (std::size_t k = 0; k < parts.size(); ++k)
            piecesBetween(trace.pieces, parts[k].from, parts[k].to, split[k]);
    if (glow > 0) {
        std::vector<GlowPart> lit;
        for (std::size_t k = 0; k < parts.size(); ++k)
            lit.push_back({split[k], parts[k].opacity});
        paintGlow(p, st, lit, look.width, glow, frame);
    }
    LineMarks marks;
    DiscStamps stamps;
    std::vector<QPointF> rings;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        markLine(st, split[k], look.width, marks);
        rings.clear();
        for (int j = 0; j <= reached; ++j) {
            const double along = trace.pointAlong[std::size_t(j)];
            if (seen.contains(line[j]) && along >= parts[k].from && along < parts[k].to)
                rings.push_back(line[j]);
        }
        if (marks.strokes.empty() && marks.dots.empty() && rings.empty()) continue;
        QRectF bounds;
        if (parts[k].opacity < 1) {
            for (const TracePiece& piece : split[k])
                bounds |=
                    QRectF(piece.line.p1(), piece.line.p2()).normalized().adjusted(-0.5, -0.5, 0.5, 0.5);
            for (QPointF ring : rings)
                bounds |= QRectF(ring, ring).adjusted(-0.5, -0.5, 0.5, 0.5);
            bounds.adjust(-reach, -reach, reach, reach);
        }
        paintFaded(p, parts[k].opacity, bounds, frame,
                   [&](QPainter& q) { paintMarks(q, marks, rings, look, stamps); });
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
