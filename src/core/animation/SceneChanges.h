#pragma once
// What changes from one composed frame to the next while the camera stands still: the stretch
// of line drawn since, the stretch where the tail's fade moved on, the marker where it was and
// where it is, the labels of points just reached, and the counter. The rest of the frame stays
// as it was, so the next frame is drawn only there, and writers copy only that.

#include "Compositor.h"
#include "Marker.h"

#include <QRect>
#include <QTransform>
#include <vector>

// The areas of a frame of `size` that differ from the route `before` in frame n - 1 to the route
// `after` in frame n, both seen through `t`.
std::vector<QRect> changedAreas(const ProjectState& st, const QTransform& t, QSize size, const Marker& marker,
                                const RouteAt& before, const RouteAt& after, qint64 n);
// Boxes around the line between lengths `from` and `to`, grown by `grow`: one a piece, so a long
// diagonal leg does not make a box of half the frame.
void stretchBoxes(std::span<const TracePiece> pieces, double from, double to, double grow,
                  std::vector<QRect>& out);
