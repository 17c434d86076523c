#pragma once
// The one walk through the animation's frames. The preview takes one frame per timer tick, the
// render one per file and the frame count walks a copy of the state drawing nothing, so the
// three can never disagree. Each next() draws one frame on the map surface and says its kind.
// Holds, per-leg times, constant speed and easing all live here.

#include "Legs.h"

#include <optional>

enum class FrameKind { BareMap, FirstPoint, Step, Reached, Hold, Last, Done };

// Where the head of the line is in the frame just walked, and which way it travels (degrees,
// clockwise from the x axis, as y grows downwards). Not shown on the bare map.
struct Head {
    bool shown = false;
    QPointF at;
    double heading = 0;
};

class FrameWalk {
  public:
    // Draws on the workspace's map and moves its state's leg fields.
    explicit FrameWalk(Workspace& ws);
    // Counts only: walks its own copy of the state and draws nothing.
    explicit FrameWalk(const ProjectState& st);
    FrameWalk(const FrameWalk&) = delete;
    FrameWalk& operator=(const FrameWalk&) = delete;

    // The next frame; Done (nothing drawn) once the last frame has been given.
    FrameKind next();
    // The next frame is the last picture once more.
    bool lastComes() const { return phase_ == Phase::Last; }
    bool done() const { return phase_ == Phase::Done; }
    const Head& head() const { return head_; }
    const Leg& leg() const { return leg_; }

  private:
    enum class Phase { Begin, FirstPoint, Stepping, Holding, Last, Done };

  public:
    // Where the walk stands between two frames, state fields included, to walk on from later.
    struct Place {
        ProjectState st;
        Phase phase = Phase::Begin;
        int last = 0;
        qint64 holdLeft = 0;
        Leg leg;
        Head head;
    };
    Place place() const { return {st_, phase_, last_, holdLeft_, leg_, head_}; }
    void goTo(const Place& p);

  private:
    void reached(int i);
    void afterHold();

    std::optional<ProjectState> own_; // the copy a count walks
    ProjectState& st_;
    Workspace* ws_ = nullptr; // null when counting
    Phase phase_ = Phase::Begin;
    int last_ = 0;
    qint64 holdLeft_ = 0;
    Leg leg_;
    Head head_;
};

// Frames of the leg that ends at point i, and of the hold at point i.
double legDelay(const ProjectState& st, int i);
qint64 holdFrames(const ProjectState& st, int i);

// The number of frames a render of the route gives (frame 0 the bare map), stopping at `cap`.
// 0 for an empty route.
qint64 plannedFrames(const ProjectState& st, qint64 cap);
