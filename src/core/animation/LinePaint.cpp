#include "LinePaint.h"

#include "shell/Surface.h"

#include <algorithm>
#include <optional>

namespace {
QPen roundPen(qint32 color, double width) {
    return QPen(toQColor(color), std::max(width, 1.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
} // namespace

void paintMarks(QPainter& p, const LineMarks& marks, std::span<const QPointF> rings, const LineLook& look) {
    // Outlines first, all beneath every stroke, as the classic frames have them.
    for (const bool outline : {true, false}) {
        if (outline && !look.cased) continue;
        const double grow = outline ? 2.0 * look.casingwidth : 0;
        const double w = look.width + grow;
        auto colourOf = [&](qint32 own) { return outline ? look.casing : own; };
        // The pen and brush change only where the colour does: one colour draws as one run.
        std::optional<qint32> pen;
        for (const LineMarks::Stroke& s : marks.strokes) {
            if (s.line.p1() == s.line.p2()) continue;
            if (pen != colourOf(s.colour)) {
                pen = colourOf(s.colour);
                p.setPen(QPen(toQColor(*pen), w, Qt::SolidLine, Qt::FlatCap));
            }
            p.drawLine(s.line);
        }
        p.setPen(Qt::NoPen);
        std::optional<qint32> brush;
        auto fill = [&](qint32 colour) {
            if (brush == colourOf(colour)) return;
            brush = colourOf(colour);
            p.setBrush(toQColor(*brush));
        };
        for (const LineMarks::Stroke& s : marks.strokes) {
            if (s.spotFrom) fill(s.colour), p.drawEllipse(s.line.p1(), w / 2, w / 2);
            if (s.spotTo) fill(s.colour), p.drawEllipse(s.line.p2(), w / 2, w / 2);
        }
        for (const LineMarks::Dot& d : marks.dots)
            fill(d.colour), p.drawEllipse(d.at, w / 2, w / 2);
        p.setBrush(Qt::NoBrush);
        p.setPen(roundPen(colourOf(look.ringColour), look.ring + grow));
        for (QPointF at : rings)
            p.drawEllipse(at, look.radius, look.radius);
    }
}

void paintFaded(QPainter& p, double opacity, const QRectF& bounds, QSize frame,
                const std::function<void(QPainter&)>& draw) {
    if (opacity >= 1) {
        draw(p);
        return;
    }
    const QRect r = bounds.toAlignedRect() & QRect(QPoint(0, 0), frame);
    if (opacity <= 0 || r.isEmpty()) return;
    QImage layer(r.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.translate(0.5 - r.x(), 0.5 - r.y());
        draw(lp);
    }
    p.save();
    p.resetTransform();
    p.setOpacity(opacity);
    p.drawImage(r.topLeft(), layer);
    p.restore();
}
