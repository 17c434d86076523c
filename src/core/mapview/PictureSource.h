#pragma once
// A map picture with a pyramid of halved copies, so that a frame far zoomed out draws from a copy
// near its own scale: quick, and with every picture pixel counted rather than a few sampled.

#include "MapSource.h"

#include <QImage>
#include <vector>

class PictureSource : public MapSource {
  public:
    // Takes the picture as it is (converted only if its format is not a 32-bit one).
    explicit PictureSource(QImage picture);

    QSizeF worldSize() const override;
    void draw(QPainter& p, const QTransform& worldToFrame, const QRect& frameRect,
              MapGaps* gaps = nullptr) const override;

    // The picture (level 0) and its halved copies, down to about 256 pixels.
    const std::vector<QImage>& levels() const { return levels_; }
    // The level a frame at `scale` frame pixels per world pixel draws from: the smallest copy
    // that is not enlarged.
    int levelFor(double scale) const;

  private:
    std::vector<QImage> levels_;
};

// Draws `image` (RGB32 or premultiplied ARGB32) under `imageToFrame` into `frameRect`: bilinear,
// only the part the frame shows, a shift by a fraction of a pixel kept.
void drawImagePart(QPainter& p, const QImage& image, QTransform imageToFrame, const QRect& frameRect);

// A copy of half the size (rounded down), each pixel the mean of a 2 x 2 block. Dropping the odd
// last row and column keeps a pyramid within a third of the picture.
QImage halved(const QImage& image);
