#pragma once
// The two video formats: frame size, frame rate, format letter, frames per leg, map size.

#include "shell/Workspace.h"

void SetNTSC(Workspace& ws);
void SetPAL(Workspace& ws);
