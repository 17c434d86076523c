#pragma once
// The part of the animation a render writes: `renderfrom` to `renderto`, both inclusive, in the
// animation's own frame numbers; unset ends mean the first and the last frame. Numbered files
// keep those numbers, so a part rendered again replaces the same files of a whole render.

#include "shell/Error.h"
#include "shell/Workspace.h"

struct RenderRange {
    qint64 first = 0;
    qint64 last = -1;
    MaybeError error; // the project asks for frames the animation does not have
    qint64 frames() const { return last - first + 1; }
};

// The range of a render of an animation of `frames` frames.
RenderRange renderRange(const ProjectState& st, qint64 frames);
// The same for the workspace's animation whose walk gives `walkFrames` frames: a camera's
// intro and outro count too.
RenderRange renderRangeOf(const Workspace& ws, qint64 walkFrames);
