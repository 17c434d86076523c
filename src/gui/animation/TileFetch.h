#pragma once
// A render's map tiles brought at hand on a worker thread before its first frame, from a copy
// of the workspace taken when it starts, so that the window stays usable while they download.

#include "BackgroundJob.h"
#include "shell/Error.h"
#include "shell/Workspace.h"

class TileFetch : public BackgroundJob<MaybeError> {
  public:
    explicit TileFetch(QObject* parent = nullptr) : BackgroundJob(50, parent) {}
    // The worker writes the counts below: it is stopped before they go.
    ~TileFetch() override { abandon(); }
    // `progress` and `done` run on this object's thread; `done` does not run when the fetch is
    // abandoned (which waits for the thread). stop() ends it at its next tile, and `done` runs.
    void start(const Workspace& ws, std::function<void(int done, int wanted)> progress,
               std::function<void(const MaybeError&)> done);

  private:
    std::atomic<int> done_{0}, wanted_{0};
};
