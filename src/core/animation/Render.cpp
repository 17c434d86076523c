#include "Render.h"

#include "FrameTiles.h"
#include "RenderRange.h"

#include <algorithm>
#include <limits>

const QString kCutShortText = QStringLiteral("-**-");

QString RenderResult::message() const {
    if (error) return error->message();
    if (cutShort)
        return QStringLiteral("The animation was cut short at frame %1: frame numbers end there.")
            .arg(frameText(first + frames - 1));
    return QString();
}

RenderRun::RenderRun(const Workspace& ws, FrameSink& sink, Marker marker, Hooks hooks,
                     std::optional<qint64> counted)
    : maker_(ws, sink.transparent(), std::move(marker)), sink_(sink), hooks_(std::move(hooks)),
      counted_(counted) {}

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

// What the render needs before its first frame; false (and the render over) when it cannot start.
bool RenderRun::begin() {
    begun_ = true;
    const ProjectState& st = maker_.project();
    if (st.listmax < 1) {
        result_.error = Error{QString(), QStringLiteral("The route has no points: nothing to render.")};
        done_ = true;
        return false;
    }
    if (!counted_) {
        const FrameCount count = countFrames(st);
        if (count.error) {
            result_.error = count.error;
            done_ = true;
            return false;
        }
        counted_ = count.frames;
    }
    // The walk's frames are counted; a camera that moves adds its intro and outro.
    if (!maker_.composed()) maker_.knowFrames(*counted_);
    limit_ = sink_.frameLimit();
    const qint64 all = maker_.frames(std::numeric_limits<qint32>::max());
    range_ = renderRange(st, all);
    if (range_.error) {
        result_.error = range_.error;
        done_ = true;
        return false;
    }
    result_.first = range_.first;
    const qint64 end = limit_ > 0 ? std::min(range_.last + 1, limit_) : range_.last + 1;
    total_ = std::max<qint64>(end - range_.first, 0);
    return true;
}

// One frame's drawing and its save.
void RenderRun::frame() {
    if (done_ || (!begun_ && !begin())) return;
    const qint64 n = range_.first + result_.frames;
    if (limit_ > 0 && n >= limit_) {
        if (hooks_.showFrame) hooks_.showFrame(kCutShortText);
        result_.cutShort = true;
        done_ = true;
        return;
    }
    if (hooks_.showFrame) hooks_.showFrame(frameText(n));
    MaybeError e;
    maker_.show(n, [&](const QImage& frame, const ChangeLog* changes) {
        // A frame with a hole in its map is never written.
        const SceneFrames* scene = maker_.composed() ? maker_.scene() : nullptr;
        if (scene && scene->gaps().count > 0)
            e = Error{
                scene->gaps().first,
                QString("frame %1 needs this tile, which is not at hand; the render stopped there").arg(n)};
        else
            e = sink_.put(frame, n, changes);
    });
    if (e) {
        result_.error = e;
        done_ = true;
        return;
    }
    ++result_.frames;
    if (maker_.shownLast() || n >= range_.last) done_ = true;
    if (hooks_.progress) hooks_.progress(sink_.written(), total_);
}

void RenderRun::stop() {
    if (done_) return;
    done_ = true;
    result_.stopped = true;
}

RenderResult RenderRun::finish() {
    const MaybeError late = sink_.finish();
    // Frames are written in parallel: once all have settled, the sink knows the earliest failure.
    if (late) result_.error = late;
    // After a failure only the frames on disk count; the rest were dropped unwritten.
    if (result_.error) result_.frames = sink_.written();
    if (hooks_.progress) hooks_.progress(sink_.written(), total_);
    return result_;
}

RenderResult RenderAnimation(const Workspace& ws, FrameSink& sink, RenderRun::Hooks hooks,
                             const std::function<bool(int, int)>& tiles) {
    Error bad;
    std::optional<Marker> marker = renderMarker(ws.st, &bad);
    if (!marker) return RenderResult{0, false, false, bad};
    if (MaybeError e = fetchRenderTiles(ws, tiles)) return RenderResult{0, false, false, e};
    RenderRun run(ws, sink, std::move(*marker), std::move(hooks));
    while (run.advance(std::chrono::hours(1))) {
    }
    return run.finish();
}
