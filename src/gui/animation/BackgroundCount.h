#pragma once
// A render's frame count on a worker thread, from a copy of the state: the worst count a render
// may have (a day of video) walks millions of steps, too long to hold up the window.

#include "animation/FrameCount.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <future>

class BackgroundCount : public QObject {
  public:
    explicit BackgroundCount(QObject* parent = nullptr);
    // Abandons a running count and waits for its thread.
    ~BackgroundCount() override;

    // `done` runs on this object's thread once the count is over, unless abandoned first.
    void start(const ProjectState& st, std::function<void(const FrameCount&)> done);
    bool running() const { return future_.valid(); }
    void abandon();

  private:
    void poll();

    std::atomic<bool> stop_{false};
    std::future<FrameCount> future_;
    std::function<void(const FrameCount&)> done_;
    QTimer poll_;
};
