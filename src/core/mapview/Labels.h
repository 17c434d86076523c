#pragma once
// Names at the route points and the route's look on the map surface. A label sits beside its
// point, on the first side where it covers neither leg meeting there and stays inside the
// frame; where no side does both, inside the frame wins.

#include "shell/Workspace.h"

#include <QFont>
#include <QRectF>
#include <functional>

class QPainter;

// The family of every text the frames show: the project's `font` when it is installed, else the
// platform's sans.
QString textFamily(const ProjectState& st);
QFont labelFont(const ProjectState& st);
// The box label i takes on a frame of `frame` pixels (text and halo).
QRectF labelBox(const ProjectState& st, QSize frame, int i);
// The same for points standing elsewhere on the frame: `at` gives where point j is drawn. A
// composed frame scales the label, its halo and its distance from the point by `scale`.
QRectF labelBoxAt(const ProjectState& st, QSize frame, int i, const std::function<QPointF(int)>& at,
                  double scale = 1);
// Label i in `box` (from labelBoxAt with the same scale), on a painter working in frame pixels.
void paintLabel(QPainter& p, const ProjectState& st, const QRectF& box, int i, double scale = 1);
// Draws label i, if the point has one.
void drawLabel(Workspace& ws, int i);

// Sets the map surface's layers for the route's casing and labels; takes effect at its next
// reset. A route with neither draws as it always did.
void prepareLook(Workspace& ws);
