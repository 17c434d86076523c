#pragma once
// The camera's aim at every walk frame before smoothing: each mode's framing of the route, the
// head or the current leg, and the turn that puts the direction of travel up.

#include "Camera.h"

// The input with every value brought into its range and the unshown heads filled in from the
// nearest shown one.
CameraInput checkedCameraInput(const CameraInput& input);

// How far along the route a pose is: the index of the last point reached plus the fraction of
// the leg being drawn.
double routeProgress(const FramePose& pose);

// Whether the world turns with the direction of travel (the moving modes that frame the route).
bool cameraTurnsWorld(const CameraInput& in);

// The turn per walk frame (degrees, continuous across full turns), all 0 when not turning.
std::vector<double> cameraTurns(const CameraInput& in);

// The aimed view per walk frame, already kept inside the world.
std::vector<CameraView> cameraTargets(const CameraInput& in, const std::vector<double>& turns);

// Frames around each frame averaged with raised-cosine weights, `radius` frames either side;
// the ends are held. A weighted mean never leaves the range of what it averages.
void smoothSeries(std::vector<double>& values, int radius);
