#pragma once
// The redraw: swatch, stop a running preview leg, bare map, then the whole route again.

#include "shell/Workspace.h"

void Redraw(Workspace& ws);

// The editor's map area: the frame for the fixed camera; for a camera that moves over the map,
// the whole map picture (the frame when there is none).
QSize editorMapSize(const ProjectState& st, const QImage& picture);

// Only the route over whatever the map surface shows now (no reset).
void drawRoute(Workspace& ws);

struct LegLine;
// A leg's own line, whole, at one map pixel a surface pixel.
void drawLegLine(Surface& map, const LegLine& leg, qint32 color);
