#pragma once
// The start-up sequence, split where the GUI shows the map window and measures it.

#include "Workspace.h"

// Version, title and default paths (the program's directory).
void startUpBegin(Workspace& ws, const QString& programDir);
// Default style, swatch, interval, the NTSC preset and add mode, with `sizeratio` measured.
void startUpFinish(Workspace& ws, double sizeratio);

// A project made in the window (not by the command line or a file) on a format other than NTSC
// or PAL gets sizes that follow the frame, with a marker and labels sized for a 1080-line frame.
void startWindowLook(ProjectState& st);
// A format chosen for a project still without points or a file: the look of its format, as if it
// had started in it (back to classic pixels for NTSC and PAL, while its sizes are still the ones
// a new project gets).
void followNewProjectLook(ProjectState& st);

// The style swatch: one leg of the route in the current style.
void DrawSwatch(Workspace& ws);
