#pragma once
// The part of a line segment inside a rectangle (Liang and Barsky's clipping).

#include <QPointF>
#include <QRectF>

// Moves a and b to the ends of the part of segment a-b inside `r`; false when none is.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r);
