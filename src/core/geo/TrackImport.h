#pragma once
// A track file made into the project's route: points at its start, named waypoints, long stops
// and its end, the legs between them following the track.

#include "shell/Workspace.h"

#include <QStringList>

// Reads the track file and names it in the project (relative to the project's folder when it lies
// within it). A project without points gets route points from the track; one with points keeps
// them, its legs following the track. On a map without coordinates and without a picture the
// map is given control points that show the whole track in the frame. What the user should hear
// of is added to `notes`.
MaybeError importTrack(Workspace& ws, const QString& file, QStringList& notes);
