#include "Preview.h"

#include "FrameCount.h"
#include "FrameTiles.h"
#include "mapview/RouteEditing.h"
#include "tiles/TileSource.h"

#include <algorithm>
#include <cmath>
#include <limits>

Preview::Preview(const Workspace& ws, Host host) : ws_(ws), host_(std::move(host)) {}

int Preview::intervalFor(double fps) {
    const double ms = 1000.0 / fps;
    // A frame rate no preset gives (possible only from a project file) still paces sanely.
    if (!std::isfinite(ms) || ms < 1) return 1;
    return roundHalfEven(std::min(ms, 60000.0));
}

void Preview::show(qint64 n) {
    maker_->show(n, [&](const QImage& frame, const ChangeLog*) {
        // Copied into the buffer it already has: the maker draws the next frame over its own.
        if (picture_.size() != frame.size() || picture_.format() != frame.format())
            picture_ = frame.copy();
        else
            std::copy_n(frame.constBits(), frame.sizeInBytes(), picture_.bits());
    });
    shown_ = n;
    wantTiles(n);
    host_.showFrame(frameText(n));
}

// A frame with tiles not at hand asks for them, and for those of the next few frames, without
// waiting: the frames show them once they are in.
void Preview::wantTiles(qint64 n) {
    const TileSource* tiles = frameTileSource(*maker_);
    if (!tiles || maker_->scene()->gaps().count == 0) return;
    tiles->store().want(frameTiles(*maker_, n, n + kTileFramesAhead));
}

// A copy of the project as it is now, unless one is held.
void Preview::hold() {
    if (maker_) return;
    maker_ = std::make_unique<FrameMaker>(ws_);
    // Scrubbing back and forth goes back to frames kept on the way, a few frames' worth.
    const QSize frame = renderFrameSize(ws_);
    maker_->keepFrames(qint64(16) * frame.width() * frame.height() * 4);
    // A project of more than a day of frames (which no render takes) plays its first day.
    total_ = maker_->frames(frameCountLimit(ws_.st.fps));
}

qint64 Preview::frames() {
    hold();
    return total_;
}

const SceneFrames* Preview::scene() {
    hold();
    return maker_->scene();
}

void Preview::start(qint64 from) {
    if (running_) return;
    host_.stopTimer();
    interval_ = intervalFor(ws_.st.fps);
    hold();
    show(std::clamp<qint64>(from, 0, std::max<qint64>(total_ - 1, 0)));
    // An empty route shows the bare map and nothing else.
    if (shown_ + 1 >= total_) return;
    running_ = true;
    if (shown_ == 0) showNext(); // the bare map and the first point come at once
    // The timer keeps running from one leg to the next, so the pace never re-phases.
    if (running_) host_.startTimer(interval_);
}

void Preview::seek(qint64 n) {
    stop();
    hold();
    if (n >= 0 && n < std::max<qint64>(total_, 1)) show(n);
}

void Preview::showNext() {
    show(shown_ + 1);
    // The last frame repeats the picture before it: both share one tick.
    if (shown_ + 2 == total_) show(shown_ + 1);
    if (shown_ + 1 >= total_) stop();
}

void Preview::tick() {
    if (running_) showNext();
}

void Preview::stop() {
    if (!running_) return;
    running_ = false;
    host_.stopTimer();
}

void Preview::dismiss() {
    stop();
    maker_.reset();
    picture_ = QImage();
    shown_ = -1;
}
