#include "PictureSource.h"

#include "ShiftedDraw.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kSmallestLevel = 256;

// The mean of four 32-bit pixels, each byte rounded; two bytes at a time in 16-bit lanes.
inline quint32 mean4(quint32 a, quint32 b, quint32 c, quint32 d) {
    constexpr quint32 m = 0x00ff00ff;
    const quint32 lo = (((a & m) + (b & m) + (c & m) + (d & m) + 0x00020002) >> 2) & m;
    const quint32 hi =
        ((((a >> 8) & m) + ((b >> 8) & m) + ((c >> 8) & m) + ((d >> 8) & m) + 0x00020002) >> 2) & m;
    return lo | (hi << 8);
}

// Draws the part of `level` that `rect` (frame pixels) shows, with a pixel around it for the
// filter: never the whole picture through the transform.
void drawPart(QPainter& p, const QImage& level, const QTransform& levelToFrame, const QRect& rect) {
    const QRectF seen = levelToFrame.inverted().mapRect(QRectF(rect));
    const QRect part = seen.toAlignedRect().adjusted(-1, -1, 1, 1).intersected(level.rect());
    if (part.isEmpty()) return;
    const QImage sub(level.constBits() + qsizetype(part.y()) * level.bytesPerLine() + part.x() * 4,
                     part.width(), part.height(), level.bytesPerLine(), level.format());
    p.setClipRect(rect, Qt::IntersectClip);
    p.setTransform(QTransform::fromTranslate(part.x(), part.y()) * levelToFrame, true);
    p.drawImage(QPointF(0, 0), sub);
}
} // namespace

QImage halved(const QImage& image) {
    QImage out(image.width() / 2, image.height() / 2, image.format());
    if (out.isNull()) return out;
    for (int y = 0; y < out.height(); ++y) {
        const auto* r0 = reinterpret_cast<const quint32*>(image.constScanLine(2 * y));
        const auto* r1 = reinterpret_cast<const quint32*>(image.constScanLine(2 * y + 1));
        auto* o = reinterpret_cast<quint32*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            o[x] = mean4(r0[2 * x], r0[2 * x + 1], r1[2 * x], r1[2 * x + 1]);
    }
    return out;
}

PictureSource::PictureSource(QImage picture) {
    // Means of premultiplied pixels are right at soft edges; these two formats also draw fastest.
    if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32_Premultiplied)
        picture.convertTo(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                    : QImage::Format_RGB32);
    levels_.push_back(std::move(picture));
    while (std::max(levels_.back().width(), levels_.back().height()) > kSmallestLevel &&
           std::min(levels_.back().width(), levels_.back().height()) >= 2) {
        QImage next = halved(levels_.back());
        if (next.isNull()) break; // out of memory: the finer levels still draw
        levels_.push_back(std::move(next));
    }
}

QSizeF PictureSource::worldSize() const {
    return levels_.front().size();
}

int PictureSource::levelFor(double scale) const {
    if (!(scale > 0)) return 0;
    // Level k is drawn at scale * 2^k, which must not be above 1; the slack keeps exact halves.
    const int k = int(std::floor(std::log2(1 / scale) + 1e-9));
    return std::clamp(k, 0, int(levels_.size()) - 1);
}

void PictureSource::draw(QPainter& p, const QTransform& worldToFrame, const QRect& frameRect,
                         MapGaps*) const {
    if (levels_.front().isNull() || !worldToFrame.isInvertible()) return;
    const double scale = std::sqrt(std::abs(worldToFrame.determinant()));
    const QImage& level = levels_[size_t(levelFor(scale))];
    // A level of an odd size lost its last row or column; stretched over the whole world, it
    // is off by under a frame pixel, where leaving the row out would show a gap at the edge.
    const QSizeF world = worldSize();
    drawImagePart(p, level,
                  QTransform::fromScale(world.width() / level.width(), world.height() / level.height()) *
                      worldToFrame,
                  frameRect);
}

void drawImagePart(QPainter& p, const QImage& image, QTransform levelToFrame, const QRect& frameRect) {
    const bool wholeShift = levelToFrame.type() == QTransform::TxTranslate &&
                            levelToFrame.dx() == std::round(levelToFrame.dx()) &&
                            levelToFrame.dy() == std::round(levelToFrame.dy());
    // Moved by a fraction of a pixel, straight into a frame image: the hand-written filter.
    auto* frame =
        p.device() && p.device()->devType() == QInternal::Image ? static_cast<QImage*>(p.device()) : nullptr;
    if (frame && levelToFrame.type() == QTransform::TxTranslate && !wholeShift &&
        p.deviceTransform().isIdentity() && !p.hasClipping() && p.opacity() == 1 &&
        p.compositionMode() == QPainter::CompositionMode_SourceOver &&
        drawShifted(*frame, image, QPointF(levelToFrame.dx(), levelToFrame.dy()), frameRect))
        return;
    // Elsewhere a scale a hair off 1 takes Qt's filtered path, which keeps the fraction.
    if (levelToFrame.type() == QTransform::TxTranslate && !wholeShift)
        levelToFrame = QTransform::fromScale(1 + 1e-7, 1 + 1e-7) * levelToFrame;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    drawPart(p, image, levelToFrame, frameRect);
    p.restore();
}
