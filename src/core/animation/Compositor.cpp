#include "Compositor.h"

#include "LineGlow.h"
#include "LinePaint.h"
#include "NarrowFills.h"
#include "SceneChanges.h"
#include "TravelLook.h"

#include "geo/RouteShape.h"
#include "mapview/Labels.h"
#include "mapview/MapCredit.h"
#include "mapview/MapSource.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

Compositor::Compositor(const ProjectState& st, const Marker& marker) : st_(st), marker_(marker) {}

void Compositor::drawBackground(QImage& frame, const MapSource* map, const QTransform& worldToFrame,
                                bool transparent, MapGaps* gaps) {
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
    if (map && !transparent) {
        QPainter p(&frame);
        map->draw(p, worldToFrame, frame.rect(), gaps);
    }
}

RouteAt Compositor::routeAt(const QTransform& t, const FramePose& pose, const FramePose* tailFrom,
                            QSize frame) const {
    const LineLook look = lineLookFor(st_);
    const double glow = std::clamp<int>(st_.glow, 0, 256) * styleScale(st_);
    const double joined = look.width + (look.cased ? 2.0 * look.casingwidth : 0);
    // Cut at the frame's edges, with room for what reaches in from beyond them.
    const double far = marksReach(look) + (glow > 0 ? glowReach(look.width, glow) : 0);
    RouteAt route;
    route.pose = &pose;
    route.trace =
        traceRoute(st_, t, pose, QRectF(QPointF(0, 0), QSizeF(frame)).adjusted(-far, -far, far, far), joined);
    if (tailFrom && st_.tail > 0) route.tailStart = traceRoute(st_, t, *tailFrom, QRectF(), joined).length;
    const int count = std::clamp<int>(st_.listmax, 0, kPointSlots);
    for (int j = 0; j < count; ++j)
        route.points.push_back(
            t.map(st_.route ? st_.route->points[std::size_t(j)] : QPointF(st_.pointx[j], st_.pointy[j])));
    return route;
}

void Compositor::draw(QImage& frame, const MapSource* map, const QTransform& worldToFrame,
                      const RouteAt& route, bool transparent, MapGaps* gaps, const QRect& part,
                      const QImage* under) {
    const QRect whole = frame.rect();
    const QRect area = part.isNull() || !under ? whole : part & whole;
    if (area.isEmpty()) return;
    const Cut cut = cutRoute(route, frame.size(), area);
    bool glowLaid = false, oldLaid = false;
    if (!under) {
        drawBackground(frame, map, worldToFrame, transparent, gaps);
        lit_.reset(); // what was kept is for another view
    } else {
        // The map with the glow and the tail's old line kept over it, for a frame no larger
        // than 4K: a kept copy of an 8K frame would cost more memory than it saves time.
        const QImage* base = under;
        const bool faded = cut.parts.size() > 1 && cut.parts[0].opacity < 1;
        if ((cut.glow > 0 || faded) && qint64(frame.sizeInBytes()) <= (qint64(64) << 20)) {
            LitMap::OldLine old;
            if (faded) old = oldLine(route, cut, frame.size());
            const std::optional<GlowTexels> texels =
                glowTexels(st_, cut.glowParts(), cut.look.width, cut.glow, frame.size(), area);
            const LitMap::Ask ask{*under, worldToFrame,           cut.glow > 0 ? glowStep(cut.glow) : 0,
                                  texels, faded ? &old : nullptr, route.pose};
            base = &lit_.over(ask, area);
            glowLaid = true;
            oldLaid = faded;
        }
        // Rows of the map drawn before: drawn again, a scaled map's pixels could differ by a
        // shade with where the area starts.
        const qsizetype bytes = qsizetype(area.width()) * frame.depth() / 8;
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::memcpy(frame.scanLine(y) + qsizetype(area.left()) * frame.depth() / 8,
                        base->constScanLine(y) + qsizetype(area.left()) * base->depth() / 8,
                        std::size_t(bytes));
    }
    QPainter p(&frame);
    if (area != whole) p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing);
    // Integer coordinates name pixel centres, as on the classic surface.
    p.translate(0.5, 0.5);
    drawRoute(p, worldToFrame, route, cut, frame.size(), area, glowLaid, oldLaid);
    if (map && !transparent && !map->attribution().isEmpty()) {
        p.resetTransform();
        paintAttribution(p, map->attribution(), whole);
    }
}

LitMap::OldLine Compositor::oldLine(const RouteAt& route, const Cut& cut, QSize frame) {
    LitMap::OldLine old;
    old.end = cut.parts[0].to;
    old.opacity = cut.parts[0].opacity;
    const double reach = marksReach(cut.look);
    old.boxes = [&route, reach](double from, double to) {
        std::vector<QRect> boxes;
        stretchBoxes(route.trace.pieces, from, to, reach + 1, boxes);
        return boxes;
    };
    old.draw = [this, &route, frame](QPainter& p, const QRect& box) {
        const Cut near = cutRoute(route, frame, box);
        LineMarks marks;
        std::vector<QPointF> rings;
        partMarks(route, near, 0, marks, rings);
        paintMarks(p, marks, rings, near.look, stamps_);
    };
    return old;
}

