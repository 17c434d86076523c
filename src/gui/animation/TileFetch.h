#pragma once
// A render's map tiles brought at hand on a worker thread before its first frame, from a copy
// of the workspace, so that the window stays usable while they download.

#include "shell/Error.h"
#include "shell/Workspace.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <future>

class TileFetch : public QObject {
  public:
    explicit TileFetch(QObject* parent = nullptr);
    // Abandons a running fetch and waits for its thread.
    ~TileFetch() override;
    // `ws` must outlive the fetch. `progress` and `done` run on this object's thread; `done` does
    // not run when the fetch is abandoned (which waits for the thread).
    void start(const Workspace& ws, std::function<void(int done, int wanted)> progress,
               std::function<void(const MaybeError&)> done);
    bool running() const { return future_.valid(); }
    // Asks the fetch to stop at its next tile; `done` still runs, with `stopped()` true.
    void stop() { stop_ = true; }
    bool stopped() const { return stop_; }
    void abandon();

  private:
    void poll();
    std::atomic<bool> stop_{false};
    std::atomic<int> done_{0}, wanted_{0};
    std::future<MaybeError> future_;
    std::function<void(int, int)> progress_;
    std::function<void(const MaybeError&)> finished_;
    QTimer poll_;
};
