#pragma once
// The blur of the glow's small layer.

#include <QImage>

// Blurs a premultiplied picture in place with a box `radius` pixels each way, twice over (close
// to a Gaussian).
void boxBlur(QImage& img, int radius);
