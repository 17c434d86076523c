#pragma once
// Keeps two renders from writing the same frames at once: a render holds an exclusive lock on
// a hidden lock file in its output folder, named by a hash of its base name, for its whole run. A
// second render of that folder and name, from this program or another, is refused at once
// instead of mixing its frames with the first one's and deleting them in its clean-up.
// The lock dies with the process, so a crashed render never blocks the next one.

#include "shell/Error.h"

class RenderLock {
  public:
    RenderLock() = default;
    ~RenderLock() { release(); }
    RenderLock(const RenderLock&) = delete;
    RenderLock& operator=(const RenderLock&) = delete;

    // Takes the lock for the frames `folder` + `base`; an error when another render holds it.
    // A folder that cannot take the lock file (missing, read-only) is no error here: nothing
    // can be written there either, and the render's first frame says why.
    MaybeError take(const QString& folder, const QString& base);
    // Removes the lock file and lets go.
    void release();
    bool held() const { return fd_ >= 0; }

    // The lock file of the frames `folder` + `base`.
    static QString lockPath(const QString& folder, const QString& base);

  private:
    int fd_ = -1;
    QByteArray path_;
};
