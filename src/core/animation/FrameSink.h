#pragma once
// Where rendered frames go. The render hands every frame to a sink with its number (0 for the
// first); the sink names what it writes and may write it later on other threads. Writers are
// made for a render target by makeFrameWriter (FrameWriters.h). Tests use sinks that keep the
// pictures in memory or fail after some frames, as a full disk would.

#include "shell/ChangeLog.h"
#include "shell/Error.h"

#include <QImage>
#include <QString>

// What a sink has put on disk, for the summary: the first and last file (the same file for a
// video) and the bytes of all of them.
struct SinkOutput {
    QString first, last;
    qint64 bytes = 0;
};

class FrameSink {
  public:
    virtual ~FrameSink() = default;
    // Takes frame `index`. The picture may change as soon as this returns. An error means
    // this frame or an earlier one could not be written: the render stops. `changes`, when
    // given, logs every change to the picture, so a sink that keeps copies of earlier frames
    // may copy only what changed since.
    virtual MaybeError put(const QImage& frame, qint64 index, const ChangeLog* changes = nullptr) = 0;
    // Waits until every frame taken is on disk (a video file is closed); the first failure.
    virtual MaybeError finish() = 0;
    // Frames completely written so far.
    virtual qint64 written() const = 0;
    // True when put() would take a frame without waiting.
    virtual bool ready() const { return true; }
    // The most frames this sink can take (numbered files end at 9999); 0 for no limit.
    virtual qint64 frameLimit() const { return 0; }
    // True when the frames are to show only what the route draws, on a clear background.
    virtual bool transparent() const { return false; }
    virtual SinkOutput output() const { return {}; }
};
