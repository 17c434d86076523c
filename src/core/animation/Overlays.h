#pragma once
// What a travel film lays over its composed frames after the route and the marker: the title
// card at the start, over a dark veil, and a counter of the distance travelled so far. Both are
// sized by the frame's height, and both are drawn into transparent frames as well.

#include "WalkPoses.h"

#include <QImage>
#include <QString>

// Metres travelled at a pose: the legs reached and the running leg's part; NaN unless the map
// knows the earth (every leg has a length on it).
double metresTravelled(const ProjectState& st, const FramePose& pose);
// The counter's text: whole kilometres (or miles) in groups of three, one decimal under 10.
QString counterText(double metres, bool miles);
// How opaque the title card is at frame n: 0 before and after it, fading in and out.
double titleOpacity(const ProjectState& st, qint64 n);

// Draws the title card (within its frames) and the counter onto composed frame n; given
// `area`, only there.
void drawOverlays(QImage& frame, const ProjectState& st, qint64 n, const FramePose& pose,
                  const QRect& area = {});
// Where frame n's counter stands, or an empty box when it shows none.
QRect counterArea(const ProjectState& st, QSize frame, qint64 n, const FramePose& pose);
