#include "Surface.h"

#include "LargeImage.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {
// Pen widths come from 16-bit fields a project file may set to anything; a pen below one
// pixel would be Qt's cosmetic pen and a vast one only burns time, so keep them sane.
int sanePenWidth(int width) {
    return std::clamp(width, 1, 1024);
}

constexpr int kMaxSpriteExtent = 96; // larger shapes are drawn directly
constexpr size_t kMaxSprites = 64;   // a handful of styles and colours are in use at a time

bool wholePixel(float v) {
    return std::abs(v) < 1e6f && v == std::floor(v);
}

QPen roundPen(qint32 color, int width) {
    return QPen(toQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
} // namespace

QColor toQColor(qint32 color) {
    const quint32 c = quint32(color);
    return QColor(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff));
}

Surface::Surface(int width, int height, QColor background) : background_(background) {
    resize(width, height);
}

Surface::~Surface() {
    finish();
}

void Surface::resize(int width, int height) {
    finish();
    image_ = largeImage(QSize(std::max(width, 1), std::max(height, 1)),
                        transparent_ ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    clear();
}

void Surface::setTransparent(bool transparent) {
    transparent_ = transparent;
    resize(width(), height());
}

QPainter& Surface::painter() {
    if (target_) return *target_;
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing);
        // Integer coordinates name pixel centres.
        painter_->translate(0.5, 0.5);
    }
    return *painter_;
}

void Surface::finish() {
    painter_.reset();
}

void Surface::setPenWidth(int width) {
    penWidth_ = sanePenWidth(width);
}

template <class Draw> void Surface::layered(QRectF box, qint32 color, Draw draw) {
    if (!layered_) {
        draw(color);
        // Round ends and sprites reach half the pen and a pixel of soft edge beyond the shape.
        const double reach = penWidth_ / 2.0 + 2;
        changed(box.normalized().adjusted(-reach, -reach, reach, reach));
        return;
    }
    if (outlineWidth_ > 0) {
        const int pen = penWidth_;
        penWidth_ = pen + 2 * outlineWidth_;
        target_ = &layerPainter(under_);
        draw(outlineColor_);
        penWidth_ = pen;
    }
    target_ = &layerPainter(strokes_);
    draw(color);
    target_ = nullptr;
    const double reach = penWidth_ / 2.0 + outlineWidth_ + 2;
    compose(box.normalized().adjusted(-reach, -reach, reach, reach));
}

void Surface::dot(float x, float y, qint32 color) {
    layered(QRectF(x, y, 0, 0), color, [&](qint32 c) { dotOn(x, y, c); });
}

void Surface::line(float x1, float y1, float x2, float y2, qint32 color) {
    layered(QRectF(QPointF(x1, y1), QPointF(x2, y2)), color, [&](qint32 c) { lineOn(x1, y1, x2, y2, c); });
}

void Surface::circle(float x, float y, float r, qint32 color) {
    const double a = std::abs(double(r));
    layered(QRectF(x - a, y - a, 2 * a, 2 * a), color, [&](qint32 c) { circleOn(x, y, r, c); });
}

void Surface::dotOn(float x, float y, qint32 color) {
    QPainter& p = painter();
    if (penWidth_ <= 1) {
        // A single pixel, fully covered, so it stays exact under anti-aliasing.
        const int px = qFloor(double(x) + 0.5), py = qFloor(double(y) + 0.5);
        p.fillRect(QRectF(px - 0.5, py - 0.5, 1, 1), toQColor(color));
        return;
    }
    if (blitSprite(x, y, false, 0, color)) return;
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(color));
    const double r = penWidth_ / 2.0;
    p.drawEllipse(QPointF(x, y), r, r);
}

