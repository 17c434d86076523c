#pragma once
// The two video format presets, rows of the format table: frame size, frame rate, format
// letter, frames per leg, map size.

#include "shell/Workspace.h"

void SetNTSC(Workspace& ws);
void SetPAL(Workspace& ws);

// The format the project's letter names (n, p, or c with the size and rate it holds), set
// without drawing (the caller redraws if the map is to be seen); false (and nothing done) for
// any other letter, whose frame size and rate stay as they were.
bool applyFormatPreset(Workspace& ws);
