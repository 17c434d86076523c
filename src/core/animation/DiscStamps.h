#pragma once
// Round spots of one colour and size, painted once at quarter-pixel offsets and then copied: a
// dashed or dotted line has thousands, which Qt would each fill as a curved path.

#include "PixelOver.h"

#include <QImage>
#include <QPainter>
#include <vector>

class DiscStamps {
  public:
    // A disc centred at `centre`, in the device pixels of `p` (whose transform is ignored).
    void stamp(QPainter& p, QPointF centre, qint32 colour, double diameter);
    // The same into pixels drawn by hand.
    void stamp(const PaintedPixels& to, QPointF centre, qint32 colour, double diameter);

  private:
    static constexpr int kSteps = 4;
    const QImage& at(QPointF centre, qint32 colour, double diameter, QPoint& corner);
    struct Set {
        qint32 colour;
        double diameter;
        int side;
        std::vector<QImage> at; // by quarter pixels to the right, then down
    };
    const Set& setFor(qint32 colour, double diameter);
    std::vector<Set> sets_;
};
