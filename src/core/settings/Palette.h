#pragma once
// The 27-colour palette of the properties dialog: levels 0, 128 and 255 of red, green and blue.
// Green picks a block of three columns, red the column in it, blue the row.

#include "shell/Workspace.h"

#include <optional>

constexpr int kPaletteCell = 20;                // pixels per cell side
constexpr int kPaletteBlock = 3 * kPaletteCell; // one green block of three red columns

// 127.9 * k rounded, limited to 255: 0, 128, 255, and 255 beyond.
int paletteLevel(int k);

// Fills the 27 cells onto the surface (r outermost, b innermost).
void drawPalette(Surface& s);

// The colour of a pick released at (x, y) in the palette's pixels. Right of or below the grid
// the overshooting level is 255; left of or above it (a negative position) there is none.
std::optional<qint32> paletteColorAt(double x, double y);

// Sets `target` (the route or the highlight colour) from a pick and redraws; a pick without a
// colour changes nothing. True when the colour was taken.
bool pickColor(Workspace& ws, qint32& target, double x, double y);
