#include "Transport.h"

#include "Timeline.h"

#include <cmath>

namespace {
constexpr int kFastest = 4;
}

Transport::Transport(Timeline& timeline, QObject* parent) : QObject(parent), tl_(timeline) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Transport::tick);
}

int Transport::speed() const {
    if (timer_.isActive()) return speed_;
    return tl_.host().playing() ? 1 : 0;
}

void Transport::playOrPause() {
    if (speed() != 0) return pause();
    // From the start again once the end is reached.
    tl_.host().play(tl_.playhead() >= tl_.last() ? 0 : tl_.playhead());
    emit stateChanged();
}

void Transport::forwards() {
    const int now = speed();
    if (now <= 0) {
        pause();
        tl_.host().play(tl_.playhead() >= tl_.last() ? 0 : tl_.playhead());
        emit stateChanged();
        return;
    }
    shuttle(std::min(now * 2, kFastest));
}

void Transport::backwards() {
    const int now = speed();
    shuttle(now < 0 ? std::max(now * 2, -kFastest) : -1);
}

void Transport::pause() {
    timer_.stop();
    speed_ = 0;
    if (tl_.host().playing()) tl_.host().pause();
    emit stateChanged();
}

void Transport::shuttle(int speed) {
    if (tl_.host().playing()) tl_.host().pause();
    speed_ = speed;
    timer_.start(std::max(1, int(std::lround(1000 / tl_.scale().fps))));
    emit stateChanged();
}

void Transport::tick() {
    const qint64 next = tl_.playhead() + speed_;
    if (next < 0 || next > tl_.last()) {
        tl_.seek(next < 0 ? 0 : tl_.last());
        return pause();
    }
    tl_.seek(next);
}
