#pragma once
// Where a frame's map comes from. The camera says which part of the world a frame shows; a map
// source draws that part. The world is the source's own pixel grid (a picture's pixels today).

#include <QPainter>
#include <QString>

// What a drawing of the map could not show: tiles not at hand.
struct MapGaps {
    int count = 0;
    QString first; // the first one's name (a tile's address)
};

class MapSource {
  public:
    virtual ~MapSource() = default;
    // The world's size in its own pixels.
    virtual QSizeF worldSize() const = 0;
    // Draws what `frameRect` (frame pixels) shows of the world under `worldToFrame`, smoothly
    // when enlarged and without aliasing when reduced. Leaves the frame outside the world alone.
    // What could not be drawn is counted in `gaps`.
    virtual void draw(QPainter& p, const QTransform& worldToFrame, const QRect& frameRect,
                      MapGaps* gaps = nullptr) const = 0;
    // The credit a frame must show for this map; empty when none is owed.
    virtual QString attribution() const { return {}; }
};
