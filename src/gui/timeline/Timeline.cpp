#include "Timeline.h"

#include "animation/FrameCount.h"
#include "animation/TravelLook.h"
#include "shell/EditHistory.h"

#include <algorithm>

namespace {
// Walk frames counted on the event loop: about 15 ms (80 ns a frame), hours of video.
constexpr qint64 kQuickFrames = 200000;
constexpr int kPollMs = 30;
} // namespace

Timeline::Timeline(Workspace& ws, EditHistory& history, Host host, QObject* parent)
    : QObject(parent), ws_(ws), history_(history), host_(std::move(host)) {
    connect(&history_, &EditHistory::changed, this, &Timeline::forget);
    connect(&ws_.events, &WorkspaceEvents::redrawing, this, &Timeline::forget);
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &Timeline::settle);
}

Timeline::~Timeline() {
    if (abandon_) *abandon_ = true;
    if (walking_.valid()) walking_.wait();
}

void Timeline::forget() {
    known_ = false;
    if (abandon_) *abandon_ = true;
    emit changed();
}

const TimeSpans& Timeline::spans() {
    if (!known_) {
        known_ = true;
        const bool composed = composedFrames(ws_.st, bool(ws_.tiles));
        spans_ = timeSpans(ws_.st, composed, kQuickFrames);
        scale_.fps = ws_.st.fps > 0 ? ws_.st.fps : 25;
        if (!spans_.complete) walkOn();
    }
    return spans_;
}

// The whole walk on a worker, from a copy of the state, up to the render's own cap (a walk past
// a day of frames is refused there too).
void Timeline::walkOn() {
    if (walking_.valid()) walking_.wait(); // abandoned already: it ends within a few thousand frames
    abandon_ = std::make_shared<std::atomic<bool>>(false);
    const bool composed = composedFrames(ws_.st, bool(ws_.tiles));
    walking_ = std::async(std::launch::async, [st = ws_.st, composed, stop = abandon_] {
        return timeSpans(st, composed, frameCountLimit(st.fps) + 1, [stop] { return stop->load(); });
    });
    poll_.start();
}

void Timeline::settle() {
    if (walking_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    poll_.stop();
    TimeSpans walked = walking_.get();
    if (*abandon_) return;
    spans_ = std::move(walked);
    emit changed();
}

void Timeline::seek(qint64 frame) {
    playhead_ = std::clamp<qint64>(frame, 0, last());
    if (frames() > 0) host_.seek(playhead_);
    emit changed();
}

void Timeline::follow(qint64 frame) {
    playhead_ = frame;
    emit changed();
}

int Timeline::nearestArrival(qint64 frame) {
    int best = -1;
    qint64 gap = 0;
    for (int i = 0; i < kPointSlots; ++i) {
        const qint64 at = spans().arrival[std::size_t(i)];
        if (at < 0) continue;
        if (best < 0 || std::abs(at - frame) < gap) {
            best = i;
            gap = std::abs(at - frame);
        }
    }
    return best;
}

void Timeline::zoom(double factor, int anchor) {
    const double at = (anchor + scale_.scroll - TimeScale::kMargin) / scale_.pixelsPerFrame;
    // From a whole hour in a few hundred pixels to a frame 60 pixels wide.
    scale_.pixelsPerFrame = std::clamp(scale_.pixelsPerFrame * factor, 0.002, 60.0);
    scale_.scroll = std::max(0, int(std::lround(at * scale_.pixelsPerFrame)) + TimeScale::kMargin - anchor);
    emit changed();
}

void Timeline::scrollTo(int pixels) {
    if (pixels == scale_.scroll) return;
    scale_.scroll = std::max(0, pixels);
    emit changed();
}
