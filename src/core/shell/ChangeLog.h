#pragma once
// The areas of a picture changed lately, each change numbered. Whoever keeps a copy of the
// picture brings it up to date by copying only what changed since the copy was taken, instead
// of the whole picture (a 1080p frame is 6 MB; a frame's drawing is a few small areas). Only
// the last changes are kept: asked about an older version the log says it no longer knows.

#include <QRect>
#include <array>
#include <vector>

class ChangeLog {
  public:
    // Numbers a change of `area` (in pixels, within the picture).
    void add(const QRect& area);
    quint64 version() const { return version_; }
    // Appends the areas changed after `version` to `out`; false when they are no longer known.
    bool since(quint64 version, std::vector<QRect>& out) const;

  private:
    static constexpr quint64 kKept = 256; // several frames' worth of drawing
    std::array<QRect, kKept> areas_;
    quint64 version_ = 0;
};
