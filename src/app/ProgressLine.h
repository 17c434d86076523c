#pragma once
// The command line's progress line on a terminal, redrawn in place at most ten times a second:
// frames written of the planned total, frames per second, the time left and, for a video, the
// file and its size so far.

#include "animation/FrameSink.h"

#include <QElapsedTimer>

// "12.3 MB"
QString sizeText(qint64 bytes);

class ProgressLine {
  public:
    ProgressLine();
    void show(qint64 written, qint64 total, const SinkOutput& out, bool force = false);
    // Before the frames: the map's tiles at hand of those the frames show.
    void tiles(int done, int wanted);
    // Ends a line shown, so that a message starts on its own.
    void lineDone();
    // After a stop signal: the line says the file is being finished and further signals wait.
    void finishing(const char* signal, qint64 written, const SinkOutput& out);
    // The last figures once more, so the line ends at the final count (of the planned total: a
    // render that stopped early shows how far it got).
    void end(qint64 written, const SinkOutput& out);
    double seconds() const { return clock_.nsecsElapsed() / 1e9; }

  private:
    bool on_;
    bool shown_ = false;
    QString stopped_; // the signal that stopped the render, once one has
    qint64 total_ = 0;
    qint64 last_ = -1000;
    qsizetype width_ = 0; // of the line shown last
    QElapsedTimer clock_;
};
