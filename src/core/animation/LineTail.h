#pragma once
// The fading tail: the line drawn in the last seconds stays whole, the older line is drawn at
// the fade's opacity, with a few steps between over a short stretch, so the change is soft.

#include <vector>

struct LinePart {
    double from, to; // lengths along the route
    double opacity;
};

// Oldest first. `start`: the length along the route where the tail starts; `fade`: the older
// line's opacity, 0 to 1; `transition`: the length of the steps between, ending at `start`.
std::vector<LinePart> tailParts(double start, double fade, double transition);
// The length of the soft step for a line `width` wide.
inline double tailTransition(double width) {
    return 12 * (width > 1 ? width : 1);
}
// The glow under such a tail, in one step at the middle of the line's: as the tail moves on, the
// glow changes only around that one place (its blur softens the step).
std::vector<LinePart> tailGlowParts(double start, double fade, double transition);
// The whole line at full opacity.
std::vector<LinePart> wholeLine();
