#pragma once
// A render's frame count on a worker thread, from a copy of the state: the worst count a render
// may have (a day of video) walks millions of steps, too long to hold up the window.

#include "BackgroundJob.h"
#include "animation/FrameCount.h"

class BackgroundCount : public BackgroundJob<FrameCount> {
  public:
    explicit BackgroundCount(QObject* parent = nullptr) : BackgroundJob(10, parent) {}
    // `done` runs on this object's thread once the count is over, unless abandoned first.
    void start(const ProjectState& st, std::function<void(const FrameCount&)> done) {
        BackgroundJob::start(
            [st](const std::atomic<bool>& stop) { return countFrames(st, [&] { return stop.load(); }); },
            std::move(done));
    }
};
