#pragma once
// The frame writers, chosen by the container of the target's output kind.

#include "FrameSink.h"
#include "RenderTarget.h"

#include <memory>

struct MadeWriter {
    std::unique_ptr<FrameSink> sink; // null when it could not be made
    MaybeError error;                // why not
};

// The writer for a render to `target`; an error when no writer makes its kind or the writer
// cannot start.
MadeWriter makeFrameWriter(const RenderTarget& target);

// MP4, MOV, GIF and WebP files, from the video library, which is loaded on the first call.
MadeWriter makeVideoFile(const RenderTarget& target);
