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
    walk_ = std::make_unique<FrameWalk>(ws_);
    walk_->next(); // the bare map
    // An empty route shows the bare map and nothing else.
    if (walk_->done()) return;
    running_ = true;
    frame(); // the first point
    if (!running_) return;
    st.waiting = true;
    // The timer keeps running from one leg to the next, so the pace never re-phases.
    host_.startTimer(interval_);
}

void Preview::frame() {
    walk_->next();
    count();
    if (walk_->lastComes()) {
        walk_->next();
        count();
    }
    if (walk_->done()) {
        running_ = false;
        ws_.st.waiting = false;
        host_.stopTimer();
    }
}

void Preview::tick() {
    if (!running_ || !ws_.st.waiting) return;
    frame();
}

void Preview::afterRedraw() {
    if (!running_ || ws_.st.waiting) return;
    walk_->cutLeg();
    frame();
    if (!running_) return;
    ws_.st.waiting = true;
    host_.startTimer(interval_);
}
