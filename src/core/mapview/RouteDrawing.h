#pragma once
// The redraw: swatch, stop a running preview leg, bare map, then the whole route again.

#include "shell/Workspace.h"

void Redraw(Workspace& ws);

// Only the route over whatever the map surface shows now (no reset).
void drawRoute(Workspace& ws);
