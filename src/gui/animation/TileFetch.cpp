#include "TileFetch.h"

#include "animation/FrameTiles.h"

namespace {
constexpr int kPollMs = 50;
}

TileFetch::TileFetch(QObject* parent) : QObject(parent) {
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &TileFetch::poll);
}

TileFetch::~TileFetch() {
    abandon();
}

void TileFetch::start(const Workspace& ws, std::function<void(int, int)> progress,
                      std::function<void(const MaybeError&)> done) {
    abandon();
    stop_ = false;
    done_ = 0;
    wanted_ = 0;
    progress_ = std::move(progress);
    finished_ = std::move(done);
    future_ = std::async(std::launch::async, [&ws, this] {
        return fetchRenderTiles(ws, [this](int done, int wanted) {
            done_ = done;
            wanted_ = wanted;
            return !stop_.load();
        });
    });
    poll_.start();
}

void TileFetch::abandon() {
    poll_.stop();
    if (!future_.valid()) return;
    stop_ = true;
    future_.get();
}

void TileFetch::poll() {
    if (progress_) progress_(done_, wanted_);
    if (future_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    poll_.stop();
    const MaybeError error = future_.get();
    finished_(error);
}
