#pragma once
// Where each leg and each hold lies among the render's frames, from the same walk the render
// takes, so a timeline drawn from it never disagrees with the frames written. A camera's intro
// comes before the walk's first frame and its outro after the last.

#include "shell/ProjectState.h"

#include <array>
#include <functional>
#include <vector>

struct TimeSpan {
    int point = 0;     // the leg ending at this point, or the hold at it
    bool hold = false; // a hold, else a leg
    qint64 first = 0;  // the span's first frame
    qint64 end = 0;    // one past its last frame
};

struct TimeSpans {
    qint64 frames = 0;                         // every frame of the render, intro and outro included
    qint64 intro = 0, outro = 0;               // frames of a camera's intro and outro
    std::vector<TimeSpan> spans;               // in the order of the walk
    std::array<qint64, kPointSlots> arrival{}; // the frame point I is reached; -1 when not within the cap
    bool complete = false;                     // the walk ended before the cap (or `stop`)
};

// Seconds the title card shows before the walk (and before a camera's intro); 0 without a
// title or subtitle.
double titleSeconds(const ProjectState& st);
// The title card's frames: the first frames of a composed animation.
qint64 titleFrames(const ProjectState& st);
// Frames a camera's intro (after the title card's) and outro add; `composed`: frames are composed
// from the scene (a camera that moves, a tiled map, a film look), else there is neither.
qint64 introFrames(const ProjectState& st, bool composed);
qint64 outroFrames(const ProjectState& st, bool composed);

// The spans of the project's walk, counting at most `cap` walk frames; `stop` is asked every few
// thousand frames, so that a worker thread can give up a walk no longer wanted.
TimeSpans timeSpans(const ProjectState& st, bool composed, qint64 cap,
                    const std::function<bool()>& stop = {});
