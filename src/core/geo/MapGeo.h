#pragma once
// The map's geography within the workspace: which georeference holds, the track loaded from the
// project's `track` key, and the route's lines made from them.

#include "shell/Workspace.h"

#include <QStringList>

// The map picture's own georeference first, then the project's control points. `worstResidual`
// gets the control points' fit's largest residual in map pixels (0 without a fit).
std::optional<Georeference> mapGeoreference(const Workspace& ws, double* worstResidual = nullptr);

// The track file's path: relative to the project file's folder unless absolute.
QString trackFilePath(const ProjectState& st);

// Reads the map picture's georeference (beside `picturePath`) and the project's track anew;
// what the user should hear of is added to `notes`. Then refreshes the route.
void reloadGeography(Workspace& ws, const QString& picturePath, QStringList& notes);
// Reads the project's track anew (after the `track` key changed); an error leaves no track.
MaybeError reloadTrack(Workspace& ws);

// Points placed by coordinates go where the georeference puts them, and the legs' lines are
// made again. Every drawing of the route calls this first.
void refreshRoute(Workspace& ws);

// A point placed by coordinates and then moved on the map takes the coordinates of where it now
// stands, or loses them on a map without coordinates.
void movedByHand(Workspace& ws, int i);
