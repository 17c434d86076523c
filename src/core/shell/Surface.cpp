#include "Surface.h"

#include <QtMath>
#include <cmath>
#include <algorithm>

namespace {
// Pen widths come from 16-bit fields a project file may set to anything; a pen below one
// pixel would be Qt's cosmetic pen and a vast one only burns time, so keep them sane.
int sanePenWidth(int width) { return std::clamp(width, 1, 1024); }
}  // namespace

QColor toQColor(qint32 color) {
    const quint32 c = quint32(color);
    return QColor(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff));
}

Surface::Surface(int width, int height, QColor background) : background_(background) { resize(width, height); }

Surface::~Surface() { finish(); }

void Surface::resize(int width, int height) {
    finish();
    image_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image_.fill(background_);
}

QPainter& Surface::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing);
        // Integer coordinates name pixel centres.
        painter_->translate(0.5, 0.5);
    }
    return *painter_;
}

void Surface::finish() { painter_.reset(); }

void Surface::setPenWidth(int width) { penWidth_ = sanePenWidth(width); }

void Surface::dot(float x, float y, qint32 color) {
    QPainter& p = painter();
    if (penWidth_ <= 1) {
        // A single pixel, fully covered, so it stays exact under anti-aliasing.
        const int px = qFloor(double(x) + 0.5), py = qFloor(double(y) + 0.5);
        p.fillRect(QRectF(px - 0.5, py - 0.5, 1, 1), toQColor(color));
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(color));
    const double r = penWidth_ / 2.0;
    p.drawEllipse(QPointF(x, y), r, r);
}

void Surface::line(float x1, float y1, float x2, float y2, qint32 color) {
    QPainter& p = painter();
    p.setPen(QPen(toQColor(color), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Surface::circle(float x, float y, float r, qint32 color) {
    QPainter& p = painter();
    p.setPen(QPen(toQColor(color), penWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const double radius = std::abs(double(r));
    p.drawEllipse(QPointF(x, y), radius, radius);
}

void Surface::box(float x1, float y1, float x2, float y2, qint32 color) {
    const QPointF topLeft(std::min(x1, x2) - 0.5, std::min(y1, y2) - 0.5);
    const QPointF bottomRight(std::max(x1, x2) + 0.5, std::max(y1, y2) + 0.5);
    painter().fillRect(QRectF(topLeft, bottomRight), toQColor(color));
}

void Surface::clear() {
    finish();
    image_.fill(background_);
}

void Surface::resetTo(const QImage& picture) {
    clear();
    if (picture.isNull()) return;
    QPainter p(&image_);
    p.drawImage(0, 0, picture);
}

const QImage& Surface::image() {
    finish();
    return image_;
}
