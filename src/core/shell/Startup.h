#pragma once
// The start-up sequence, split where the GUI shows the map window and measures it.

#include "Workspace.h"

// Version, title and default paths (the program's directory).
void startUpBegin(Workspace& ws, const QString& programDir);
// Default style, swatch, interval, the NTSC preset and add mode, with `sizeratio` measured.
void startUpFinish(Workspace& ws, double sizeratio);

// The style swatch: one leg of the route in the current style.
void DrawSwatch(Workspace& ws);
