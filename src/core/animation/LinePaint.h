#pragma once
// Painting the route's marks on a composed frame: the casing beneath everything, then the line,
// then the circles at the points; a part of the line drawn fainter goes through a layer of its
// own, so its pieces do not darken where they overlap.

#include "DiscStamps.h"
#include "LinePattern.h"

#include <QPainter>
#include <functional>

struct LineLook {
    double width = 1, ring = 1, radius = 0;
    bool cased = false;
    double casingwidth = 0;
    qint32 casing = 0, ringColour = 0;
};

// The line's look on a composed frame of the project, its sizes following the frame.
LineLook lineLookFor(const ProjectState& st);
// How far from the line's middle its marks reach: the line, a circle and its ring, the casing,
// and a pixel or two of antialiasing.
double marksReach(const LineLook& look);

// `rings`: the points whose circles go with these marks. Spots of patterns come from `stamps`.
void paintMarks(QPainter& p, const LineMarks& marks, std::span<const QPointF> rings, const LineLook& look,
                DiscStamps& stamps);

// Parts of the line drawn fainter, each through a layer of its own so its pieces do not darken
// where they overlap. One layer over `room` (frame pixels) and its painter serve every part, and
// are kept for the next frame.
class FadedParts {
  public:
    explicit FadedParts(const QRect& room) : room_(room) {}
    // Runs `draw` onto `p` at `opacity`: straight when whole, else through the layer over the
    // part of `bounds` within the room. `p` and the layer both put pixel centres on integers.
    void paint(QPainter& p, double opacity, const QRectF& bounds, const std::function<void(QPainter&)>& draw);

  private:
    QRect room_;
};
