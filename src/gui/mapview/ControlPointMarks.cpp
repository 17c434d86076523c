#include "ControlPointMarks.h"

#include <QPainter>

namespace {
const QColor kPlaced(255, 210, 0), kNext(0, 220, 255), kShadow(0, 0, 0, 200);

// A dark pen under a light one: seen on any map.
void ring(QPainter& p, QPointF at, double r, const QColor& colour, Qt::PenStyle style) {
    for (const QPen& pen : {QPen(kShadow, 4), QPen(colour, 2, style)}) {
        QPen cosmetic = pen;
        cosmetic.setCosmetic(true);
        p.setPen(cosmetic);
        p.drawEllipse(at, r, r);
        for (QPointF d : {QPointF(r, 0), QPointF(-r, 0), QPointF(0, r), QPointF(0, -r)})
            p.drawLine(at + d * 0.4, at + d * 1.6);
    }
}
} // namespace

void paintControlPoints(QPainter& p, const ProjectState& st, double scale, std::optional<QPointF> next) {
    if (!(scale > 0)) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double r = 7 / scale;
    QFont font = p.font();
    font.setPointSizeF(9 / scale);
    font.setBold(true);
    p.setFont(font);
    for (int k = 0; k < kPointSlots; ++k) {
        const GeoControl& c = st.georef[k];
        if (!c.set()) continue;
        const QPointF at(c.px, c.py);
        ring(p, at, r, kPlaced, Qt::SolidLine);
        const QPointF label = at + QPointF(r * 1.2, -r * 1.2);
        p.setPen(kShadow);
        p.drawText(label + QPointF(1, 1) / scale, QString::number(k + 1));
        p.setPen(kPlaced);
        p.drawText(label, QString::number(k + 1));
    }
    if (next) ring(p, *next, r, kNext, Qt::DotLine);
    p.restore();
}
