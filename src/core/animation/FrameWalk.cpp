#include "FrameWalk.h"

#include <algorithm>

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
        leg_.index = 0;
        afterReached();
        return FrameKind::FirstPoint;
    case Phase::Stepping:
        if (cut_ || legEnded(st_, leg_)) {
            cut_ = false;
            if (ws_) markReached(*ws_, leg_.index);
            afterReached();
            return FrameKind::Reached;
        }
        if (ws_)
            stepMove(*ws_, leg_);
        else
            stepPosition(st_);
        stepUpdate(st_, leg_);
        return FrameKind::Step;
    case Phase::Last:
        phase_ = Phase::Done;
        return FrameKind::Last;
    case Phase::Done:
        break;
    }
    return FrameKind::Done;
}

// The next leg is set up at once, so the shared leg fields always describe the running leg.
void FrameWalk::afterReached() {
    if (leg_.index < last_) {
        leg_ = setUpLeg(st_, leg_.index + 1);
        phase_ = Phase::Stepping;
    } else {
        phase_ = Phase::Last;
    }
}

void FrameWalk::cutLeg() {
    if (phase_ == Phase::Stepping) cut_ = true;
}

qint64 plannedFrames(const ProjectState& st, qint64 cap) {
    if (st.listmax < 1) return 0;
    FrameWalk walk(st);
    qint64 frames = 0;
    while (frames < cap && walk.next() != FrameKind::Done)
        ++frames;
    return frames;
}
