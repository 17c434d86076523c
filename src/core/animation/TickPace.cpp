#include "TickPace.h"

#include <algorithm>
#include <cmath>

double TickPace::periodFor(double fps) {
    const double ms = 1000.0 / fps;
    if (!std::isfinite(ms) || ms < 1) return 1;
    return std::min(ms, 60000.0);
}

void TickPace::reset(double fps) {
    period_ = periodFor(fps) * 1e6;
    started_ = false;
    ticks_ = 0;
}

int TickPace::wait(qint64 now) {
    if (!started_) {
        started_ = true;
        start_ = now;
    }
    double due = double(start_) + double(ticks_ + 1) * period_;
    if (double(now) - due > period_) {
        // Too late to catch up: the next tick comes one period from now.
        start_ = now - qint64(double(ticks_) * period_);
        due = double(now) + period_;
    }
    return int(std::max(0.0, std::round((due - double(now)) / 1e6)));
}
