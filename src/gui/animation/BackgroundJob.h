#pragma once
// Work on a worker thread whose result comes back on the window's thread: polled by a timer, so
// the window stays usable, and stoppable through a flag the work reads.

#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>

template <class Result> class BackgroundJob : public QObject {
  public:
    explicit BackgroundJob(int pollMs, QObject* parent = nullptr) : QObject(parent) {
        poll_.setInterval(pollMs);
        connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
    }
    // Abandons a running job and waits for its thread.
    ~BackgroundJob() override { abandon(); }

    // `work` runs on a worker thread and should give up once the flag it gets is set. `tick` runs
    // on this object's thread at every poll, `done` once the work is over, unless abandoned first.
    void start(std::function<Result(const std::atomic<bool>& stop)> work,
               std::function<void(const Result&)> done, std::function<void()> tick = {}) {
        abandon();
        stop_ = false;
        done_ = std::move(done);
        tick_ = std::move(tick);
        future_ = std::async(std::launch::async, [this, work = std::move(work)] { return work(stop_); });
        poll_.start();
    }
    bool running() const { return future_.valid(); }
    // Asks the work to stop; `done` still runs.
    void stop() { stop_ = true; }
    bool stopped() const { return stop_; }
    void abandon() {
        poll_.stop();
        if (!future_.valid()) return;
        stop_ = true;
        future_.get();
    }

  private:
    void poll() {
        if (tick_) tick_();
        if (future_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
        poll_.stop();
        const Result result = future_.get();
        done_(result);
    }

    std::atomic<bool> stop_{false};
    std::future<Result> future_;
    std::function<void(const Result&)> done_;
    std::function<void()> tick_;
    QTimer poll_;
};
