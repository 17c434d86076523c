#include "TimeSpans.h"

#include "FrameWalk.h"

#include <algorithm>
#include <cmath>

namespace {
// As the camera's plan takes them: seconds held to an hour at a rate of 1 to 1000.
qint64 secondsToFrames(double seconds, double fps) {
    const double s = std::isfinite(seconds) ? std::clamp(seconds, 0.0, 3600.0) : 0.0;
    const double rate = std::isfinite(fps) ? std::clamp(fps, 1.0, 1000.0) : 25.0;
    return qint64(std::llround(s * rate));
}
} // namespace

double titleSeconds(const ProjectState& st) {
    if (st.titletext.isEmpty() && st.subtitletext.isEmpty()) return 0;
    return std::isfinite(st.titletime) ? std::clamp(st.titletime, 0.0, 60.0) : 0.0;
}

qint64 titleFrames(const ProjectState& st) {
    return secondsToFrames(titleSeconds(st), st.fps);
}

qint64 introFrames(const ProjectState& st, bool composed) {
    return composed ? titleFrames(st) + secondsToFrames(st.cameraintro, st.fps) : 0;
}

qint64 outroFrames(const ProjectState& st, bool composed) {
    return composed ? secondsToFrames(st.cameraoutro, st.fps) : 0;
}

TimeSpans timeSpans(const ProjectState& st, bool composed, qint64 cap, const std::function<bool()>& stop) {
    TimeSpans out;
    out.arrival.fill(-1);
    if (st.listmax < 1) {
        out.complete = true;
        return out;
    }
    out.intro = introFrames(st, composed);
    out.outro = outroFrames(st, composed);
    FrameWalk walk(st);
    qint64 n = 0;
    TimeSpan* open = nullptr;
    // A span opens at its first frame and grows with every frame of its kind that follows.
    auto grow = [&](bool hold, int point) {
        const qint64 frame = out.intro + n;
        if (!open || open->hold != hold || open->point != point) {
            out.spans.push_back({point, hold, frame, frame});
            open = &out.spans.back();
        }
        open->end = frame + 1;
    };
    for (; n < cap; ++n) {
        // The point is read before the step: the last frame of a hold already sets up the next leg.
        const int at = walk.leg().index;
        if (stop && n % 4096 == 4095 && stop()) break;
        const FrameKind kind = walk.next();
        if (kind == FrameKind::Done) {
            out.complete = true;
            break;
        }
        switch (kind) {
        case FrameKind::FirstPoint:
            out.arrival[0] = out.intro + n;
            open = nullptr;
            break;
        case FrameKind::Step:
            grow(false, at);
            break;
        case FrameKind::Reached:
            // The frame that marks the point ends its leg.
            grow(false, at);
            out.arrival[std::size_t(at)] = out.intro + n;
            open = nullptr;
            break;
        case FrameKind::Hold:
            grow(true, at);
            break;
        default:
            open = nullptr;
            break;
        }
    }
    out.frames = out.intro + n + (n > 0 ? out.outro : 0);
    return out;
}
