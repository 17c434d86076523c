#include "ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

QIcon programIcon() {
    QPixmap pm(32, 32);
    pm.fill(QColor(170, 205, 230)); // sea
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath land;
    land.moveTo(0, 20);
    land.cubicTo(8, 12, 16, 26, 32, 14);
    land.lineTo(32, 32);
    land.lineTo(0, 32);
    p.fillPath(land, QColor(225, 215, 170));
    p.setPen(QPen(QColor(220, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF route[] = {{5, 6}, {14, 16}, {26, 9}};
    p.drawPolyline(route, 3);
    p.setPen(QPen(QColor(220, 0, 0), 1.5));
    p.setBrush(Qt::NoBrush);
    for (const QPointF& pt : route)
        p.drawEllipse(pt, 3.5, 3.5);
    return QIcon(pm);
}

QIcon noIcon() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    return QIcon(pm);
}
