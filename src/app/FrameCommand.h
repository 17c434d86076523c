#pragma once
// --frame N --output FILE.png: one frame of the animation as a picture, for thumbnails and checks.

#include "shell/Workspace.h"

// Writes frame n of the project as a PNG file; the exit status: 0 written, 1 no such frame,
// 2 the file could not be written. Messages go to standard error.
int writeOneFrame(const Workspace& ws, qint64 n, const QString& file);
