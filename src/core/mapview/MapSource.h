#pragma once
// Where a composed frame's map comes from: a picture, tiles, a built-in map. Each kind is one class.

#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QTransform>

class MapSource {
  public:
    virtual ~MapSource() = default;
    // The map's extent in world pixels.
    virtual QSizeF worldSize() const = 0;
    // Draws what `frameRect` of the frame shows of the world, world pixels going through `worldToFrame`.
    virtual void draw(QPainter& p, const QTransform& worldToFrame, const QRect& frameRect) const = 0;
    // Credit to show on every frame; empty when none is owed.
    virtual QString attribution() const { return {}; }
};
