#pragma once
// The two video format presets, rows of the format table: frame size, frame rate, format
// letter, frames per leg, map size.

#include "shell/Workspace.h"

void SetNTSC(Workspace& ws);
void SetPAL(Workspace& ws);
