#pragma once
// The render: every frame of the animation in order (or of the project's render range), handed
// to a frame sink with its own number. It draws from a copy of the project and its pictures taken when it
// starts, so editing meanwhile changes nothing in the frames still to come. It stops at the
// first frame that cannot be written, and at the sink's frame limit (numbered files end at
// 9999). The sink names what it writes: it is made for a render target taken when the render
// starts.
//
// RenderRun works in slices so that a GUI can draw a few milliseconds of frames per pass of
// its event loop; RenderAnimation runs one render to its end.

#include "FrameCount.h"
#include "FrameMaker.h"
#include "FrameSink.h"
#include "RenderRange.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

extern const QString kCutShortText; // both frame labels once the limit is reached

struct RenderResult {
    qint64 frames = 0;     // frames written
    bool cutShort = false; // the sink's frame limit ended the render
    bool stopped = false;  // stopped on request before its end
    MaybeError error;      // a frame could not be written, or the route has no points
    qint64 first = 0;      // the number of the first frame (a render of a part starts past 0)
    QString message() const;
};

class RenderRun {
  public:
    struct Hooks {
        std::function<void(const QString&)> showFrame; // both frame labels
        std::function<void(qint64 written, qint64 total)> progress;
    };

    // The marker is made before the sink, so that a marker picture that cannot be used stops
    // the render before anything is written (see renderMarker). `counted` is the count of the
    // state as it is now, when the caller has taken it already; otherwise the first frame
    // counts, and a render of more than a day fails there.
    RenderRun(const Workspace& ws, FrameSink& sink, Marker marker, Hooks hooks = {},
              std::optional<qint64> counted = {});
    // With the marker the state asks for, a dot in place of a picture that cannot be used.
    RenderRun(const Workspace& ws, FrameSink& sink, Hooks hooks = {})
        : RenderRun(ws, sink, Marker::fromState(ws.st), std::move(hooks)) {}

    // Draws and hands over frames for about `budget`, at least one, and stops early when the
    // sink would have to wait; false once the render is over.
    bool advance(std::chrono::nanoseconds budget);
    bool done() const { return done_; }
    qint64 total() const { return total_; }
    // Frames handed to the sink so far.
    qint64 frames() const { return result_.frames; }
    // Ends the render after the frames handed over so far (Stop, Ctrl+C).
    void stop();
    // Waits for the sink to write everything; call once done() holds.
    RenderResult finish();

  private:
    void frame();
    bool begin();

    FrameMaker maker_;
    FrameSink& sink_;
    Hooks hooks_;
    bool begun_ = false;
    bool done_ = false;
    qint64 limit_ = 0; // the sink's frame limit, 0 for none
    qint64 total_ = 0;
    std::optional<qint64> counted_;
    RenderRange range_; // the project's renderfrom to renderto
    RenderResult result_;
};

// The marker a render of the project draws; a marker picture that cannot be used is an error
// naming it, and the render must not start.
std::optional<Marker> renderMarker(const ProjectState& st, Error* error);

// The marker is made first: a picture that cannot be used ends it with that error, no frame made.
// Tiles are fetched first, with their progress in `tiles`.
RenderResult RenderAnimation(const Workspace& ws, FrameSink& sink, RenderRun::Hooks hooks = {},
                             const std::function<bool(int done, int wanted)>& tiles = {});
