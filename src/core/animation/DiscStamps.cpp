#include "DiscStamps.h"

#include "shell/Surface.h"

#include <cmath>

const QImage& DiscStamps::at(QPointF centre, qint32 colour, double diameter, QPoint& corner) {
    const Set& set = setFor(colour, diameter);
    const QPointF c = centre - QPointF(set.side / 2.0, set.side / 2.0);
    int x = int(std::floor(c.x())), y = int(std::floor(c.y()));
    int i = int(std::lround((c.x() - x) * kSteps)), j = int(std::lround((c.y() - y) * kSteps));
    if (i == kSteps) i = 0, ++x;
    if (j == kSteps) j = 0, ++y;
    corner = QPoint(x, y);
    return set.at[std::size_t(j * kSteps + i)];
}

void DiscStamps::stamp(QPainter& p, QPointF centre, qint32 colour, double diameter) {
    QPoint corner;
    const QImage& disc = at(centre, colour, diameter, corner);
    p.drawImage(corner, disc);
}

void DiscStamps::stamp(const PaintedPixels& to, QPointF centre, qint32 colour, double diameter) {
    QPoint corner;
    const QImage& disc = at(centre, colour, diameter, corner);
    pixelsOver(*to.image, corner, disc, disc.rect(), 256, to.clip);
}

const DiscStamps::Set& DiscStamps::setFor(qint32 colour, double diameter) {
    for (const Set& set : sets_)
        if (set.colour == colour && set.diameter == diameter) return set;
    Set set{colour, diameter, int(std::ceil(diameter)) + 2, {}};
    for (int j = 0; j < kSteps; ++j)
        for (int i = 0; i < kSteps; ++i) {
            QImage img(set.side, set.side, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter ip(&img);
            ip.setRenderHint(QPainter::Antialiasing);
            ip.setPen(Qt::NoPen);
            ip.setBrush(toQColor(colour));
            const QPointF c(set.side / 2.0 + double(i) / kSteps, set.side / 2.0 + double(j) / kSteps);
            ip.drawEllipse(c, diameter / 2, diameter / 2);
            set.at.push_back(std::move(img));
        }
    sets_.push_back(std::move(set));
    return sets_.back();
}
