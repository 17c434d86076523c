#pragma once
// The preview as a state machine driven by the main window's timer: no nested event loop.
// It plays the frames the render would write, from a copy of the project taken when it starts,
// so editing meanwhile changes nothing in what it shows. Each tick shows the next frame; the last
// picture once more shares the tick of the frame before it.

#include "FrameMaker.h"

#include <functional>
#include <memory>

class Preview {
  public:
    struct Host {
        std::function<void(int ms)> startTimer; // start the timer unless it already runs
        std::function<void()> stopTimer;
        std::function<void(const QString&)> showFrame; // the main window's frame label
    };

    Preview(const Workspace& ws, Host host);

    bool running() const { return running_; }
    // Plays from frame `from`, from the copy of the project held since the last start or seek,
    // else from a new one. Does nothing while a preview runs.
    void start(qint64 from = 0);
    // One tick of the timer.
    void tick();
    // Ends a running preview where it is; the frame shown stays.
    void stop();
    // Shows frame n alone (the scrub bar), stopping a running preview.
    void seek(qint64 n);
    // The frames of the copy held (a new copy when none is).
    qint64 frames();
    // The scene of the copy held, when its camera moves; null for the fixed camera.
    const SceneFrames* scene();
    // The frame shown, marker included, until dismissed; null when none is.
    const QImage* picture() const { return picture_.isNull() ? nullptr : &picture_; }
    // Lets go of the frame shown and of the copy of the project (after an edit).
    void dismiss();
    // The frame shown last.
    qint64 frame() const { return shown_; }

    // The timer interval: 1000 / fps milliseconds rounded half to even (33 for NTSC, 40 for PAL).
    static int intervalFor(double fps);

  private:
    static constexpr qint64 kTileFramesAhead = 8;
    void wantTiles(qint64 n);
    void showNext();
    void show(qint64 n);
    void hold();

    const Workspace& ws_;
    Host host_;
    bool running_ = false;
    int interval_ = 33;
    std::unique_ptr<FrameMaker> maker_;
    qint64 total_ = 0;
    qint64 shown_ = -1;
    QImage picture_;
};
