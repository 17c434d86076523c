#include "Render.h"

#include "mapview/RouteDrawing.h"

#include <algorithm>

const QString kCutShortText = QStringLiteral("-**-");

QString RenderResult::message() const {
    if (error) return error->message();
    if (cutShort)
        return QStringLiteral("The animation was cut short at frame %1: frame numbers end there.")
            .arg(frameText(frames - 1));
    return QString();
}

RenderRun::RenderRun(Workspace& ws, FrameSink& sink, Marker marker, Hooks hooks, std::optional<qint64> counted)
    : ws_(ws), sink_(sink), hooks_(std::move(hooks)), marker_(std::move(marker)), counted_(counted) {}

std::optional<Marker> renderMarker(const ProjectState& st, Error* error) {
    Error bad;
    Marker marker = Marker::fromState(st, &bad);
    if (bad.reason.isEmpty()) return marker;
    if (error) *error = bad;
    return std::nullopt;
}

bool RenderRun::advance(std::chrono::nanoseconds budget) {
    const auto until = std::chrono::steady_clock::now() + budget;
    do {
        frame();
    } while (!done_ && std::chrono::steady_clock::now() < until && sink_.ready());
    return !done_;
}

// One frame's drawing and its save.
void RenderRun::frame() {
    if (done_) return;
    if (!walk_) {
        ProjectState& st = ws_.st;
        st.renderframe = 0;
        st.framecount = 0;
        if (st.listmax < 1) {
            result_.error = Error{QString(), QStringLiteral("The route has no points: nothing to render.")};
            done_ = true;
            return;
        }
        if (!counted_) {
            const FrameCount count = countFrames(st);
            if (count.error) {
                result_.error = count.error;
                done_ = true;
                return;
            }
            counted_ = count.frames;
        }
        limit_ = sink_.frameLimit();
        total_ = limit_ > 0 ? std::min(*counted_, limit_) : *counted_;
        // A transparent render draws the same route on a clear layer instead of the map.
        if (sink_.transparent()) ws_.map.setTransparent(true);
        walk_ = std::make_unique<FrameWalk>(ws_);
    }
    walk_->next();
    if (walk_->done()) done_ = true;
    saveFrame();
}

// Saves the map as the next frame file; false (and the render over) when it cannot.
bool RenderRun::saveFrame() {
    ProjectState& st = ws_.st;
    if (limit_ > 0 && st.renderframe >= limit_) {
        if (hooks_.showFrame) hooks_.showFrame(kCutShortText);
        result_.cutShort = true;
        done_ = true;
        return false;
    }
    if (hooks_.showFrame) hooks_.showFrame(frameText(st.renderframe));
    MaybeError e;
    marker_.over(ws_.map, walk_->head(),
                 [&](const QImage& frame) { e = sink_.put(frame, st.renderframe, &ws_.map.changes()); });
    if (e) {
        result_.error = e;
        done_ = true;
        return false;
    }
    ++st.renderframe;
    ++result_.frames;
    if (hooks_.progress) hooks_.progress(sink_.written(), total_);
    return true;
}

void RenderRun::stop() {
    if (done_) return;
    done_ = true;
    result_.stopped = true;
}

RenderResult RenderRun::finish() {
    if (ws_.map.transparent()) { // the map window shows the map again, with the whole route
        ws_.map.setTransparent(false);
        resetMap(ws_);
        drawRoute(ws_);
    }
    const MaybeError late = sink_.finish();
    // Frames are written in parallel: once all have settled, the sink knows the earliest failure.
    if (late) result_.error = late;
    // After a failure only the frames on disk count; the rest were dropped unwritten.
    if (result_.error) result_.frames = sink_.written();
    if (hooks_.progress) hooks_.progress(sink_.written(), total_);
    return result_;
}

RenderResult RenderAnimation(Workspace& ws, FrameSink& sink, RenderRun::Hooks hooks) {
    Error bad;
    std::optional<Marker> marker = renderMarker(ws.st, &bad);
    if (!marker) return RenderResult{0, false, false, bad};
    RenderRun run(ws, sink, std::move(*marker), std::move(hooks));
    while (run.advance(std::chrono::hours(1))) {
    }
    return run.finish();
}
