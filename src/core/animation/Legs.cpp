#include "Legs.h"

#include "geo/RouteShape.h"
#include "mapview/Labels.h"
#include <QPointF>
#include <algorithm>
#include <cmath>

namespace {
QChar sign(double v) {
    return v < 0 ? u'-' : (v > 0 ? u'+' : u'0');
}

// An overshoot from a tiny delay may run far off the map; the painter gets a piece of the
// same direction that ends well outside any surface instead of an astronomic coordinate.
QPointF drawable(QPointF from, QPointF to) {
    constexpr double kFar = 1e5;
    const double far = std::max(std::abs(to.x()), std::abs(to.y()));
    if (!(far > kFar)) return to;
    const QPointF d = to - from;
    const double len = std::max(std::abs(d.x()), std::abs(d.y()));
    if (!std::isfinite(len)) return from;
    return from + d * (kFar / len);
}
} // namespace

QString frameText(qint64 n) {
    return (QStringLiteral("0000") + QString::number(n)).right(4);
}

QString directionCode(double dx, double dy) {
    const QChar code[2] = {sign(dx), sign(dy)};
    return QString(code, 2);
}

bool delayUsable(double delay) {
    return std::isfinite(delay) && delay > 0;
}

void resetMap(Workspace& ws) {
    prepareLook(ws);
    ws.map.resetTo(ws.picture);
}

void drawFirstPoint(Workspace& ws) {
    const ProjectState& st = ws.st;
    ws.map.setPenWidth(st.linethick);
    ws.map.dot(st.pointx[0], st.pointy[0], st.color);
    ws.map.setPenWidth(st.circlethick);
    ws.map.circle(st.pointx[0], st.pointy[0], st.circleradius, st.color);
    drawLabel(ws, 0);
}

namespace {
// The steps of a leg along its own line: `delay` rounded up, the last one landing on the end.
Leg setUpLineLeg(ProjectState& st, int i, double delay, const LegLine& line) {
    Leg leg;
    leg.index = i;
    leg.line = &line;
    leg.delay = delayUsable(delay) ? delay : 1;
    leg.steps = delayUsable(delay) ? qint64(std::min(std::ceil(delay), 1e15)) : 1;
    leg.most = leg.steps;
    leg.byClock = st.timing == QLatin1String("gps") && line.duration() > 0;
    leg.from = line.at.front();
    st.curx = leg.from.x();
    st.cury = leg.from.y();
    st.targetx = line.at.back().x();
    st.targety = line.at.back().y();
    st.remainx = st.targetx - st.curx;
    st.remainy = st.targety - st.cury;
    st.curdir = st.legdir = directionCode(st.remainx, st.remainy);
    return leg;
}

void stepAlongLine(ProjectState& st, Leg& leg) {
    const qint64 k = ++leg.taken;
    double f = k >= leg.steps ? 1.0 : std::min(double(k) / leg.delay, 1.0);
    if (leg.eased > 0 && k < leg.steps) {
        const double t = double(k) / double(leg.steps);
        f = t * t * (3 - 2 * t);
    }
    leg.alongBefore = leg.along;
    leg.along = leg.byClock ? leg.line->alongAt(f * leg.line->duration()) : f * leg.line->length();
    const QPointF p = leg.line->pointAt(leg.along);
    st.curx = p.x();
    st.cury = p.y();
}
} // namespace

