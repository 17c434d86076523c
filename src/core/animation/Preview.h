#pragma once
// The preview as a state machine driven by the main window's timer: no nested event loop.
// Each tick shows the walk's next frame; the last picture once more shares the tick of the
// frame before it. A redraw ends the running leg from outside by stopping the timer and
// clearing `waiting`; the host then calls afterRedraw() once the redraw is done, and the
// preview marks the point, counts it and goes on with the next leg from that leg's own start
// point.

#include "FrameWalk.h"

#include <functional>
#include <memory>

class Preview {
  public:
    struct Host {
        std::function<void(int ms)> startTimer; // start the timer unless it already runs
        std::function<void()> stopTimer;
        std::function<void(const QString&)> showFrame; // the main window's frame label
    };

    Preview(Workspace& ws, Host host);

    bool running() const { return running_; }
    // The Preview button. Does nothing while a preview runs.
    void start();
    // One tick of the timer.
    void tick();
    // Called after a redraw has stopped the timer; ends the running leg if it cut it short.
    void afterRedraw();

    // The head of the frame shown last (not shown before a preview, nor on the bare map).
    Head head() const { return walk_ ? walk_->head() : Head(); }

    // The timer interval: 1000 / fps milliseconds rounded half to even (33 for NTSC, 40 for PAL).
    static int intervalFor(double fps);

  private:
    void count();
    void frame();

    Workspace& ws_;
    Host host_;
    bool running_ = false;
    int interval_ = 33;
    std::unique_ptr<FrameWalk> walk_;
};
