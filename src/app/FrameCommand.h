#pragma once
// --frame N --output FILE.png: one frame of the animation as a picture, for thumbnails and checks.

#include "animation/Marker.h"
#include "shell/Workspace.h"

// Writes frame n of the project as a PNG file, given its marker and the walk's frame count; the
// exit status: 0 written, 1 no such frame, 2 the file could not be written. Messages go to
// standard error.
int writeOneFrame(const Workspace& ws, Marker marker, qint64 walkFrames, qint64 n, const QString& file);