Leg setUpLeg(ProjectState& st, int i, double delay) {
    if (const LegLine* line = st.route ? st.route->leg(i) : nullptr) return setUpLineLeg(st, i, delay, *line);
    st.curx = st.pointx[i - 1];
    st.cury = st.pointy[i - 1];
    st.targetx = st.pointx[i];
    st.targety = st.pointy[i];
    st.remainx = st.targetx - st.curx;
    st.remainy = st.targety - st.cury;
    st.curdir = directionCode(st.remainx, st.remainy);
    st.legdir = st.curdir;
    Leg leg;
    leg.index = i;
    leg.from = QPointF(st.curx, st.cury);
    if (delayUsable(delay)) {
        st.stepx = st.remainx / delay;
        st.stepy = st.remainy / delay;
    } else {
        // One step lands exactly on the target: the coordinates are small whole numbers.
        st.stepx = st.remainx;
        st.stepy = st.remainy;
    }
    // Exact arithmetic ends a leg after `delay` rounded up steps; rounding adds at most one.
    const qint64 steps = delayUsable(delay) ? qint64(std::min(std::ceil(delay), 1e15)) : 1;
    leg.most = steps + 1;
    leg.pause = st.legdir == QLatin1String("00");
    if (leg.pause) leg.pauseLeft = steps;
    return leg;
}

void easeLeg(const ProjectState& st, Leg& leg) {
    if (leg.line) leg.eased = leg.steps;
    if (leg.pause || leg.line) return;
    // The linear walk counted on a copy; a leg of more steps than any video holds is cut there.
    constexpr qint64 kMaxSteps = qint64(1) << 22;
    ProjectState walk = st;
    Leg linear = leg;
    qint64 steps = 0;
    do {
        stepPosition(walk, linear);
        stepUpdate(walk, linear);
        ++steps;
    } while (!legEnded(walk, linear) && steps < kMaxSteps);
    leg.eased = steps;
}

QPointF stepPosition(ProjectState& st, Leg& leg) {
    const QPointF old(st.curx, st.cury);
    if (leg.line) {
        stepAlongLine(st, leg);
        return old;
    }
    const qint64 k = ++leg.taken;
    if (leg.eased > 0) {
        // Smoothstep, s(t) = t^2 (3 - 2t); the last step lands exactly on the target.
        const double t = double(k) / double(leg.eased);
        const double s = t * t * (3 - 2 * t);
        st.curx = k >= leg.eased ? st.targetx : leg.from.x() + (st.targetx - leg.from.x()) * s;
        st.cury = k >= leg.eased ? st.targety : leg.from.y() + (st.targety - leg.from.y()) * s;
        return old;
    }
    st.curx = st.curx + st.stepx;
    st.cury = st.cury + st.stepy;
    return old;
}

void stepMove(Workspace& ws, Leg& leg) {
    ProjectState& st = ws.st;
    const QPointF old = stepPosition(st, leg);
    if (leg.pause) return;
    ws.map.setPenWidth(st.linethick);
    if (leg.line) {
        // The map is at one frame pixel a map pixel: a quarter pixel's simplification never shows.
        std::vector<std::vector<QPointF>> pieces;
        leg.line->pieces(leg.alongBefore, leg.along, 0.25, pieces);
        for (const auto& piece : pieces)
            for (std::size_t k = 1; k < piece.size(); ++k)
                ws.map.line(float(piece[k - 1].x()), float(piece[k - 1].y()), float(piece[k].x()),
                            float(piece[k].y()), st.color);
        return;
    }
    const QPointF to = drawable(old, QPointF(st.curx, st.cury));
    ws.map.line(float(old.x()), float(old.y()), float(to.x()), float(to.y()), st.color);
}

void stepUpdate(ProjectState& st, Leg& leg) {
    st.remainx = st.targetx - st.curx;
    st.remainy = st.targety - st.cury;
    st.curdir = directionCode(st.remainx, st.remainy);
    if (leg.pause) --leg.pauseLeft;
}

bool legEnded(const ProjectState& st, const Leg& leg) {
    if (leg.line) return leg.taken >= leg.steps;
    if (leg.eased > 0) return leg.taken >= leg.eased;
    if (leg.taken >= leg.most) return true;
    return leg.pause ? leg.pauseLeft <= 0 : st.curdir != st.legdir;
}

void markReached(Workspace& ws, int i) {
    const ProjectState& st = ws.st;
    ws.map.setPenWidth(st.circlethick);
    ws.map.circle(st.pointx[i], st.pointy[i], st.circleradius, st.color);
    drawLabel(ws, i);
}
