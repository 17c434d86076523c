#include "Render.h"

#include <algorithm>

const QString kCutShortText = QStringLiteral("-**-");

QString RenderResult::message() const {
    if (error) return error->message();
    if (cutShort)
        return QStringLiteral("The animation was cut short at frame 9999: frame numbers end there.");
    return QString();
}

RenderRun::RenderRun(Workspace& ws, FrameSink& sink, Hooks hooks)
    : ws_(ws), sink_(sink), hooks_(std::move(hooks)) {}

QString RenderRun::framePath(const ProjectState& st, qint32 n) {
    return st.renderpath + st.rendername + frameText(n) + QStringLiteral(".bmp");
}

bool RenderRun::advance(std::chrono::nanoseconds budget) {
    const auto until = std::chrono::steady_clock::now() + budget;
    do {
        frame();
    } while (phase_ != Phase::Done && std::chrono::steady_clock::now() < until && sink_.ready());
    return phase_ != Phase::Done;
}

// One frame's drawing and its save (setting up a leg draws nothing and is no frame).
void RenderRun::frame() {
    ProjectState& st = ws_.st;
    switch (phase_) {
    case Phase::Begin:
        st.renderframe = 0;
        st.framecount = 0;
        if (st.listmax < 1) {
            result_.error = Error{QString(), QStringLiteral("The route has no points: nothing to render.")};
            phase_ = Phase::Done;
            return;
        }
        prefix_ = st.renderpath + st.rendername;
        total_ = plannedFrames(st, kFrameLimit);
        last_ = std::min<int>(st.listmax, kPointSlots) - 1;
        resetMap(ws_);
        phase_ = Phase::FirstPoint;
        saveFrame();
        return;
    case Phase::FirstPoint:
        drawFirstPoint(ws_);
        leg_.index = 0;
        phase_ = last_ >= 1 ? Phase::SetUpLeg : Phase::Last;
        saveFrame();
        return;
    case Phase::SetUpLeg:
        leg_ = setUpLeg(st, leg_.index + 1);
        phase_ = Phase::Stepping;
        [[fallthrough]];
    case Phase::Stepping:
        if (legEnded(st, leg_)) {
            markReached(ws_, leg_.index);
            phase_ = leg_.index < last_ ? Phase::SetUpLeg : Phase::Last;
            saveFrame();
        } else {
            stepMove(ws_, leg_);
            if (saveFrame()) stepUpdate(st, leg_);
        }
        return;
    case Phase::Last:
        phase_ = Phase::Done;
        saveFrame();
        return;
    case Phase::Done:
        return;
    }
}

// Saves the map as the next frame file; false (and the render over) when it cannot.
bool RenderRun::saveFrame() {
    ProjectState& st = ws_.st;
    if (st.renderframe >= kFrameLimit) {
        if (hooks_.showFrame) hooks_.showFrame(kCutShortText);
        result_.cutShort = true;
        phase_ = Phase::Done;
        return false;
    }
    if (hooks_.showFrame) hooks_.showFrame(frameText(st.renderframe));
    const QString path = prefix_ + frameText(st.renderframe) + QStringLiteral(".bmp");
    if (MaybeError e = sink_.put(ws_.map.image(), path)) {
        result_.error = e;
        phase_ = Phase::Done;
        return false;
    }
    ++st.renderframe;
    ++result_.frames;
    if (hooks_.progress) hooks_.progress(sink_.written(), total_);
    return true;
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

RenderResult RenderAnimation(Workspace& ws, FrameSink& sink, RenderRun::Hooks hooks) {
    RenderRun run(ws, sink, std::move(hooks));
    while (run.advance(std::chrono::hours(1))) {
    }
    return run.finish();
}