void Surface::lineOn(float x1, float y1, float x2, float y2, qint32 color) {
    QPainter& p = painter();
    if (penWidth_ <= 1) {
        p.setPen(roundPen(color, penWidth_));
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
        return;
    }
    // A round-capped line is a flat-capped one with a spot at each end. Qt rasterises flat
    // caps on a fast path but round caps as general curves, about six times slower.
    p.setPen(QPen(toQColor(color), penWidth_, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    dotOn(x1, y1, color);
    dotOn(x2, y2, color);
}

void Surface::circleOn(float x, float y, float r, qint32 color) {
    const double radius = std::abs(double(r));
    if (blitSprite(x, y, true, float(radius), color)) return;
    QPainter& p = painter();
    p.setPen(roundPen(color, penWidth_));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(x, y), radius, radius);
}

const QImage* Surface::sprite(bool ring, int radius, qint32 color) {
    // Half the side: the shape's reach from its centre pixel, plus a pixel for the soft edge.
    const int half = int(std::ceil((ring ? radius : 0) + penWidth_ / 2.0)) + 1;
    if (2 * half + 1 > kMaxSpriteExtent) return nullptr;
    const quint64 key = (quint64(ring) << 63) | (quint64(penWidth_) << 48) | (quint64(radius) << 32) |
                        quint32(color & 0xffffff);
    if (const auto it = sprites_.find(key); it != sprites_.end()) return &it->second;
    if (sprites_.size() >= kMaxSprites) sprites_.clear();

    QImage img(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5);
    if (ring) {
        p.setPen(roundPen(color, penWidth_));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(half, half), radius, radius);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(toQColor(color));
        p.drawEllipse(QPointF(half, half), penWidth_ / 2.0, penWidth_ / 2.0);
    }
    p.end();
    return &sprites_.emplace(key, std::move(img)).first->second;
}

bool Surface::blitSprite(float x, float y, bool ring, float radius, qint32 color) {
    if (!wholePixel(x) || !wholePixel(y) || !wholePixel(radius)) return false;
    const QImage* img = sprite(ring, int(radius), color);
    if (!img) return false;
    const int half = img->width() / 2;
    // The painter's half-pixel shift puts the copy on whole device pixels.
    painter().drawImage(QPointF(x - half - 0.5, y - half - 0.5), *img);
    return true;
}

void Surface::box(float x1, float y1, float x2, float y2, qint32 color) {
    const QPointF topLeft(std::min(x1, x2) - 0.5, std::min(y1, y2) - 0.5);
    const QPointF bottomRight(std::max(x1, x2) + 0.5, std::max(y1, y2) + 0.5);
    painter().fillRect(QRectF(topLeft, bottomRight), toQColor(color));
    changed(QRectF(topLeft, bottomRight));
}

void Surface::clear() {
    finish();
    image_.fill(transparent_ ? QColor(Qt::transparent) : background_);
    resetLayers();
    changedAll();
}

void Surface::resetTo(const QImage& picture) {
    finish();
    // An opaque picture that covers the map leaves nothing of the background to be seen.
    const bool covered = !transparent_ && !picture.hasAlphaChannel() && picture.width() >= image_.width() &&
                         picture.height() >= image_.height();
    if (!covered) image_.fill(transparent_ ? QColor(Qt::transparent) : background_);
    if (!picture.isNull() && !transparent_) {
        QPainter p(&image_);
        p.drawImage(0, 0, picture);
    }
    resetLayers();
    changedAll();
}

void Surface::changed(const QRectF& area) {
    const bool finite = std::isfinite(area.left()) && std::isfinite(area.top()) &&
                        std::isfinite(area.right()) && std::isfinite(area.bottom());
    if (!finite) return changedAll();
    // Integer coordinates name pixel centres: the area's pixels reach half a pixel further.
    const QRectF within = area.adjusted(-0.5, -0.5, 1.5, 1.5).intersected(QRectF(image_.rect()));
    changes_.add(within.toAlignedRect().intersected(image_.rect()));
}

void Surface::changedAll() {
    changes_.add(image_.rect());
}

const QImage& Surface::image() {
    finish();
    return image_;
}
