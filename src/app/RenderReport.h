#pragma once
// What the command line says when a render ends, and its exit status.

#include "animation/FrameSink.h"
#include "animation/Render.h"
#include "animation/RenderTarget.h"

// The summary and the exit status: 0 done, 2 a write failed, 3 cut short, 4 stopped by `signal`.
int report(const RenderResult& result, const FrameSink& writer, const RenderTarget& target, double secs,
           int signal);
