#include "FrameMaker.h"

#include "FrameCount.h"
#include "TravelLook.h"
#include "tiles/TileSource.h"

#include <algorithm>
#include <limits>

std::unique_ptr<Workspace> projectCopy(const Workspace& ws) {
    auto copy = std::make_unique<Workspace>();
    copy->st = ws.st;
    copy->picture = ws.picture; // shared until either side changes it
    copy->tiles = ws.tiles;
    const QSize frame = renderFrameSize(ws);
    copy->map.resize(frame.width(), frame.height());
    return copy;
}

FrameMaker::FrameMaker(const Workspace& ws, bool transparent, std::optional<Marker> marker)
    : ws_(projectCopy(ws)), transparent_(transparent) {
    if (transparent) ws_->map.setTransparent(true);
    ws_->st.renderframe = 0;
    ws_->st.framecount = 0;
    marker_ = marker ? std::move(*marker) : Marker::fromState(ws_->st);
}

FrameMaker::~FrameMaker() = default;

bool FrameMaker::composed() const {
    // Tiles are drawn only where a frame shows them, whatever the camera.
    return composedFrames(ws_->st, bool(ws_->tiles));
}

const SceneFrames* FrameMaker::scene() {
    if (composed() && !scene_)
        scene_ = std::make_unique<SceneFrames>(
            ws_->st, ws_->picture, ws_->tiles, QSize(ws_->map.width(), ws_->map.height()), marker_,
            transparent_, std::min(countCap_ > 0 ? countCap_ : INT32_MAX, frameCountLimit(ws_->st.fps) + 1));
    return scene_.get();
}

bool FrameMaker::shownLast() const {
    if (scene_) return at_ >= scene_->frames() - 1;
    return walk_ && walk_->done();
}

void FrameMaker::knowFrames(qint64 frames) {
    count_ = frames;
    countCap_ = std::numeric_limits<qint64>::max();
}

qint64 FrameMaker::frames(qint64 cap) {
    if (count_ < 0 || (count_ >= countCap_ && cap > countCap_)) {
        countCap_ = cap;
        scene_.reset();
        count_ = composed() ? scene()->frames() : plannedFrames(ws_->st, cap);
    }
    return std::min(count_, cap);
}

void FrameMaker::restart() {
    walk_ = std::make_unique<FrameWalk>(*ws_);
    at_ = -1;
}

bool FrameMaker::walkTo(qint64 n) {
    if (!walk_ || n < at_) restart();
    // The nearest kept frame at or before n, when it saves steps.
    const auto k = std::upper_bound(kept_.begin(), kept_.end(), n,
                                    [](qint64 f, const Kept& kept) { return f < kept.frame; });
    if (k != kept_.begin() && std::prev(k)->frame > at_) {
        const Kept& from = *std::prev(k);
        walk_->goTo(from.place);
        ws_->map.restore(from.surface);
        at_ = from.frame;
    }
    while (at_ < n) {
        if (walk_->done() || walk_->next() == FrameKind::Done) return false;
        ++at_;
        if (budget_ > 0 && at_ % spacing_ == 0) keep();
    }
    return true;
}

// Keeps the frame just walked; past the budget, every other kept frame goes and the spacing doubles.
void FrameMaker::keep() {
    if (!kept_.empty() && kept_.back().frame >= at_) return;
    kept_.push_back({at_, walk_->place(), ws_->map.save()});
    qint64 bytes = 0;
    for (const Kept& k : kept_)
        bytes += k.surface.bytes();
    while (bytes > budget_ && kept_.size() > 1) {
        spacing_ *= 2;
        std::erase_if(kept_, [&](const Kept& k) { return k.frame % spacing_ != 0; });
        bytes = 0;
        for (const Kept& k : kept_)
            bytes += k.surface.bytes();
    }
}

void FrameMaker::keepFrames(qint64 budgetBytes) {
    budget_ = budgetBytes;
    if (budget_ <= 0) kept_.clear();
}

bool FrameMaker::show(qint64 n, const std::function<void(const QImage&, const ChangeLog*)>& use) {
    if (composed()) {
        at_ = n;
        return scene() &&
               scene_->show(n, [&](const QImage& frame, const ChangeLog& changes) { use(frame, &changes); });
    }
    if (n < 0 || !walkTo(n)) return false;
    Surface& map = ws_->map;
    marker_.over(map, walk_->head(), [&](const QImage& frame) { use(frame, &map.changes()); });
    return true;
}
