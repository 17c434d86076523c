#pragma once
// A render's frames, counted before anything is written. A render of more than a day of video
// is refused instead: nobody wants one, and counting on would only keep the caller waiting
// (a leg can take an hour of frames and each point hold another).

#include "shell/Error.h"
#include "shell/ProjectState.h"

#include <functional>

// The most frames a render may give: 24 hours at the frame rate.
qint64 frameCountLimit(double fps);

struct FrameCount {
    qint64 frames = 0;      // frame 0 the bare map; 0 for an empty route
    bool abandoned = false; // `stop` asked for it before the end
    MaybeError error;       // more frames than the limit
};

// Walks a copy of `st`, so any thread may run it; `stop` is asked every few thousand frames.
FrameCount countFrames(const ProjectState& st, const std::function<bool()>& stop = {});
