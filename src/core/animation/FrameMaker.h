#pragma once
// Any frame of the animation on demand, drawn on surfaces of its own from a copy of the project
// and its pictures taken when the maker is made: what the editor does afterwards changes none of
// its frames. The render writes frames in order and the preview shows them in order, each the
// next step of the walk; a jump back, or far ahead, starts from the nearest frame kept on the way
// (with keeping on), so frame n never costs the whole walk from frame 0 once it has been passed.

#include "FrameWalk.h"
#include "Marker.h"
#include "SceneFrames.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A copy of the project and its map picture with a bare map area of the frame's size: what a
// render or a preview draws from, whatever the editor does meanwhile.
std::unique_ptr<Workspace> projectCopy(const Workspace& ws);

class FrameMaker {
  public:
    // `transparent`: only what the route draws, on a clear background. Without a marker, the
    // one the project asks for, a dot in place of a picture that cannot be used (callers that
    // must refuse such a picture take the marker from renderMarker first).
    FrameMaker(const Workspace& ws, bool transparent = false, std::optional<Marker> marker = {});
    ~FrameMaker();
    FrameMaker(const FrameMaker&) = delete;
    FrameMaker& operator=(const FrameMaker&) = delete;

    // The copy of the project the frames are made from.
    const ProjectState& project() const { return ws_->st; }

    // The frames of the whole animation, counted once, up to `cap`; 0 for an empty route.
    qint64 frames(qint64 cap);
    // The walk's frame count taken already by the caller (the fixed camera's frames).
    void knowFrames(qint64 frames);
    // Hands `use` frame n with the marker over it, and the log of the surface's changes (valid
    // during the call); false when the animation has no frame n.
    bool show(qint64 n, const std::function<void(const QImage&, const ChangeLog*)>& use);
    // The frame shown last is the animation's final one.
    bool shownLast() const;
    // A camera other than the fixed one: frames are composed from the scene.
    bool composed() const;
    // The scene of a composed animation (its camera, its walk), made on first use; null for the fixed camera.
    const SceneFrames* scene();

    // Keeps a copy of a frame every so often as the walk passes it, within a memory budget, for
    // jumps back. Off by default: a render only goes forward.
    void keepFrames(qint64 budgetBytes);

  private:
    bool walkTo(qint64 n);
    void restart();
    void keep();

    std::unique_ptr<Workspace> ws_;
    std::unique_ptr<FrameWalk> walk_;
    std::unique_ptr<SceneFrames> scene_;
    bool transparent_ = false;
    Marker marker_;
    qint64 at_ = -1;    // the frame the surface shows
    qint64 count_ = -1; // not counted yet
    qint64 countCap_ = 0;
    struct Kept {
        qint64 frame;
        FrameWalk::Place place;
        Surface::Saved surface;
    };
    std::vector<Kept> kept_;
    qint64 budget_ = 0; // bytes for kept frames; 0 keeps none
    qint64 spacing_ = 64;
};
