#pragma once
// The resize command: the map picture stretched to the frame size, written as a BMP file into a
// writable directory, and read back as the map.

#include "shell/Error.h"
#include "shell/Workspace.h"

// Writes "pathwright.bmp" into `dir` (a per-user data directory when empty).
MaybeError resizeMapPicture(Workspace& ws, const QString& dir = QString());
