#include "Compositor.h"

#include "mapview/Labels.h"
#include "mapview/MapSource.h"

#include <QPainterPath>
#include <cmath>

namespace {
QPen roundPen(qint32 color, double width) {
    return QPen(toQColor(color), std::max(width, 1.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
} // namespace

Compositor::Compositor(const ProjectState& st, const Marker& marker) : st_(st), marker_(marker) {}

void Compositor::draw(QImage& frame, const MapSource* map, const QTransform& worldToFrame, const FramePose& pose,
                      bool transparent) const {
    frame.fill(transparent ? QColor(Qt::transparent) : QColor(Qt::white));
    QPainter p(&frame);
    if (map && !transparent) map->draw(p, worldToFrame, frame.rect());
    p.setRenderHint(QPainter::Antialiasing);
    // Integer coordinates name pixel centres, as on the classic surface.
    p.translate(0.5, 0.5);
    drawRoute(p, worldToFrame, pose, frame.size());
}

void Compositor::drawRoute(QPainter& p, const QTransform& t, const FramePose& pose, QSize frame) const {
    const ProjectState& st = st_;
    const int reached = std::min(pose.reached, std::min<int>(st.listmax, kPointSlots) - 1);
    if (reached < 0) return;
    auto at = [&](int j) { return t.map(QPointF(st.pointx[j], st.pointy[j])); };
    QPainterPath line(at(0));
    for (int j = 1; j <= reached; ++j)
        line.lineTo(at(j));
    const QPointF head = t.map(pose.head);
    if (head != at(reached)) line.lineTo(head);
    const double width = std::clamp<int>(st.linethick, 1, 1024);
    const double ring = std::clamp<int>(st.circlethick, 1, 1024);
    const double radius = std::abs(double(st.circleradius));
    // Outlines first, all beneath every stroke, as the classic frames have them.
    const bool cased = st.casing >= 0 && st.casingwidth > 0;
    for (const bool outline : {true, false}) {
        if (outline && !cased) continue;
        const qint32 color = outline ? st.casing : st.color;
        const double grow = outline ? 2.0 * st.casingwidth : 0;
        p.setBrush(Qt::NoBrush);
        p.setPen(roundPen(color, width + grow));
        if (line.elementCount() > 1)
            p.drawPath(line);
        else
            p.drawPoint(at(0));
        p.setPen(roundPen(color, ring + grow));
        for (int j = 0; j <= reached; ++j)
            p.drawEllipse(at(j), radius, radius);
    }
    for (int j = 0; j <= reached; ++j)
        if (!st.pointlabel[j].isEmpty()) paintLabel(p, st, labelBoxAt(st, frame, j, at), j);
    p.resetTransform();
    if (!pose.shown) return;
    // The heading as the frame shows it, the camera's turn included.
    const double rad = pose.heading * M_PI / 180;
    const QPointF ahead = t.map(pose.head + QPointF(std::cos(rad), std::sin(rad))) - t.map(pose.head);
    marker_.paint(p, Head{true, head, std::atan2(ahead.y(), ahead.x()) * 180 / M_PI});
}
