#pragma once
// Where rendered frames go. The render hands every frame to a sink under its file name; the
// sink may write it later on other threads. Tests use sinks that keep the pictures in memory
// or fail after some frames, as a full disk would.

#include "shell/Error.h"

#include <QImage>
#include <QString>

class FrameSink {
  public:
    virtual ~FrameSink() = default;
    // Takes a frame to be written as `path`. The picture may change as soon as this returns.
    // An error means this frame or an earlier one could not be written: the render stops.
    virtual MaybeError put(const QImage& frame, const QString& path) = 0;
    // Waits until every frame taken is on disk; the first failure, if any.
    virtual MaybeError finish() = 0;
    // Frames completely written so far.
    virtual qint64 written() const = 0;
    // True when put() would take a frame without waiting.
    virtual bool ready() const { return true; }
};
