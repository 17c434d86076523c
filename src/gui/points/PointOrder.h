#pragma once
// Several route points moved or deleted at once, as one change and one redraw. Each point keeps
// what it carries, and the selection stays on the point it was on.

#include "shell/Workspace.h"

#include <QList>

// The points at `rows` move, in route order, into the gap before point `gap` (0..listmax, listmax
// being the end). Rows outside the route are left out.
void movePoints(Workspace& ws, const QList<int>& rows, int gap);
// Deletes the points at `rows`; nothing is selected afterwards.
void deletePoints(Workspace& ws, const QList<int>& rows);
// Where the points at `rows` stand after movePoints(ws, rows, gap), in route order.
QList<int> movedRows(const ProjectState& st, const QList<int>& rows, int gap);
