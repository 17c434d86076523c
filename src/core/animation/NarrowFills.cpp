#include "NarrowFills.h"

namespace {
// A dozen rows: the icon is 48 pixels at 1080 lines.
constexpr int kBandRows = 12;
} // namespace

void inNarrowBands(QPainter& p, const QRect& box, const std::function<void()>& draw) {
    for (int y = box.top(); y <= box.bottom(); y += kBandRows) {
        p.save();
        const QTransform t = p.transform();
        p.resetTransform();
        p.setClipRect(QRect(box.left(), y, box.width(), std::min(kBandRows, box.bottom() + 1 - y)),
                      p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        p.setTransform(t);
        draw();
        p.restore();
    }
}
