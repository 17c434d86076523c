#pragma once
// Editing the route with the mouse and the mode buttons. The GUI sets the cursor that goes
// with each mode; everything else happens here.

#include "shell/Workspace.h"

// A click reaches points strictly nearer than this many pixels on screen; the view gives the
// reach in frame pixels at its zoom.
constexpr double kReach = 25.0;

// Rounds half to even, as mouse positions and stored numbers are rounded.
qint32 roundHalfEven(double v);

struct Nearest {
    int idx = -1;
    double best = 9999;
};
// The route point nearest (x, y); ties go to the lower index.
Nearest nearestPoint(const ProjectState& st, qint32 x, qint32 y);

void btnPlus(Workspace& ws);
void btnMinus(Workspace& ws);
void btnSeek(Workspace& ws);
void btnMove(Workspace& ws);
// Route slots a and b (0..99) trade their points with everything the points carry; no redraw.
void swapPoints(ProjectState& st, int a, int b);

void btnBack(Workspace& ws);
void btnFore(Workspace& ws);

// Direct edits at frame pixels, each followed by a redraw. A point keeps its hold, time and label
// wherever it goes, and the selection stays on the point it was on.
// Inserts a point at `index` (0..listmax); false, and nothing done, at the click limit.
bool insertPoint(Workspace& ws, int index, qint32 x, qint32 y);
void movePoint(Workspace& ws, int index, qint32 x, qint32 y);
// The selected point: deleted (nothing is selected then), or moved by (dx, dy).
void deleteSelected(Workspace& ws);
void nudgeSelected(Workspace& ws, int dx, int dy);
// The leg nearest (x, y) within `reach` (from point i to i + 1: returns i), else -1; ties go to
// the lower index.
int nearestLeg(const ProjectState& st, double x, double y, double reach);

// A click on the map at a frame pixel: add, delete, select, move, in that order. `reach` is in
// frame pixels.
void clickMap(Workspace& ws, qint32 mousex, qint32 mousey, double reach = kReach);
