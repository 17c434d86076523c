#pragma once
// The views the camera aims at and the limits it keeps: pure functions of what is framed.

#include "Camera.h"

// Frame pixels per world pixel are kept within these.
constexpr double kMinCameraScale = 0.01, kMaxCameraScale = 64;

// The view, turned by `rotation`, that shows every point inside the frame less `margin` (a
// fraction of the frame on each side). Points all in one place get `fallbackScale`.
CameraView framePoints(const std::vector<QPointF>& points, double rotation, QSizeF frame, double margin,
                       double fallbackScale);
// The whole world fitted into the frame, centred.
CameraView frameWorld(QSizeF world, QSizeF frame);

// The zoom at a progress along the route (point index plus the fraction of the next leg),
// interpolated on a log scale between keyed points and held before the first and after the last.
// `fallback` when nothing is keyed.
double zoomAt(const std::vector<double>& keys, double progress, double fallback);

// Keeps the view inside the world's edges; along a direction where the view is larger than the
// world, the world is centred instead. With `cover`, a view is first enlarged until the frame's
// corners lie inside the world, so a turned world leaves no empty corners.
CameraView clampToWorld(CameraView view, QSizeF world, QSizeF frame, bool cover);
// Moves the view as little as needed so that `p` lies at least `inset` frame pixels inside it.
CameraView keepInView(CameraView view, QPointF p, QSizeF frame, double inset);
