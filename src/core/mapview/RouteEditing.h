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
void btnBack(Workspace& ws);
void btnFore(Workspace& ws);

// A click on the map at a frame pixel: add, delete, select, move, in that order. `reach` is in
// frame pixels.
void clickMap(Workspace& ws, qint32 mousex, qint32 mousey, double reach = kReach);