// The marks of part k of the line and the circles of its points, within the area's room.
void Compositor::partMarks(const RouteAt& route, const Cut& cut, std::size_t k, LineMarks& marks,
                           std::vector<QPointF>& rings) const {
    markLine(st_, cut.split[k], cut.look.width, marks, &cut.seen);
    rings.clear();
    const int reached = std::min(route.pose->reached, std::min<int>(st_.listmax, kPointSlots) - 1);
    for (int j = 0; j <= reached; ++j) {
        const double along = route.trace.pointAlong[std::size_t(j)];
        const QPointF point = route.points[std::size_t(j)];
        if (cut.seen.contains(point) && along >= cut.parts[k].from && along < cut.parts[k].to)
            rings.push_back(point);
    }
}

void Compositor::drawRoute(QPainter& p, const QTransform& t, const RouteAt& route, const Cut& cut,
                           QSize frame, const QRect& area, bool glowLaid, bool oldLaid) {
    const ProjectState& st = st_;
    const FramePose& pose = *route.pose;
    const int reached = std::min(pose.reached, std::min<int>(st.listmax, kPointSlots) - 1);
    if (reached < 0) return;
    const LineLook& look = cut.look;
    const double reach = marksReach(look);
    const std::vector<LinePart>& parts = cut.parts;
    const auto& split = cut.split;
    if (cut.glow > 0 && !glowLaid) paintGlow(p, st, cut.glowParts(), look.width, cut.glow, frame, area);
    LineMarks marks;
    std::vector<QPointF> rings;
    FadedParts faded(area.adjusted(-1, -1, 1, 1) & QRect(QPoint(0, 0), frame));
    for (std::size_t k = oldLaid ? 1 : 0; k < parts.size(); ++k) {
        partMarks(route, cut, k, marks, rings);
        if (marks.strokes.empty() && marks.dots.empty() && rings.empty()) continue;
        QRectF bounds;
        if (parts[k].opacity < 1) {
            for (const TracePiece& piece : split[k])
                bounds |=
                    QRectF(piece.line.p1(), piece.line.p2()).normalized().adjusted(-0.5, -0.5, 0.5, 0.5);
            for (QPointF ring : rings)
                bounds |= QRectF(ring, ring).adjusted(-0.5, -0.5, 0.5, 0.5);
            bounds = bounds.adjusted(-reach, -reach, reach, reach) & QRectF(area).adjusted(-1, -1, 1, 1);
        }
        faded.paint(p, parts[k].opacity, bounds,
                    [&](QPainter& q) { paintMarks(q, marks, rings, look, stamps_); });
    }
    drawLabels(p, t, route, reached, frame, area);
    p.resetTransform();
    if (!pose.shown) return;
    // The heading as the frame shows it, the camera's turn included.
    const double rad = pose.heading * M_PI / 180;
    const QPointF head = t.map(pose.head);
    const double r = marker_.reach() + 1;
    if (!QRectF(head - QPointF(r, r), head + QPointF(r, r)).intersects(QRectF(area))) return;
    const QPointF ahead = t.map(pose.head + QPointF(std::cos(rad), std::sin(rad))) - head;
    const Head at{true, head, std::atan2(ahead.y(), ahead.x()) * 180 / M_PI};
    const QRect box = QRectF(head - QPointF(r, r), head + QPointF(r, r)).toAlignedRect() & area;
    inNarrowBands(p, box, [&] { marker_.paint(p, at, pose.leg); });
}

// Labels of points in the frame: one kept inside the frame for a point past its edge would
// stand where the point is not.
void Compositor::drawLabels(QPainter& p, const QTransform& t, const RouteAt& route, int reached, QSize frame,
                            const QRect& area) {
    const ProjectState& st = st_;
    auto at = [&](int j) { return route.points[std::size_t(j)]; };
    if (t != labelsAt_ || frame != labelsFrame_) {
        labelBoxes_.assign(std::size_t(kPointSlots), QRectF());
        labelsAt_ = t;
        labelsFrame_ = frame;
    }
    const QRectF inside(QPointF(0, 0), QSizeF(frame));
    const double s = styleScale(st);
    for (int j = 0; j <= reached; ++j) {
        if (st.pointlabel[j].isEmpty() || !inside.contains(at(j))) continue;
        QRectF& box = labelBoxes_[std::size_t(j)];
        if (box.isNull()) box = labelBoxAt(st, frame, j, at, s);
        // The halo's soft edge reaches a little past the box.
        if (box.adjusted(-2, -2, 2, 2).intersects(QRectF(area))) paintLabel(p, st, box, j, s);
    }
}
