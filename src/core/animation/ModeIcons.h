#pragma once
// The icons of the ways of travel, drawn for this program and compiled in: a light fill tinted by
// the marker's colour under a dark outline, so that they read on any map. Vehicles are seen
// from above and face right (they turn with the heading); the walker and the cyclist are side
// views facing right (they stay upright and are mirrored when travelling left).

#include "TravelLook.h"

#include <QImage>

// The mode's icon, `side` pixels square (1 to 1024), its fill tinted by `tint` (a colour as the project
// stores it). Each mode, side and tint is rendered once and then shared; null for TravelMode::None.
QImage modeIcon(TravelMode mode, int side, qint32 tint);

// The icon's light fill for a marker colour: halfway between it and white, so that even a dark
// marker colour keeps the outline readable.
QColor modeIconFill(qint32 tint);
