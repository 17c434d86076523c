#include "FrameWalk.h"

#include "TravelLook.h"

#include "geo/RouteShape.h"

#include <algorithm>
#include <cmath>

namespace {
QPointF pointAt(const ProjectState& st, int i) {
    return QPointF(st.pointx[i], st.pointy[i]);
}

double headingOf(QPointF d) {
    return std::atan2(d.y(), d.x()) * 180 / M_PI;
}
} // namespace

double legDelay(const ProjectState& st, int i) {
    if (st.pointinterval[i] >= 0) return st.pointinterval[i] * st.fps;
    const LegLine* line = st.route ? st.route->leg(i) : nullptr;
    if (st.timing == QLatin1String("gps"))
        return line && line->duration() > 0 ? line->duration() / st.timescale * st.fps : st.delay;
    if (st.timing == QLatin1String("speed")) {
        // Kilometres an hour on the earth, at the track's time scale, where the map knows the earth;
        // a leg with a way of travel goes at its typical speed.
        const double metres = st.route ? st.route->metres(i) : qQNaN();
        const double kmh = legMode(st, i).kmh;
        if (kmh > 0 && std::isfinite(metres)) return metres / 1000 / kmh * 3600 / st.timescale * st.fps;
        if (st.speed <= 0) return st.delay;
        if (st.speedunit == QLatin1String("kmh") && std::isfinite(metres))
            return metres / 1000 / st.speed * 3600 / st.timescale * st.fps;
        const QPointF d = pointAt(st, i) - pointAt(st, i - 1);
        return (line ? line->length() : std::hypot(d.x(), d.y())) / st.speed * st.fps;
    }
    return st.delay;
}

qint64 holdFrames(const ProjectState& st, int i) {
    const double seconds = st.pointhold[i] >= 0 ? st.pointhold[i] : st.hold;
    const double frames = std::nearbyint(seconds * st.fps);
    // A hold no video could hold ends at a day of 1000 frames per second.
    return std::isfinite(frames) && frames > 0 ? qint64(std::min(frames, 864e5)) : 0;
}

FrameWalk::FrameWalk(Workspace& ws) : st_(ws.st), ws_(&ws) {}

FrameWalk::FrameWalk(const ProjectState& st) : own_(st), st_(*own_) {}

FrameKind FrameWalk::next() {
    switch (phase_) {
    case Phase::Begin:
        if (ws_) resetMap(*ws_);
        phase_ = st_.listmax < 1 ? Phase::Done : Phase::FirstPoint;
        return FrameKind::BareMap;
    case Phase::FirstPoint:
        if (ws_) drawFirstPoint(*ws_);
        last_ = std::min<int>(st_.listmax, kPointSlots) - 1;
        // The head faces the first leg that goes anywhere.
        for (int j = 1; j <= last_; ++j)
            if (const LegLine* line = st_.route ? st_.route->leg(j) : nullptr; line && line->length() > 0) {
                line->pointAt(0, &head_.heading);
                break;
            } else if (pointAt(st_, j) != pointAt(st_, 0)) {
                head_.heading = headingOf(pointAt(st_, j) - pointAt(st_, 0));
                break;
            }
        reached(0);
        return FrameKind::FirstPoint;
    case Phase::Stepping:
        if (legEnded(st_, leg_)) {
            if (ws_) markReached(*ws_, leg_.index);
            reached(leg_.index);
            return FrameKind::Reached;
        }
        if (ws_)
            stepMove(*ws_, leg_);
        else
            stepPosition(st_, leg_);
        stepUpdate(st_, leg_);
        head_.at = QPointF(st_.curx, st_.cury);
        if (leg_.line) leg_.line->pointAt(leg_.along, &head_.heading);
        return FrameKind::Step;
    case Phase::Holding:
        if (--holdLeft_ <= 0) afterHold();
        return FrameKind::Hold;
    case Phase::Last:
        phase_ = Phase::Done;
        return FrameKind::Last;
    case Phase::Done:
        break;
    }
    return FrameKind::Done;
}

void FrameWalk::reached(int i) {
    leg_.index = i;
    head_.shown = true;
    head_.at = pointAt(st_, i);
    holdLeft_ = holdFrames(st_, i);
    if (holdLeft_ > 0)
        phase_ = Phase::Holding;
    else
        afterHold();
}

// The next leg is set up at once, so the shared leg fields always describe the running leg.
void FrameWalk::afterHold() {
    if (leg_.index >= last_) {
        phase_ = Phase::Last;
        return;
    }
    const int i = leg_.index + 1;
    leg_ = setUpLeg(st_, i, legDelay(st_, i));
    if (st_.easing == QLatin1String("smooth")) easeLeg(st_, leg_);
    if (leg_.line)
        leg_.line->pointAt(0, &head_.heading);
    else if (!leg_.pause)
        head_.heading = headingOf(pointAt(st_, i) - pointAt(st_, i - 1));
    phase_ = Phase::Stepping;
}

void FrameWalk::goTo(const Place& p) {
    st_ = p.st;
    phase_ = p.phase;
    last_ = p.last;
    holdLeft_ = p.holdLeft;
    leg_ = p.leg;
    head_ = p.head;
}

qint64 plannedFrames(const ProjectState& st, qint64 cap) {
    if (st.listmax < 1) return 0;
    FrameWalk walk(st);
    qint64 frames = 0;
    while (frames < cap && walk.next() != FrameKind::Done)
        ++frames;
    return frames;
}
