#include "Render.h"

#include <algorithm>
#include <limits>

const QString kCutShortText = QStringLiteral("-**-");

QString RenderResult::message() const {
    if (error) return error->message();
    if (cutShort)
        return QStringLiteral("The animation was cut short at frame %1: frame numbers end there.")
            .arg(frameText(frames - 1));
    return QString();
}

RenderRun::RenderRun(const Workspace& ws, FrameSink& sink, Hooks hooks)
    : maker_(ws, sink.transparent()), sink_(sink), hooks_(std::move(hooks)) {}

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
    if (maker_.project().listmax < 1) {
        result_.error = Error{QString(), QStringLiteral("The route has no points: nothing to render.")};
        done_ = true;
        return false;
    }
    if (!maker_.markerError().reason.isEmpty()) {
        result_.error = maker_.markerError();
        done_ = true;
        return false;
    }
    limit_ = sink_.frameLimit();
    // Without a limit the count still stops where the frame counter would overflow.
    total_ = maker_.frames(limit_ > 0 ? limit_ : std::numeric_limits<qint32>::max());
    return true;
}

// One frame's drawing and its save.
void RenderRun::frame() {
    if (done_ || (!begun_ && !begin())) return;
    const qint64 n = result_.frames;
    if (limit_ > 0 && n >= limit_) {
        if (hooks_.showFrame) hooks_.showFrame(kCutShortText);
        result_.cutShort = true;
        done_ = true;
        return;
    }
    if (hooks_.showFrame) hooks_.showFrame(frameText(n));
    MaybeError e;
    maker_.show(n, [&](const QImage& frame, const ChangeLog* changes) { e = sink_.put(frame, n, changes); });
    if (e) {
        result_.error = e;
        done_ = true;
        return;
    }
    ++result_.frames;
    if (maker_.shownLast()) done_ = true;
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

RenderResult RenderAnimation(const Workspace& ws, FrameSink& sink, RenderRun::Hooks hooks) {
    RenderRun run(ws, sink, std::move(hooks));
    while (run.advance(std::chrono::hours(1))) {
    }
    return run.finish();
}
