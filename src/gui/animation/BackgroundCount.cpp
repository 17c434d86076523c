#include "BackgroundCount.h"

namespace {
constexpr int kPollMs = 10;
}

BackgroundCount::BackgroundCount(QObject* parent) : QObject(parent) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &BackgroundCount::poll);
}

BackgroundCount::~BackgroundCount() {
    abandon();
}

void BackgroundCount::start(const ProjectState& st, std::function<void(const FrameCount&)> done) {
    abandon();
    stop_ = false;
    done_ = std::move(done);
    future_ = std::async(std::launch::async,
                         [st, this] { return countFrames(st, [this] { return stop_.load(); }); });
    poll_.start();
}

void BackgroundCount::abandon() {
    poll_.stop();
    if (!future_.valid()) return;
    stop_ = true;
    future_.get();
}

void BackgroundCount::poll() {
    if (future_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    poll_.stop();
    const FrameCount count = future_.get();
    done_(count);
}
