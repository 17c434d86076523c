#include "Preview.h"

#include "mapview/RouteEditing.h"

#include <algorithm>
#include <cmath>

Preview::Preview(Workspace& ws, Host host) : ws_(ws), host_(std::move(host)) {}

int Preview::intervalFor(double fps) {
    const double ms = 1000.0 / fps;
    // A frame rate no preset gives (possible only from a project file) still paces sanely.
    if (!std::isfinite(ms) || ms < 1) return 1;
    return roundHalfEven(std::min(ms, 60000.0));
}

void Preview::count() {
    ++ws_.st.framecount;
    host_.showFrame(frameText(ws_.st.framecount));
}

void Preview::start() {
    if (running_) return;
    ProjectState& st = ws_.st;
    host_.stopTimer();
    interval_ = intervalFor(st.fps);
    st.waiting = false;
    st.framecount = 0;
    host_.showFrame(frameText(st.framecount));
    resetMap(ws_);
    // An empty route shows the bare map and nothing else.
    if (st.listmax < 1) return;
    drawFirstPoint(ws_);
    count();
    last_ = std::min<int>(st.listmax, kPointSlots) - 1;
    leg_.index = 0;
    running_ = true;
    nextLeg();
}

void Preview::nextLeg() {
    ProjectState& st = ws_.st;
    const int i = leg_.index + 1;
    if (i > last_) {
        count();
        running_ = false;
        host_.stopTimer();
        return;
    }
    leg_ = setUpLeg(st, i);
    st.waiting = true;
    // The timer keeps running from one leg to the next, so the pace never re-phases.
    host_.startTimer(interval_);
}

void Preview::endLeg() {
    ws_.st.waiting = false;
    markReached(ws_, leg_.index);
    count();
    nextLeg();
}

void Preview::tick() {
    ProjectState& st = ws_.st;
    if (!running_ || !st.waiting) return;
    if (legEnded(st, leg_)) {
        endLeg();
        return;
    }
    stepMove(ws_, leg_);
    count();
    stepUpdate(st, leg_);
}

void Preview::afterRedraw() {
    if (running_ && !ws_.st.waiting) endLeg();
}
