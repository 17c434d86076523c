#pragma once
// The glow's shapes on its small layer: each piece of the line widened, with round ends, filled
// without antialiasing (the blur that follows makes up for it). Done by hand: on a layer of a
// few thousand pixels, Qt's filling of a shape costs more in setting up than in pixels.

#include "LineGlow.h"

#include <QImage>

// Fills the pieces of `parts`, each widened to `half` frame pixels either side, into `layer`
// (premultiplied), where frame point q lies at (q + (0.5, 0.5)) / f - corner (`corner` in whole
// layer pixels, so a pixel is in or out alike wherever the layer starts). Each part goes over
// those before at its opacity, its pieces as one shape in their legs' colours.
void fillGlowShapes(QImage& layer, QPointF corner, int f, std::span<const GlowPart> parts, double half,
                    const ProjectState& st);
