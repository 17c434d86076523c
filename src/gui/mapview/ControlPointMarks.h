#pragma once
// The control points marked on the map while their dialog is open: a ring and cross at each,
// with its number, and a dotted one where the next will go. Drawn in map pixels by a painter
// scaled `scale` screen pixels to one, at the same size on screen at any zoom.

#include "shell/ProjectState.h"

#include <QPointF>
#include <optional>

class QPainter;

void paintControlPoints(QPainter& p, const ProjectState& st, double scale, std::optional<QPointF> next);
