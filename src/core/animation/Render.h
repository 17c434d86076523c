#pragma once
// The frame-sequence render: the preview's frame walk played without a timer, every frame handed to a frame
// sink under the name renderpath & rendername & frame text & ".bmp". Every render numbers its frames from
// 0000. It stops at the first frame that cannot be written, and at the frame number limit (the last file is
// 9999). The directory and base name are taken when the render starts: choosing another directory or opening
// a project while it runs does not split its frames between two places.
//
// RenderRun works in slices so that a GUI can draw a few milliseconds of frames per pass of
// its event loop; RenderAnimation runs one render to its end.

#include "FrameSink.h"
#include "FrameWalk.h"

#include <chrono>
#include <functional>
#include <memory>

constexpr qint32 kFrameLimit = 10000;
extern const QString kCutShortText; // both frame labels once the limit is reached

struct RenderResult {
    qint64 frames = 0;     // files written, numbered 0000 upwards
    bool cutShort = false; // the frame number limit ended the render
    MaybeError error;      // a frame could not be written, or the route has no points
    QString message() const;
};

class RenderRun {
  public:
    struct Hooks {
        std::function<void(const QString&)> showFrame; // both frame labels
        std::function<void(qint64 written, qint64 total)> progress;
    };

    RenderRun(Workspace& ws, FrameSink& sink, Hooks hooks = {});

    // Draws and hands over frames for about `budget`, at least one, and stops early when the
    // sink would have to wait; false once the render is over.
    bool advance(std::chrono::nanoseconds budget);
    bool done() const { return done_; }
    qint64 total() const { return total_; }
    // Waits for the sink to write everything; call once done() holds.
    RenderResult finish();

    // The name of frame n.
    static QString framePath(const ProjectState& st, qint32 n);

  private:
    void frame();
    bool saveFrame();

    Workspace& ws_;
    FrameSink& sink_;
    Hooks hooks_;
    std::unique_ptr<FrameWalk> walk_; // made by the first frame
    bool done_ = false;
    QString prefix_; // renderpath & rendername at the start
    qint64 total_ = 0;
    RenderResult result_;
};

RenderResult RenderAnimation(Workspace& ws, FrameSink& sink, RenderRun::Hooks hooks = {});
