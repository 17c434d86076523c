#pragma once
// When the preview's timer ticks fall due: tick n at n * 1000 / fps ms after the first start,
// on the video's own clock. A fixed timer of whole milliseconds would run NTSC (33.37 ms a
// frame) at 33 ms, 1 % fast, and drift ever further from the video; here every wait is the whole
// milliseconds to the next due time (33 or 34 for NTSC, 40 for PAL), so the pace keeps the video
// rate, and a late tick does not push the later ones back. After a stall of more than a frame
// (a busy machine) the schedule goes on from that moment instead of catching up in a burst.

#include <QtGlobal>

class TickPace {
  public:
    // A new preview at `fps` frames per second; its clock starts with the first wait().
    void reset(double fps);
    // A tick has run.
    void ticked() { ++ticks_; }
    // Whole milliseconds from `now` (nanoseconds of a steady clock) to the next due tick.
    int wait(qint64 now);

    // The frame period in milliseconds, unrounded (1 ms for a frame rate no preset gives).
    static double periodFor(double fps);

  private:
    double period_ = 0; // nanoseconds
    bool started_ = false;
    qint64 start_ = 0;
    qint64 ticks_ = 0;
};
