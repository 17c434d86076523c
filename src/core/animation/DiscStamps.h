#pragma once
// Round spots of one colour and size, painted once at quarter-pixel offsets and then copied: a
// dashed or dotted line has thousands, which Qt would each fill as a curved path.

#include <QImage>
#include <QPainter>
#include <vector>

class DiscStamps {
  public:
    // A disc centred at `centre`, in the device pixels of `p` (whose transform is ignored).
    void stamp(QPainter& p, QPointF centre, qint32 colour, double diameter);

  private:
    static constexpr int kSteps = 4;
    struct Set {
        qint32 colour;
        double diameter;
        int side;
        std::vector<QImage> at; // by quarter pixels to the right, then down
    };
    const Set& setFor(qint32 colour, double diameter);
    std::vector<Set> sets_;
};
