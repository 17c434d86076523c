#include "Palette.h"

#include "mapview/RouteDrawing.h"

#include <algorithm>
#include <cmath>

int paletteLevel(int k) {
    // Every index of 3 or more is limited to 255 anyway; capping first keeps the product small.
    const int capped = std::min(k, 3);
    return std::min(int(std::nearbyint(127.9 * capped)), 255);
}

void drawPalette(Surface& s) {
    for (int r = 0; r < 3; ++r)
        for (int g = 0; g < 3; ++g)
            for (int b = 0; b < 3; ++b) {
                const int x = kPaletteBlock * g + kPaletteCell * r, y = kPaletteCell * b;
                s.box(x, y, x + kPaletteCell - 1, y + kPaletteCell - 1,
                      rgb(paletteLevel(r), paletteLevel(g), paletteLevel(b)));
            }
}

std::optional<qint32> paletteColorAt(double x, double y) {
    if (!(x >= 0 && y >= 0)) return std::nullopt; // also refuses NaN
    // Level indices above 2 all give 255, so the cap only keeps the integers small.
    const double g = std::floor(std::min(x, 1e6) / kPaletteBlock);
    const double r = std::floor((std::min(x, 1e6) - kPaletteBlock * g) / kPaletteCell);
    const double b = std::floor(std::min(y, 1e6) / kPaletteCell);
    return rgb(paletteLevel(int(r)), paletteLevel(int(g)), paletteLevel(int(b)));
}

bool pickColor(Workspace& ws, qint32& target, double x, double y) {
    const std::optional<qint32> picked = paletteColorAt(x, y);
    if (!picked) return false;
    target = *picked;
    Redraw(ws);
    return true;
}
