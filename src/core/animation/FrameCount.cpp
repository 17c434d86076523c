#include "FrameCount.h"

#include "FrameWalk.h"

#include <algorithm>
#include <cmath>

qint64 frameCountLimit(double fps) {
    // A rate no format gives (a state not set through one) still bounds the count.
    const double rate = std::isfinite(fps) ? std::clamp(fps, 1.0, 1000.0) : 1000.0;
    return qint64(std::ceil(24 * 3600 * rate));
}

FrameCount countFrames(const ProjectState& st, const std::function<bool()>& stop) {
    FrameCount count;
    if (st.listmax < 1) return count;
    const qint64 limit = frameCountLimit(st.fps);
    FrameWalk walk(st);
    while (walk.next() != FrameKind::Done) {
        if (++count.frames > limit) {
            count.error = Error{QString(), QStringLiteral("The render would give more than %1 frames, over "
                                                          "24 hours of video at %2 frames a second; shorten "
                                                          "the route's interval, holds or speed.")
                                               .arg(limit)
                                               .arg(st.fps)};
            return count;
        }
        if (stop && count.frames % 4096 == 0 && stop()) {
            count.abandoned = true;
            return count;
        }
    }
    return count;
}
